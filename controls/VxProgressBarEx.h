#pragma once
/// The toolkit's own progress bar with a switchable marquee: while Active, the bar is a busy
/// indicator (range 0..0) animated by the style; otherwise it shows Position of Min..Max. State
/// tints the fill like the platform's error and paused bars. \file

#include "VxProgressBar.h"

#include <QProgressBar>

class TVxProgressBarEx : public QProgressBar, public TObject {
    Q_OBJECT
public:
    explicit TVxProgressBarEx(QWidget* Parent = nullptr);

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    /// Stored for the platform's marquee speed; the toolkit's busy animation keeps its own pace.
    int Interval() const { return FInterval; }
    void SetInterval(int Value);

    /// The range and position stay as set while the marquee runs and come back when it stops.
    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    int Position() const { return FPosition; }
    void SetPosition(int Value);
    int Step() const { return FStep; }
    void SetStep(int Value) { FStep = Value; }
    void StepIt();
    TVxProgressBarState State() const { return FState; }
    void SetState(TVxProgressBarState Value);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) { setGeometry(ALeft, ATop, AWidth, AHeight); }

    /// Whether the bar shows the busy indicator now.
    bool MarqueeShown() const { return minimum() == 0 && maximum() == 0; }

protected:
    void paintEvent(QPaintEvent* Event) override;
    virtual void UpdateMarquee();
    /// Shows the busy indicator or the range and position.
    void ShowMarquee(bool On);

private:
    void ApplyRange();
    bool FActive = false;
    int FInterval = 100;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FStep = 10;
    TVxProgressBarState FState = pbsNormal;
};

/// A bar that is always a marquee.
class TVxProgressBarMarquee : public TVxProgressBarEx {
    Q_OBJECT
public:
    explicit TVxProgressBarMarquee(QWidget* Parent = nullptr);

protected:
    void UpdateMarquee() override;
};

/// Paints an empty bar (position at its minimum) read right to left as left to right: it looks the
/// same, and the style would otherwise draw a one-pixel chunk at its right end. Returns whether it
/// painted; any other bar is left to QProgressBar.
bool PaintEmptyRightToLeftProgressBar(QProgressBar& Bar);
