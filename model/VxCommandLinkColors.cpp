#include "VxCommandLinkColors.h"

#include "IniFile.h"

#include <QFileInfo>

namespace {

constexpr TColor DefBorderInner = 0x00C6C6C6;
constexpr TColor DefBorderOuter = 0x00EAEAEA;
constexpr TColor DefDefaultBorderInner = 0x00FFEFAE;
constexpr TColor DefDefaultBorderOuter = 0x00FFF4C7;
constexpr TColor DefFontColor = 0x00551C15;
constexpr TColor DefFontHotColor = 0x00E54A07;
constexpr TColor DefGradientPen = 0x00FBFBFB;
constexpr TColor DefHotGradientEnd = 0x00F6F6F6;
constexpr TColor DefHotGradientStart = 0x00FFFFFF;
constexpr TColor DefPressedGradient = 0x00ECECEB;

const QString SectionGeneral = QStringLiteral("General");
const QString SectionColor = QStringLiteral("Color");

// One key of the colour file: its name, the value a file without the key gives, and the
// property behind it.
struct ColorKey {
    const char* Name;
    const char* Missing;
    TColor (TVxCommandLinkColors::*Get)() const;
    void (TVxCommandLinkColors::*Set)(TColor);
};

using C = TVxCommandLinkColors;
// File order; reading uses the same order.
const ColorKey ColorKeys[] = {
    {"BorderInner", "$00C6C6C6", &C::BorderInner, &C::SetBorderInner},
    {"BorderOuter", "$00EAEAEA", &C::BorderOuter, &C::SetBorderOuter},
    {"DefaultBorderInner", "$00FFEFAE", &C::DefaultBorderInner, &C::SetDefaultBorderInner},
    {"DefaultBorderOuter", "$00FFF4C7", &C::DefaultBorderOuter, &C::SetDefaultBorderOuter},
    {"FontColor", "$00551C15", &C::FontColor, &C::SetFontColor},
    {"FontPressedColor", "clNone", &C::FontPressedColor, &C::SetFontPressedColor},
    {"FontHotColor", "$00E54A07", &C::FontHotColor, &C::SetFontHotColor},
    {"FontDisabledColor", "clGrayText", &C::FontDisabledColor, &C::SetFontDisabledColor},
    {"GradientStart", "clWindow", &C::GradientStart, &C::SetGradientStart},
    {"GradientEnd", "clWindow", &C::GradientEnd, &C::SetGradientEnd},
    {"HotGradientStart", "clWhite", &C::HotGradientStart, &C::SetHotGradientStart},
    {"HotGradientEnd", "$00F6F6F6", &C::HotGradientEnd, &C::SetHotGradientEnd},
    {"PressedGradientStart", "$00ECECEB", &C::PressedGradientStart, &C::SetPressedGradientStart},
    {"GradientPen", "$00FBFBFB", &C::GradientPen, &C::SetGradientPen},
    {"PressedGradientEnd", "$00ECECEB", &C::PressedGradientEnd, &C::SetPressedGradientEnd},
    {"Color", "clWindow", &C::Color, &C::SetColor},
};

// A colour of the name table by its name, any other as "$" and eight hexadecimal digits.
QString ColorToFileText(TColor Value)
{
    const QString name = ColorNameMap().NameOf(Value);
    if (!name.isEmpty())
        return name;
    return QStringLiteral("$%1").arg(quint32(Value), 8, 16, QLatin1Char('0')).toUpper();
}

} // namespace

