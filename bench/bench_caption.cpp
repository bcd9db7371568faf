// Measuring long captions: TVxCaption::MinimumHeight against QTextLayout on the same texts.

#include "VxCaption.h"

#include <QApplication>
#include <QTextLayout>

#include <benchmark/benchmark.h>

namespace {

constexpr int LayoutWidth = 400;

// The toolkit's user-interface font stands for the dialog's content font.
TFont ContentFont()
{
    const QFont ui = QApplication::font();
    TFont font;
    font.SetName(ui.family());
    font.SetSize(ui.pointSize() > 0 ? ui.pointSize() : 9);
    return font;
}

// Words of varying length in one paragraph, or broken into lines of about 80 characters.
QString Text(int Length, bool Lines)
{
    static const char* const words[] = {"dialog", "caption", "a",    "layout", "wrapping", "of",     "text",
                                        "measure", "the",    "width", "link",   "markup",   "quill", "fen"};
    QString text;
    text.reserve(Length + 16);
    int lineLength = 0;
    for (int i = 0; text.size() < Length; ++i) {
        const QString word = QString::fromLatin1(words[(i * 7 + i / 3) % std::size(words)]);
        text += word;
        lineLength += int(word.size());
        if (Lines && lineLength >= 80) {
            text += QStringLiteral("\r\n");
            lineLength = 0;
        } else {
            text += u' ';
            ++lineLength;
        }
    }
    text.truncate(Length);
    return text;
}

void BM_CaptionMinimumHeight(benchmark::State& State)
{
    const QString text = Text(int(State.range(0)), State.range(1) != 0);
    const TFont font = ContentFont();
    int height = 0;
    for (auto _ : State) {
        height = TVxCaption::MinimumHeight(nullptr, text, font, LayoutWidth);
        benchmark::DoNotOptimize(height);
    }
    State.counters["height"] = height;
}

void BM_QTextLayout(benchmark::State& State)
{
    QString text = Text(int(State.range(0)), State.range(1) != 0);
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    const QFont font = ContentFont().ToQFont();
    qreal height = 0;
    for (auto _ : State) {
        QTextLayout layout(text, font);
        layout.beginLayout();
        height = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(LayoutWidth);
            height += line.height();
        }
        layout.endLayout();
        benchmark::DoNotOptimize(height);
    }
    State.counters["height"] = height;
}

void Sizes(benchmark::internal::Benchmark* B)
{
    for (int lines : {0, 1})
        for (int length : {10000, 100000, 200000})
            B->Args({length, lines});
    B->ArgNames({"chars", "lines"})->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_CaptionMinimumHeight)->Apply(Sizes);
BENCHMARK(BM_QTextLayout)->Apply(Sizes);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
