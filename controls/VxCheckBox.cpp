#include "VxCheckBox.h"

#include "private/CheckLabelAccessible_p.h"
#include "private/CheckLabelArt_p.h"
#include "private/ReadableText_p.h"

#include "DrawText.h"
#include "TextContrast.h"
#include "Screen.h"

#include <QAccessible>
#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// The size of the classic check mark bitmap at 96 dots per inch; like the system's bitmap it
// grows with the screen's resolution.
constexpr int CheckBitmapSize = 13;
const QString CheckArt = QStringLiteral(":/checkbox/VXD_CHECK.svg");

// A platform focus rectangle: alternate pixels along the inside of R.
void DrawFocusRect(QPainter& Canvas, const TRect& R, const QColor& Color)
{
    if (R.IsEmpty())
        return;
    Canvas.save();
    Canvas.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(Color, 1);
    // One device pixel on, one off, however the painter is scaled: a scaled pen would draw
    // solid frames that cut across the text at 2x.
    pen.setCosmetic(true);
    pen.setDashPattern({1.0, 1.0});
    Canvas.setPen(pen);
    Canvas.setBrush(Qt::NoBrush);
    Canvas.drawRect(QRect(R.Left, R.Top, R.Width() - 1, R.Height() - 1));
    Canvas.restore();
}

} // namespace

TVxCustomCheckBox::TVxCustomCheckBox(QWidget* Parent)
    : QWidget(Parent), FCheckBitmap(std::make_unique<TBitmap>())
{
    InstallCheckLabelAccessibility();
    const int size = qMax(1, MulDiv(CheckBitmapSize, PixelsPerInch(), 96));
    FCheckBitmap->SetImage(RenderControlArt(CheckArt, QSize(size, size)));
    resize(97, MulDiv(17, PixelsPerInch(), 96));
    QWidget::setFont(FFont.ToQFont());
    // A tab stop; a left press takes the focus itself (other buttons leave it where it is).
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, !StyleServicesEnabled());
    setAttribute(Qt::WA_Hover, false);
}

TVxCustomCheckBox::~TVxCustomCheckBox() = default;

void TVxCustomCheckBox::SetChecked(bool Value)
{
    if (Value == FChecked)
        return;
    FChecked = Value;
    FState = Value ? cbChecked : cbUnchecked;
    update();
    NotifyCheckLabelStateChange(this, CheckLabelStateChange::Checked);
}

void TVxCustomCheckBox::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment)
        return;
    FAlignment = Value;
    update();
}

void TVxCustomCheckBox::SetCaption(const QString& Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    UpdateMnemonic();
    update();
    NotifyCheckLabelStateChange(this, CheckLabelStateChange::Name);
}

void TVxCustomCheckBox::SetState(TCheckBoxState Value)
{
    if (Value == FState)
        return;
    FState = Value;
    // The box's own "set check" message: any state but unchecked shows the mark.
    const bool checked = Value != cbUnchecked;
    const bool changed = checked != FChecked;
    FChecked = checked;
    update();
    if (changed)
        NotifyCheckLabelStateChange(this, CheckLabelStateChange::Checked);
}

void TVxCustomCheckBox::SetTransparent(bool Value)
{
    if (Value == Transparent())
        return;
    setAttribute(Qt::WA_OpaquePaintEvent, !Value);
    update();
}

void TVxCustomCheckBox::SetColor(TColor Value)
{
    FParentColor = false;
    if (Value == FColor)
        return;
    FColor = Value;
    update();
}

void TVxCustomCheckBox::SetParentColor(bool Value)
{
    if (Value == FParentColor)
        return;
    FParentColor = Value;
    update();
}

void TVxCustomCheckBox::SetFont(const TFont& Value)
{
    FParentFont = false;
    FFont.Assign(&Value);
    QWidget::setFont(FFont.ToQFont());
    update();
}

