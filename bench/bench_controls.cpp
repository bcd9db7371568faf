// Dialog controls: measuring a command link (what the dialog layout asks of every command link on
// every sizing pass) and the CPU cost of a running marquee.

#include "VxCommandLinkButton.h"
#include "VxMarqueeThread.h"
#include "VxProgressBar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

// AdjustBounds of a command link with a caption and a three-line info text with markup, at the
// width a dialog gives it. Each round measures the caption and lays out the info text.
void BM_CommandLinkAdjustBounds(benchmark::State& State)
{
    TVxCommandLinkButton button;
    button.SetCaption(QStringLiteral("&Save the changes to the document"));
    button.SetInfo(QStringLiteral("The document is written to its <b>current</b> file.\r\n"
                                  "A copy of the previous version is kept beside it.\r\n"
                                  "See <a href=\"https://example.org/help\">the guide</a> for where copies go."));
    int width = 400;
    button.SetBounds(0, 0, width, 10);
    for (auto _ : State) {
        // Alternate the width so each round really lays the text out again.
        width = width == 400 ? 401 : 400;
        button.SetBounds(0, 0, width, button.height());
        button.AdjustBounds();
        benchmark::DoNotOptimize(button.height());
    }
    State.counters["height"] = button.height();
}

double ProcessCpuSeconds()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// A shown marquee bar running for 5 s at the default interval; cpu_percent is the process CPU
// time it cost, in percent of one core (worker, frames and painting together).
void BM_MarqueeCpu(benchmark::State& State)
{
    for (auto _ : State) {
        QWidget window;
        window.resize(165, 37);
        auto* bar = new TVxProgressBar(&window);
        bar->SetBounds(10, 10, 145, 17);
        bar->SetStyle(psMarquee);
        window.show();
        QCoreApplication::processEvents();

        QEventLoop loop;
        QTimer::singleShot(5000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        const double cpuBefore = ProcessCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        bar->SetActive(true);
        loop.exec();
        const int frames = bar->MarqueeThread() ? bar->MarqueeThread()->FrameCount() : 0;
        bar->Deactivate();
        const double cpu = ProcessCpuSeconds() - cpuBefore;
        const double seconds = wall.nsecsElapsed() / 1e9;

        State.counters["cpu_percent"] = 100.0 * cpu / seconds;
        State.counters["frames"] = frames;
    }
}

} // namespace

BENCHMARK(BM_CommandLinkAdjustBounds);
BENCHMARK(BM_MarqueeCpu)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    // Controls are measured and animated without a desktop.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
