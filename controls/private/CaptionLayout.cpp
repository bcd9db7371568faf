#include "CaptionLayout_p.h"

#include <QFontMetricsF>
#include <QTextBoundaryFinder>

#include <algorithm>

#include <array>
#include <optional>

namespace {

const QString NewLineMarker = QStringLiteral("<NEWLINE>");
const QString BoldMarker = QStringLiteral("<BOLD>");
const QString UnderlineMarker = QStringLiteral("<UNDERLINE>");
const QString ItalicMarker = QStringLiteral("<ITALIC>");
const QString LinkMarker = QStringLiteral("<LINK>");
const QString LineHeightSample = QStringLiteral("SpgqwWq");
const QString CrLf = QStringLiteral("\r\n");

// Measures in one font. Widths are TextWidth's (the text on its own, tabs at DrawText's stops);
// the per-character advances only serve as a first estimate of where a line ends.
class TextMeasurer {
public:
    explicit TextMeasurer(const QFont& Font) { Take(Font); }
    // The font is made from Source on first use; a KnownLineHeight above 0 is taken as the
    // line height without making it.
    TextMeasurer(const TFont& Source, int KnownLineHeight) : FSource(&Source), FLineHeight(KnownLineHeight) {}

    const QFont& Font()
    {
        Ready();
        return *FFont;
    }
    int LineHeight()
    {
        if (FLineHeight <= 0) {
            Ready();
            FLineHeight = FMetrics->height();
        }
        return FLineHeight;
    }
    int Width(const QString& Text, int From, int Count)
    {
        if (Count <= 0)
            return 0;
        Ready();
        FLastFrom = From;
        FLastCount = Count;
        FLastWidth = TextWidth(*FMetrics, QStringView(Text).mid(From, Count));
        return FLastWidth;
    }
    // Takes Width as the width of From .. From + Count, known without measuring.
    void Remember(int From, int Count, int Width)
    {
        FLastFrom = From;
        FLastCount = Count;
        FLastWidth = Width;
    }
    // The largest running sum of the advances of Text[From .. From + Count): Fit's estimate
    // takes every character of the range exactly when this is at most the space available.
    qreal AdvanceReach(const QString& Text, int From, int Count)
    {
        qreal sum = 0, reach = 0;
        for (int i = 0; i < Count; ++i) {
            sum += Advance(Text.at(From + i));
            reach = qMax(reach, sum);
        }
        return reach;
    }

    // The width of the last range measured, when it is From .. From + Count of the same text.
    std::optional<int> LastWidth(int From, int Count) const
    {
        if (From == FLastFrom && Count == FLastCount)
            return FLastWidth;
        return std::nullopt;
    }
    // Forgets the last range (a new text is measured from now on).
    void Forget() { FLastCount = -1; }

    int Fit(const QString& Text, int From, int Count, int Avail)
    {
        if (Count <= 0 || Avail < 0)
            return 0;
        // Estimate: the first character whose summed advances pass Avail.
        qreal sum = 0;
        int guess = 0;
        while (guess < Count) {
            sum += Advance(Text.at(From + guess));
            if (sum > Avail)
                break;
            ++guess;
        }
        int lo = 0, hi = -1; // lo fits, hi does not
        if (Width(Text, From, guess) <= Avail) {
            lo = guess;
            for (int step = 1; lo < Count; step *= 2) {
                const int t = qMin(Count, lo + step);
                if (Width(Text, From, t) <= Avail) {
                    lo = t;
                } else {
                    hi = t;
                    break;
                }
            }
            if (hi < 0)
                return Count;
        } else {
            hi = guess;
            for (int step = 1;; step *= 2) {
                const int t = qMax(0, hi - step);
                if (t == 0 || Width(Text, From, t) <= Avail) {
                    lo = t;
                    break;
                }
                hi = t;
            }
        }
        while (hi - lo > 1) {
            const int mid = lo + (hi - lo) / 2;
            if (Width(Text, From, mid) <= Avail)
                lo = mid;
            else
                hi = mid;
        }
        return lo;
    }

private:
    void Take(const QFont& Font)
    {
        FFont.emplace(Font);
        FMetrics.emplace(Font);
        FMetricsF.emplace(Font);
        FAscii.fill(-1);
        FAscii[u'\t'] = TabStopWidth(*FMetrics);
    }
    void Ready()
    {
        if (!FFont)
            Take(FSource->ToQFont());
    }
    qreal Advance(QChar C)
    {
        Ready();
        const ushort u = C.unicode();
        if (u < FAscii.size()) {
            if (FAscii[u] < 0)
                FAscii[u] = FMetricsF->horizontalAdvance(C);
            return FAscii[u];
        }
        return FMetricsF->horizontalAdvance(C);
    }

