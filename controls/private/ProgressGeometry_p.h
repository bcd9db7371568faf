#pragma once
// Geometry of the painted progress bar and its marquee, without painting.

#include "ControlTypes.h"

// The platform version the controls behave as: visual styles and taskbar progress of 6.1, so the
// marquee chunk is 60 pixels and the inset is 1 pixel.
constexpr int ProgressPlatformMajorVersion = 6;
constexpr int ProgressPlatformMinorVersion = 1;

// The inset of the fill and of the marquee chunk from the bar's edge.
int ProgressInset(bool Themed);

// The fill rectangle of a Width x Height bar (before a themed fill grows it by 1 on every side).
// Max <= 0 fills the whole inset rectangle; a Position above Max gives a fill longer than the
// track. Right is just outside, as on the platform; the fill is empty when Right <= Left.
TRect ProgressFillRect(int Width, int Height, int Max, int Position, int Inset);

// One frame of the marquee: the chunk rectangle for animation position X, and X for the next
// frame. ContentRect is the track's content rectangle when themed, nullptr otherwise.
struct TVxMarqueeStep {
    TRect Chunk;
    int NextX;
};
TVxMarqueeStep MarqueeStep(const TRect& ClientRect, int ChunkWidth, int Offset, int X, TRect Rect,
                           const TRect* ContentRect);
