#pragma once
// A toolbar icon drawn from two SVG files (enabled and disabled look), rendered only when a look
// is first needed: start-up then renders just the looks the toolbar shows.

#include <QIconEngine>
#include <QPixmap>
#include <QString>

class TSvgIconEngine : public QIconEngine {
public:
    TSvgIconEngine(QString NormalPath, QString DisabledPath, QSize Size);
    void paint(QPainter* Painter, const QRect& Rect, QIcon::Mode Mode, QIcon::State State) override;
    QPixmap pixmap(const QSize& Size, QIcon::Mode Mode, QIcon::State State) override;
    QSize actualSize(const QSize& Size, QIcon::Mode Mode, QIcon::State State) override;
    QIconEngine* clone() const override;
    QList<QSize> availableSizes(QIcon::Mode Mode, QIcon::State State) override;

private:
    QString FNormalPath;
    QString FDisabledPath;
    QSize FSize;
    QPixmap FNormal;
    QPixmap FDisabled;
};