    const TFont* FSource = nullptr;
    int FLineHeight = 0;
    std::optional<QFont> FFont;
    std::optional<QFontMetrics> FMetrics;
    std::optional<QFontMetricsF> FMetricsF;
    std::array<qreal, 128> FAscii;
    int FLastFrom = 0;
    int FLastCount = -1;
    int FLastWidth = 0;
};

// Where a line may be cut: never inside a grapheme cluster (a surrogate pair, a letter with its
// combining marks, a flag, CR LF). Below U+0300 every character starts a cluster of its own
// (except LF after CR); elsewhere boundaries are found in a short window around the position,
// so the cost does not grow with the text.
class ClusterCuts {
public:
    explicit ClusterCuts(const QString& Text) : FText(Text) {}

    bool IsBoundary(int Pos)
    {
        if (Pos <= 0 || Pos >= FText.size() || Plain(Pos))
            return true;
        QTextBoundaryFinder& finder = Window(Pos);
        finder.setPosition(Pos - FFrom);
        return finder.isAtBoundary();
    }
    // The last boundary at or before Pos, but not before From.
    int Floor(int From, int Pos)
    {
        if (IsBoundary(Pos))
            return Pos;
        QTextBoundaryFinder& finder = Window(Pos);
        finder.setPosition(Pos - FFrom);
        const qsizetype before = finder.toPreviousBoundary();
        return qMax(From, before < 0 ? From : int(FFrom + before));
    }
    // The first boundary after From.
    int Next(int From)
    {
        if (From >= FText.size())
            return From;
        if (Plain(From + 1) || From + 1 >= FText.size())
            return From + 1;
        QTextBoundaryFinder& finder = Window(From + 1);
        finder.setPosition(From - FFrom);
        const qsizetype next = finder.toNextBoundary();
        return next < 0 ? int(FText.size()) : int(FFrom + next);
    }

    // The longest run of whole clusters from From (at most Count characters) that fits Avail.
    // A lone part of a cluster may measure wider than the whole cluster, so the fit found by
    // characters is extended cluster by cluster.
    int Fit(TextMeasurer& M, int From, int Count, int Avail)
    {
        const int k = M.Fit(FText, From, Count, Avail);
        int end = Floor(From, From + k);
        if (end + 1 <= From + Count && end + 1 < FText.size() && Plain(end) && Plain(end + 1))
            return end - From; // the next character is a plain cluster of its own: it did not fit
        for (int next = Next(end); next > end && next <= From + Count && M.Width(FText, From, next - From) <= Avail;
             next = Next(end))
            end = next;
        return end - From;
    }

private:
    // A character that starts a cluster of its own.
    bool Plain(int Pos) const
    {
        if (Pos >= FText.size())
            return true;
        const QChar c = FText.at(Pos);
        return c.unicode() < 0x300 && !(c == u'\n' && Pos > 0 && FText.at(Pos - 1) == u'\r');
    }
    // A boundary finder over a window around Pos that starts at a plain character.
    QTextBoundaryFinder& Window(int Pos)
    {
        if (!FFinder || Pos - 1 < FFrom || Pos + 1 > FTo) {
            int from = qMax(0, Pos - 1);
            while (from > 0 && Pos - from < 64 && !Plain(from))
                --from;
            FFrom = from;
            FTo = int(qMin<qsizetype>(FText.size(), Pos + 64));
            FFinder.emplace(QTextBoundaryFinder::Grapheme, FText.mid(FFrom, FTo - FFrom));
        }
        return *FFinder;
    }

