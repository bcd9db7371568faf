#pragma once
// The geometry of a caption: where each piece of text goes, where the link was put and how high
// the text runs. Draws nothing, so it is testable without a window.

#include "VxCaption.h"

#include <QFontMetrics>

#include <array>
#include <vector>

// One piece of text to draw.
struct TVxCaptionRun {
    QString Text;
    TFont Font;
    TRect Rect;
    uint Flags = 0;
};

// What measuring a caption needs that does not depend on the width, for one set of segments
// and fonts: the line height of each font a piece takes and, for each one-line piece (no line
// breaks, no tabs), its width and the largest running sum of its character advances. A piece
// whose width and advance sum both fit the rest of its line is placed without measuring; any
// other piece is measured as without facts, so a height with facts equals one without.
struct TVxCaptionFacts {
    struct Piece {
        bool Measured = false;
        int Width = 0;
        qreal AdvanceReach = 0;
    };
    // One per segment, in order.
    std::vector<Piece> Pieces;
    // By font: plain, bold, underline, italic, link; 0 where no piece takes the font.
    std::array<int, 5> LineHeights{};
};

struct TVxCaptionLayoutInput {
    const QStringList* Segments = nullptr;
    // The segments' kinds; without them the kinds are read from the markers.
    const std::vector<TVxCaptionSegmentKind>* Kinds = nullptr;
    QString Caption;
    QString LinkText;
    const TFont* Font = nullptr;
    const TFont* LinkFont = nullptr;
    int Width = 0;
    int Height = 0;
    QPoint OffSet;
    TBiDiMode BiDiMode = bdLeftToRight;
    const TVxBiDiControl* Control = nullptr;
    bool Paint = false;
    // Pieces are collected for drawing only when set.
    bool CollectRuns = false;
    // When only measuring (no paint, no pieces, left to right) and this is above 0, the layout
    // may stop once the required height exceeds it; RequiredHeight is then only known to be
    // above the limit.
    int MeasureLimit = 0;
    // Facts from MeasureCaptionFacts for the same segments, link text and fonts; read only when
    // measuring left to right (no paint, no pieces).
    const TVxCaptionFacts* Facts = nullptr;
};

struct TVxCaptionLayoutResult {
    std::vector<TVxCaptionRun> Runs;
    int RequiredHeight = 0;
    // Line height of the sample text in the font the layout ended with.
    int SampleLineHeight = 0;
};

// The facts of Input's segments in Input's fonts (its width and the rest are not read).
TVxCaptionFacts MeasureCaptionFacts(const TVxCaptionLayoutInput& Input);

// Lays out the segments; link rectangles go to LinkRects (which the caller has cleared).
TVxCaptionLayoutResult ArrangeCaption(const TVxCaptionLayoutInput& Input, TVxLinkRects& LinkRects);

// The number of leading characters of Text[From .. From + Count) that remain after dropping
// characters from the end one at a time while TextWidth of the rest exceeds Avail: the longest
// prefix whose width is at most Avail (0 when none). Prefix widths grow with the length, so the
// answer is found from an estimate and a few exact measurements instead of one per character.
int FitPrefix(const QFont& Font, const QString& Text, int From, int Count, int Avail);
