#pragma once
// Readable text on dark desktops. Contrast is measured as the web's accessibility guidelines
// measure it: from 1 (the same luminance) to 21 (black on white); body text wants 4.5.

#include "Graphics.h"

#include <QColor>

constexpr double MinimumTextContrast = 4.5;

double RelativeLuminance(const QColor& Color);
double ContrastRatio(const QColor& A, const QColor& B);

// Text itself when it reaches MinimumRatio on Background; otherwise the nearest colour towards
// white or black (whichever stands further from the background) that does.
QColor ReadableOn(const QColor& Text, const QColor& Background, double MinimumRatio = MinimumTextContrast);

// Whether the application's palette puts light text on dark windows.
bool PaletteIsDark();

// The colour to draw Text in on Background (and on Background2, a gradient's other end). In a
// light palette, for which every fixed colour of the dialogs was chosen, and wherever the text
// already reads, Text itself; in a dark palette a colour made readable with ReadableOn.
TColor TextColorOn(TColor Text, TColor Background, TColor Background2 = clNone);
