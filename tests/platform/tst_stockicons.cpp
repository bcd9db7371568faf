#include "Picture.h"
#include "StockIcons.h"

#include <QColor>
#include <QTest>

#include <array>

namespace {

struct Survey {
    int visible = 0;         // alpha of at least 200
    std::array<int, 36> hue{}; // visible, clearly coloured pixels in 10-degree buckets
    int white = 0;
    int dark = 0;
    int whiteRightOfCentre = 0;
};

Survey survey(const QImage& image)
{
    Survey s;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            const QColor c = QColor::fromRgba(argb.pixel(x, y));
            if (c.alpha() < 200)
                continue;
            ++s.visible;
            if (c.hsvSaturationF() >= 0.35 && c.valueF() >= 0.3)
                ++s.hue[c.hsvHue() / 10];
            if (c.hsvSaturationF() < 0.15 && c.valueF() > 0.9) {
                ++s.white;
                if (x >= argb.width() * 5 / 8)
                    ++s.whiteRightOfCentre;
            }
            if (c.valueF() < 0.3)
                ++s.dark;
        }
    return s;
}

// Centre of the most frequent 10-degree bucket.
int dominantHue(const Survey& s)
{
    int best = 0;
    for (int i = 1; i < 36; ++i)
        if (s.hue[i] > s.hue[best])
            best = i;
    return best * 10 + 5;
}

int hueCount(const Survey& s, int from, int to)
{
    int n = 0;
    for (int i = 0; i < 36; ++i)
        if (i * 10 + 5 >= from && i * 10 + 5 <= to)
            n += s.hue[i];
    return n;
}

} // namespace

class TestStockIcons : public QObject {
    Q_OBJECT

private slots:
    void iconsAtTheUsualSizes_data();
    void iconsAtTheUsualSizes();
    void shieldHasFourColours_data();
    void shieldHasFourColours();
    void questionAndInformationDiffer();
    void anyPositiveSize();
    void unknownNumbersAndSizes();
    void iconGraphic();
};

void TestStockIcons::iconsAtTheUsualSizes_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("hueFrom");
    QTest::addColumn<int>("hueTo");
    QTest::addColumn<bool>("darkSymbol"); // else a white one

    struct Row {
        const char* name;
        int id, hueFrom, hueTo;
        bool dark;
    };
    const Row rows[] = {{"warning", StockIconWarning, 35, 60, true},
                        {"question", StockIconQuestion, 200, 225, false},
                        {"error", StockIconError, 0, 15, false},
                        {"information", StockIconInformation, 200, 225, false}};
    for (const Row& row : rows)
        for (int size : {16, 24, 32})
            QTest::addRow("%s %d", row.name, size) << row.id << size << row.hueFrom << row.hueTo << row.dark;
}

void TestStockIcons::iconsAtTheUsualSizes()
{
    QFETCH(int, id);
    QFETCH(int, size);
    QFETCH(int, hueFrom);
    QFETCH(int, hueTo);
    QFETCH(bool, darkSymbol);

    const QImage icon = LoadStockIcon(id, size);
    QCOMPARE(icon.size(), QSize(size, size));
    QCOMPARE(icon.format(), QImage::Format_ARGB32_Premultiplied);
    // A shape on a transparent ground, not a filled square.
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(size - 1, 0)), 0);

    const Survey s = survey(icon);
    QVERIFY2(s.visible >= size * size / 4, qPrintable(QString::number(s.visible)));
    const int hue = dominantHue(s);
    QVERIFY2(hue >= hueFrom && hue <= hueTo, qPrintable(QString::number(hue)));
    // The symbol on the ground is there and takes a fair share of the icon.
    const int symbol = darkSymbol ? s.dark : s.white;
    QVERIFY2(symbol >= size * size / 50, qPrintable(QString::number(symbol)));
}

void TestStockIcons::shieldHasFourColours_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 24, 32})
        QTest::addRow("%d", size) << size;
}

void TestStockIcons::shieldHasFourColours()
{
    QFETCH(int, size);
    const QImage icon = LoadStockIcon(StockIconShield, size);
    QCOMPARE(icon.size(), QSize(size, size));
    QCOMPARE(qAlpha(icon.pixel(0, size - 1)), 0);

    const Survey s = survey(icon);
    const int quarter = size * size / 16;
    QVERIFY(hueCount(s, 0, 15) + hueCount(s, 345, 360) >= quarter); // red
    QVERIFY(hueCount(s, 35, 55) >= quarter);                         // yellow
    QVERIFY(hueCount(s, 100, 150) >= quarter);                       // green
    QVERIFY(hueCount(s, 200, 225) >= quarter);                       // blue
}

void TestStockIcons::questionAndInformationDiffer()
{
    // Same ground; the question mark's hook reaches right of the centre, the "i" does not.
    for (int size : {16, 32}) {
        QVERIFY(survey(LoadStockIcon(StockIconQuestion, size)).whiteRightOfCentre > 0);
        QCOMPARE(survey(LoadStockIcon(StockIconInformation, size)).whiteRightOfCentre, 0);
    }
}

void TestStockIcons::anyPositiveSize()
{
    for (int size : {1, 7, 48, 100}) {
        const QImage icon = LoadStockIcon(StockIconError, size);
        QCOMPARE(icon.size(), QSize(size, size));
    }
    const Survey big = survey(LoadStockIcon(StockIconError, 100));
    QVERIFY(dominantHue(big) <= 15);
}

void TestStockIcons::unknownNumbersAndSizes()
{
    for (int id : {0, 100, 105, 107, -101, 32515}) {
        QVERIFY(LoadStockIcon(id, 32).isNull());
        QVERIFY(!IsStockIcon(id));
    }
    for (int id : {101, 102, 103, 104, 106})
        QVERIFY(IsStockIcon(id));
    QVERIFY(LoadStockIcon(StockIconWarning, 0).isNull());
    QVERIFY(LoadStockIcon(StockIconWarning, -16).isNull());
}

void TestStockIcons::iconGraphic()
{
    const std::unique_ptr<TIcon> icon = CreateStockIcon(StockIconInformation, 24);
    QCOMPARE(icon->Width(), 24);
    QCOMPARE(icon->Image(), LoadStockIcon(StockIconInformation, 24));

    // Through the icon's file format and back, as a picture in a form would carry it.
    TPicture picture;
    picture.SetGraphic(icon.get());
    TPicture read;
    read.LoadFromData(picture.SaveToData());
    QCOMPARE(read.Graphic()->Image().convertToFormat(QImage::Format_ARGB32_Premultiplied),
             LoadStockIcon(StockIconInformation, 24));

    QVERIFY(CreateStockIcon(105, 24)->Empty());
}

QTEST_MAIN(TestStockIcons)
#include "tst_stockicons.moc"
