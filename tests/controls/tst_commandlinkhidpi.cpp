// Command link artwork on a screen scaled by two: the arrow and the shield are drawn from their
// vector art at twice the pixels, not enlarged from 16 x 16.

#include "VxCommandLinkButton.h"

#include "private/CommandLinkArt_p.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

namespace {

int Distance(QRgb A, QRgb B)
{
    return std::abs(qRed(A) - qRed(B)) + std::abs(qGreen(A) - qGreen(B)) + std::abs(qBlue(A) - qBlue(B));
}

// The largest colour difference between two images of one size.
int LargestDifference(const QImage& A, const QImage& B)
{
    int worst = 0;
    for (int y = 0; y < A.height(); ++y)
        for (int x = 0; x < A.width(); ++x)
            worst = qMax(worst, Distance(A.pixel(x, y), B.pixel(x, y)));
    return worst;
}

} // namespace

class tst_CommandLinkHiDpi : public QObject {
    Q_OBJECT
private slots:
    void glyphsAreCrisp_data();
    void glyphsAreCrisp();
    void infoTextIsSharp();
};

void tst_CommandLinkHiDpi::glyphsAreCrisp_data()
{
    QTest::addColumn<bool>("shield");
    QTest::newRow("arrow") << false;
    QTest::newRow("shield") << true;
}

void tst_CommandLinkHiDpi::glyphsAreCrisp()
{
    QFETCH(bool, shield);
    QWidget window;
    window.resize(360, 100);
    auto* button = new TVxCommandLinkButton(&window);
    button->SetCaption(QStringLiteral("Scaled"));
    button->SetBounds(10, 10, 320, 60);
    button->SetElevationRequired(shield);
    TVxCommandLinkColorSet colors;
    colors.Enabled = true;
    colors.Color = colors.GradientStart = colors.GradientEnd = 0x00FFFFFF;
    button->SetCommandLinkColors(colors);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(button->devicePixelRatio(), 2);
    // The glyph keeps its logical size: layout does not depend on the scale.
    QCOMPARE(button->GetPartRect(clpGlyph), (TRect{10, 13, 26, 29}));

    const QImage grabbed = button->grab().toImage();
    QCOMPARE(grabbed.width(), 2 * button->width());
    const QImage glyph = grabbed.copy(20, 26, 32, 32);

    auto over = [](const QImage& Art) {
        QImage image(Art.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter(&image).drawImage(0, 0, Art);
        return image;
    };
    const QImage crisp = over(shield ? CommandLinkShieldImage(32) : CommandLinkArrowImage(claCold, 32));
    const QImage enlarged = over(shield ? CommandLinkShieldImage(16) : CommandLinkArrowImage(claCold, 16))
                                .scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY(LargestDifference(glyph, crisp) <= 6);
    QVERIFY(LargestDifference(glyph, enlarged) > 30);
}

// The info text goes through the caption's off-screen buffer; at scale 2 it is drawn with twice
// the pixels, not doubled: pixel doubling would leave every aligned 2 x 2 block one colour.
void tst_CommandLinkHiDpi::infoTextIsSharp()
{
    QWidget window;
    window.resize(360, 120);
    auto* button = new TVxCommandLinkButton(&window);
    button->SetCaption(QStringLiteral("Scaled"));
    button->SetBounds(10, 10, 320, 60);
    button->SetInfo(QStringLiteral("Some <b>info</b> text\r\nin two lines"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage grabbed = button->grab().toImage();
    const QRect info = button->GetPartRect(clpInfo).ToQRect();
    QVERIFY(info.height() > 10);
    int mixedBlocks = 0;
    for (int y = 2 * info.top(); y + 1 < 2 * info.bottom(); y += 2)
        for (int x = 2 * info.left(); x + 1 < 2 * info.right(); x += 2) {
            const QRgb p = grabbed.pixel(x, y);
            if (grabbed.pixel(x + 1, y) != p || grabbed.pixel(x, y + 1) != p || grabbed.pixel(x + 1, y + 1) != p)
                ++mixedBlocks;
        }
    QVERIFY2(mixedBlocks > 50, qPrintable(QString::number(mixedBlocks)));
}

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    tst_CommandLinkHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_commandlinkhidpi.moc"
