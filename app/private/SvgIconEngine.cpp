#include "SvgIconEngine.h"

#include "SvgArt.h"

#include <QPainter>

TSvgIconEngine::TSvgIconEngine(QString NormalPath, QString DisabledPath, QSize Size)
    : FNormalPath(std::move(NormalPath)), FDisabledPath(std::move(DisabledPath)), FSize(Size)
{
}

QPixmap TSvgIconEngine::pixmap(const QSize& Size, QIcon::Mode Mode, QIcon::State)
{
    const bool disabled = Mode == QIcon::Disabled;
    QPixmap& cached = disabled ? FDisabled : FNormal;
    if (cached.isNull())
        cached = QPixmap::fromImage(RenderSvg(disabled ? FDisabledPath : FNormalPath, FSize));
    if (Size == FSize || Size.isEmpty())
        return cached;
    return cached.scaled(Size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void TSvgIconEngine::paint(QPainter* Painter, const QRect& Rect, QIcon::Mode Mode, QIcon::State State)
{
    Painter->drawPixmap(Rect, pixmap(Rect.size(), Mode, State));
}

QSize TSvgIconEngine::actualSize(const QSize& Size, QIcon::Mode, QIcon::State)
{
    return FSize.boundedTo(Size);
}

QIconEngine* TSvgIconEngine::clone() const
{
    return new TSvgIconEngine(*this);
}

QList<QSize> TSvgIconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    return {FSize};
}
