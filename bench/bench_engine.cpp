// The dialog engine's speed: from Execute of the worked example to its first completed paint,
// against a QMessageBox with the same title, texts and buttons from show() to its first paint;
// and the sizing of a dialog with 200 command links.

#include "VxCollections.h"
#include "VxDialog.h"
#include "VxDialogEngine.h"
#include "VxOptions.h"
#include "VxTaskDialogForm.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>

#include <benchmark/benchmark.h>

namespace {

// The designer's worked example, run modelessly.
void WorkedExample(TVxDialog& D)
{
    D.SetTitle(QStringLiteral("Confirm"));
    D.Content()->Add(QStringLiteral("The document has been modified."));
    D.Instruction()->SetText(QStringLiteral("Save changes?"));
    D.SetMainIcon(tdiWarning);
    D.ButtonBar()->SetButtons({cbYes, cbNo, cbCancel});
    D.ButtonBar()->SetColor(15790320);
    D.SetDialogOptions(TDialogOptions{});
    // No sound server round trip in a speed measurement; QMessageBox plays none either.
    D.SetPlaySounds(false);
}

// Runs the event loop until Done is set.
template <typename F>
void WaitFor(F Done)
{
    while (!Done())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
}

void BM_ExecuteToFirstPaint(benchmark::State& State)
{
    InstallDialogEngine();
    TVxDialog dialog;
    WorkedExample(dialog);
    for (auto _ : State) {
        bool painted = false;
        dialog.OnCreated = TNotifyEvent([&](TObject*) {
            auto* form = qobject_cast<TVxTaskDialogForm*>(dialog.Form());
            form->OnPainted = [&painted] { painted = true; };
        });
        dialog.Execute(nullptr);
        WaitFor([&] { return painted; });
        State.PauseTiming();
        dialog.Close(mrCancel);
        QCoreApplication::processEvents();
        State.ResumeTiming();
    }
}

class MessageBox : public QMessageBox {
public:
    bool Painted = false;

protected:
    void paintEvent(QPaintEvent* Event) override
    {
        QMessageBox::paintEvent(Event);
        Painted = true;
    }
};

void BM_QMessageBoxToFirstPaint(benchmark::State& State)
{
    for (auto _ : State) {
        State.PauseTiming();
        auto* box = new MessageBox;
        box->setWindowTitle(QStringLiteral("Confirm"));
        box->setIcon(QMessageBox::Warning);
        box->setText(QStringLiteral("Save changes?"));
        box->setInformativeText(QStringLiteral("The document has been modified."));
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        State.ResumeTiming();
        box->show();
        WaitFor([box] { return box->Painted; });
        State.PauseTiming();
        delete box;
        QCoreApplication::processEvents();
        State.ResumeTiming();
    }
}

// A dialog whose sizing is open to the benchmark.
class SizedDialog : public TVxDialog {
public:
    using TVxDialog::TVxDialog;
    // Sizing after a width change lays every command link out again.
    void SetWidthForBench(int Value) { FWidth = Value; }
    void Size()
    {
        int height = 0, width = 0;
        CalcAutoSize(height, width, true);
        benchmark::DoNotOptimize(height);
    }
};

// Argument 0: the sizing a showing dialog repeats (texts and width unchanged, so the links keep
// their sizes); 1: every pass at a width other than the last, so all 200 links work out their
// heights again (from their kept text measurements while the info lines fit).
void BM_CalcAutoSize200CommandLinks(benchmark::State& State)
{
    const bool newWidth = State.range(0) == 1;
    InstallDialogEngine();
    SizedDialog dialog;
    dialog.SetTitle(QStringLiteral("Many actions"));
    dialog.Instruction()->SetText(QStringLiteral("Choose one of the actions"));
    dialog.SetDialogOptions(dialog.DialogOptions() + doCommandLinks);
    for (int i = 0; i < 200; ++i) {
        TVxCustomButtonItem* item = dialog.CustomButtons()->Add();
        item->SetCaption(QStringLiteral("&Action number %1").arg(i));
        item->Info()->Add(QStringLiteral("The first line of what action %1 does.").arg(i));
        item->Info()->Add(QStringLiteral("The second line, a little longer than the first one."));
    }
    TVxDialogEngine* engine = TVxDialogEngine::Of(&dialog);
    engine->BuildHidden();
    int round = 0;
    for (auto _ : State) {
        if (newWidth)
            dialog.SetWidthForBench(600 + (++round % 2) * 40);
        dialog.Size();
    }
    engine->DestroyHiddenWindow();
}

} // namespace

BENCHMARK(BM_ExecuteToFirstPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QMessageBoxToFirstPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalcAutoSize200CommandLinks)->Arg(0)->Arg(1)->ArgName("newWidth")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
