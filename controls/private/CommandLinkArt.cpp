#include "CommandLinkArt_p.h"

#include "StockIcons.h"

#include <QHash>
#include <QMutex>
#include <QPainter>
#include <QSvgRenderer>

namespace {
QMutex cacheLock;
QHash<quint64, QImage> cache;
} // namespace

const char* CommandLinkArrowName(TVxCommandLinkArrow Arrow)
{
    switch (Arrow) {
    case claCold:
        return "ZVXD_CLBCOLD";
    case claHot:
        return "ZVXD_CLBHOT";
    case claDown:
        return "ZVXD_CLBDOWN";
    case claDisabled:
        return "ZVXD_CLBDISABLED";
    }
    return "ZVXD_CLBCOLD";
}

QImage CommandLinkArrowImage(TVxCommandLinkArrow Arrow, int PixelSize)
{
    if (PixelSize < 1)
        return {};
    const quint64 key = (quint64(Arrow) << 32) | quint32(PixelSize);
    QMutexLocker locker(&cacheLock);
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    QSvgRenderer renderer(QStringLiteral(":/commandlink/%1.svg").arg(QLatin1String(CommandLinkArrowName(Arrow))));
    QImage image(PixelSize, PixelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (renderer.isValid()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, PixelSize, PixelSize));
    }
    // A screen has few scales; odd sizes are not kept so the cache stays small.
    if (PixelSize <= 256 && cache.size() < 64)
        cache.insert(key, image);
    return image;
}

QImage CommandLinkShieldImage(int PixelSize) { return LoadStockIcon(StockIconShield, PixelSize); }
