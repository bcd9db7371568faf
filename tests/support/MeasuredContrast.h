#pragma once
// Contrast of text measured on a picture: the most frequent colour of an area is what the text
// stands on; the pixel that stands out most from it is the text at full strength (the middle of
// a stem, where anti-aliasing leaves the pen's own colour).

#include "TextContrast.h"

#include <QHash>
#include <QImage>
#include <QRect>

inline double MeasuredTextContrast(const QImage& Picture, const QRect& Area, QColor* Background = nullptr,
                                   QColor* Text = nullptr)
{
    const QImage image = Picture.convertToFormat(QImage::Format_RGB32);
    const QRect area = Area.intersected(image.rect());
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb mode = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            mode = it.key();
        }
    double best = 1;
    QRgb text = mode;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double ratio = ContrastRatio(QColor(it.key()), QColor(mode));
        if (ratio > best) {
            best = ratio;
            text = it.key();
        }
    }
    if (Background)
        *Background = QColor(mode);
    if (Text)
        *Text = QColor(text);
    return best;
}
