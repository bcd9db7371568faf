#include "VxImageList.h"

#include <QPainter>

TVxImageList::TVxImageList(int Width, int Height, QObject* Parent)
    : QObject(Parent), FWidth(qMax(0, Width)), FHeight(qMax(0, Height))
{
}

int TVxImageList::Add(const QImage& Image)
{
    QImage image = Image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull() && image.size() != Size() && FWidth > 0 && FHeight > 0)
        image = image.scaled(Size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    FImages.append(image);
    emit changed();
    return int(FImages.size()) - 1;
}

void TVxImageList::Clear()
{
    if (FImages.isEmpty())
        return;
    FImages.clear();
    emit changed();
}

QImage TVxImageList::Image(int Index) const
{
    if (Index < 0 || Index >= FImages.size())
        return {};
    return FImages.at(Index);
}

void TVxImageList::Draw(QPainter& Painter, int X, int Y, int Index, bool Enabled) const
{
    const QImage image = Image(Index);
    if (image.isNull())
        return;
    if (Enabled) {
        Painter.drawImage(QPoint(X, Y), image);
        return;
    }
    QImage grey = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int g = qGray(line[x]);
            line[x] = qRgba(g, g, g, qAlpha(line[x]));
        }
    }
    Painter.save();
    Painter.setOpacity(Painter.opacity() * 0.5);
    Painter.drawImage(QPoint(X, Y), grey);
    Painter.restore();
}