void TVxCustomCheckBox::SetBiDiMode(TBiDiMode Value)
{
    FParentBiDiMode = false;
    if (Value == FBiDiMode)
        return;
    FBiDiMode = Value;
    update();
}

void TVxCustomCheckBox::SetParentBiDiMode(bool Value)
{
    FParentBiDiMode = Value;
    if (Value && parentWidget())
        FBiDiMode = parentWidget()->layoutDirection() == Qt::RightToLeft ? bdRightToLeft : bdLeftToRight;
    update();
}

void TVxCustomCheckBox::SetAction(QAction* Value)
{
    if (Value == FAction)
        return;
    if (FAction)
        disconnect(FAction, nullptr, this, nullptr);
    FAction = Value;
    if (FAction) {
        connect(FAction, &QAction::changed, this, [this] { ActionChange(FAction, false); });
        ActionChange(FAction, false);
    }
}

void TVxCustomCheckBox::ActionChange(const QAction* Sender, bool CheckDefaults)
{
    if (!Sender)
        return;
    if (!CheckDefaults || !FChecked)
        SetChecked(Sender->isChecked());
    SetCaption(Sender->text());
}

int TVxCustomCheckBox::CheckWidth() const { return FCheckBitmap->Width(); }

int TVxCustomCheckBox::CheckHeight() const { return FCheckBitmap->Height(); }

TRect TVxCustomCheckBox::GetCheckRect() const
{
    const int w = CheckWidth();
    const int h = CheckHeight();
    TRect r;
    r.Left = (FBiDiMode != bdLeftToRight || FAlignment == taRightJustify) ? width() - w : 0;
    r.Top = qMax(1, (height() - h + 1) / 2);
    r.Right = r.Left + w;
    r.Bottom = r.Top + h;
    return r;
}

TRect TVxCustomCheckBox::CaptionRect() const
{
    TRect r{0, 0, width(), height()};
    if (FAlignment == taLeftJustify && FBiDiMode == bdLeftToRight) {
        r.Left += CheckWidth() + 4;
    } else {
        r.Left += 2;
        r.Right -= CheckWidth() + 1;
    }
    return r;
}

bool TVxCustomCheckBox::PointInCaption(int X, int Y) const { return CaptionRect().Contains(X, Y); }

bool TVxCustomCheckBox::IsMouseButtonDown()
{
    return (QGuiApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton)) != 0;
}

TThemedCheckBox TVxCustomCheckBox::GetCheckDetails() const
{
    const bool held = FButtonHeld || IsMouseButtonDown();
    if (!isEnabled())
        return FChecked ? tbCheckBoxCheckedDisabled : tbCheckBoxUncheckedDisabled;
    if (held)
        return FChecked ? tbCheckBoxCheckedPressed : tbCheckBoxUncheckedPressed;
    if (FMouseInControl)
        return FChecked ? tbCheckBoxCheckedHot : tbCheckBoxUncheckedHot;
    return FChecked ? tbCheckBoxCheckedNormal : tbCheckBoxUncheckedNormal;
}

void TVxCustomCheckBox::Toggle() { SetState(FState == cbChecked ? cbUnchecked : cbChecked); }

bool TVxCustomCheckBox::DialogChar(QChar Key)
{
    if (!isEnabled() || !IsAccel(Key, FCaption))
        return false;
    if (isVisible() && !hasFocus())
        setFocus(Qt::ShortcutFocusReason);
    if (hasFocus())
        Toggle();
    return true;
}

void TVxCustomCheckBox::UpdateMnemonic()
{
    if (FShortcutId)
        releaseShortcut(FShortcutId);
    FShortcutId = 0;
    const QKeySequence mnemonic = QKeySequence::mnemonic(FCaption);
    if (!mnemonic.isEmpty())
        FShortcutId = grabShortcut(mnemonic);
}

void TVxCustomCheckBox::DoClick() { OnClick(this); }

QColor TVxCustomCheckBox::BackgroundColor() const
{
    if (FParentColor && parentWidget())
        return parentWidget()->palette().color(parentWidget()->backgroundRole());
    return ToQColor(FColor);
}

