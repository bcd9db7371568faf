// Hostile colour files: an error or a sane result, within a stated memory bound.

#include "../common/PeakMemory.h"

#include "SysUtils.h"
#include "VxCommandLinkColors.h"

#include <QTemporaryDir>
#include <QTest>

class tst_InputBounds : public QObject {
    Q_OBJECT

private slots:
    void colourFileOnOneTenMegabyteLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("raises");
        QTest::newRow("one line, no line end") << QByteArray(10 << 20, 'x') << false;
        QTest::newRow("a colour of ten million digits")
            << QByteArray("[Color]\r\nFontColor=") + QByteArray(10 << 20, '9') << true;
        QTest::newRow("a colour name of ten megabytes")
            << QByteArray("[Color]\r\nFontColor=cl") + QByteArray(10 << 20, 'Z') << true;
    }

    void colourFileOnOneTenMegabyteLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, raises);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("colors.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();

        peakmemory::Reset();
        TVxCommandLinkColors colors;
        const TColor before = colors.FontColor();
        if (raises) {
            try {
                colors.LoadFromFile(path);
                QFAIL("a colour that is no number nor name was accepted");
            } catch (const EConvertError& e) {
                // The message names the value without repeating all of it.
                QVERIFY2(e.Message().size() < 1000, qPrintable(e.Message().left(100)));
            }
        } else {
            QVERIFY(colors.LoadFromFile(path));
        }
        QCOMPARE(colors.FontColor(), before);
        QVERIFY(peakmemory::PeakWithin(1024));
    }
};

QTEST_MAIN(tst_InputBounds)
#include "tst_inputbounds.moc"
