#pragma once
/// A list of equally sized images, drawn in an enabled or a disabled look. Command links take
/// their glyph or picture from one by index. It is a QObject so that a button that uses it notices
/// when it is destroyed and stops using it. \file

#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>

class QPainter;

class TVxImageList : public QObject {
    Q_OBJECT
public:
    explicit TVxImageList(int Width = 16, int Height = 16, QObject* Parent = nullptr);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    QSize Size() const { return QSize(FWidth, FHeight); }
    int Count() const { return int(FImages.size()); }

    /// Adds an image, scaled to the list's size when it has another size; returns its index.
    int Add(const QImage& Image);
    void Clear();
    /// A null image for an index outside 0 .. Count - 1.
    QImage Image(int Index) const;
    /// Draws image Index with its top-left corner at (X, Y); the disabled look is grey and faint.
    /// Nothing for an index outside the list.
    void Draw(QPainter& Painter, int X, int Y, int Index, bool Enabled = true) const;

signals:
    void changed();

private:
    int FWidth;
    int FHeight;
    QList<QImage> FImages;
};
