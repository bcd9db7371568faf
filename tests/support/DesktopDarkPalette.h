#pragma once
// A dark desktop palette for the tests, unlike the render command's dark look, so what is drawn
// is seen to follow whatever palette the desktop gives.

#include <QPalette>

inline QPalette DesktopDarkPalette()
{
    QPalette p;
    const QColor window(0x31, 0x36, 0x3B), base(0x23, 0x26, 0x29), text(0xEF, 0xF0, 0xF1);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Light, QColor(0x47, 0x4D, 0x54));
    p.setColor(QPalette::Midlight, QColor(0x3C, 0x42, 0x48));
    p.setColor(QPalette::Mid, QColor(0x2A, 0x2E, 0x32));
    p.setColor(QPalette::Dark, QColor(0x1B, 0x1E, 0x20));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Highlight, QColor(0x3D, 0xAE, 0xE9));
    p.setColor(QPalette::HighlightedText, text);
    p.setColor(QPalette::Link, QColor(0x1D, 0x99, 0xF3));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x6E, 0x71, 0x75));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x6E, 0x71, 0x75));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x6E, 0x71, 0x75));
    return p;
}