// ---- painting

void TVxCustomCheckBox::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    canvas.setFont(FFont.ToQFont());
    DrawCheckBackground(canvas);
    DrawCheckBox(canvas);
    DrawCheckCaption(canvas);
}

void TVxCustomCheckBox::DrawCheckBackground(QPainter& Canvas)
{
    if (Transparent())
        return;
    Canvas.fillRect(rect(), BackgroundColor());
}

void TVxCustomCheckBox::DrawCheckBox(QPainter& Canvas)
{
    const TRect r = GetCheckRect();
    if (StyleServicesEnabled()) {
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = r.ToQRect();
        option.state &= ~(QStyle::State_Enabled | QStyle::State_MouseOver | QStyle::State_Sunken | QStyle::State_On |
                          QStyle::State_Off | QStyle::State_NoChange);
        switch (GetCheckDetails()) {
        case tbCheckBoxUncheckedNormal: option.state |= QStyle::State_Enabled | QStyle::State_Off; break;
        case tbCheckBoxUncheckedHot: option.state |= QStyle::State_Enabled | QStyle::State_Off | QStyle::State_MouseOver; break;
        case tbCheckBoxUncheckedPressed: option.state |= QStyle::State_Enabled | QStyle::State_Off | QStyle::State_Sunken; break;
        case tbCheckBoxUncheckedDisabled: option.state |= QStyle::State_Off; break;
        case tbCheckBoxCheckedNormal: option.state |= QStyle::State_Enabled | QStyle::State_On; break;
        case tbCheckBoxCheckedHot: option.state |= QStyle::State_Enabled | QStyle::State_On | QStyle::State_MouseOver; break;
        case tbCheckBoxCheckedPressed: option.state |= QStyle::State_Enabled | QStyle::State_On | QStyle::State_Sunken; break;
        case tbCheckBoxCheckedDisabled: option.state |= QStyle::State_On; break;
        }
        if (!(option.state & QStyle::State_Enabled))
            option.palette.setCurrentColorGroup(QPalette::Disabled);
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &Canvas, this);
        return;
    }

    // Classic: a sunken two-pixel frame, the interior in the window colour (button face when
    // disabled) and the check mark.
    const QRect box = r.ToQRect();
    Canvas.save();
    Canvas.setRenderHint(QPainter::Antialiasing, false);
    const auto edge = [&](int inset, TColor topLeft, TColor bottomRight) {
        const QRect e = box.adjusted(inset, inset, -inset, -inset);
        Canvas.fillRect(QRect(e.left(), e.top(), e.width() - 1, 1), ToQColor(topLeft));
        Canvas.fillRect(QRect(e.left(), e.top(), 1, e.height() - 1), ToQColor(topLeft));
        Canvas.fillRect(QRect(e.left(), e.bottom(), e.width(), 1), ToQColor(bottomRight));
        Canvas.fillRect(QRect(e.right(), e.top(), 1, e.height()), ToQColor(bottomRight));
    };
    edge(0, clBtnShadow, clBtnHighlight);
    edge(1, cl3DDkShadow, cl3DLight);
    Canvas.fillRect(box.adjusted(2, 2, -2, -2), ToQColor(isEnabled() ? clWindow : clBtnFace));
    if (FChecked) {
        // The bitmap already has the screen's size: scaling it once more would draw the mark
        // past the box on any screen above 96 dots per inch.
        const int sw = CheckWidth();
        const int sh = CheckHeight();
        QImage mark = RenderControlArt(CheckArt, QSize(sw, sh), devicePixelRatioF());
        if (!isEnabled() && !mark.isNull()) {
            QPainter tint(&mark);
            tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
            tint.fillRect(QRect(QPoint(0, 0), QSize(sw, sh)), ToQColor(clGrayText));
        }
        Canvas.drawImage(QRect(r.Left + 1, r.Top, sw, sh), mark);
    }
    Canvas.restore();
}

