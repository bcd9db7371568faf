#include "DesignerFonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QHash>
#include <QStringList>

namespace {
// Linux desktops have no Tahoma, the window font the stored layouts were measured in; Debian's
// fonts-wine ships a metric-compatible one, loaded for this program alone.
void LoadTahomaWhenMissing()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    if (QFontDatabase::hasFamily(QStringLiteral("Tahoma")))
        return;
    for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
        if (QFile::exists(QLatin1String(file)))
            QFontDatabase::addApplicationFont(QLatin1String(file));
}

// The first installed family of the list, else the desktop's font of that kind. The Windows
// user-interface fonts are narrow; a sans font of similar width keeps the stored layouts'
// captions whole where one is installed.
QFont FirstInstalled(const QStringList& Families, QFontDatabase::SystemFont Fallback)
{
    // The answer per list is kept: the design page asks for the same fonts many times.
    static QHash<QString, QFont> chosen;
    LoadTahomaWhenMissing();
    const QString key = Families.join(QLatin1Char(',')) + QLatin1Char('/') + QString::number(int(Fallback));
    const auto it = chosen.constFind(key);
    if (it != chosen.constEnd())
        return *it;
    QFont font = QFontDatabase::systemFont(Fallback);
    for (const QString& family : Families)
        if (QFontDatabase::hasFamily(family)) {
            font = QFont(family);
            break;
        }
    chosen.insert(key, font);
    return font;
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
