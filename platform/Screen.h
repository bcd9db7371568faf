#pragma once
/// Screen metrics and the integer scaling every layout uses for sizes given at 96 dots per inch. \file

/// The primary screen's logical resolution in dots per inch (rounded); 96 when there is no GUI
/// application or no screen.
int PixelsPerInch();
/// The primary screen's size in pixels; 0 when there is no screen.
int ScreenWidth();
int ScreenHeight();

/// Number * Numerator / Denominator with a 64-bit intermediate product, rounded to the nearest
/// integer with halves away from zero. -1 when Denominator is 0 or the result does not fit in 32
/// bits.
int MulDiv(int Number, int Numerator, int Denominator);