    const QString& FText;
    int FFrom = 0, FTo = 0;
    std::optional<QTextBoundaryFinder> FFinder;
};

// DrawText's measuring of a piece into R: Right and Bottom follow from its top-left corner.
void MeasureInto(const QFont& Font, const QString& Text, TRect& R, uint Flags)
{
    QRect q(R.Left, R.Top, 0, 0);
    DrawText(nullptr, Font, Text, q, Flags | DT_CALCRECT);
    R.Right = R.Left + q.width();
    R.Bottom = R.Top + q.height();
}

// Text that DrawText measures as one line whose width is TextWidth's. Checked in blocks without
// early exits inside, which the compiler vectorises: long captions pass here whole.
bool IsOneLine(const QString& Text)
{
    const char16_t* p = reinterpret_cast<const char16_t*>(Text.constData());
    const qsizetype n = Text.size();
    for (qsizetype i = 0; i < n; i += 256) {
        const qsizetype e = qMin(n, i + 256);
        bool other = false;
        for (qsizetype k = i; k < e; ++k)
            other |= (p[k] < 0x20) | (p[k] == 0x9c);
        if (other)
            return false;
    }
    return true;
}

// The font index a segment puts on the surface (plain, bold, underline, italic, link); a line
// break keeps the one before.
int FontOf(TVxCaptionSegmentKind Kind)
{
    switch (Kind) {
    case skBold: return 1;
    case skUnderline: return 2;
    case skItalic: return 3;
    case skLink: return 4;
    default: return 0;
    }
}

TVxCaptionSegmentKind KindOf(const TVxCaptionLayoutInput& In, int Index)
{
    if (In.Kinds && size_t(Index) < In.Kinds->size())
        return (*In.Kinds)[size_t(Index)];
    const QString& segment = In.Segments->at(Index);
    if (segment == NewLineMarker)
        return skNewLine;
    if (segment.startsWith(BoldMarker))
        return skBold;
    if (segment.startsWith(UnderlineMarker))
        return skUnderline;
    if (segment.startsWith(ItalicMarker))
        return skItalic;
    if (segment.startsWith(LinkMarker))
        return skLink;
    return skPlain;
}

// The text a segment of the given kind shows.
QString PieceText(const TVxCaptionLayoutInput& In, int Index, TVxCaptionSegmentKind Kind)
{
    const QString& segment = In.Segments->at(Index);
    switch (Kind) {
    case skBold: return segment.mid(BoldMarker.size());
    case skUnderline: return segment.mid(UnderlineMarker.size());
    case skItalic: return segment.mid(ItalicMarker.size());
    case skLink: return In.LinkText;
    default: return segment;
    }
}

// The fonts a piece can take, by FontOf's index, and a measurer for each; both are made on
// first use. Line heights known from Facts are taken without making the font.
class CaptionFonts {
public:
    CaptionFonts(const TVxCaptionLayoutInput& In, const TVxCaptionFacts* Facts) : FIn(In), FFacts(Facts)
    {
        FFonts[0] = In.Font;
        FFonts[4] = In.LinkFont;
    }

    const TFont& Font(int Index)
    {
        if (!FFonts[Index]) {
            TFont& variant = FVariants[Index - 1].emplace(*FIn.Font);
            TFontStyles styles = variant.Style();
            styles.Include(Index == 1 ? fsBold : Index == 2 ? fsUnderline : fsItalic);
            variant.SetStyle(styles);
            FFonts[Index] = &variant;
        }
        return *FFonts[Index];
    }
    TextMeasurer& Measurer(int Index)
    {
        if (!FMeasurers[Index]) {
            const int known = FFacts ? FFacts->LineHeights[size_t(Index)] : 0;
            FMeasurers[Index] = std::make_unique<TextMeasurer>(Font(Index), known);
        }
        return *FMeasurers[Index];
    }

private:
    const TVxCaptionLayoutInput& FIn;
    const TVxCaptionFacts* FFacts;
    const TFont* FFonts[5] = {};
    std::optional<TFont> FVariants[3];
    std::unique_ptr<TextMeasurer> FMeasurers[5];
};

} // namespace