const TClassInfo& TVxCommandLinkColors::StaticClassInfo()
{
    const QString color = QStringLiteral("TColor");
    const TIntNameMap* names = &ColorNameMap();
    static const TClassInfo info =
        TClassBuilder<C>(QStringLiteral("TVxCommandLinkColors"), &TVxChangePersistent::StaticClassInfo())
            .Boolean(QStringLiteral("Enabled"), &C::Enabled, &C::SetEnabled, false)
            .Integer(QStringLiteral("BorderInner"), &C::BorderInner, &C::SetBorderInner, DefBorderInner, color, names)
            .Integer(QStringLiteral("BorderOuter"), &C::BorderOuter, &C::SetBorderOuter, DefBorderOuter, color, names)
            .Integer(QStringLiteral("Color"), &C::Color, &C::SetColor, clWindow, color, names)
            .Integer(QStringLiteral("DefaultBorderInner"), &C::DefaultBorderInner, &C::SetDefaultBorderInner,
                     DefDefaultBorderInner, color, names)
            .Integer(QStringLiteral("DefaultBorderOuter"), &C::DefaultBorderOuter, &C::SetDefaultBorderOuter,
                     DefDefaultBorderOuter, color, names)
            .Integer(QStringLiteral("FontColor"), &C::FontColor, &C::SetFontColor, DefFontColor, color, names)
            .Integer(QStringLiteral("FontDisabledColor"), &C::FontDisabledColor, &C::SetFontDisabledColor,
                     clGrayText, color, names)
            .Integer(QStringLiteral("FontHotColor"), &C::FontHotColor, &C::SetFontHotColor, DefFontHotColor, color,
                     names)
            .Integer(QStringLiteral("FontPressedColor"), &C::FontPressedColor, &C::SetFontPressedColor, clNone,
                     color, names)
            .Integer(QStringLiteral("GradientEnd"), &C::GradientEnd, &C::SetGradientEnd, clNone, color, names)
            .Integer(QStringLiteral("GradientPen"), &C::GradientPen, &C::SetGradientPen, DefGradientPen, color, names)
            .Integer(QStringLiteral("GradientStart"), &C::GradientStart, &C::SetGradientStart, clNone, color, names)
            .Integer(QStringLiteral("HotGradientEnd"), &C::HotGradientEnd, &C::SetHotGradientEnd, DefHotGradientEnd,
                     color, names)
            .Integer(QStringLiteral("HotGradientStart"), &C::HotGradientStart, &C::SetHotGradientStart,
                     DefHotGradientStart, color, names)
            .Integer(QStringLiteral("PressedGradientEnd"), &C::PressedGradientEnd, &C::SetPressedGradientEnd,
                     DefPressedGradient, color, names)
            .Integer(QStringLiteral("PressedGradientStart"), &C::PressedGradientStart, &C::SetPressedGradientStart,
                     DefPressedGradient, color, names)
            .Build();
    return info;
}

TVxCommandLinkColors::TVxCommandLinkColors(CommandLinkColorOwner* AButton)
    : FEnabled(false)
    , FBorderInner(DefBorderInner)
    , FPressedGradientStart(DefPressedGradient)
    , FGradientEnd(clNone)
    , FHotGradientEnd(DefHotGradientEnd)
    , FPressedGradientEnd(DefPressedGradient)
    , FBorderOuter(DefBorderOuter)
    , FGradientStart(clNone)
    , FHotGradientStart(DefHotGradientStart)
    , FFontColor(DefFontColor)
    , FFontHotColor(DefFontHotColor)
    , FGradientPen(DefGradientPen)
    , FFontDisabledColor(clGrayText)
    , FDefaultBorderOuter(DefDefaultBorderOuter)
    , FDefaultBorderInner(DefDefaultBorderInner)
    , FFontPressedColor(clNone)
    , FCommandLinkButton(AButton)
    , FColor(clWindow)
{
}

