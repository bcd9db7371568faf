#pragma once
// Our vector artwork for the check box and the expand/collapse toggle, rendered at the size and
// device pixel ratio asked, so the pictures stay crisp on high-resolution screens.

#include <QImage>
#include <QSize>
#include <QString>

// The SVG resource ResourcePath drawn into Size device-independent pixels at DevicePixelRatio
// (the image has Size * DevicePixelRatio pixels and carries the ratio). A null image when the
// resource does not exist or is no picture. Results are cached; call from the UI thread only.
QImage RenderControlArt(const QString& ResourcePath, QSize Size, qreal DevicePixelRatio = 1.0);
