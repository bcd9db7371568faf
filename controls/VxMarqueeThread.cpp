#include "VxMarqueeThread.h"

#include "private/ProgressGeometry_p.h"
#include "private/ProgressPaint_p.h"

#include <QPainter>
#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

TVxMarqueeThread::TVxMarqueeThread(TVxProgressBar* AProgressBar, bool Themed)
    : FClientRect(AProgressBar->rect()), FInterval(AProgressBar->Interval()), FChunkWidth(AProgressBar->ChunkWidth()),
      FUseThemes(Themed), FState(AProgressBar->State()), FHwnd(AProgressBar)
{
    // The frame buffer and the animation belong to the user-interface thread; the worker only
    // times the frames.
    const qreal ratio = FHwnd->devicePixelRatioF();
    if (!FClientRect.isEmpty()) {
        FBitmap = QImage(FClientRect.size() * ratio, QImage::Format_RGB32);
        FBitmap.setDevicePixelRatio(ratio);
    }
    FImgRect = QRect(0, 0, FClientRect.width(), FClientRect.height());
    if (ProgressPlatformMajorVersion > 5)
        FChunkWidth = 60; // the bar's ChunkWidth counts only on older platforms
    FOffset = ProgressInset(FUseThemes);
    FRect = TRect::FromQRect(FClientRect.adjusted(FOffset, FOffset, -FOffset, -FOffset));
    FX = 0;
    // The worker raises frame requests through an event counter watched by this thread's event
    // loop: a write never blocks and allocates nothing, and closing the counter drops a request
    // that was not served.
    FRequestFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (FRequestFd >= 0) {
        FRequestNotifier = std::make_unique<QSocketNotifier>(FRequestFd, QSocketNotifier::Read);
        connect(FRequestNotifier.get(), &QSocketNotifier::activated, this, &TVxMarqueeThread::ServeFrameRequest);
    }
    // Until the first frame the bar shows the empty track.
    if (!FBitmap.isNull()) {
        QPainter painter(&FBitmap);
        if (FUseThemes)
            DrawThemedProgressTrack(painter, *FHwnd, FClientRect);
        else
            painter.fillRect(FClientRect, ToQColor(clBtnFace));
    }
}

TVxMarqueeThread::~TVxMarqueeThread()
{
    Terminate();
    WaitFor();
    FRequestNotifier.reset();
    if (FRequestFd >= 0)
        ::close(FRequestFd);
}

void TVxMarqueeThread::Start()
{
    if (!FWorker.joinable())
        FWorker = std::thread([this] { Execute(); });
}

void TVxMarqueeThread::Terminate()
{
    {
        std::lock_guard<std::mutex> lock(FSleepLock);
        FTerminated = true;
    }
    FWake.notify_all();
}

void TVxMarqueeThread::WaitFor()
{
    if (FWorker.joinable())
        FWorker.join();
}

void TVxMarqueeThread::Execute()
{
    // A zero interval would spin a core; one millisecond is the shortest sleep.
    const auto interval = std::chrono::milliseconds(std::max<uint>(FInterval, 1));
    std::unique_lock<std::mutex> lock(FSleepLock);
    while (!FTerminated) {
        lock.unlock();
        // At most one request is outstanding, so a busy user-interface thread is not flooded.
        if (!FFramePending.exchange(true))
            RequestFrame();
        lock.lock();
        FWake.wait_for(lock, interval, [this] { return FTerminated; });
    }
}

void TVxMarqueeThread::RequestFrame()
{
    if (FRequestFd >= 0) {
        const quint64 one = 1;
        if (::write(FRequestFd, &one, sizeof one) == sizeof one)
            return;
    }
    // Without an event counter: an event posted to this object, which lives on the
    // user-interface thread (deleting the object discards it).
    QMetaObject::invokeMethod(this, &TVxMarqueeThread::ServeFrameRequest, Qt::QueuedConnection);
}

void TVxMarqueeThread::ServeFrameRequest()
{
    if (FRequestFd >= 0) {
        quint64 count = 0;
        [[maybe_unused]] const auto got = ::read(FRequestFd, &count, sizeof count);
    }
    // Only after the counter is drained may the worker raise the next request.
    FFramePending.store(false);
    DrawMarqueeFrame();
}

void TVxMarqueeThread::DrawMarqueeFrame()
{
    const TRect client = TRect::FromQRect(FClientRect);
    TRect content;
    const TRect* contentRect = nullptr;
    QPainter painter;
    const bool painting = !FBitmap.isNull() && painter.begin(&FBitmap);
    if (painting) {
        if (FUseThemes) {
            content = TRect::FromQRect(DrawThemedProgressTrack(painter, *FHwnd, FClientRect));
            contentRect = &content;
        } else {
            painter.fillRect(FClientRect, ToQColor(clBtnFace));
        }
    } else if (FUseThemes) {
        content = client;
        contentRect = &content;
    }
    const TVxMarqueeStep step = MarqueeStep(client, FChunkWidth, FOffset, FX, FRect, contentRect);
    FRect = step.Chunk;
    FX = step.NextX;
    if (painting && !FRect.IsEmpty()) {
        if (FUseThemes)
            DrawThemedProgressChunk(painter, *FHwnd, FRect.ToQRect(), FState,
                                    ProgressPlatformMajorVersion > 5);
        else
            painter.fillRect(FRect.ToQRect(), ToQColor(ProgressStateColor(FState)));
    }
    if (painting)
        painter.end();
    ++FFrameCount;
    FHwnd->update(FClientRect);
}
