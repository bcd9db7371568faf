#pragma once
/// The painted progress bar of a dialog: a position bar (Max, Position, Step) in one of three state
/// colours, or a marquee whose chunk runs along the bar, timed by a TVxMarqueeThread per running
/// marquee. Frames are drawn on the user-interface thread; the worker only asks for them. \file

#include "Classes.h"
#include "Graphics.h"

#include <QWidget>

#include <memory>
#include <mutex>

class TVxMarqueeThread;

enum TVxProgressBarStyle { psNormal, psMarquee };
enum TVxProgressBarState { pbsNormal, pbsError, pbsPaused };

/// The colour of the fill and of the marquee chunk when no visual style is in use.
TColor ProgressStateColor(TVxProgressBarState State);

class TVxProgressBar : public QWidget, public TObject {
    Q_OBJECT
public:
    explicit TVxProgressBar(QWidget* Parent = nullptr);
    ~TVxProgressBar() override;

    /// Marquee requested; a thread runs while this holds and the bar has been started.
    bool IsActivated() const { return FActive; }
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    /// Milliseconds between marquee frames.
    uint Interval() const { return FInterval; }
    void SetInterval(uint Value);
    /// Stored and repainted; the painting uses the state colours.
    TColor ProgressColor() const { return FProgressColor; }
    void SetProgressColor(TColor Value);
    int Position() const { return FPosition; }
    void SetPosition(int Value);
    /// The minimum is always 0. Max <= 0 paints a full bar.
    int Max() const { return FMax; }
    void SetMax(int Value);
    int Step() const { return FStep; }
    void SetStep(int Value) { FStep = Value; }
    TVxProgressBarStyle Style() const { return FStyle; }
    void SetStyle(TVxProgressBarStyle Value);
    int ChunkWidth() const { return FChunkWidth; }
    void SetChunkWidth(int Value);
    TVxProgressBarState State() const { return FState; }
    void SetState(TVxProgressBarState Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);

    /// Starts the marquee; a different interval restarts it with that interval (also with psNormal).
    void Activate(uint aInterval);
    void Deactivate();
    /// Position += Step with psNormal; nothing with psMarquee.
    void StepIt();
    /// Moves and sizes the bar; a marquee restarts when the size changed, so its frames fit.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);

    /// The running animation, or nullptr (for inspection; owned by the bar).
    const TVxMarqueeThread* MarqueeThread() const { return FMarqueeThread.get(); }

    TNotifyEvent OnProgress;

protected:
    virtual void DoProgress();
    virtual void StyleChanged(TVxProgressBarStyle Value);

    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    friend class TVxMarqueeThread;
    void RestartMarquee(bool ARun);
    void PositionChanged(int OldValue);

    TColor FProgressColor = 0x0000FF00;
    int FChunkWidth = 40;
    int FStep = 1;
    int FPosition = 0;
    int FMax = 100;
    TVxProgressBarStyle FStyle = psNormal;
    TVxProgressBarState FState = pbsNormal;
    std::unique_ptr<TVxMarqueeThread> FMarqueeThread;
    bool FActive = false;
    uint FInterval = 100;
    std::mutex FCreateThreadCS;
    TColor FColor = clBtnFace;
};
