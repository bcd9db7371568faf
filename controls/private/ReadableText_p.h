#pragma once
// DrawThemedText on a known background: in a dark palette the text colour is made readable on
// Background (and Background2, a gradient's other end) with TextColorOn.

#include "Graphics.h"

#include <QRect>
#include <QString>

class QPainter;

int DrawThemedText(QPainter* DC, const QString& Text, const TFont& Font, QRect& Rect, uint Flags, TColor Background,
                   TColor Background2 = clNone);
