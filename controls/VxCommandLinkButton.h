#pragma once
/// The command link button of task dialogs: a large button with an arrow glyph (or a custom glyph,
/// or the elevation shield), a one-line caption in a large font, an optional info text with caption
/// markup below it and an optional picture under the caption. It has hot, pressed, default,
/// focused and disabled looks, a native look painted from a colour set and a classic look with the
/// style's push-button frame, and it can size itself to its content. \file

#include "VxCaption.h"
#include "VxCommandLinkLayout.h"
#include "VxCommandLinkLook.h"
#include "VxImageList.h"

#include "Classes.h"
#include "Graphics.h"
#include "StringList.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QPainter;

enum TVxButtonStyle { vxbNative, vxbClassic };

class TVxCustomCommandLinkButton : public QWidget, public TObject, public TVxBiDiControl {
    Q_OBJECT
    /// The simple properties by name, for callers that set up controls generically.
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString InfoText READ InfoText WRITE SetInfoText)
    Q_PROPERTY(bool ShowIcon READ ShowIcon WRITE SetShowIcon)
    Q_PROPERTY(bool ElevationRequired READ ElevationRequired WRITE SetElevationRequired)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_PROPERTY(bool ShowHotKey READ ShowHotKey WRITE SetShowHotKey)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(int DefaultHeight READ DefaultHeight WRITE SetDefaultHeight)
    Q_PROPERTY(int GlyphIndex READ GlyphIndex WRITE SetGlyphIndex)
    Q_PROPERTY(int PictureIndex READ PictureIndex WRITE SetPictureIndex)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(qint64 Tag READ Tag WRITE SetTag)
    Q_PROPERTY(int MinimumWidth READ MinimumWidth)
public:
    explicit TVxCustomCommandLinkButton(QWidget* Parent = nullptr);
    ~TVxCustomCommandLinkButton() override;

    // ---- properties
    QString Caption() const { return FCaption; }
    /// Repaints; the size is not recomputed (AdjustBounds does that).
    void SetCaption(const QString& Value);
    /// Lines of the info text (caption markup allowed). Changing them recomputes the size.
    TStrings* Info() const { return FInfo.get(); }
    void SetInfo(const TStrings& Value);
    void SetInfo(const QString& Value);
    /// The info lines as one text (each line followed by CR LF).
    QString InfoText() const { return FInfo->Text(); }
    void SetInfoText(const QString& Value) { SetInfo(Value); }
    const TFont& Font() const { return FFont; }
    /// Recomputes the height (and the width with AutoSize) at once.
    void SetFont(const TFont& Value);
    const TFont& InfoFont() const { return FInfoFont; }
    void SetInfoFont(const TFont& Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    /// The button's own copy of the colour set.
    const TVxCommandLinkColorSet& CommandLinkColors() const { return FCommandLinkColors; }
    void SetCommandLinkColors(const TVxCommandLinkColorSet& Value);
    /// Like the colour set's own Color setter: also sets the button's Color.
    void SetCommandLinkColor(TColor Value);

    /// Custom glyph replacing the arrow; a non-empty glyph is drawn transparent.
    TPicture* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TPicture& Value);
    void SetGlyph(const TGraphic* Value);
    TVxImageList* GlyphImages() const { return FGlyphImages; }
    void SetGlyphImages(TVxImageList* Value);
    int GlyphIndex() const { return FGlyphIndex; }
    void SetGlyphIndex(int Value);
    /// Picture drawn under the caption, left of the info text.
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(const TPicture& Value);
    void SetPicture(const TGraphic* Value);
    TVxImageList* PictureImages() const { return FPictureImages; }
    void SetPictureImages(TVxImageList* Value);
    int PictureIndex() const { return FPictureIndex; }
    void SetPictureIndex(int Value);

    bool ShowIcon() const { return FShowIcon; }
    void SetShowIcon(bool Value);
    /// True puts the elevation shield into Glyph; False empties Glyph (a custom glyph is lost).
    bool ElevationRequired() const { return FElevationRequired; }
    void SetElevationRequired(bool Value);
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }
    /// Stored and followed by AdjustBounds; no layout reads it.
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    TVxButtonStyle Style() const { return FStyle; }
    void SetStyle(TVxButtonStyle Value);
    /// Underline the caption's accelerator. Starts as the desktop's keyboard-cue setting.
    bool ShowHotKey() const { return FShowHotKey; }
    void SetShowHotKey(bool Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool Value) { FParentBiDiMode = Value; }
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value) { FParentColor = Value; }
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value) { FParentShowHint = Value; }
    /// The tool tip.
    QString Hint() const { return toolTip(); }
    void SetHint(const QString& Value) { setToolTip(Value); }
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool Value);
    /// Free for the owner (the dialog keeps the custom button's value here).
    qint64 Tag() const { return FTag; }
    void SetTag(qint64 Value) { FTag = Value; }

    bool MouseInControl() const { return FMouseInControl; }
    void SetMouseInControl(bool Value);
    /// The left mouse button went down on the button and is still held.
    bool MouseButtonPressed() const { return FMouseButtonPressed; }

    // ---- geometry (no window needed)
    bool HasGlyph() const;
    QSize GetGlyphSize() const;
    bool HasPicture() const;
    QSize GetPictureSize() const;
    int GetInfoIndent() const;
    /// Caption width + 28, plus glyph width + 10 with ShowIcon.
    int MinimumWidth() const;
    /// The values the geometry is computed from, for the current size.
    TVxCommandLinkMetrics Metrics() const;
    virtual TRect GetPartRect(int Part) const;
    virtual QString GetInfoText() const;
    /// Recomputes the height (and the width with AutoSize) from the content. Nothing while the
    /// button is being loaded or while it is narrower than its glyph column.
    virtual void AdjustBounds();
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    /// Ends loading (see BeginLoading) and adjusts the bounds.
    virtual void Loaded();
    /// While loading, AdjustBounds does nothing (a form being read sets many properties).
    void BeginLoading() { FLoading = true; }

    // ---- actions
    /// The button's click: fires OnClick and clicked().
    void Click();
    /// A character the dialog offers to its buttons: the caption's accelerator; Enter for the
    /// default button when it has the focus or nothing has; Escape for the cancel button. A
    /// handled character focuses the button and clicks it when it then has the focus. A disabled
    /// or hidden button handles nothing. Returns whether it was handled.
    bool DialogChar(QChar Key);

    uint DrawTextBiDiModeFlags(uint Flags) const override { return ::DrawTextBiDiModeFlags(FBiDiMode, Flags); }
    QSize sizeHint() const override;

    TNotifyEvent OnClick;