void TVxCustomCheckBox::DrawCheckCaption(QPainter& Canvas)
{
    TRect r = CaptionRect();
    r.Top += 1;
    const TColor background = FromQColor(BackgroundColor());
    if (hasFocus()) {
        TRect focus = r;
        if (FBiDiMode == bdLeftToRight)
            focus.Left += 4;
        DrawFocusRect(Canvas, focus, ToQColor(TextColorOn(clBlack, background)));
    }
    QRect text = r.ToQRect();
    const uint flags = DrawTextBiDiModeFlags(DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
    if (isEnabled()) {
        DrawThemedText(&Canvas, FCaption, FFont, text, flags, background);
    } else {
        Canvas.setPen(ToQColor(clGrayText));
        DrawText(&Canvas, FFont.ToQFont(), FCaption, text, flags);
    }
}

// ---- input

bool TVxCustomCheckBox::event(QEvent* Event)
{
    if (Event->type() == QEvent::Shortcut) {
        auto* shortcut = static_cast<QShortcutEvent*>(Event);
        if (shortcut->shortcutId() == FShortcutId) {
            if (shortcut->isAmbiguous()) {
                if (!hasFocus())
                    setFocus(Qt::ShortcutFocusReason);
            } else {
                DialogChar(GetHotkey(FCaption));
            }
            return true;
        }
    }
    return QWidget::event(Event);
}

void TVxCustomCheckBox::mousePressEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton || Event->button() == Qt::RightButton)
        FButtonHeld = true;
    if (StyleServicesEnabled())
        update(); // the pressed look
    QWidget::mousePressEvent(Event);
    Event->accept();
    if (Event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        update();
    }
}

void TVxCustomCheckBox::mouseReleaseEvent(QMouseEvent* Event)
{
    if (!(Event->buttons() & (Qt::LeftButton | Qt::RightButton)))
        FButtonHeld = false;
    const QPoint p = Event->position().toPoint();
    if (Event->button() == Qt::LeftButton && isEnabled() &&
        (GetCheckRect().Contains(p.x(), p.y()) || PointInCaption(p.x(), p.y())))
        SetChecked(!FChecked);
    QWidget::mouseReleaseEvent(Event);
    Event->accept();
    update();
    // The box holds the mouse while a button is down, so every release reaches it: the click is
    // reported whatever the button and wherever it was released.
    DoClick();
}

void TVxCustomCheckBox::keyPressEvent(QKeyEvent* Event)
{
    // Space works like a click on the box, as keyboard users expect of any check box.
    if (Event->key() == Qt::Key_Space && !Event->isAutoRepeat()) {
        SetChecked(!FChecked);
        DoClick();
        return;
    }
    QWidget::keyPressEvent(Event);
}

void TVxCustomCheckBox::enterEvent(QEnterEvent* Event)
{
    QWidget::enterEvent(Event);
    FMouseInControl = true;
    if (StyleServicesEnabled())
        update();
}

void TVxCustomCheckBox::leaveEvent(QEvent* Event)
{
    QWidget::leaveEvent(Event);
    FMouseInControl = false;
    if (StyleServicesEnabled())
        update();
}

void TVxCustomCheckBox::focusInEvent(QFocusEvent* Event)
{
    QWidget::focusInEvent(Event);
    update();
}

void TVxCustomCheckBox::focusOutEvent(QFocusEvent* Event)
{
    QWidget::focusOutEvent(Event);
    update();
}

void TVxCustomCheckBox::changeEvent(QEvent* Event)
{
    QWidget::changeEvent(Event);
    switch (Event->type()) {
    case QEvent::EnabledChange:
        update();
        break;
    case QEvent::ParentChange:
    case QEvent::LayoutDirectionChange:
        if (FParentBiDiMode && parentWidget())
            FBiDiMode = parentWidget()->layoutDirection() == Qt::RightToLeft ? bdRightToLeft : bdLeftToRight;
        update();
        break;
    default:
        break;
    }
}
