#pragma once
// Fonts of the designer's own windows. They name Windows fonts (Tahoma, Segoe UI, Courier New);
// where one is not installed the desktop's sans or monospace font stands in.

#include <QFont>
#include <QString>

// A proportional font of `pixelHeight` pixels (the stored "height -n"): `family` when installed,
// else the desktop's general font family.
QFont DesignerFont(const QString& family, int pixelHeight, bool bold = false);
// A fixed-pitch font: `family` when installed, else the desktop's monospace family.
QFont DesignerFixedFont(const QString& family, int pixelHeight);
