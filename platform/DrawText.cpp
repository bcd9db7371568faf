#include "DrawText.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QRect>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include <algorithm>
#include <array>

namespace {

const QString Ellipsis = QStringLiteral("...");

bool IsBlank(QChar C)
{
    return C == u' ' || C == u'\t';
}

bool IsLineBreak(QChar C)
{
    return C == u'\r' || C == u'\n';
}

// Advance widths of parts of one string, with the platform's tab stops when tabs are expanded.
class TMeasure {
public:
    TMeasure(const QFontMetrics& Metrics, bool ExpandTabs)
        : FMetrics(Metrics), FExpandTabs(ExpandTabs)
    {
        FTabWidth = TabStopWidth(Metrics);
    }

    int TabWidth() const { return FTabWidth; }
    const QFontMetrics& Metrics() const { return FMetrics; }

    int Width(const QString& S, qsizetype From, qsizetype To) const
    {
        if (To <= From)
            return 0;
        if (!FExpandTabs)
            return FMetrics.horizontalAdvance(S.mid(From, To - From));
        int X = 0;
        qsizetype Run = From;
        for (qsizetype I = From; I < To; ++I) {
            if (S.at(I) != u'\t')
                continue;
            if (I > Run)
                X += FMetrics.horizontalAdvance(S.mid(Run, I - Run));
            X = (X / FTabWidth + 1) * FTabWidth;
            Run = I + 1;
        }
        if (To > Run)
            X += FMetrics.horizontalAdvance(S.mid(Run, To - Run));
        return X;
    }

    int Width(const QString& S) const { return Width(S, 0, S.size()); }

    // The largest N in [1, Max] with Fits(N), or 0 when even 1 does not fit. Fits must be
    // monotonic. Galloping first keeps the cost bounded by the answer, not by Max.
    template <typename Pred>
    static qsizetype Largest(qsizetype Max, Pred Fits)
    {
        if (Max < 1 || !Fits(1))
            return 0;
        qsizetype Lo = 1, Hi = Max + 1;
        for (qsizetype K = 2; K <= Max; K *= 2) {
            if (!Fits(K)) {
                Hi = K;
                break;
            }
            Lo = K;
        }
        while (Hi - Lo > 1) {
            const qsizetype Mid = Lo + (Hi - Lo) / 2;
            if (Fits(Mid))
                Lo = Mid;
            else
                Hi = Mid;
        }
        return Lo;
    }

    // The same answer searched from a guess: galloping up or down from it, then bisecting, so
    // a good guess costs two measurements.
    template <typename Pred>
    static qsizetype LargestFrom(qsizetype Guess, qsizetype Max, Pred Fits)
    {
        if (Max < 1)
            return 0;
        qsizetype Lo = 0, Hi = Max + 1; // Fits(Lo) unless 0; not Fits(Hi) unless Max + 1
        const qsizetype K = std::clamp<qsizetype>(Guess, 1, Max);
        if (Fits(K)) {
            Lo = K;
            for (qsizetype Step = 1; Lo < Max; Step *= 2) {
                const qsizetype T = std::min(Max, Lo + Step);
                if (!Fits(T)) {
                    Hi = T;
                    break;
                }
                Lo = T;
            }
        } else {
            Hi = K;
            for (qsizetype Step = 1; Hi > 1; Step *= 2) {
                const qsizetype T = std::max<qsizetype>(1, Hi - Step);
                if (Fits(T)) {
                    Lo = T;
                    break;
                }
                Hi = T;
            }
        }
        while (Hi - Lo > 1) {
            const qsizetype Mid = Lo + (Hi - Lo) / 2;
            if (Fits(Mid))
                Lo = Mid;
            else
                Hi = Mid;
        }
        return Lo;
    }

private:
    const QFontMetrics& FMetrics;
    bool FExpandTabs;
    int FTabWidth;
};

// Where a cut at Pos (Start < Pos < S.size()) may go: never inside a grapheme cluster (a
// surrogate pair, a letter with its combining marks, a flag, CR LF). The cut moves back to the
// cluster's start; when that would leave nothing after Start it moves forward past the cluster,
// unless Floor asks for the start regardless.
qsizetype SafeCut(const QString& S, qsizetype Start, qsizetype Pos, bool Floor = false)
{
    if (Pos <= Start || Pos >= S.size())
        return Pos;
    const QChar at = S.at(Pos);
    // Below U+0300 a character starts a cluster of its own, except LF after CR.
    if (at.unicode() < 0x300 && !(at == u'\n' && S.at(Pos - 1) == u'\r'))
        return Pos;
    // Clusters are short: look at a window that starts at a plain character.
    qsizetype from = Pos - 1;
    while (from > Start && Pos - from < 64 && S.at(from).unicode() >= 0x300)
        --from;
    const qsizetype to = std::min(S.size(), Pos + 64);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, S.mid(from, to - from));
    finder.setPosition(Pos - from);
    if (finder.isAtBoundary())
        return Pos;
    const qsizetype before = finder.toPreviousBoundary();
    if (before >= 0 && (from + before > Start || Floor))
        return std::max(Start, from + before);
    finder.setPosition(Pos - from);
    const qsizetype after = finder.toNextBoundary();
    return after < 0 ? to : from + after;
}

