#include "VxLabel.h"

#include "private/CheckLabelAccessible_p.h"
#include "private/CheckLabelArt_p.h"
#include "private/ReadableText_p.h"

#include "DrawText.h"
#include "TextContrast.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPointer>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

namespace {

void DrawFocusRect(QPainter& Canvas, const QRect& R, const QColor& Color)
{
    if (R.isEmpty())
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
    Canvas.drawRect(R.adjusted(0, 0, -1, -1));
    Canvas.restore();
}

// DrawText on a TRect: with DT_CALCRECT the rectangle keeps its top-left corner and takes the
// text's extent.
void DrawInRect(QPainter* Canvas, const QString& Text, const TFont& Font, TRect& R, uint Flags, bool Themed,
                TColor Background = clNone)
{
    QRect q(R.Left, R.Top, R.Width(), R.Height());
    if (Themed)
        DrawThemedText(Canvas, Text, Font, q, Flags, Background);
    else
        DrawText(Canvas, Font.ToQFont(), Text, q, Flags);
    if (Flags & DT_CALCRECT) {
        R.Right = R.Left + q.width();
        R.Bottom = R.Top + q.height();
    }
}

bool MouseButtonHeld()
{
    return (QGuiApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton)) != 0;
}

} // namespace

// ---- TVxCustomLabel

TVxCustomLabel::TVxCustomLabel(QWidget* Parent) : QWidget(Parent)
{
    InstallCheckLabelAccessibility();
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(65, 17);
    QWidget::setFont(FFont.ToQFont());
    // Not a tab stop; a left press or the accelerator gives it the focus.
    setFocusPolicy(Qt::NoFocus);
}

TVxCustomLabel::~TVxCustomLabel() = default;

void TVxCustomLabel::SetAutoSize(bool Value)
{
    if (Value == FAutoSize)
        return;
    FAutoSize = Value;
    update();
    AdjustBounds();
}

void TVxCustomLabel::SetCaption(const QString& Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    UpdateMnemonic();
    update();
    AdjustBounds();
    NotifyCheckLabelStateChange(this, CheckLabelStateChange::Name);
}

void TVxCustomLabel::SetColor(TColor Value)
{
    FParentColor = false;
    if (Value == FColor)
        return;
    FColor = Value;
    update();
}

void TVxCustomLabel::SetParentColor(bool Value)
{
    if (Value == FParentColor)
        return;
    FParentColor = Value;
    update();
}

void TVxCustomLabel::SetFont(const TFont& Value)
{
    FParentFont = false;
    FFont.Assign(&Value);
    QWidget::setFont(FFont.ToQFont());
    update();
    AdjustBounds();
}

void TVxCustomLabel::SetBiDiMode(TBiDiMode Value)
{
    FParentBiDiMode = false;
    if (Value == FBiDiMode)
        return;
    FBiDiMode = Value;
    update();
}

void TVxCustomLabel::SetParentBiDiMode(bool Value)
{
    FParentBiDiMode = Value;
    if (Value && parentWidget())
        FBiDiMode = parentWidget()->layoutDirection() == Qt::RightToLeft ? bdRightToLeft : bdLeftToRight;
    update();
}

QColor TVxCustomLabel::BackgroundColor() const
{
    if (FParentColor && parentWidget())
        return parentWidget()->palette().color(parentWidget()->backgroundRole());
    return ToQColor(FColor);
}

void TVxCustomLabel::DoDrawText(QPainter* Canvas, TRect& R, uint Flags) const
{
    const uint flags = DrawTextBiDiModeFlags(Flags) & ~DT_EXPANDTABS;
    if (FBiDiMode != bdLeftToRight)
        R.Left = 2;
    else
        R.Left += 2;
    if (isEnabled() || (flags & DT_CALCRECT)) {
        DrawInRect(Canvas, FCaption, FFont, R, flags, true, FromQColor(BackgroundColor()));
        return;
    }
    if (StyleServicesEnabled()) {
        // One pass in the disabled text colour: two passes in the font's colour would look enabled.
        TFont gray(FFont);
        gray.SetColor(clGrayText);
        DrawInRect(Canvas, FCaption, gray, R, flags, false);
        return;
    }
    TFont font(FFont);
    font.SetColor(clBtnHighlight);
    TRect shifted{R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1};
    if (Canvas)
        Canvas->setPen(ToQColor(clBtnHighlight));
    DrawInRect(Canvas, FCaption, font, shifted, flags, true);
    font.SetColor(clBtnShadow);
    if (Canvas)
        Canvas->setPen(ToQColor(clBtnShadow));
    DrawInRect(Canvas, FCaption, font, R, flags, true);
}

QRect TVxCustomLabel::FocusRect(const TRect& Drawn) const
{
    TRect r = Drawn;
    TRect m;
    DrawInRect(nullptr, FCaption, FFont, m, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT, true);
    if (FBiDiMode == bdLeftToRight) {
        r.Left -= 2;
        r.Right = r.Left + m.Right + 4;
    } else {
        r.Right += 2;
        r.Left = r.Right - 4 - (m.Right - m.Left);
    }
    r.Top += 2;
    r.Bottom = qMin(r.Top + m.Bottom + 1, height());
    return r.ToQRect();
}

