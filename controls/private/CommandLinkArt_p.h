#pragma once
// The command link's artwork: the four arrows and the elevation shield, rendered from their
// vector drawings at the pixel size asked, so they stay crisp on every screen scale.

#include <QImage>

enum TVxCommandLinkArrow { claCold, claHot, claDown, claDisabled };

// The resource name of an arrow ("ZVXD_CLBCOLD", ...).
const char* CommandLinkArrowName(TVxCommandLinkArrow Arrow);
// The arrow as a PixelSize x PixelSize premultiplied ARGB image; kept once rendered.
QImage CommandLinkArrowImage(TVxCommandLinkArrow Arrow, int PixelSize);
// The elevation shield at PixelSize x PixelSize.
QImage CommandLinkShieldImage(int PixelSize);