// Removes accelerator markers and turns characters that are not drawn as such into blanks.
QString Prepare(const QString& Text, uint Format, int& Underline)
{
    const bool Prefix = !(Format & DT_NOPREFIX);
    const bool Single = Format & DT_SINGLELINE;
    const bool Tabs = Format & DT_EXPANDTABS;
    QString Out;
    Out.reserve(Text.size());
    Underline = -1;
    for (qsizetype I = 0; I < Text.size(); ++I) {
        QChar C = Text.at(I);
        if (Prefix && C == u'&') {
            if (I + 1 >= Text.size())
                break; // a lone trailing marker is dropped
            C = Text.at(++I);
            if (C != u'&' && !IsLineBreak(C))
                Underline = int(Out.size());
        }
        if (C == u'\t' && !Tabs)
            C = u' ';
        if (Single && IsLineBreak(C)) {
            if (C == u'\r' && I + 1 < Text.size() && Text.at(I + 1) == u'\n')
                ++I;
            C = u' ';
        }
        Out.append(C);
    }
    return Out;
}

class TBreaker {
public:
    TBreaker(const QFontMetrics& Metrics, const QString& S, int Width, uint Format)
        : FMeasure(Metrics, Format & DT_EXPANDTABS), FText(S), FWidth(Width), FFormat(Format)
    {
    }

    QList<TDrawTextLine> Lines;

    void Paragraph(qsizetype P, qsizetype Q)
    {
        if (!(FFormat & DT_WORDBREAK) || (FFormat & DT_SINGLELINE) || P == Q) {
            Add(P, Q);
            return;
        }
        // Ends of the words (runs without blanks) of the paragraph.
        FEnds.clear();
        for (qsizetype I = P; I < Q; ++I)
            if (!IsBlank(FText.at(I)) && (I + 1 == Q || IsBlank(FText.at(I + 1))))
                FEnds.push_back(I + 1);
        if (FEnds.empty()) {
            Add(P, Q);
            return;
        }
        qsizetype Pos = P;
        size_t Word = 0; // first word end after Pos
        while (Word < FEnds.size()) {
            // Whole words first, from an estimate checked by measuring; 0 when even the first
            // word is wider than the line.
            const auto Fits = [&](qsizetype K) { return Width(Pos, FEnds[Word + K - 1]) <= FWidth; };
            const qsizetype FirstWord = FEnds[Word] - Pos;
            const qsizetype Guessed = Guess(Pos, Word);
            // A first word that looks too wide is searched by characters from its start, so that
            // a very long word costs only what fits of it.
            qsizetype Chars = FirstWord;
            if (Guessed == 0)
                Chars = FMeasure.Largest(FirstWord, [&](qsizetype N) { return Width(Pos, Pos + N) <= FWidth; });
            qsizetype Taken = Chars < FirstWord ? 0 : TMeasure::LargestFrom(Guessed, qsizetype(FEnds.size() - Word), Fits);
            if (Taken == 0 && (FFormat & DT_EDITCONTROL)) {
                // The word alone is too wide: cut it where the line is full (at least one character).
                if (Chars == FirstWord)
                    Chars = FMeasure.Largest(FirstWord, [&](qsizetype N) { return Width(Pos, Pos + N) <= FWidth; });
                const qsizetype Cut = SafeCut(FText, Pos, Pos + std::max<qsizetype>(Chars, 1));
                Add(Pos, Cut);
                Pos = Cut;
                if (Pos >= FEnds[Word])
                    ++Word;
            } else {
                // A too wide word stays whole on its own line.
                Taken = std::max<qsizetype>(Taken, 1);
                qsizetype End = FEnds[Word + Taken - 1];
                Word += Taken;
                // The last line of a paragraph keeps its trailing blanks when they fit.
                if (Word == FEnds.size() && End < Q && Width(Pos, Q) <= FWidth)
                    End = Q;
                Add(Pos, End);
                Pos = End;
            }
            // The blanks at a soft break are dropped.
            while (Pos < Q && IsBlank(FText.at(Pos)))
                ++Pos;
        }
    }

