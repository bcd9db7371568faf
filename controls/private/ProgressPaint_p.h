#pragma once
// Themed drawing of the progress fill and the marquee chunk through the widget's QStyle.

#include "VxProgressBar.h"

class QPainter;
class QRect;
class QWidget;

// The fill (or chunk) element in Rect, tinted for the state like the platform's error and paused
// fills; Overlay adds the moving highlight of a marquee chunk.
void DrawThemedProgressChunk(QPainter& Painter, const QWidget& Bar, const QRect& Rect, TVxProgressBarState State,
                             bool Overlay);
// The track element in Rect; returns the track's content rectangle.
QRect DrawThemedProgressTrack(QPainter& Painter, const QWidget& Bar, const QRect& Rect);
