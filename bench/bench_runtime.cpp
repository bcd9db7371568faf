// What a client pays while a dialog shows: one progress update on a painted bar (with and
// without the taskbar copy), and how long an animated expand takes against its frames.

#include "VxDialog.h"
#include "VxDialogEngine.h"
#include "VxLabel.h"
#include "VxOptions.h"
#include "VxProgressBar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <benchmark/benchmark.h>

namespace {

void BM_UpdateProgress(benchmark::State& State)
{
    InstallDialogEngine();
    TVxDialog dialog;
    dialog.SetPlaySounds(false);
    dialog.Instruction()->SetText(QStringLiteral("Copying files"));
    dialog.SetDialogOptions(TDialogOptions{doProgressBar});
    dialog.Progress()->SetMax(1 << 30);
    dialog.Progress()->SetShowOnTaskBar(State.range(0) != 0);
    dialog.OnGetControlClass = TGetControlClassEvent([](TObject*, TControlType Type, TControlClass& Class) {
        if (Type == ctProgressBar)
            Class = &TVxProgressBar::staticMetaObject;
    });
    dialog.Execute(nullptr);
    QCoreApplication::processEvents();
    int position = 0;
    int calls = 0;
    for (auto _ : State) {
        benchmark::DoNotOptimize(dialog.UpdateProgress(position, 1));
        position = (position + 1) % 1000000;
        // The bar repaints from the event loop, as it would while a client works.
        if (++calls % 64 == 0) {
            State.PauseTiming();
            QCoreApplication::processEvents();
            State.ResumeTiming();
        }
    }
    dialog.Close(mrCancel);
}

class TFrameCounter : public QObject {
public:
    int Frames = 0;

protected:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() == QEvent::Resize)
            ++Frames;
        return false;
    }
};

// Expand with Step 8 / Speed 10; "ratio" is the duration over the ideal (frames x Speed).
void BM_ExpandAnimation(benchmark::State& State)
{
    InstallDialogEngine();
    TVxDialog dialog;
    dialog.SetPlaySounds(false);
    dialog.Instruction()->SetText(QStringLiteral("Copying files"));
    dialog.Content()->SetText(QStringLiteral("Three files are copied."));
    dialog.Expando()->SetVisible(true);
    QStringList lines;
    for (int i = 0; i < 12; ++i)
        lines << QStringLiteral("file number %1.txt").arg(i);
    dialog.Expando()->Lines()->SetText(lines.join(u'\n'));
    dialog.Expando()->Animate()->SetEnabled(true);
    dialog.Expando()->Animate()->SetStep(8);
    dialog.Expando()->Animate()->SetSpeed(10);
    dialog.ButtonBar()->SetVisible(true);
    dialog.SetDialogOptions(TDialogOptions{});
    dialog.Execute(nullptr);
    auto* toggle = qobject_cast<TVxCustomMoreLabel*>(TVxDialogEngine::Of(&dialog)->ShowMoreButton());
    auto* window = qobject_cast<QWidget*>(dialog.Form());
    TFrameCounter counter;
    window->installEventFilter(&counter);
    double actual = 0, ideal = 0;
    for (auto _ : State) {
        counter.Frames = 0;
        QElapsedTimer clock;
        clock.start();
        toggle->SetExpanded(true);
        actual += clock.nsecsElapsed() / 1e6;
        // The last resize is the final exact size, not a frame.
        ideal += (counter.Frames - 1) * 10.0;
        State.PauseTiming();
        dialog.Expando()->Animate()->SetEnabled(false);
        toggle->SetExpanded(false);
        dialog.Expando()->Animate()->SetEnabled(true);
        QCoreApplication::processEvents();
        State.ResumeTiming();
    }
    State.counters["frames"] = benchmark::Counter(counter.Frames - 1);
    State.counters["ideal_ms"] = ideal / double(State.iterations());
    State.counters["ratio"] = ideal > 0 ? actual / ideal : 0;
    dialog.Close(mrCancel);
}

} // namespace

BENCHMARK(BM_UpdateProgress)->Arg(0)->Arg(1)->ArgName("taskBar")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExpandAnimation)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
