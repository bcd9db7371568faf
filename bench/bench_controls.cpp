// Dialog controls: measuring a command link (what the dialog layout asks of every command link on
// every sizing pass).

#include "VxCommandLinkButton.h"

#include <QApplication>

#include <benchmark/benchmark.h>

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

} // namespace

BENCHMARK(BM_CommandLinkAdjustBounds);

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
