// Line breaking and measuring of long texts: the cost should grow about linearly with the length.

#include "DrawText.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QTextLayout>

#include <benchmark/benchmark.h>

namespace {

QString Words(int Length)
{
    static const char* const words[] = {"dialog", "caption", "a", "layout", "wrapping", "of", "text",
                                        "measure", "the", "width", "link", "markup", "quill", "fen"};
    QString text;
    text.reserve(Length + 16);
    for (int i = 0; text.size() < Length; ++i) {
        if (!text.isEmpty())
            text += u' ';
        text += QString::fromLatin1(words[(i * 7 + i / 3) % std::size(words)]);
    }
    return text;
}

QFont Font()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    return font;
}

void WordBreak(benchmark::State& state)
{
    const QString text = Words(int(state.range(0)));
    const QFontMetrics metrics(Font());
    for (auto _ : state)
        benchmark::DoNotOptimize(LayoutDrawText(metrics, text, 300, DT_WORDBREAK));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(WordBreak)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();

// One very long word broken inside, a few characters a line.
void BreakInsideWord(benchmark::State& state)
{
    const QString text(int(state.range(0)), u'x');
    const QFontMetrics metrics(Font());
    for (auto _ : state)
        benchmark::DoNotOptimize(LayoutDrawText(metrics, text, 40, DT_WORDBREAK | DT_EDITCONTROL));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BreakInsideWord)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();

void SingleLineEllipsis(benchmark::State& state)
{
    const QString text = Words(int(state.range(0)));
    const QFont font = Font();
    for (auto _ : state) {
        QRect rect(0, 0, 200, 0);
        benchmark::DoNotOptimize(DrawText(nullptr, font, text, rect, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(SingleLineEllipsis)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();

// 12 KB and 120 KB of text: DrawText measuring and drawing against QTextLayout laying out the
// same text, to show that no step grows faster than the text.
void DrawTextCalcRect(benchmark::State& state)
{
    const QString text = Words(int(state.range(0)));
    const QFont font = Font();
    for (auto _ : state) {
        QRect rect(0, 0, 300, 0);
        benchmark::DoNotOptimize(DrawText(nullptr, font, text, rect, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(DrawTextCalcRect)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond)->Complexity();

// Drawing into a rectangle of one screen: lines below it are laid out but not drawn.
void DrawTextPaint(benchmark::State& state)
{
    const QString text = Words(int(state.range(0)));
    const QFont font = Font();
    QImage image(300, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        QRect rect(0, 0, 300, 800);
        benchmark::DoNotOptimize(DrawText(&painter, font, text, rect, DT_WORDBREAK | DT_EXPANDTABS));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(DrawTextPaint)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond)->Complexity();

void QTextLayoutLines(benchmark::State& state)
{
    const QString text = Words(int(state.range(0)));
    const QFont font = Font();
    for (auto _ : state) {
        QTextLayout layout(text, font);
        layout.beginLayout();
        qreal height = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(300);
            height += line.height();
        }
        layout.endLayout();
        benchmark::DoNotOptimize(height);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(QTextLayoutLines)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
