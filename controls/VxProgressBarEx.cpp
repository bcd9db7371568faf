#include "VxProgressBarEx.h"

#include <QStyleOptionProgressBar>
#include <QStylePainter>

#include <algorithm>

TVxProgressBarEx::TVxProgressBarEx(QWidget* Parent) : QProgressBar(Parent)
{
    setTextVisible(false);
    resize(width(), 17);
    ApplyRange();
}

void TVxProgressBarEx::SetActive(bool Value)
{
    if (Value == FActive)
        return;
    FActive = Value;
    UpdateMarquee();
}

void TVxProgressBarEx::SetInterval(int Value)
{
    if (Value == FInterval)
        return;
    FInterval = Value;
    UpdateMarquee();
}

void TVxProgressBarEx::UpdateMarquee() { ShowMarquee(FActive); }

void TVxProgressBarEx::ShowMarquee(bool On)
{
    if (On) {
        setRange(0, 0);
    } else {
        ApplyRange();
    }
}

void TVxProgressBarEx::ApplyRange()
{
    setRange(FMin, std::max(FMin, FMax));
    setValue(std::clamp(FPosition, FMin, std::max(FMin, FMax)));
}

void TVxProgressBarEx::SetMin(int Value)
{
    if (Value == FMin)
        return;
    FMin = Value;
    FPosition = std::max(FPosition, FMin);
    if (!MarqueeShown())
        ApplyRange();
}

void TVxProgressBarEx::SetMax(int Value)
{
    if (Value == FMax)
        return;
    FMax = Value;
    if (!MarqueeShown())
        ApplyRange();
}

void TVxProgressBarEx::SetPosition(int Value)
{
    // The platform's bar keeps its position inside the range.
    Value = std::clamp(Value, FMin, std::max(FMin, FMax));
    if (Value == FPosition)
        return;
    FPosition = Value;
    if (!MarqueeShown())
        setValue(FPosition);
}

void TVxProgressBarEx::StepIt()
{
    // Like the platform's bar: stepping past the end starts over from the beginning.
    const qint64 range = qint64(FMax) - FMin;
    if (range <= 0)
        return;
    qint64 next = qint64(FPosition) + FStep;
    if (next > FMax)
        next = FMin + (next - FMin) % range;
    SetPosition(int(std::clamp<qint64>(next, FMin, FMax)));
}

void TVxProgressBarEx::SetState(TVxProgressBarState Value)
{
    if (Value == FState)
        return;
    FState = Value;
    QPalette pal = palette();
    if (FState == pbsNormal)
        pal.setColor(QPalette::Highlight, QPalette().color(QPalette::Highlight));
    else
        pal.setColor(QPalette::Highlight, FState == pbsError ? QColor(0xDA, 0x26, 0x26) : QColor(0xDA, 0xCB, 0x26));
    setPalette(pal);
}

TVxProgressBarMarquee::TVxProgressBarMarquee(QWidget* Parent) : TVxProgressBarEx(Parent)
{
    // The toolkit always has a busy indicator, so the marquee is on from the start.
    ShowMarquee(true);
}

void TVxProgressBarMarquee::UpdateMarquee() { ShowMarquee(true); }

bool PaintEmptyRightToLeftProgressBar(QProgressBar& Bar)
{
    if (Bar.layoutDirection() != Qt::RightToLeft || Bar.minimum() >= Bar.maximum() || Bar.value() > Bar.minimum())
        return false;
    QStylePainter painter(&Bar);
    QStyleOptionProgressBar option;
    option.initFrom(&Bar);
    option.rect = Bar.rect();
    option.minimum = Bar.minimum();
    option.maximum = Bar.maximum();
    option.progress = Bar.minimum();
    option.textVisible = Bar.isTextVisible();
    option.text = Bar.text();
    option.state |= QStyle::State_Horizontal;
    option.direction = Qt::LeftToRight;
    painter.drawControl(QStyle::CE_ProgressBar, option);
    return true;
}

void TVxProgressBarEx::paintEvent(QPaintEvent* Event)
{
    if (!PaintEmptyRightToLeftProgressBar(*this))
        QProgressBar::paintEvent(Event);
}
