#pragma once
// The geometry of a caption: where each piece of text goes, where the link was put and how high
// the text runs. Draws nothing, so it is testable without a window.

#include "VxCaption.h"

#include <QFontMetrics>

// One piece of text to draw.
struct TVxCaptionRun {
    QString Text;
    TFont Font;
    TRect Rect;
    uint Flags = 0;
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
};

struct TVxCaptionLayoutResult {
    std::vector<TVxCaptionRun> Runs;
    int RequiredHeight = 0;
    // Line height of the sample text in the font the layout ended with.
    int SampleLineHeight = 0;
};

// Lays out the segments; link rectangles go to LinkRects (which the caller has cleared).
TVxCaptionLayoutResult ArrangeCaption(const TVxCaptionLayoutInput& Input, TVxLinkRects& LinkRects);

// The number of leading characters of Text[From .. From + Count) that remain after dropping
// characters from the end one at a time while TextWidth of the rest exceeds Avail: the longest
// prefix whose width is at most Avail (0 when none). Prefix widths grow with the length, so the
// answer is found from an estimate and a few exact measurements instead of one per character.
int FitPrefix(const QFont& Font, const QString& Text, int From, int Count, int Avail);
