#pragma once
/// The focusable caption control of a dialog's texts (instruction, content, footer, expanded
/// information, help link): shows its Text with markup and one link, shows the hand cursor over
/// the link, opens the link's address on a left click and can size its height to its text. \file

#include "VxCaption.h"

#include "Classes.h"
#include "StringList.h"
#include "TypInfo.h"

#include <QWidget>

#include <memory>

/// Sender, Link, Handled (False on entry; True keeps the address from being opened).
using TVxLinkClickEvent = TEvent<TObject*, const QString&, bool&>;

/// An X/Y pair that reports its changes.
class TVxPoint : public TPersistent {
    VX_PUBLISHED_CLASS
public:
    TVxPoint() = default;

    int X() const { return FX; }
    void SetX(int Value);
    int Y() const { return FY; }
    void SetY(int Value);
    QPoint AsPoint() const { return QPoint(FX, FY); }
    /// From another TVxPoint: copies both values and reports a change even when nothing changed.
    void Assign(const TPersistent* Source) override;

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    int FX = 0;
    int FY = 0;
};

class TVxCustomCaptionControl : public QWidget, public TObject, public TVxBiDiControl {
    Q_OBJECT
public:
    explicit TVxCustomCaptionControl(QWidget* Parent = nullptr);
    ~TVxCustomCaptionControl() override;

    /// A caption exists (from the first paint on) and its last layout placed the link.
    bool HasLinks() const;
    /// The caption, or nullptr before the first paint.
    TVxCaption* Caption() const { return FCaption.get(); }

    /// The lines; the caption shows them joined, each followed by CR LF.
    TStrings* Text() const { return FText.get(); }
    void SetText(const TStrings& Value);
    void SetText(const QString& Value) { FText->SetText(Value); }
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& Value);
    const TFont& LinkFont() const { return FLinkFont; }
    void SetLinkFont(const TFont& Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    const TVxCaptionBackground& Background() const { return FBackground; }
    void SetBackground(const TVxCaptionBackground& Value);
    TVxPoint* OffSet() const { return FOffSet.get(); }
    void SetOffSet(const TVxPoint& Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) { FAutoSize = Value; }
    bool TreatAsLink() const { return FTreatAsLink; }
    void SetTreatAsLink(bool Value);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);

    uint DrawTextBiDiModeFlags(uint Flags) const override { return ::DrawTextBiDiModeFlags(FBiDiMode, Flags); }

    /// Height := the caption's minimum height for the width, only while the height is 0.
    virtual void AdjustHeight();
    /// The outlines drawn around the link while the control has the focus (as QPainter::drawRect
    /// takes them), from the last layout.
    QList<QRect> LinkFocusRects() const;

    TVxLinkClickEvent OnLinkClick;
    TNotifyEvent OnClick;

protected:
    virtual void DoLinkClick();

    void paintEvent(QPaintEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;

private:
    friend class TVxCaptionControlAccessible; ///< opens the link for the press action
    void TextChanged();

    std::unique_ptr<TVxCaption> FCaption;
    std::unique_ptr<TStringList> FText;
    TFont FFont;
    TFont FLinkFont;
    TColor FColor = clWindow;
    TVxCaptionBackground FBackground;
    std::unique_ptr<TVxPoint> FOffSet;
    bool FAutoSize = true;
    bool FTreatAsLink = false;
    TBiDiMode FBiDiMode = bdLeftToRight;
};

class TVxCaptionControl : public TVxCustomCaptionControl {
    Q_OBJECT
public:
    using TVxCustomCaptionControl::TVxCustomCaptionControl;
};
