#include "StockIcons.h"

#include "Picture.h"

#include <QHash>
#include <QMutex>
#include <QPainter>
#include <QSvgRenderer>

namespace {

const char* artworkFor(int resourceId)
{
    switch (resourceId) {
    case StockIconWarning:
        return ":/icons/warning.svg";
    case StockIconQuestion:
        return ":/icons/question.svg";
    case StockIconError:
        return ":/icons/error.svg";
    case StockIconInformation:
        return ":/icons/information.svg";
    case StockIconShield:
        return ":/icons/shield.svg";
    }
    return nullptr;
}

// Painting asks for the same few icons over and over; rendering the artwork each time would
// parse it each time.
QMutex cacheLock;
QHash<quint64, QImage> cache;

} // namespace

bool IsStockIcon(int ResourceId)
{
    return artworkFor(ResourceId) != nullptr;
}

QImage LoadStockIcon(int ResourceId, int Size)
{
    const char* artwork = artworkFor(ResourceId);
    if (!artwork || Size < 1)
        return {};

    const quint64 key = (quint64(quint32(ResourceId)) << 32) | quint32(Size);
    QMutexLocker locker(&cacheLock);
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;

    QSvgRenderer renderer{QString::fromLatin1(artwork)};
    QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (renderer.isValid()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, Size, Size));
    }
    // Only the usual sizes are kept; odd sizes are rare and would let the cache grow unbounded.
    if (Size <= 256 && cache.size() < 64)
        cache.insert(key, image);
    return image;
}

std::unique_ptr<TIcon> CreateStockIcon(int ResourceId, int Size)
{
    auto icon = std::make_unique<TIcon>();
    const QImage image = LoadStockIcon(ResourceId, Size);
    if (!image.isNull())
        icon->SetImage(image);
    return icon;
}