    const TMeasure& Measure() const { return FMeasure; }

private:
    void Add(qsizetype From, qsizetype To)
    {
        TDrawTextLine Line;
        Line.Text = FText.mid(From, To - From);
        Line.Start = int(From);
        Line.Width = Width(From, To);
        Lines.append(std::move(Line));
    }

    // Measures; the last range is remembered, as the line that was found is measured again.
    int Width(qsizetype From, qsizetype To)
    {
        if (From != FLastFrom || To != FLastTo) {
            FLastFrom = From;
            FLastTo = To;
            FLastWidth = FMeasure.Width(FText, From, To);
        }
        return FLastWidth;
    }

    // How many words from Word on fit after Pos by the summed advances of their characters: a
    // first guess that a few measurements correct.
    qsizetype Guess(qsizetype Pos, size_t Word)
    {
        if (FPrefix.empty()) {
            const QFontMetricsF Metrics(FMeasure.Metrics());
            FPrefix.resize(size_t(FText.size()) + 1);
            std::array<float, 128> ascii;
            ascii.fill(-1);
            float sum = 0;
            for (qsizetype I = 0; I < FText.size(); ++I) {
                const QChar C = FText.at(I);
                float advance;
                if (C == u'\t') {
                    advance = float(FMeasure.TabWidth());
                } else if (C.unicode() < 128) {
                    float& cached = ascii[C.unicode()];
                    if (cached < 0)
                        cached = float(Metrics.horizontalAdvance(C));
                    advance = cached;
                } else {
                    advance = float(Metrics.horizontalAdvance(C));
                }
                FPrefix[size_t(I)] = sum;
                sum += advance;
            }
            FPrefix.back() = sum;
        }
        const float Start = FPrefix[size_t(Pos)];
        const auto Beyond = std::upper_bound(FEnds.begin() + qsizetype(Word), FEnds.end(), FWidth,
                                             [&](int Limit, qsizetype End) { return FPrefix[size_t(End)] - Start > float(Limit); });
        return qsizetype(Beyond - (FEnds.begin() + qsizetype(Word)));
    }

    TMeasure FMeasure;
    const QString& FText;
    int FWidth;
    uint FFormat;
    std::vector<qsizetype> FEnds;
    std::vector<float> FPrefix; // summed advances of the characters before each position
    qsizetype FLastFrom = -1, FLastTo = -1;
    int FLastWidth = 0;
};

// Keeps the longest start of Line that fits Width together with "...".
void ElideEnd(const TMeasure& Measure, TDrawTextLine& Line, int Width)
{
    const QString& T = Line.Text;
    qsizetype Keep = TMeasure::Largest(T.size(), [&](qsizetype N) { return Measure.Width(T.left(N) + Ellipsis) <= Width; });
    Keep = SafeCut(T, 0, Keep, true);
    if (Line.Underline >= Keep)
        Line.Underline = -1;
    Line.Text = T.left(Keep) + Ellipsis;
    Line.Width = Measure.Width(Line.Text);
}

