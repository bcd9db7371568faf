#include "CheckLabelArt_p.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

QImage RenderControlArt(const QString& ResourcePath, QSize Size, qreal DevicePixelRatio)
{
    if (Size.isEmpty() || DevicePixelRatio <= 0)
        return {};
    const QString key =
        QStringLiteral("%1|%2x%3|%4").arg(ResourcePath).arg(Size.width()).arg(Size.height()).arg(DevicePixelRatio);
    static QHash<QString, QImage> cache;
    if (const auto it = cache.constFind(key); it != cache.constEnd())
        return *it;

    QImage image;
    QSvgRenderer renderer(ResourcePath);
    if (renderer.isValid()) {
        const QSize pixels(qRound(Size.width() * DevicePixelRatio), qRound(Size.height() * DevicePixelRatio));
        image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
        }
        image.setDevicePixelRatio(DevicePixelRatio);
    }
    // A few names at a few sizes: the cache stays small, but bound it against odd callers.
    if (cache.size() > 256)
        cache.clear();
    cache.insert(key, image);
    return image;
}
