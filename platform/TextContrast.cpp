#include "TextContrast.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>

#include <cmath>

namespace {
// sRGB channel to linear light, as the contrast formula wants it.
double LinearChannel(int Value)
{
    const double c = Value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

QColor Mixed(const QColor& From, const QColor& To, double T)
{
    auto channel = [T](int A, int B) { return qBound(0, qRound(A + (B - A) * T), 255); };
    return QColor(channel(From.red(), To.red()), channel(From.green(), To.green()), channel(From.blue(), To.blue()));
}
} // namespace

double RelativeLuminance(const QColor& Color)
{
    const QColor c = Color.toRgb();
    return 0.2126 * LinearChannel(c.red()) + 0.7152 * LinearChannel(c.green()) + 0.0722 * LinearChannel(c.blue());
}

double ContrastRatio(const QColor& A, const QColor& B)
{
    const double a = RelativeLuminance(A), b = RelativeLuminance(B);
    return (qMax(a, b) + 0.05) / (qMin(a, b) + 0.05);
}

QColor ReadableOn(const QColor& Text, const QColor& Background, double MinimumRatio)
{
    if (ContrastRatio(Text, Background) >= MinimumRatio)
        return Text;
    // Towards white or black, whichever stands further from the background; the smallest step
    // that reads keeps as much of the colour as possible. One of the two always reaches 4.5:1.
    const QColor target = ContrastRatio(Qt::white, Background) >= ContrastRatio(Qt::black, Background)
                              ? QColor(Qt::white) : QColor(Qt::black);
    constexpr int Steps = 64;
    for (int i = 1; i < Steps; ++i) {
        const QColor c = Mixed(Text, target, double(i) / Steps);
        if (ContrastRatio(c, Background) >= MinimumRatio)
            return c;
    }
    return target;
}

bool PaletteIsDark()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    // Through the system colours, which follow a palette scoped to one picture (the designer's
    // live preview can be dark in a light designer and the other way round).
    return RelativeLuminance(ToQColor(clWindowText)) > RelativeLuminance(ToQColor(clWindow));
}

TColor TextColorOn(TColor Text, TColor Background, TColor Background2)
{
    if (Background == clNone || Text == clNone || !PaletteIsDark())
        return Text;
    const QColor text = ToQColor(Text);
    QColor background = ToQColor(Background);
    // On a gradient the text must read on the end it stands out from least.
    if (Background2 != clNone && ContrastRatio(text, ToQColor(Background2)) < ContrastRatio(text, background))
        background = ToQColor(Background2);
    const QColor readable = ReadableOn(text, background);
    return readable == text ? Text : FromQColor(readable);
}
