// Generate command on large dialogs: creation code and form text for a dialog with N radio
// buttons and N custom buttons (two Info lines and a 70-character caption each).
// Goals: 10,000 items under one second; the 10,000 / 1,000 time ratio under 12.

#include "ComponentCreate.h"
#include "FormTextReader.h"
#include "FormTextWriter.h"
#include "StringList.h"
#include "VxCollections.h"
#include "VxDialog.h"
#include "VxOptions.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

void FillDialog(TVxDialog& dialog, int count)
{
    dialog.SetName(QStringLiteral("VxDialog1"));
    dialog.SetTitle(QStringLiteral("Many buttons"));
    dialog.Content()->Add(QStringLiteral("Pick one."));
    dialog.SetDialogOptions(dialog.DialogOptions() + doRadioButtons);
    dialog.RadioButtons()->BeginUpdate();
    dialog.CustomButtons()->BeginUpdate();
    for (int i = 0; i < count; ++i) {
        dialog.RadioButtons()->Add();
        TVxCustomButtonItem* button = dialog.CustomButtons()->Add();
        button->SetCaption(QStringLiteral("Button %1 ").arg(i, 5, 10, QLatin1Char('0')).leftJustified(70, QLatin1Char('x')));
        button->Info()->Add(QStringLiteral("First line of button %1").arg(i));
        button->Info()->Add(QStringLiteral("Second line of button %1").arg(i));
    }
    dialog.CustomButtons()->EndUpdate();
    dialog.RadioButtons()->EndUpdate();
}

void BM_GenerateCodeAndFormText(benchmark::State& state)
{
    const int count = int(state.range(0));
    TComponent frmMain;
    frmMain.SetName(QStringLiteral("frmMain"));
    auto* dialog = new TVxDialog(&frmMain);
    FillDialog(*dialog, count);

    qsizetype lines = 0;
    // As the designer's Generate command: one generator for the code page, a second one for the
    // form-text page; each page keeps a copy of its lines.
    QStringList codePage;
    QStringList formTextPage;
    for (auto _ : state) {
        {
            TComponentCreate code;
            code.AsCode(dialog, {ccUseFree});
            codePage = code.Code()->Lines();
        }
        {
            TComponentCreate dfm;
            dfm.AsDFM(dialog, {ccDFMOnly});
            formTextPage = dfm.DFM()->Lines();
        }
        lines = codePage.size() + formTextPage.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = double(lines);
    state.SetComplexityN(count);
}

// The parts: the form text alone, and the code alone (which writes the form text itself).
void BM_FormTextOnly(benchmark::State& state)
{
    TComponent frmMain;
    frmMain.SetName(QStringLiteral("frmMain"));
    auto* dialog = new TVxDialog(&frmMain);
    FillDialog(*dialog, int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ComponentFormText(dialog));
}

void BM_CodeOnly(benchmark::State& state)
{
    TComponent frmMain;
    frmMain.SetName(QStringLiteral("frmMain"));
    auto* dialog = new TVxDialog(&frmMain);
    FillDialog(*dialog, int(state.range(0)));
    for (auto _ : state) {
        TComponentCreate code;
        code.AsCode(dialog, {ccUseFree});
        benchmark::DoNotOptimize(code.Code()->Count());
    }
}

// Reading that form text back into a fresh dialog (parse and set every property).
void BM_ReadFormText(benchmark::State& state)
{
    TComponent frmMain;
    frmMain.SetName(QStringLiteral("frmMain"));
    auto* dialog = new TVxDialog(&frmMain);
    FillDialog(*dialog, int(state.range(0)));
    const QByteArray text = ComponentFormText(dialog);
    TComponent other;
    for (auto _ : state) {
        auto* fresh = new TVxDialog(&other);
        ReadComponentFormText(text, fresh, &frmMain);
        benchmark::DoNotOptimize(fresh->CustomButtons()->Count());
        state.PauseTiming();
        delete fresh;
        state.ResumeTiming();
    }
    state.counters["bytes"] = double(text.size());
}

} // namespace

BENCHMARK(BM_ReadFormText)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormTextOnly)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CodeOnly)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateCodeAndFormText)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