int FitPrefix(const QFont& Font, const QString& Text, int From, int Count, int Avail)
{
    TextMeasurer measurer(Font);
    return measurer.Fit(Text, From, Count, Avail);
}

TVxCaptionFacts MeasureCaptionFacts(const TVxCaptionLayoutInput& In)
{
    CaptionFonts fonts(In, nullptr);
    TVxCaptionFacts facts;
    const int segmentCount = int(In.Segments->size());
    facts.Pieces.resize(size_t(segmentCount));
    // The surface starts with the plain font; a line break measures the one it holds.
    facts.LineHeights[0] = fonts.Measurer(0).LineHeight();
    for (int index = 0; index < segmentCount; ++index) {
        const TVxCaptionSegmentKind kind = KindOf(In, index);
        if (kind == skNewLine)
            continue;
        const int font = FontOf(kind);
        TextMeasurer& m = fonts.Measurer(font);
        facts.LineHeights[size_t(font)] = m.LineHeight();
        const QString src = PieceText(In, index, kind);
        const int n = int(src.size());
        if (n > 0 && IsOneLine(src)) {
            TVxCaptionFacts::Piece& piece = facts.Pieces[size_t(index)];
            piece.Measured = true;
            piece.Width = m.Width(src, 0, n);
            piece.AdvanceReach = m.AdvanceReach(src, 0, n);
        }
    }
    return facts;
}

