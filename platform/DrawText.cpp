#include "DrawText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <QTextLayout>

#include <algorithm>

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

private:
    const QFontMetrics& FMetrics;
    bool FExpandTabs;
    int FTabWidth;
};

// Never splits a surrogate pair: moves a cut at Pos (0 < Pos < S.size()) back before a high
// surrogate, or forward past it when that would leave nothing.
qsizetype SafeCut(const QString& S, qsizetype Start, qsizetype Pos)
{
    if (Pos > Start && Pos < S.size() && S.at(Pos - 1).isHighSurrogate() && S.at(Pos).isLowSurrogate())
        return Pos - 1 > Start ? Pos - 1 : Pos + 1;
    return Pos;
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
            // Characters first, so that a very long word costs only what fits of it.
            const qsizetype FirstWord = FEnds[Word] - Pos;
            const qsizetype Chars = FMeasure.Largest(FirstWord, [&](qsizetype N) { return FMeasure.Width(FText, Pos, Pos + N) <= FWidth; });
            if (Chars < FirstWord && (FFormat & DT_EDITCONTROL)) {
                // The word alone is too wide: cut it where the line is full (at least one character).
                const qsizetype Cut = SafeCut(FText, Pos, Pos + std::max<qsizetype>(Chars, 1));
                Add(Pos, Cut);
                Pos = Cut;
                if (Pos >= FEnds[Word])
                    ++Word;
            } else {
                // A too wide word stays whole on its own line.
                qsizetype Taken = 1;
                if (Chars == FirstWord) {
                    const auto Fits = [&](qsizetype K) { return FMeasure.Width(FText, Pos, FEnds[Word + K - 1]) <= FWidth; };
                    Taken = FMeasure.Largest(qsizetype(FEnds.size() - Word), Fits);
                }
                Taken = std::max<qsizetype>(Taken, 1);
                qsizetype End = FEnds[Word + Taken - 1];
                Word += Taken;
                // The last line of a paragraph keeps its trailing blanks when they fit.
                if (Word == FEnds.size() && End < Q && FMeasure.Width(FText, Pos, Q) <= FWidth)
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
        Line.Width = FMeasure.Width(FText, From, To);
        Lines.append(std::move(Line));
    }

    TMeasure FMeasure;
    const QString& FText;
    int FWidth;
    uint FFormat;
    std::vector<qsizetype> FEnds;
};

// Keeps the longest start of Line that fits Width together with "...".
void ElideEnd(const TMeasure& Measure, TDrawTextLine& Line, int Width)
{
    const QString& T = Line.Text;
    qsizetype Keep = TMeasure::Largest(T.size(), [&](qsizetype N) { return Measure.Width(T.left(N) + Ellipsis) <= Width; });
    Keep = SafeCut(T, 0, Keep);
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
    Keep = SafeCut(T, 0, Keep);
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
