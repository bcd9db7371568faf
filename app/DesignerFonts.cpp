#include "DesignerFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {
// The first installed family of the list, else the desktop's font of that kind. The Windows
// user-interface fonts are narrow; a sans font of similar width keeps the stored layouts'
// captions whole where one is installed.
QFont FirstInstalled(const QStringList& Families, QFontDatabase::SystemFont Fallback)
{
    for (const QString& family : Families)
        if (QFontDatabase::hasFamily(family))
            return QFont(family);
    return QFontDatabase::systemFont(Fallback);
}
} // namespace

QFont DesignerFont(const QString& family, int pixelHeight, bool bold)
{
    QFont font = FirstInstalled({family, QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                 QStringLiteral("Arimo")},
                                QFontDatabase::GeneralFont);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

QFont DesignerFixedFont(const QString& family, int pixelHeight)
{
    QFont font = FirstInstalled({family, QStringLiteral("Liberation Mono"), QStringLiteral("Cousine")},
                                QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    // Point size rather than pixels: the code views take their sizes in points (96 dots per inch).
    font.setPointSizeF(pixelHeight * 72.0 / 96.0);
    font.setStyleStrategy(QFont::NoAntialias); // the code views draw without font smoothing
    return font;
}
