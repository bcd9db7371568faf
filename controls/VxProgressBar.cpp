#include "VxProgressBar.h"

#include "VxMarqueeThread.h"
#include "private/ProgressAccessible_p.h"
#include "private/ProgressGeometry_p.h"
#include "private/ProgressPaint_p.h"

#include <QAccessible>
#include <QPainter>
#include <QResizeEvent>

TColor ProgressStateColor(TVxProgressBarState State)
{
    switch (State) {
    case pbsError:
        return 0x000000FF;
    case pbsPaused:
        return 0x0000FFFF;
    case pbsNormal:
        break;
    }
    return 0x00800000;
}

TVxProgressBar::TVxProgressBar(QWidget* Parent) : QWidget(Parent)
{
    InstallProgressAccessibility();
    setAttribute(Qt::WA_OpaquePaintEvent);
    const bool atLeast51 = ProgressPlatformMajorVersion > 5
                           || (ProgressPlatformMajorVersion == 5 && ProgressPlatformMinorVersion >= 1);
    resize(145, atLeast51 ? 17 : 15);
}

TVxProgressBar::~TVxProgressBar()
{
    FActive = false;
    RestartMarquee(false);
}

void TVxProgressBar::SetActive(bool Value)
{
    if (Value)
        Activate(FInterval);
    else
        Deactivate();
}

void TVxProgressBar::Activate(uint aInterval)
{
    if (aInterval != FInterval) {
        FActive = true;
        SetInterval(aInterval);
    } else if (!FActive && FStyle == psMarquee) {
        FActive = true;
        if (!FMarqueeThread)
            RestartMarquee(true);
    }
}

void TVxProgressBar::Deactivate()
{
    FActive = false;
    RestartMarquee(false);
    update();
}

void TVxProgressBar::SetInterval(uint Value)
{
    if (Value == FInterval)
        return;
    FInterval = Value;
    RestartMarquee(FActive);
}

void TVxProgressBar::SetProgressColor(TColor Value)
{
    if (Value == FProgressColor)
        return;
    FProgressColor = Value;
    update();
}

void TVxProgressBar::SetPosition(int Value)
{
    if (Value == FPosition)
        return;
    const int old = FPosition;
    FPosition = Value;
    PositionChanged(old);
    update();
}

void TVxProgressBar::SetMax(int Value)
{
    if (Value == FMax)
        return;
    FMax = Value;
    update();
}

void TVxProgressBar::SetStyle(TVxProgressBarStyle Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    StyleChanged(Value);
    update();
}

void TVxProgressBar::StyleChanged(TVxProgressBarStyle Value)
{
    if (Value == psNormal) {
        // The marquee request ends with the marquee; otherwise a later Activate would find the bar
        // still "active" and never start it again.
        FActive = false;
        RestartMarquee(false);
        const int old = FPosition;
        FPosition = 0;
        PositionChanged(old);
    }
}

void TVxProgressBar::SetChunkWidth(int Value)
{
    if (Value == FChunkWidth)
        return;
    bool wasActive = false;
    if (FStyle == psMarquee) {
        wasActive = FActive;
        SetActive(false);
    }
    FChunkWidth = Value;
    if (FStyle == psMarquee) {
        SetActive(wasActive);
        update();
    }
}

void TVxProgressBar::SetState(TVxProgressBarState Value)
{
    if (Value == FState)
        return;
    FState = Value;
    if (FStyle == psMarquee)
        SetActive(FState == pbsNormal);
    update();
}

void TVxProgressBar::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    update();
}

void TVxProgressBar::StepIt()
{
    if (FStyle == psNormal)
        SetPosition(FPosition + FStep);
}

void TVxProgressBar::DoProgress() { OnProgress(this); }

void TVxProgressBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    setGeometry(ALeft, ATop, AWidth, AHeight);
    // A hidden bar gets its resize event only when shown; the marquee must fit now.
    if (FMarqueeThread && FMarqueeThread->ClientRect().size() != size())
        RestartMarquee(FActive);
}

void TVxProgressBar::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    if (FMarqueeThread && FMarqueeThread->ClientRect().size() != size())
        RestartMarquee(FActive);
}

void TVxProgressBar::RestartMarquee(bool ARun)
{
    std::lock_guard<std::mutex> lock(FCreateThreadCS);
    if (FMarqueeThread) {
        // The worker never waits for this thread, so waiting for it here always returns.
        FMarqueeThread->Terminate();
        FMarqueeThread->WaitFor();
        FMarqueeThread.reset();
    }
    if (ARun) {
        FMarqueeThread = std::make_unique<TVxMarqueeThread>(this, StyleServicesEnabled());
        FMarqueeThread->Start();
    }
    update();
}

void TVxProgressBar::PositionChanged(int OldValue)
{
    if (OldValue != FPosition && QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, FPosition);
        QAccessible::updateAccessibility(&event);
    }
}

void TVxProgressBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // While a marquee runs, the bar shows its last frame.
    if (FMarqueeThread) {
        if (!FMarqueeThread->Frame().isNull())
            painter.drawImage(0, 0, FMarqueeThread->Frame());
        return;
    }
    const bool themed = StyleServicesEnabled();
    const int a = ProgressInset(themed);
    const QRect client = rect();
    TRect fill = ProgressFillRect(width(), height(), FMax, FPosition, a);
    if (themed) {
        DrawThemedProgressTrack(painter, *this, client);
        fill = {fill.Left - 1, fill.Top - 1, fill.Right + 1, fill.Bottom + 1};
        if (!fill.IsEmpty())
            DrawThemedProgressChunk(painter, *this, fill.ToQRect(), FState, false);
    } else {
        painter.fillRect(client, ToQColor(FColor));
        if (!fill.IsEmpty())
            painter.fillRect(fill.ToQRect(), ToQColor(ProgressStateColor(FState)));
    }
}
