#pragma once
/// Focusable one-line labels that size themselves to their caption, and the expand/collapse toggle
/// of the dialogs (the "more" label): a state glyph beside the caption, hot and pressed glyphs,
/// toggled by a click, Space or its accelerator, with OnExpanded / OnCollapsed for the engine. \file

#include "VxCaption.h"

#include "Classes.h"
#include "ControlTypes.h"
#include "Graphics.h"

#include <QWidget>

#include <memory>

class QPainter;

class TVxCustomLabel : public QWidget, public TObject, public TVxBiDiControl {
    Q_OBJECT
public:
    /// 65 x 17, opaque in clBtnFace, AutoSize on.
    explicit TVxCustomLabel(QWidget* Parent = nullptr);
    ~TVxCustomLabel() override;

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    /// "&" marks the accelerator; line breaks are honoured, long lines are not wrapped.
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    /// The parent's background colour instead of Color.
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& Value);
    /// Kept for the published surface; a font given with SetFont clears it.
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value) { FParentFont = Value; }
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool Value);

    /// The size AutoSize gives the label, computed from the font alone (no window needed).
    virtual QSize AutoSizeExtent() const;
    /// With AutoSize and a parent, takes AutoSizeExtent; in right-to-left mode the right edge
    /// stays where it is.
    virtual void AdjustBounds();
    /// The dialog character Key: when it is the caption's accelerator, focuses the label, clicks
    /// it when it has the focus, and answers True (handled). Alt+accelerator arrives here as well.
    bool DialogChar(QChar Key);
    /// The platform click: fires OnClick.
    virtual void Click();

    uint DrawTextBiDiModeFlags(uint Flags) const override { return ::DrawTextBiDiModeFlags(FBiDiMode, Flags); }

    TNotifyEvent OnClick;

protected:
    /// Draws the caption in R with Flags, or with DT_CALCRECT measures it into R (Canvas may then
    /// be nullptr). The text starts 2 pixels into R.
    virtual void DoDrawText(QPainter* Canvas, TRect& R, uint Flags) const;
    virtual void Paint(QPainter& Canvas);
    /// The colour the label fills itself with.
    QColor BackgroundColor() const;

    bool event(QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void changeEvent(QEvent* Event) override;

    /// The focus rectangle for R as DoDrawText left it.
    QRect FocusRect(const TRect& R) const;

private:
    void UpdateMnemonic();

    bool FAutoSize = true;
    QString FCaption;
    TColor FColor = clBtnFace;
    bool FParentColor = false;
    TFont FFont;
    bool FParentFont = true;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    bool FClickPending = false;
    int FShortcutId = 0;
};

class TVxCustomMoreLabel : public TVxCustomLabel {
    Q_OBJECT
public:
    /// 200 x 20, collapsed, Spacing 4, tab stop on.
    explicit TVxCustomMoreLabel(QWidget* Parent = nullptr);
    ~TVxCustomMoreLabel() override;

    /// The state glyph; every paint loads the one for the current state into it.
    TPicture* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TPicture& Value);
    /// Pixels between glyph and text; changes the look, not the size.
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    /// A change fires OnExpanded or OnCollapsed.
    bool Expanded() const { return FExpanded; }
    void SetExpanded(bool Value);
    bool MouseInControl() const { return FMouseInControl; }
    /// The glyph resource for the current state: "VXD_SHOWCOLD", "VXD_SHOWHOT", "VXD_SHOWPRESS"
    /// while collapsed, "VXD_HIDECOLD", "VXD_HIDEHOT", "VXD_HIDEPRESS" while expanded.
    QString GlyphResourceName() const;
    /// The size of the state glyphs (19 x 19 at 96 dots per inch).
    static QSize GlyphSize();
    /// The state glyph called Name as an image of Size device-independent pixels at the given
    /// device pixel ratio, drawn from our own vector artwork; a null image for an unknown name.
    static QImage RenderGlyph(const QString& Name, QSize Size, qreal DevicePixelRatio = 1.0);

    QSize AutoSizeExtent() const override;
    /// The inherited click (OnClick) first, then Expanded := not Expanded.
    void Click() override;

    TNotifyEvent OnExpanded;
    TNotifyEvent OnCollapsed;

protected:
    void DoDrawText(QPainter* Canvas, TRect& R, uint Flags) const override;
    void Paint(QPainter& Canvas) override;
    virtual void DoCollapsed();
    virtual void DoExpanded();
    virtual void UpdateGlyph();

    void keyPressEvent(QKeyEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void enterEvent(QEnterEvent* Event) override;
    void leaveEvent(QEvent* Event) override;

private:
    /// Glyph width + Spacing.
    int GlyphColumn() const;

    std::unique_ptr<TPicture> FGlyph;
    int FSpacing = 4;
    bool FExpanded = false;
    bool FMouseInControl = false;
    bool FButtonHeld = false;
    /// The resource the glyph holds now; empty after a glyph was assigned from outside.
    QString FGlyphResource;
};

class TVxMoreLabel : public TVxCustomMoreLabel {
    Q_OBJECT
public:
    using TVxCustomMoreLabel::TVxCustomMoreLabel;
};
