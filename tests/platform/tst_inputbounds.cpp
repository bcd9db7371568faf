// Hostile input to the platform readers: each finishes with an error or a sane result, and its
// peak memory stays within a stated bound.

#include "../common/PeakMemory.h"

#include "DrawText.h"
#include "Graphics.h"
#include "IniFile.h"
#include "Picture.h"
#include "RtfReader.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QtEndian>

namespace {

// The bound every case here keeps, the input itself and the test process included.
constexpr qint64 MaxPeakMiB = 1024;

QByteArray BmpHeader(qint32 width, qint32 height)
{
    QByteArray bmp("BM");
    const auto put32 = [&bmp](quint32 v) {
        const quint32 le = qToLittleEndian(v);
        bmp.append(reinterpret_cast<const char*>(&le), 4);
    };
    const auto put16 = [&bmp](quint16 v) {
        const quint16 le = qToLittleEndian(v);
        bmp.append(reinterpret_cast<const char*>(&le), 2);
    };
    put32(54 + 16); // file size as the header claims it
    put32(0);
    put32(54);
    put32(40);
    put32(quint32(width));
    put32(quint32(height));
    put16(1);
    put16(24);
    put32(0);
    put32(0);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    bmp.append(16, '\x7f'); // a few pixels, far fewer than claimed
    return bmp;
}

QByteArray PngHeader(quint32 width, quint32 height)
{
    QByteArray ihdr;
    const auto put32be = [&ihdr](quint32 v) {
        const quint32 be = qToBigEndian(v);
        ihdr.append(reinterpret_cast<const char*>(&be), 4);
    };
    put32be(width);
    put32be(height);
    ihdr.append("\x08\x06\x00\x00\x00", 5);
    const QByteArray chunk = QByteArray("IHDR") + ihdr;
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    const quint32 len = qToBigEndian(quint32(ihdr.size()));
    png.append(reinterpret_cast<const char*>(&len), 4);
    png.append(chunk);
    png.append(4, '\0'); // the checksum is wrong too
    return png;
}

} // namespace

class tst_InputBounds : public QObject {
    Q_OBJECT

private slots:
    void rtfNestedDeep()
    {
        const int depth = 100000;
        const QByteArray rtf = "{\\rtf1 " + QByteArray("{\\b ").repeated(depth) + "deep" +
                               QByteArray("}").repeated(depth) + " after}";
        peakmemory::Reset();
        QTextDocument document;
        QVERIFY(ReadRtf(rtf, document));
        const QString text = document.toPlainText();
        QVERIFY2(text.contains(QLatin1String("deep")) && text.contains(QLatin1String("after")), qPrintable(text.left(80)));
        qInfo("RTF nested %d deep: peak %lld MiB", depth, peakmemory::PeakMiB());
        QVERIFY(peakmemory::PeakWithin(MaxPeakMiB));
    }

    void rtfFiftyMegabytes()
    {
        // 50 MB that a reader must pass over (a destination nobody shows), then a little text.
        const QByteArray rtf = "{\\rtf1 {\\*\\unknowndest " + QByteArray("0123456789abcdef").repeated(50 * 65536) +
                               "} shown\\par}";
        peakmemory::Reset();
        QTextDocument document;
        QVERIFY(ReadRtf(rtf, document));
        QCOMPARE(document.toPlainText().trimmed(), QStringLiteral("shown"));
        qInfo("RTF of %lld MB: peak %lld MiB", qint64(rtf.size() >> 20), peakmemory::PeakMiB());
        QVERIFY(peakmemory::PeakWithin(MaxPeakMiB));
    }

    void pictureHeaderClaimsTwoGigapixels_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QByteArray>("data");
        // 65,536 x 32,768 = 2^31 pixels.
        QTest::newRow("bitmap") << QStringLiteral("TBitmap") << BmpHeader(65536, 32768);
        QTest::newRow("bitmap, top down") << QStringLiteral("TBitmap") << BmpHeader(65536, -32768);
        QTest::newRow("png") << QStringLiteral("TPngImage") << PngHeader(65536, 32768);
    }

    void pictureHeaderClaimsTwoGigapixels()
    {
        QFETCH(QString, className);
        QFETCH(QByteArray, data);
        peakmemory::Reset();
        const std::unique_ptr<TGraphic> graphic = CreateGraphic(className);
        QVERIFY(graphic);
        QVERIFY_THROWS_EXCEPTION(EInvalidGraphic, graphic->LoadFromBytes(data));
        QVERIFY(peakmemory::PeakWithin(MaxPeakMiB));
    }

    // Every entry of the largest directory an icon may have points at the same picture of four
    // million pixels: only the entry that is shown gets decoded, not 65,535 of them.
    void iconDirectoryOfOnePictureRepeated()
    {
        QImage image(2048, 2048, QImage::Format_ARGB32);
        image.fill(qRgba(10, 200, 30, 128));
        QByteArray png;
        QBuffer buffer(&png);
        QVERIFY(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG"));

        const int count = 65535;
        QByteArray icon("\0\0\1\0\xFF\xFF", 6);
        QByteArray entry("\0\0\0\0\1\0\x20\0", 8);
        const auto put32 = [&entry](quint32 v) {
            const quint32 le = qToLittleEndian(v);
            entry.append(reinterpret_cast<const char*>(&le), 4);
        };
        put32(quint32(png.size()));
        put32(quint32(6 + 16 * count));
        icon += entry.repeated(count) + png;

        peakmemory::Reset();
        TIcon read;
        read.LoadFromBytes(icon);
        QCOMPARE(read.Width(), 2048);
        QCOMPARE(read.SaveToBytes(), icon);
        qInfo("icon of %d entries: peak %lld MiB", count, peakmemory::PeakMiB());
        QVERIFY(peakmemory::PeakWithin(MaxPeakMiB));
    }

    void iniFileWithOneTenMegabyteLine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("one-line.ini"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Color]\r\nFontColor=" + QByteArray(10 << 20, '7') + "\r\n[Other]\r\nKey=1\r\n");
        }
        peakmemory::Reset();
        const TIniFile ini(path);
        QCOMPARE(ini.ReadSections(), (QStringList{"Color", "Other"}));
        QCOMPARE(ini.ReadString(QStringLiteral("Color"), QStringLiteral("FontColor"), QString()).size(), 10 << 20);
        QCOMPARE(ini.ReadInteger(QStringLiteral("Color"), QStringLiteral("FontColor"), -1), -1);
        QCOMPARE(ini.ReadInteger(QStringLiteral("Other"), QStringLiteral("Key"), -1), 1);
        QVERIFY(peakmemory::PeakWithin(MaxPeakMiB));
    }

    void drawTextOfAMegabyte()
    {
        const QString text = QStringLiteral("word ").repeated(200000) + QStringLiteral("last");
        peakmemory::Reset();
        const QFontMetrics metrics(TFont().ToQFont());
        const TDrawTextLayout layout = LayoutDrawText(metrics, text, 300, DT_WORDBREAK);
        QVERIFY(layout.Lines.size() > 1000);
        QCOMPARE(layout.Lines.constLast().Text.right(4), QStringLiteral("last"));
        QVERIFY(peakmemory::PeakWithin(MaxPeakMiB));
    }
};

QTEST_MAIN(tst_InputBounds)
#include "tst_inputbounds.moc"
