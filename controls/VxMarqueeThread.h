#pragma once
/// The timing of one running marquee of a TVxProgressBar. The worker thread never waits for the
/// user-interface thread: it raises a frame request (at most one outstanding) and sleeps for the
/// interval, so stopping it from the user-interface thread can never deadlock. The frames are
/// drawn on the user-interface thread into the thread's own frame buffer, which the bar shows. \file

#include "VxProgressBar.h"

#include "ControlTypes.h"

#include <QImage>
#include <QObject>
#include <QRect>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <memory>
#include <thread>

class QSocketNotifier;

class TVxMarqueeThread : public QObject {
    Q_OBJECT
public:
    /// Created suspended; copies the bar's client rectangle, Interval, ChunkWidth and State. The
    /// object belongs to the user-interface thread.
    TVxMarqueeThread(TVxProgressBar* AProgressBar, bool Themed);
    /// Terminates and waits for the worker when it still runs.
    ~TVxMarqueeThread() override;

    void Start();
    /// Asks the worker to end and wakes it from its sleep; returns at once.
    void Terminate();
    /// Waits until the worker has ended. Never blocks on the user-interface thread.
    void WaitFor();
    bool Started() const { return FWorker.joinable(); }

    /// On the user-interface thread: draws the next frame into the buffer and asks the bar to
    /// show it.
    void DrawMarqueeFrame();

    /// The user-interface thread's view of the animation.
    const QImage& Frame() const { return FBitmap; }
    int FrameCount() const { return FFrameCount; }
    QRect ClientRect() const { return FClientRect; }
    uint Interval() const { return FInterval; }
    int ChunkWidth() const { return FChunkWidth; }
    TVxProgressBarState State() const { return FState; }
    /// The chunk of the last frame, in the platform's convention (Right and Bottom just outside).
    TRect ChunkRect() const { return FRect; }
    int X() const { return FX; }
    /// A frame request is posted and not yet served.
    bool FramePending() const { return FFramePending.load(); }

private:
    void Execute();
    void RequestFrame();
    void ServeFrameRequest();

    QRect FClientRect;
    uint FInterval;
    int FChunkWidth;
    bool FUseThemes;
    TVxProgressBarState FState;
    TVxProgressBar* FHwnd;
    QImage FBitmap;
    QRect FImgRect;
    int FOffset;
    int FX = 0;
    TRect FRect;
    int FFrameCount = 0;

    std::thread FWorker;
    std::mutex FSleepLock;
    std::condition_variable FWake;
    bool FTerminated = false; ///< guarded by FSleepLock
    std::atomic<bool> FFramePending{false};
    /// The frame request: an event counter the user-interface thread's event loop watches.
    int FRequestFd = -1;
    std::unique_ptr<QSocketNotifier> FRequestNotifier;
};
