#pragma once
// The program's own SVG artwork rendered at a fixed pixel size with alpha.

#include <QImage>
#include <QString>

// A transparent image of Size when the resource is missing or unreadable.
QImage RenderSvg(const QString& ResourcePath, const QSize& Size);