void TVxCommandLinkColors::Assign(const TPersistent* Source)
{
    const auto* source = dynamic_cast<const TVxCommandLinkColors*>(Source);
    if (!source) {
        TVxChangePersistent::Assign(Source);
        return;
    }
    FEnabled = source->FEnabled;
    FBorderInner = source->FBorderInner;
    FPressedGradientStart = source->FPressedGradientStart;
    FGradientEnd = source->FGradientEnd;
    FHotGradientEnd = source->FHotGradientEnd;
    FPressedGradientEnd = source->FPressedGradientEnd;
    FBorderOuter = source->FBorderOuter;
    FGradientStart = source->FGradientStart;
    FHotGradientStart = source->FHotGradientStart;
    FFontColor = source->FFontColor;
    FFontHotColor = source->FFontHotColor;
    FGradientPen = source->FGradientPen;
    FFontDisabledColor = source->FFontDisabledColor;
    FDefaultBorderOuter = source->FDefaultBorderOuter;
    FDefaultBorderInner = source->FDefaultBorderInner;
    FFontPressedColor = source->FFontPressedColor;
    FColor = source->FColor;
}

void TVxCommandLinkColors::SaveToFile(const QString& AFilename) const
{
    TIniFile ini(AFilename);
    ini.WriteInteger(SectionGeneral, QStringLiteral("Version"), 1);
    for (const ColorKey& key : ColorKeys)
        ini.WriteString(SectionColor, QString::fromLatin1(key.Name), ColorToFileText((this->*key.Get)()));
    ini.UpdateFile();
}

bool TVxCommandLinkColors::LoadFromFile(const QString& AFilename)
{
    if (!QFileInfo(AFilename).isFile())
        return false;
    // The INI reader has read and closed the file when it is constructed, so a failed
    // conversion below leaves no file open.
    const TIniFile ini(AFilename);
    for (const ColorKey& key : ColorKeys) {
        const QString text =
            ini.ReadString(SectionColor, QString::fromLatin1(key.Name), QString::fromLatin1(key.Missing));
        (this->*key.Set)(StringToColor(text));
    }
    return true;
}

void TVxCommandLinkColors::SetColorField(TColor& Field, TColor Value)
{
    if (Field == Value)
        return;
    Field = Value;
    Changed();
}

void TVxCommandLinkColors::SetEnabled(bool Value)
{
    if (FEnabled == Value)
        return;
    FEnabled = Value;
    Changed();
}

void TVxCommandLinkColors::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    FColor = Value;
    if (FCommandLinkButton)
        FCommandLinkButton->SetColor(Value);
    Changed();
}

void TVxCommandLinkColors::SetBorderInner(TColor Value) { SetColorField(FBorderInner, Value); }
void TVxCommandLinkColors::SetBorderOuter(TColor Value) { SetColorField(FBorderOuter, Value); }
void TVxCommandLinkColors::SetDefaultBorderInner(TColor Value) { SetColorField(FDefaultBorderInner, Value); }
void TVxCommandLinkColors::SetDefaultBorderOuter(TColor Value) { SetColorField(FDefaultBorderOuter, Value); }
void TVxCommandLinkColors::SetFontColor(TColor Value) { SetColorField(FFontColor, Value); }
void TVxCommandLinkColors::SetFontDisabledColor(TColor Value) { SetColorField(FFontDisabledColor, Value); }
void TVxCommandLinkColors::SetFontHotColor(TColor Value) { SetColorField(FFontHotColor, Value); }
void TVxCommandLinkColors::SetFontPressedColor(TColor Value) { SetColorField(FFontPressedColor, Value); }
void TVxCommandLinkColors::SetGradientEnd(TColor Value) { SetColorField(FGradientEnd, Value); }
void TVxCommandLinkColors::SetGradientPen(TColor Value) { SetColorField(FGradientPen, Value); }
void TVxCommandLinkColors::SetGradientStart(TColor Value) { SetColorField(FGradientStart, Value); }
void TVxCommandLinkColors::SetHotGradientEnd(TColor Value) { SetColorField(FHotGradientEnd, Value); }
void TVxCommandLinkColors::SetHotGradientStart(TColor Value) { SetColorField(FHotGradientStart, Value); }
void TVxCommandLinkColors::SetPressedGradientEnd(TColor Value) { SetColorField(FPressedGradientEnd, Value); }
void TVxCommandLinkColors::SetPressedGradientStart(TColor Value) { SetColorField(FPressedGradientStart, Value); }
