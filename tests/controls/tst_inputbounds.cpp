// Captions of a megabyte: measured and painted with a sane result within a stated memory bound.

#include "../common/PeakMemory.h"

#include "Graphics.h"
#include "VxCaption.h"

#include <QImage>
#include <QPainter>
#include <QTest>

class tst_InputBounds : public QObject {
    Q_OBJECT

private slots:
    void megabyteCaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::newRow("plain words") << QStringLiteral("word ").repeated(200000);
        QTest::newRow("tags") << QStringLiteral("<b>x</b> ").repeated(115000);
        QTest::newRow("unclosed tags") << QStringLiteral("<b><i><u><a ").repeated(85000);
        QTest::newRow("one long word") << QString(1 << 20, QLatin1Char('m'));
        QTest::newRow("line breaks") << QStringLiteral("a\r\n").repeated(350000);
    }

    void megabyteCaption()
    {
        QFETCH(QString, caption);
        peakmemory::Reset();
        const TFont font;
        const int lineHeight = QFontMetrics(font.ToQFont()).height();
        for (const int width : {400, 0, -3}) {
            const int height = TVxCaption::MinimumHeight(nullptr, caption, font, width);
            QVERIFY(width > 0 ? height >= lineHeight : height == 0);
        }
        QImage image(400, 300, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        TVxCaption::PaintCaption(&painter, caption, new TVxCaptionBackground(clWhite, nullptr, {}, true, true), font,
                                 TRect{0, 0, 400, 300});
        painter.end();
        // Something was drawn.
        bool inked = false;
        for (int y = 0; y < lineHeight && !inked; ++y)
            for (int x = 0; x < 400 && !inked; ++x)
                inked = image.pixel(x, y) != qRgb(255, 255, 255);
        QVERIFY(inked);
        QVERIFY(peakmemory::PeakWithin(1024));
    }
};

QTEST_MAIN(tst_InputBounds)
#include "tst_inputbounds.moc"