// Keeps the last path element and as much of the start as fits, with "..." between them.
void ElidePath(const TMeasure& Measure, TDrawTextLine& Line, int Width)
{
    const QString T = Line.Text;
    const qsizetype Sep = std::max(T.lastIndexOf(u'\\'), T.lastIndexOf(u'/'));
    if (Sep <= 0) {
        ElideEnd(Measure, Line, Width);
        return;
    }
    const QString Tail = T.mid(Sep);
    if (Measure.Width(Ellipsis + Tail) > Width) {
        const int Underline = Line.Underline;
        Line.Text = Ellipsis + Tail;
        Line.Underline = Underline >= Sep ? int(Underline - Sep + Ellipsis.size()) : -1;
        ElideEnd(Measure, Line, Width);
        return;
    }
    qsizetype Keep = TMeasure::Largest(Sep, [&](qsizetype N) { return Measure.Width(T.left(N) + Ellipsis + Tail) <= Width; });
    Keep = SafeCut(T, 0, Keep, true);
    if (Line.Underline >= Sep)
        Line.Underline = int(Line.Underline - Sep + Keep + Ellipsis.size());
    else if (Line.Underline >= Keep)
        Line.Underline = -1;
    Line.Text = T.left(Keep) + Ellipsis + Tail;
    Line.Width = Measure.Width(Line.Text);
}

} // namespace

TDrawTextLayout LayoutDrawText(const QFontMetrics& Metrics, const QString& Text, int Width, uint Format)
{
    TDrawTextLayout Result;
    Result.LineHeight = Metrics.height();
    if (Text.isEmpty())
        return Result;

    int Underline = -1;
    const QString S = Prepare(Text, Format, Underline);
    TBreaker Breaker(Metrics, S, Width, Format);
    if (Format & DT_SINGLELINE) {
        Breaker.Paragraph(0, S.size());
    } else {
        qsizetype P = 0;
        for (qsizetype I = 0; I <= S.size(); ++I) {
            if (I < S.size() && !IsLineBreak(S.at(I)))
                continue;
            Breaker.Paragraph(P, I);
            if (I < S.size() && S.at(I) == u'\r' && I + 1 < S.size() && S.at(I + 1) == u'\n')
                ++I;
            P = I + 1;
        }
    }

    Result.Lines = std::move(Breaker.Lines);
    const bool Elide = Format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS);
    for (TDrawTextLine& Line : Result.Lines) {
        if (Underline >= Line.Start && Underline < Line.Start + Line.Text.size())
            Line.Underline = Underline - Line.Start;
        if (Elide && Line.Width > Width) {
            if (Format & DT_PATH_ELLIPSIS)
                ElidePath(Breaker.Measure(), Line, Width);
            else
                ElideEnd(Breaker.Measure(), Line, Width);
        }
        Result.Width = std::max(Result.Width, Line.Width);
    }
    return Result;
}

namespace {

void DrawLine(QPainter& Painter, const QFont& Font, const TDrawTextLine& Line, QPointF At, uint Format, int TabWidth)
{
    QTextLayout Layout(Line.Text, Font, Painter.device());
    QTextOption Option;
    Option.setWrapMode(QTextOption::NoWrap);
    Option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    Option.setTextDirection((Format & DT_RTLREADING) ? Qt::RightToLeft : Qt::LeftToRight);
    if (Format & DT_EXPANDTABS)
        Option.setTabStopDistance(TabWidth);
    Layout.setTextOption(Option);
    if (Line.Underline >= 0) {
        QTextLayout::FormatRange Range;
        Range.start = Line.Underline;
        Range.length = Line.Text.at(Line.Underline).isHighSurrogate() ? 2 : 1;
        Range.format.setFontUnderline(true);
        Layout.setFormats({Range});
    }
    Layout.beginLayout();
    QTextLine TextLine = Layout.createLine();
    if (TextLine.isValid()) {
        TextLine.setLineWidth(std::max(Line.Width, 1));
        TextLine.setPosition(QPointF(0, 0));
    }
    Layout.endLayout();
    Layout.draw(&Painter, At);
}

} // namespace