signals:
    void clicked();

protected:
    virtual void LoadGlyphs();
    virtual void InitFonts();
    virtual void ColorsChanged();
    virtual void DrawHotFrame(QPainter& Canvas, const QRect& R);
    virtual void DrawCaption(QPainter& Canvas, const TRect& R);
    virtual void DrawDefaultFrame(QPainter& Canvas, const QRect& R);
    virtual void DrawFocus(QPainter& Canvas, const TRect& R);
    virtual void DrawGlyph(QPainter& Canvas, const TRect& R);
    virtual void DrawInfo(QPainter& Canvas, const TRect& R);
    virtual void DrawPicture(QPainter& Canvas, const TRect& R);
    virtual void UpdateRegion();
    virtual void Paint(QPainter& Canvas);

    /// The state the looks are chosen from.
    TVxCommandLinkState State() const;
    /// Whether the frame rules give the default border now.
    bool ShowsDefaultFrame() const;

    bool event(QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void keyReleaseEvent(QKeyEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void enterEvent(QEnterEvent* Event) override;
    void leaveEvent(QEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void changeEvent(QEvent* Event) override;

    /// The four built-in arrows (16 x 16), loaded by LoadGlyphs.
    std::unique_ptr<TIcon> FHotGlyph, FColdGlyph, FDownGlyph, FDisabledGlyph;

private:
    void ContentChanged();
    void UpdateShortcut();
    void DrawImageAt(QPainter& Canvas, const QPoint& At, const QImage& Image) const;

    bool FMouseInControl = false;
    std::unique_ptr<TPicture> FPicture;
    std::unique_ptr<TPicture> FGlyph;
    std::unique_ptr<TStringList> FInfo;
    TFont FFont;
    TFont FInfoFont;
    int FModalResult = 0;
    bool FShowIcon = true;
    int FDefaultHeight = -1;
    bool FDefault = false;
    bool FCancel = false;
    bool FElevationRequired = false;
    TVxButtonStyle FStyle = vxbNative;
    bool FMouseButtonPressed = false;
    bool FShowHotKey = false;
    bool FProcessEnter = false;
    bool FProcessSpace = false;
    TVxCaptionBackground FBackground;
    QString FCaption;
    QPointer<TVxImageList> FPictureImages;
    int FPictureIndex = -1;
    QPointer<TVxImageList> FGlyphImages;
    int FGlyphIndex = -1;
    TVxCommandLinkColorSet FCommandLinkColors;

    TColor FColor = clWindow;
    bool FAutoSize = false;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    bool FParentColor = false;
    bool FParentShowHint = true;
    qint64 FTag = 0;
    bool FLoading = false;
    /// Glyph holds the shield put there by ElevationRequired (drawn from the artwork at the
    /// screen's scale).
    bool FGlyphIsShield = false;
    int FShortcutId = 0;
    /// The info text measured at any width and the caption's extents (see Metrics).
    mutable std::shared_ptr<TVxCaptionMeasure> FInfoMeasure;
    mutable std::shared_ptr<TVxCommandLinkCaptionExtents> FCaptionExtents;
};

/// The published command link.
class TVxCommandLinkButton : public TVxCustomCommandLinkButton {
    Q_OBJECT
public:
    using TVxCustomCommandLinkButton::TVxCustomCommandLinkButton;
};
