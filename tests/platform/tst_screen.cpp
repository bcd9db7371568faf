#include "Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <limits>

// Without a GUI application there is no screen: the metrics fall back to 96 dots per inch and
// an empty screen.
class TestScreenWithoutGui : public QObject {
    Q_OBJECT
private slots:
    void metricsFallBack()
    {
        QVERIFY(!qobject_cast<QGuiApplication*>(QCoreApplication::instance()));
        QCOMPARE(PixelsPerInch(), 96);
        QCOMPARE(ScreenWidth(), 0);
        QCOMPARE(ScreenHeight(), 0);
    }
};

class TestScreen : public QObject {
    Q_OBJECT
private slots:
    void mulDiv_data();
    void mulDiv();
    void screenMetrics();
};

void TestScreen::mulDiv_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("numerator");
    QTest::addColumn<int>("denominator");
    QTest::addColumn<int>("expected");

    QTest::newRow("identity at 96 dpi") << 13 << 96 << 96 << 13;
    QTest::newRow("scale up to 120 dpi") << 10 << 120 << 96 << 13;   // 12.5 -> 13
    QTest::newRow("scale up to 144 dpi") << 8 << 144 << 96 << 12;
    QTest::newRow("half rounds away from zero") << 1 << 1 << 2 << 1;
    QTest::newRow("negative half rounds away from zero") << -1 << 1 << 2 << -1;
    QTest::newRow("below half rounds down") << 4 << 1 << 10 << 0;  // 0.4
    QTest::newRow("above half rounds up") << 6 << 1 << 10 << 1;    // 0.6
    QTest::newRow("negative below half") << -4 << 1 << 10 << 0;
    QTest::newRow("negative above half") << -6 << 1 << 10 << -1;
    QTest::newRow("negative divisor") << 5 << 1 << -2 << -3;       // -2.5
    QTest::newRow("two negatives") << -5 << 1 << -2 << 3;
    QTest::newRow("font size to height") << 8 << 96 << 72 << 11;     // 10.67
    QTest::newRow("font height to size") << -11 << 72 << 96 << -8;   // -8.25
    QTest::newRow("nine points") << 9 << 96 << 72 << 12;
    QTest::newRow("zero divisor") << 5 << 7 << 0 << -1;
    QTest::newRow("product beyond 32 bits")
        << 2000000000 << 3 << 4 << 1500000000;
    QTest::newRow("result beyond 32 bits") << std::numeric_limits<int>::max() << 2 << 1 << -1;
    QTest::newRow("smallest int kept") << std::numeric_limits<int>::min() << 1 << 1 << std::numeric_limits<int>::min();
}

void TestScreen::mulDiv()
{
    QFETCH(int, number);
    QFETCH(int, numerator);
    QFETCH(int, denominator);
    QFETCH(int, expected);
    QCOMPARE(MulDiv(number, numerator, denominator), expected);
}

void TestScreen::screenMetrics()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    QVERIFY(PixelsPerInch() > 0);
    QCOMPARE(PixelsPerInch(), qRound(screen->logicalDotsPerInch()));
    QCOMPARE(ScreenWidth(), screen->geometry().width());
    QCOMPARE(ScreenHeight(), screen->geometry().height());
    QVERIFY(ScreenWidth() > 0 && ScreenHeight() > 0);
}

int main(int argc, char** argv)
{
    int failures = 0;
    {
        QCoreApplication app(argc, argv);
        TestScreenWithoutGui test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        QGuiApplication app(argc, argv);
        TestScreen test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures;
}
#include "tst_screen.moc"
