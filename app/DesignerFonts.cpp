#include "DesignerFonts.h"

#include <QFontDatabase>

namespace {
QFont withFamily(const QString& family, QFontDatabase::SystemFont fallback, int pixelHeight)
{
    QFont font = QFontDatabase::hasFamily(family) ? QFont(family) : QFontDatabase::systemFont(fallback);
    if (!QFontDatabase::hasFamily(family) && fallback == QFontDatabase::FixedFont)
        font.setStyleHint(QFont::Monospace);
    font.setPixelSize(pixelHeight);
    return font;
}
} // namespace

QFont DesignerFont(const QString& family, int pixelHeight, bool bold)
{
    QFont font = withFamily(family, QFontDatabase::GeneralFont, pixelHeight);
    font.setBold(bold);
    return font;
}

QFont DesignerFixedFont(const QString& family, int pixelHeight)
{
    QFont font = withFamily(family, QFontDatabase::FixedFont, pixelHeight);
    font.setFixedPitch(true);
    font.setStyleStrategy(QFont::NoAntialias); // the code views draw without font smoothing
    return font;
}
