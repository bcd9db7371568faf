// Measuring long captions: TVxCaption::MinimumHeight against QTextLayout on the same texts.
// Measuring stops at the screen height (the height is capped there), so its cost should follow
// what is shown, not the text's length: compare 10,000 with 200,000 characters, and compare with
// QTextLayout laying out lines until the same height (BM_QTextLayoutToHeight). The parse of
// markup is linear (BM_CaptionParse: 1 MB of tags), and a full layout as a paint does it has no
// superlinear step (BM_CaptionLayoutAll against BM_QTextLayout, 12 KB and 120 KB).

#include "VxCaption.h"
#include "private/CaptionLayout_p.h"

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

// QTextLayout laying out lines until it reaches the caption's measured height.
void BM_QTextLayoutToHeight(benchmark::State& State)
{
    QString text = Text(int(State.range(0)), State.range(1) != 0);
    const TFont tfont = ContentFont();
    const int target = TVxCaption::MinimumHeight(nullptr, text, tfont, LayoutWidth);
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    const QFont font = tfont.ToQFont();
    qreal height = 0;
    for (auto _ : State) {
        QTextLayout layout(text, font);
        layout.beginLayout();
        height = 0;
        for (QTextLine line = layout.createLine(); line.isValid() && height < target; line = layout.createLine()) {
            line.setLineWidth(LayoutWidth);
            height += line.height();
        }
        layout.endLayout();
        benchmark::DoNotOptimize(height);
    }
    State.counters["height"] = height;
}

// Parsing markup: "<b>x</b> " repeated to the given length.
void BM_CaptionParse(benchmark::State& State)
{
    const QString unit = QStringLiteral("<b>x</b> ");
    const QString text = unit.repeated(State.range(0) / unit.size());
    const TFont font = ContentFont();
    qsizetype segments = 0;
    for (auto _ : State) {
        TVxCaption caption(nullptr, text, TVxCaptionBackground(), font, 20, LayoutWidth, QPoint(), nullptr,
                           bdLeftToRight);
        segments = caption.CaptionSegments().size();
        benchmark::DoNotOptimize(segments);
    }
    State.counters["segments"] = double(segments);
    State.SetComplexityN(State.range(0));
}

// The whole layout with every piece collected, as a paint of the full text does it.
void BM_CaptionLayoutAll(benchmark::State& State)
{
    const QString text = Text(int(State.range(0)), State.range(1) != 0);
    const TFont font = ContentFont();
    TVxCaption caption(nullptr, text, TVxCaptionBackground(), font, 20, LayoutWidth, QPoint(), nullptr, bdLeftToRight);
    int height = 0;
    for (auto _ : State) {
        TVxCaptionLayoutInput in;
        in.Segments = &caption.CaptionSegments();
        in.Kinds = &caption.SegmentKinds();
        in.Caption = text;
        in.Font = &caption.Font();
        in.LinkFont = &caption.LinkFont();
        in.Width = LayoutWidth;
        in.Height = 20;
        in.Paint = true;
        in.CollectRuns = true;
        TVxLinkRects links;
        height = ArrangeCaption(in, links).RequiredHeight;
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

void LongSizes(benchmark::internal::Benchmark* B)
{
    for (int lines : {0, 1})
        for (int length : {12000, 120000})
            B->Args({length, lines});
    B->ArgNames({"chars", "lines"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_CaptionMinimumHeight)->Apply(Sizes);
BENCHMARK(BM_QTextLayoutToHeight)->Apply(Sizes);
BENCHMARK(BM_QTextLayout)->Apply(Sizes);
BENCHMARK(BM_CaptionParse)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_CaptionLayoutAll)->Apply(LongSizes);
BENCHMARK(BM_QTextLayout)->Name("BM_QTextLayout/long")->Apply(LongSizes);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
