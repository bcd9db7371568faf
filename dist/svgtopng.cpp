// Build tool: renders the scalable application icon into the fixed-size PNGs the icon theme
// wants beside it ("svgtopng ICON.svg SIZE OUT.png").
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: svgtopng ICON.svg SIZE OUT.png\n");
        return 2;
    }
    // Painting an image needs no display; the offscreen platform keeps a build machine's
    // missing DISPLAY out of the way.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    bool ok = false;
    const int size = QByteArray(argv[2]).toInt(&ok);
    if (!svg.isValid() || !ok || size < 1 || size > 1024) {
        std::fprintf(stderr, "svgtopng: cannot render %s at %s pixels\n", argv[1], argv[2]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter, QRectF(0, 0, size, size));
    }
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "svgtopng: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