int DrawText(QPainter* Painter, const QFont& Font, const QString& Text, QRect& Rect, uint Format)
{
    const QFontMetrics Metrics = (Painter && Painter->device()) ? QFontMetrics(Font, Painter->device()) : QFontMetrics(Font);
    const int LineHeight = Metrics.height();
    const bool Single = Format & DT_SINGLELINE;

    if (Text.isEmpty()) {
        if (Format & DT_CALCRECT) {
            Rect.setWidth(0);
            Rect.setHeight(Single ? LineHeight : 0);
        }
        return LineHeight;
    }

    TDrawTextLayout Layout = LayoutDrawText(Metrics, Text, Rect.width(), Format);
    const int Height = Layout.Height();
    if (Format & DT_CALCRECT) {
        Rect.setWidth(Layout.Width);
        Rect.setHeight(Height);
        return Height;
    }

    int Y = Rect.top();
    if (Single && (Format & DT_VCENTER))
        Y = Rect.top() + (Rect.height() - LineHeight) / 2;
    else if (Single && (Format & DT_BOTTOM))
        Y = Rect.top() + Rect.height() - LineHeight;
    const int Result = (Single && (Format & (DT_VCENTER | DT_BOTTOM))) ? Y + LineHeight - Rect.top() : Height;
    if (!Painter)
        return Result;

    const bool Clip = !(Format & DT_NOCLIP);
    if (Clip && Layout.Lines.size() > 1 && LineHeight > 0) {
        const qsizetype Visible = std::max(Rect.height(), 0) / LineHeight;
        if (Visible >= 1 && Layout.Lines.size() > Visible) {
            const bool MarkCut = (Format & DT_END_ELLIPSIS) && (Format & DT_WORDBREAK);
            if (MarkCut || (Format & DT_EDITCONTROL))
                Layout.Lines.resize(Visible);
            if (MarkCut)
                ElideEnd(TMeasure(Metrics, Format & DT_EXPANDTABS), Layout.Lines.last(), Rect.width());
        }
    }

    const int TabWidth = TMeasure(Metrics, true).TabWidth();
    Painter->save();
    Painter->setFont(Font);
    if (Clip)
        Painter->setClipRect(Rect, Qt::IntersectClip);
    for (const TDrawTextLine& Line : std::as_const(Layout.Lines)) {
        // Lines outside the rectangle are clipped anyway; skipping them keeps long texts cheap.
        if (!Clip || (Y + LineHeight > Rect.top() && Y <= Rect.bottom())) {
            int X = Rect.left();
            if (Format & DT_CENTER)
                X = Rect.left() + (Rect.width() - Line.Width) / 2;
            else if (Format & DT_RIGHT)
                X = Rect.left() + Rect.width() - Line.Width;
            DrawLine(*Painter, Font, Line, QPointF(X, Y), Format, TabWidth);
        }
        Y += LineHeight;
        if (Clip && Y > Rect.bottom())
            break;
    }
    Painter->restore();
    return Result;
}

QString StripHotkey(const QString& Text)
{
    int Underline = -1;
    return Prepare(Text, DT_EXPANDTABS, Underline);
}

QChar GetHotkey(const QString& Text)
{
    int Underline = -1;
    const QString Plain = Prepare(Text, DT_EXPANDTABS, Underline);
    return Underline >= 0 ? Plain.at(Underline) : QChar();
}

bool IsAccel(QChar Key, const QString& Text)
{
    const QChar Hotkey = GetHotkey(Text);
    return !Hotkey.isNull() && !Key.isNull() && Hotkey.toCaseFolded() == Key.toCaseFolded();
}

int TabStopWidth(const QFontMetrics& Metrics)
{
    // Every 8 average character widths, as the platform's default.
    return std::max(1, 8 * Metrics.averageCharWidth());
}

int TextWidth(const QFontMetrics& Metrics, QStringView Text)
{
    if (!Text.contains(u'\t'))
        return Metrics.horizontalAdvance(Text.toString());
    const int tab = TabStopWidth(Metrics);
    int x = 0;
    qsizetype run = 0;
    for (qsizetype i = 0; i <= Text.size(); ++i) {
        if (i < Text.size() && Text.at(i) != u'\t')
            continue;
        if (i > run)
            x += Metrics.horizontalAdvance(Text.mid(run, i - run).toString());
        if (i < Text.size())
            x = (x / tab + 1) * tab;
        run = i + 1;
    }
    return x;
}

int TextWidth(const QFont& Font, const QString& Text)
{
    return TextWidth(QFontMetrics(Font), Text);
}

int TextHeight(const QFont& Font, const QString& Text)
{
    Q_UNUSED(Text)
    return QFontMetrics(Font).height();
}

QSize TextExtent(const QFont& Font, const QString& Text)
{
    const QFontMetrics Metrics(Font);
    return QSize(TextWidth(Metrics, Text), Metrics.height());
}