void TVxCustomLabel::Paint(QPainter& Canvas)
{
    Canvas.fillRect(rect(), BackgroundColor());
    TRect r{2, 0, width(), height()};
    DoDrawText(&Canvas, r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
    if (hasFocus())
        DrawFocusRect(Canvas, FocusRect(r), ToQColor(TextColorOn(clBlack, FromQColor(BackgroundColor()))));
}

void TVxCustomLabel::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    Paint(canvas);
}

QSize TVxCustomLabel::AutoSizeExtent() const
{
    TRect r;
    DoDrawText(nullptr, r, DT_CALCRECT | DT_EXPANDTABS);
    // The text is painted 4 pixels in and its focus rectangle ends 2 pixels after it: the label
    // is made wide enough to show both (the measurement alone counts only 2 of those 6 pixels).
    return QSize(r.Right + 4, r.Bottom);
}

void TVxCustomLabel::AdjustBounds()
{
    if (!FAutoSize || !parentWidget())
        return;
    const QSize size = AutoSizeExtent();
    if (FBiDiMode != bdLeftToRight && width() != size.width())
        setGeometry(x() + width() - size.width(), y(), size.width(), size.height());
    else
        setGeometry(x(), y(), size.width(), size.height());
}

bool TVxCustomLabel::DialogChar(QChar Key)
{
    if (!isEnabled() || !IsAccel(Key, FCaption))
        return false;
    if (isVisible() && !hasFocus())
        setFocus(Qt::ShortcutFocusReason);
    if (hasFocus())
        Click();
    return true;
}

void TVxCustomLabel::Click() { OnClick(this); }

void TVxCustomLabel::UpdateMnemonic()
{
    if (FShortcutId)
        releaseShortcut(FShortcutId);
    FShortcutId = 0;
    const QKeySequence mnemonic = QKeySequence::mnemonic(FCaption);
    if (!mnemonic.isEmpty())
        FShortcutId = grabShortcut(mnemonic);
}

bool TVxCustomLabel::event(QEvent* Event)
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

void TVxCustomLabel::mousePressEvent(QMouseEvent* Event)
{
    QWidget::mousePressEvent(Event);
    Event->accept();
    if (Event->button() == Qt::LeftButton) {
        FClickPending = true;
        setFocus(Qt::MouseFocusReason);
        update();
    }
}

void TVxCustomLabel::mouseReleaseEvent(QMouseEvent* Event)
{
    QWidget::mouseReleaseEvent(Event);
    Event->accept();
    if (Event->button() != Qt::LeftButton)
        return;
    const bool click = FClickPending && rect().contains(Event->position().toPoint());
    FClickPending = false;
    if (click)
        Click();
}

void TVxCustomLabel::focusInEvent(QFocusEvent* Event)
{
    QWidget::focusInEvent(Event);
    update();
}

void TVxCustomLabel::focusOutEvent(QFocusEvent* Event)
{
    QWidget::focusOutEvent(Event);
    update();
}

void TVxCustomLabel::changeEvent(QEvent* Event)
{
    QWidget::changeEvent(Event);
    switch (Event->type()) {
    case QEvent::EnabledChange:
        update();
        break;
    case QEvent::ParentChange:
        if (FParentBiDiMode && parentWidget())
            FBiDiMode = parentWidget()->layoutDirection() == Qt::RightToLeft ? bdRightToLeft : bdLeftToRight;
        // A label placed on its window takes its size then (it needs a parent to size itself).
        AdjustBounds();
        update();
        break;
    case QEvent::LayoutDirectionChange:
        if (FParentBiDiMode && parentWidget())
            FBiDiMode = layoutDirection() == Qt::RightToLeft ? bdRightToLeft : bdLeftToRight;
        update();
        break;
    default:
        break;
    }
}

// ---- TVxCustomMoreLabel

TVxCustomMoreLabel::TVxCustomMoreLabel(QWidget* Parent) : TVxCustomLabel(Parent), FGlyph(std::make_unique<TPicture>())
{
    resize(200, 20);
    UpdateGlyph();
    setFocusPolicy(Qt::TabFocus);
}

TVxCustomMoreLabel::~TVxCustomMoreLabel() = default;

QSize TVxCustomMoreLabel::GlyphSize() { return QSize(19, 19); }

QImage TVxCustomMoreLabel::RenderGlyph(const QString& Name, QSize Size, qreal DevicePixelRatio)
{
    return RenderControlArt(QStringLiteral(":/expando/%1.svg").arg(Name), Size, DevicePixelRatio);
}

void TVxCustomMoreLabel::SetGlyph(const TPicture& Value)
{
    FGlyph->Assign(&Value);
    FGlyphResource.clear();
    update();
}

