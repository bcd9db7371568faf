// The designer's speed: one change on the design page until the live preview shows it. The
// change goes the user's way (a section's value changes, the window hands the design to the
// pane) and the pane draws its picture at once instead of after the change's event.
//
// Look 0 is the pane's default (collapsed, light, left to right, scale 1); look 1 is expanded,
// dark, right to left at scale 2, the most work the pane's switches ask for.

#include "LivePreview.h"
#include "frmMain.h"

#include <QApplication>
#include <QCheckBox>

#include <benchmark/benchmark.h>

namespace {

// The worked example of the guide, with the expando and a footer so every band is drawn.
void FillDesign(TfrmMain& W)
{
    W.TitleSection->SetEditValue(QStringLiteral("Confirm"));
    W.InstructionSection->SetEditValue(QStringLiteral("Save changes?"));
    W.MainIconSection->SetEditValue(QStringLiteral("Warning"));
    W.ContentSection->SetEditValue(QStringLiteral("The document has been modified."));
    W.ExpandoContentSection->SetEditValue(QStringLiteral("It was changed by another program."));
    W.FooterSection->SetEditValue(QStringLiteral("Unsaved changes are lost on exit."));
    W.FooterIconSection->SetEditValue(QStringLiteral("Information"));
    W.cbButtonYes->setChecked(true);
    W.cbButtonNo->setChecked(true);
}

void BM_LivePreviewUpdate(benchmark::State& State)
{
    TfrmMain window;
    window.show();
    QCoreApplication::processEvents();
    FillDesign(window);
    TLivePreviewLook look;
    if (State.range(0) == 1)
        look = {true, true, true, 2.0};
    window.LivePreview->SetLook(look);
    window.LivePreview->UpdateNow();
    int n = 0;
    for (auto _ : State) {
        window.ContentSection->SetEditValue(QStringLiteral("The document has been modified %1 times.").arg(++n));
        window.LivePreview->UpdateNow();
        benchmark::DoNotOptimize(window.LivePreview->Picture());
    }
    if (window.LivePreview->Picture().isNull())
        State.SkipWithError("no picture was drawn");
}
BENCHMARK(BM_LivePreviewUpdate)->Arg(0)->Arg(1)->ArgName("look")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
