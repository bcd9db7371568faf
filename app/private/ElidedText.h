#pragma once
// Text drawn into a rectangle with a trailing ellipsis where it does not fit, word-wrapped or on
// one line, as the section controls draw their values and placeholders.

#include <QFont>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

// One line, cut with an ellipsis at its end when wider than the rectangle; `Alignment` picks
// horizontal placement, the line is centred vertically.
void DrawSingleLineElided(QPainter& Painter, const QRect& R, const QString& Text, Qt::Alignment Alignment);
// Left-aligned, broken at word boundaries, from the top; the last line that fits ends with an
// ellipsis when text is left over. Clipped to the rectangle.
// The lines DrawWordBreakElided draws into a rectangle of `Size`, top to bottom. Wrapped lines
// keep every word; only the last one that fits can be cut.
QStringList WordBreakElidedLines(const QFont& Font, const QSize& Size, const QString& Text);
void DrawWordBreakElided(QPainter& Painter, const QRect& R, const QString& Text);
