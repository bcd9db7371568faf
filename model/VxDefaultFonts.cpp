#include "VxDefaultFonts.h"

#include <QFontDatabase>
#include <QGuiApplication>

bool TVxDefaultFonts::ReadSystemFont(TFont& Font)
{
    // Without a GUI application the font database has no platform to ask.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    const QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (f.family().isEmpty())
        return false;
    Font.SetName(f.family());
    if (f.pointSize() > 0)
        Font.SetSize(f.pointSize());
    else if (f.pixelSize() > 0)
        Font.SetHeight(-f.pixelSize());
    else
        return false;
    Font.SetCharset(DEFAULT_CHARSET);
    TFontStyles style;
    if (f.bold())
        style.Include(fsBold);
    if (f.italic())
        style.Include(fsItalic);
    if (f.underline())
        style.Include(fsUnderline);
    if (f.strikeOut())
        style.Include(fsStrikeOut);
    Font.SetStyle(style);
    return true;
}

namespace {
TFont FallbackFont()
{
    TFont font;
    font.SetName(QString::fromLatin1(TVxDefaultFonts::FallbackFontName));
    font.SetSize(TVxDefaultFonts::FallbackFontSize);
    font.SetCharset(DEFAULT_CHARSET);
    return font;
}
} // namespace

TVxDefaultFonts::TVxDefaultFonts()
{
    TFont base;
    Build(ReadSystemFont(base) ? base : FallbackFont());
}

TVxDefaultFonts::TVxDefaultFonts(const TFont* ABase)
{
    Build(ABase ? *ABase : FallbackFont());
}

void TVxDefaultFonts::Build(const TFont& base)
{
    for (TFont& font : FFonts)
        font.Assign(&base);
    FFonts[ftInstruction].SetSize(InstructionFontSize);
    FFonts[ftInstruction].SetColor(InstructionFontColor);
}

const TFont* TVxDefaultFonts::GetFont(TVxFontType AFontType) const
{
    return &FFonts.at(AFontType);
}

void TVxDefaultFonts::SetFont(TVxFontType AFontType, const TFont* AFont)
{
    FFonts.at(AFontType).Assign(AFont);
}

TVxDefaultFonts& VxDefaultFonts()
{
    static TVxDefaultFonts instance;
    return instance;
}
