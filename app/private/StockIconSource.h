#pragma once
// The standard system icons (warning, question, error, information, shield) by their resource
// numbers, as pixmaps of the requested size.

#include <QPixmap>

// A null pixmap for a number without an icon.
QPixmap StockIconPixmap(int ResourceId, int Size);