int TVxCustomMoreLabel::GlyphColumn() const
{
    // Bounded, so an absurd Spacing gives an absurd but defined size instead of an overflow.
    return int(qBound(qint64(-100000), qint64(FGlyph->Width()) + FSpacing, qint64(100000)));
}

void TVxCustomMoreLabel::SetSpacing(int Value)
{
    if (Value == FSpacing)
        return;
    FSpacing = Value;
    update();
}

void TVxCustomMoreLabel::SetExpanded(bool Value)
{
    if (Value == FExpanded)
        return;
    FExpanded = Value;
    // A handler may close the window and free this control with it.
    const QPointer<TVxCustomMoreLabel> self(this);
    if (Value)
        DoExpanded();
    else
        DoCollapsed();
    if (!self)
        return;
    update();
    NotifyCheckLabelStateChange(this, CheckLabelStateChange::Expanded);
}

void TVxCustomMoreLabel::DoCollapsed() { OnCollapsed(this); }

void TVxCustomMoreLabel::DoExpanded() { OnExpanded(this); }

QString TVxCustomMoreLabel::GlyphResourceName() const
{
    const QString kind = FExpanded ? QStringLiteral("VXD_HIDE") : QStringLiteral("VXD_SHOW");
    if (!isEnabled())
        return kind + QStringLiteral("COLD");
    if (FMouseInControl && (FButtonHeld || MouseButtonHeld()))
        return kind + QStringLiteral("PRESS");
    if (FMouseInControl)
        return kind + QStringLiteral("HOT");
    return kind + QStringLiteral("COLD");
}

void TVxCustomMoreLabel::UpdateGlyph()
{
    const QString name = GlyphResourceName();
    if (name == FGlyphResource)
        return;
    // The picture holds the 1x rendering (its size is what layout reads); painting draws the
    // same artwork at the screen's pixel ratio.
    TBitmap bitmap;
    bitmap.SetImage(RenderGlyph(name, GlyphSize()));
    FGlyph->Assign(&bitmap);
    FGlyphResource = name;
}

void TVxCustomMoreLabel::DoDrawText(QPainter* Canvas, TRect& R, uint Flags) const
{
    if (!FGlyph->Empty()) {
        const int column = GlyphColumn();
        if (BiDiMode() != bdLeftToRight)
            R.Right -= column;
        else
            R.Left += column;
    }
    TVxCustomLabel::DoDrawText(Canvas, R, Flags);
}

void TVxCustomMoreLabel::Paint(QPainter& Canvas)
{
    TVxCustomLabel::Paint(Canvas);
    UpdateGlyph();
    if (FGlyph->Empty())
        return;
    const QPoint at(BiDiMode() != bdLeftToRight ? width() - FGlyph->Width() : 0, 0);
    const QImage crisp = FGlyphResource.isEmpty()
                             ? QImage()
                             : RenderGlyph(FGlyphResource, QSize(FGlyph->Width(), FGlyph->Height()), devicePixelRatioF());
    if (!crisp.isNull())
        Canvas.drawImage(at, crisp);
    else
        FGlyph->Graphic()->Draw(Canvas, QRect(at, QSize(FGlyph->Width(), FGlyph->Height())));
}

QSize TVxCustomMoreLabel::AutoSizeExtent() const
{
    TRect r;
    DoDrawText(nullptr, r, DT_CALCRECT | DT_EXPANDTABS);
    if (!FGlyph->Empty()) {
        r.Right += GlyphColumn();
        r.Bottom = qMax(r.Bottom, FGlyph->Height());
    }
    return QSize(r.Right, r.Bottom);
}

void TVxCustomMoreLabel::Click()
{
    const QPointer<TVxCustomMoreLabel> self(this);
    TVxCustomLabel::Click();
    if (self)
        SetExpanded(!FExpanded);
}

void TVxCustomMoreLabel::keyPressEvent(QKeyEvent* Event)
{
    TVxCustomLabel::keyPressEvent(Event);
    if (Event->key() == Qt::Key_Space && !Event->isAutoRepeat()) {
        Event->accept();
        Click();
    }
}

void TVxCustomMoreLabel::mousePressEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton || Event->button() == Qt::RightButton)
        FButtonHeld = true;
    TVxCustomLabel::mousePressEvent(Event);
    update();
}

void TVxCustomMoreLabel::mouseReleaseEvent(QMouseEvent* Event)
{
    if (!(Event->buttons() & (Qt::LeftButton | Qt::RightButton)))
        FButtonHeld = false;
    const QPointer<TVxCustomMoreLabel> self(this);
    TVxCustomLabel::mouseReleaseEvent(Event);
    if (self)
        update();
}

void TVxCustomMoreLabel::enterEvent(QEnterEvent* Event)
{
    TVxCustomLabel::enterEvent(Event);
    if (!FMouseInControl) {
        FMouseInControl = true;
        update();
    }
}

void TVxCustomMoreLabel::leaveEvent(QEvent* Event)
{
    TVxCustomLabel::leaveEvent(Event);
    if (FMouseInControl) {
        FMouseInControl = false;
        update();
    }
}
