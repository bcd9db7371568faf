#pragma once
/// The custom-painted check box of the dialogs (the verification check box): the style's check-box
/// element when visual styles are on, a classic sunken box with a check mark otherwise; optionally
/// transparent over its parent, box on the right or in right-to-left layout, toggled by a left click
/// on the box or the caption, by Space and by its accelerator, clicks reported through OnClick. \file

#include "VxCaption.h"

#include "Classes.h"
#include "ControlTypes.h"
#include "Graphics.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QAction;
class QPainter;

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

/// The parts of the style's check-box element, one per state the box can show.
enum TThemedCheckBox {
    tbCheckBoxUncheckedNormal,
    tbCheckBoxUncheckedHot,
    tbCheckBoxUncheckedPressed,
    tbCheckBoxUncheckedDisabled,
    tbCheckBoxCheckedNormal,
    tbCheckBoxCheckedHot,
    tbCheckBoxCheckedPressed,
    tbCheckBoxCheckedDisabled
};

class TVxCustomCheckBox : public QWidget, public TObject, public TVxBiDiControl {
    Q_OBJECT
public:
    /// Height MulDiv(17, PixelsPerInch, 96), width 97, opaque in clBtnFace unless visual styles
    /// are on (then transparent).
    explicit TVxCustomCheckBox(QWidget* Parent = nullptr);
    ~TVxCustomCheckBox() override;

    /// Setting the value repaints; it never fires OnClick.
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    /// "&" marks the accelerator.
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    /// The state the accelerator toggles; any state but cbUnchecked shows the box checked.
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    /// Without a fill the parent shows through.
    bool Transparent() const { return !testAttribute(Qt::WA_OpaquePaintEvent); }
    void SetTransparent(bool Value);
    /// The fill of an opaque box; with ParentColor the parent's background colour.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
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
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool Value) { setEnabled(Value); }
    /// The action's checked state and text reach the box whenever the action changes.
    QAction* Action() const { return FAction; }
    void SetAction(QAction* Value);
    bool MouseInControl() const { return FMouseInControl; }

    /// The check bitmap's size (13 x 13 at 96 dots per inch, scaled with the screen's
    /// resolution): the w and h of the geometry below.
    int CheckWidth() const;
    int CheckHeight() const;
    /// The box: at the left, or at the right with taRightJustify or right-to-left reading;
    /// vertically centred, at least 1 from the top.
    TRect GetCheckRect() const;
    /// The client rectangle without the box's column.
    TRect CaptionRect() const;
    virtual bool PointInCaption(int X, int Y) const;
    /// The element part for the current state.
    virtual TThemedCheckBox GetCheckDetails() const;
    /// Unchecked and grayed go to checked, checked to unchecked; fires nothing.
    virtual void Toggle();
    /// The dialog character Key: when it is the caption's accelerator, focuses the box, toggles it
    /// when it has the focus, and answers True (handled). Alt+accelerator arrives here as well.
    bool DialogChar(QChar Key);

    uint DrawTextBiDiModeFlags(uint Flags) const override { return ::DrawTextBiDiModeFlags(FBiDiMode, Flags); }
    /// A left or right mouse button is held, wherever the mouse is.
    static bool IsMouseButtonDown();

    TNotifyEvent OnClick;

protected:
    virtual void DrawCheckBox(QPainter& Canvas);
    virtual void DrawCheckCaption(QPainter& Canvas);
    virtual void DrawCheckBackground(QPainter& Canvas);
    virtual void DoClick();
    /// An action's properties reach the box.
    virtual void ActionChange(const QAction* Sender, bool CheckDefaults);

    bool event(QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void enterEvent(QEnterEvent* Event) override;
    void leaveEvent(QEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void changeEvent(QEvent* Event) override;

private:
    friend class TVxCheckBoxAccessible;
    void UpdateMnemonic();
    QColor BackgroundColor() const;

    bool FChecked = false;
    TAlignment FAlignment = taLeftJustify;
    std::unique_ptr<TBitmap> FCheckBitmap;
    QString FCaption;
    bool FMouseInControl = false;
    TCheckBoxState FState = cbUnchecked;

    TFont FFont;
    TColor FColor = clBtnFace;
    bool FParentColor = false;
    bool FParentFont = true;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    bool FButtonHeld = false;
    int FShortcutId = 0;
    QPointer<QAction> FAction;
};

class TVxCheckBox : public TVxCustomCheckBox {
    Q_OBJECT
public:
    using TVxCustomCheckBox::TVxCustomCheckBox;
};
