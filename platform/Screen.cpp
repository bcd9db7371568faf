#include "Screen.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <limits>

namespace {

QScreen* PrimaryScreen()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return nullptr;
    return QGuiApplication::primaryScreen();
}

} // namespace

int PixelsPerInch()
{
    const QScreen* screen = PrimaryScreen();
    if (!screen)
        return 96;
    const int dpi = int(std::lround(screen->logicalDotsPerInch()));
    return dpi > 0 ? dpi : 96;
}

int ScreenWidth()
{
    const QScreen* screen = PrimaryScreen();
    return screen ? screen->geometry().width() : 0;
}

int ScreenHeight()
{
    const QScreen* screen = PrimaryScreen();
    return screen ? screen->geometry().height() : 0;
}

int MulDiv(int Number, int Numerator, int Denominator)
{
    if (Denominator == 0)
        return -1;
    // |int| * |int| fits in 63 bits, and adding half of a 32-bit divisor cannot overflow.
    qint64 product = qint64(Number) * qint64(Numerator);
    qint64 divisor = Denominator;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const qint64 half = divisor / 2;
    const qint64 result = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min())
        return -1;
    return int(result);
}