TVxCaptionLayoutResult ArrangeCaption(const TVxCaptionLayoutInput& In, TVxLinkRects& LinkRects)
{
    TVxCaptionLayoutResult result;
    const int width = In.Width;
    const bool leftToRight = In.BiDiMode == bdLeftToRight;
    const bool quick = leftToRight && !In.Paint && !In.CollectRuns;
    // Facts only spare measurements; they are not read where pieces are drawn or collected.
    const TVxCaptionFacts* facts =
        quick && In.Facts && In.Facts->Pieces.size() == size_t(In.Segments->size()) ? In.Facts : nullptr;
    CaptionFonts fonts(In, facts);
    auto measurer = [&](int Index) -> TextMeasurer& { return fonts.Measurer(Index); };
    int surface = 0; // the font the surface holds

    auto addRun = [&](const QString& Text, const TRect& R, uint Flags) {
        if (In.CollectRuns)
            result.Runs.push_back({Text, fonts.Font(surface), R, Flags});
    };

    if (In.BiDiMode == bdRightToLeft) {
        // Right to left is left to right mirrored: the same markup, links and line breaks, lines
        // starting at the right edge and pieces following leftwards; each piece reads right to
        // left, so Qt's bidirectional layout orders its characters.
        TVxCaptionLayoutInput leftToRight = In;
        leftToRight.BiDiMode = bdLeftToRight;
        leftToRight.Control = nullptr;
        TVxLinkRects rects;
        TVxCaptionLayoutResult mirrored = ArrangeCaption(leftToRight, rects);
        // A first line cut after its measuring keeps the width of the whole piece and may pass
        // the right edge; mirrored, that part would lie left of 0, where nothing is drawn
        // (pieces are drawn against their right edge).
        const auto mirror = [width](TRect R) {
            const int left = qMax(0, width - R.Right);
            R.Right = width - R.Left;
            R.Left = qMin(left, R.Right);
            return R;
        };
        for (TVxCaptionRun& run : mirrored.Runs) {
            run.Rect = mirror(run.Rect);
            run.Flags = (run.Flags & ~uint(DT_CENTER)) | DT_RIGHT | DT_RTLREADING;
        }
        for (int i = 0; i < rects.Count(); ++i)
            LinkRects.Add(mirror(rects.GetItem(i).FRect));
        return mirrored;
    }

    const int offX = In.OffSet.x();
    TRect P{offX, In.OffSet.y(), 0, In.OffSet.y()};
    TRect D = P;
    int W = 0;
    uint drawFlags = DT_NOPREFIX | DT_EXPANDTABS;
    uint measureFlags = DT_NOPREFIX | DT_EXPANDTABS | DT_CALCRECT;
    int& required = result.RequiredHeight;
    const QStringList& segments = *In.Segments;
    const int segmentCount = int(segments.size());
    auto kindOf = [&](int Index) { return KindOf(In, Index); };
    auto fontOf = [](TVxCaptionSegmentKind Kind) { return FontOf(Kind); };
    // Measuring may stop once the height passes the limit: the caller caps it there, so what
    // follows cannot change the result, only the font the surface ends with, taken from the
    // last segment below.
    const bool stopEarly = quick && In.MeasureLimit > 0;

    for (int index = 0; index < segmentCount; ++index) {
        if (stopEarly && required > In.MeasureLimit) {
            for (int last = segmentCount - 1; last >= index; --last) {
                if (kindOf(last) != skNewLine) {
                    surface = fontOf(kindOf(last));
                    break;
                }
            }
            break;
        }
        const TVxCaptionSegmentKind kind = kindOf(index);
        if (kind == skNewLine) {
            P.Right = 0;
            D.Left = offX;
            D.Right = 0;
            const int h = measurer(surface).LineHeight(); // of the sample text
            D.Top += h;
            required += h;
            W = 0;
            continue;
        }
        const QString src = PieceText(In, index, kind);
        const bool isLink = kind == skLink;
        surface = fontOf(kind);
        TextMeasurer& m = measurer(surface);
        m.Forget();
        const int n = int(src.size());
        const int lineHeight = m.LineHeight();
        ClusterCuts cuts(src);
        // The piece to draw is src[0, pieceEnd); the tail is src[tailStart, n).
        int pieceEnd = n;
        int tailStart = n;
        auto pieceText = [&] { return pieceEnd == n ? src : src.left(pieceEnd); };

        if (In.Control)
            measureFlags = In.Control->DrawTextBiDiModeFlags(measureFlags);
        const TFont& pieceFont = fonts.Font(surface);
        const TFontStyles style = pieceFont.Style();
        const int overhang = style.Contains(fsItalic) && (style.Contains(fsBold) || pieceFont.Size() > 8) ? 3 : 0;
        const bool hasCr = src.contains(u'\r');
        // Measuring a one-line piece (no line breaks, no tabs, nothing to draw): the prefix that
        // fits the rest of the line tells whether it overflows, and the width of a piece that
        // overflows is never read again, so long paragraphs are not measured as a whole.
        int fitted = -1;
        const bool oneLine = quick && IsOneLine(src);
        if (oneLine && n > 0 && D.Left + overhang >= 0) {
            const int avail = width - P.Right;
            const TVxCaptionFacts::Piece* known = facts ? &facts->Pieces[size_t(index)] : nullptr;
            if (known && known->Measured && known->AdvanceReach <= avail && known->Width <= avail) {
                // What the fitting below finds for a piece that fits: its estimate takes every
                // character, and the whole piece measured is the one measurement made.
                m.Remember(0, n, known->Width);
                D.Right = D.Left + known->Width;
            } else {
                fitted = cuts.Fit(m, 0, n, avail);
                if (fitted < n) {
                    D.Right = D.Left + avail + 1; // overflows; not read again
                } else {
                    fitted = -1;
                    const std::optional<int> whole = m.LastWidth(0, n);
                    D.Right = D.Left + (whole ? *whole : m.Width(src, 0, n));
                }
            }
            D.Bottom = D.Top + lineHeight;
        } else {
            MeasureInto(m.Font(), src, D, measureFlags);
        }
        W += D.Right - D.Left;
        D.Right += overhang;
        if (hasCr && src.startsWith(CrLf)) {
            P.Right = 0;
            W = 0;
        }
        const bool overflow = leftToRight ? P.Right + D.Right > width : W > width;
        if (overflow) {
            if (pieceEnd > 0) {
                pieceEnd = fitted >= 0 ? cuts.Floor(0, fitted) : cuts.Fit(m, 0, pieceEnd, width - P.Right);
                tailStart = pieceEnd;
                if (pieceEnd > 0) {
                    const int keptEnd = pieceEnd;
                    while (pieceEnd > 0 && (src.at(pieceEnd - 1) != u' ' || !cuts.IsBoundary(pieceEnd)))
                        --pieceEnd;
                    tailStart = pieceEnd;
                    if (pieceEnd == 0) {
                        if (P.Right != 0) {
                            P.Top += lineHeight;
                            required += lineHeight;
                            P.Right = 0;
                        } else {
                            pieceEnd = tailStart = keptEnd; // the word is broken inside
                        }
                    }
                }
                W = 0;
            }
            if (hasCr && src.left(pieceEnd).contains(CrLf)) {
                P.Top += lineHeight;
                required += lineHeight;
                P.Right = 0;
                W = 0;
            }
        }
        const bool pieceHasCrLf = hasCr && src.left(pieceEnd).contains(CrLf);
        if (pieceHasCrLf) {
            D.Left = offX;
            W = 0;
        } else {
            D.Left = leftToRight ? P.Right : width - W;
        }
        D.Right += D.Left;
        const bool hasTail = tailStart < n;
        if (hasTail) {
            while (pieceEnd > 0 && src.at(pieceEnd - 1) <= u' ')
                --pieceEnd;
        }
        if (D.Left == 0 && offX != 0)
            D.Left = offX;
        if (In.Paint && !hasTail && segmentCount == 1) {
            drawFlags |= DT_VCENTER | DT_SINGLELINE;
            D.Top = 0;
            D.Bottom = In.Height;
        }
        if (In.Control) {
            measureFlags = In.Control->DrawTextBiDiModeFlags(measureFlags);
            drawFlags = In.Control->DrawTextBiDiModeFlags(drawFlags);
        }
        addRun(pieceText(), D, drawFlags);
        W += D.Right - D.Left;
        if (isLink && In.Paint)
            LinkRects.Add(D);

        if (hasTail && P.Top > D.Top)
            D.Top = P.Top;
        int pieceStart = 0;
        while (tailStart < n) {
            if (stopEarly && required > In.MeasureLimit)
                break; // nothing reads the rest
            D.Top += lineHeight;
            required += lineHeight;
            pieceStart = tailStart;
            pieceEnd = pieceStart + cuts.Fit(m, pieceStart, n - pieceStart, width);
            if (pieceEnd == pieceStart) // nothing fits: one character per line rather than no progress
                pieceEnd = cuts.Next(pieceStart);
            tailStart = pieceEnd;
            if (src.at(pieceEnd - 1) != u' ' && tailStart < n && src.at(tailStart) != u' ') {
                int e = pieceEnd;
                while (e > pieceStart && (src.at(e - 1) != u' ' || !cuts.IsBoundary(e)))
                    --e;
                if (e > pieceStart)
                    pieceEnd = tailStart = e;
            }
            D.Bottom = D.Top;
            D.Left = offX;
            // Only the last line's rectangle is read again when nothing is drawn.
            if (quick && tailStart < n)
                continue;
            const QString piece = src.mid(pieceStart, pieceEnd - pieceStart);
            // The fitting just measured this piece when it is the whole rest of a one-line text.
            const std::optional<int> known =
                quick && tailStart == n && oneLine ? m.LastWidth(pieceStart, pieceEnd - pieceStart) : std::nullopt;
            if (known) {
                D.Right = D.Left + *known;
                D.Bottom = D.Top + (piece.isEmpty() ? 0 : lineHeight);
            } else {
                MeasureInto(m.Font(), piece, D, measureFlags);
            }
            int shift = 0;
            if (!leftToRight) {
                shift = D.Right - D.Left;
                D.Left = width - shift;
                D.Right = width;
            }
            addRun(piece, D, drawFlags);
            W += shift;
            if (isLink && In.Paint)
                LinkRects.Add(D);
        }

        P = D;
        if (P.Right - 5 >= width)
            required += lineHeight;
        if (hasCr && src.mid(pieceStart, pieceEnd - pieceStart).contains(CrLf)) {
            P.Top += lineHeight;
            required += lineHeight;
            P.Right = 0;
        }
        D = TRect{0, P.Top, 0, P.Top};
    }
    result.SampleLineHeight = measurer(surface).LineHeight();
    return result;
}
