#include "SvgArt.h"

#include <QPainter>
#include <QSvgRenderer>

QImage RenderSvg(const QString& ResourcePath, const QSize& Size)
{
    QImage image(Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(ResourcePath);
    if (renderer.isValid()) {
        QPainter painter(&image);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(Size)));
    }
    return image;
}
