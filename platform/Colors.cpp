#include "Graphics.h"

#include <QGuiApplication>
#include <QPalette>

#include <atomic>
#include <cctype>
#include <iterator>

const TIntNameMap& ColorNameMap()
{
    static const TIntNameMap map{
        QStringLiteral("TColor"),
        {
            {clBlack, QStringLiteral("clBlack")},
            {clMaroon, QStringLiteral("clMaroon")},
            {clGreen, QStringLiteral("clGreen")},
            {clOlive, QStringLiteral("clOlive")},
            {clNavy, QStringLiteral("clNavy")},
            {clPurple, QStringLiteral("clPurple")},
            {clTeal, QStringLiteral("clTeal")},
            {clGray, QStringLiteral("clGray")},
            {clSilver, QStringLiteral("clSilver")},
            {clRed, QStringLiteral("clRed")},
            {clLime, QStringLiteral("clLime")},
            {clYellow, QStringLiteral("clYellow")},
            {clBlue, QStringLiteral("clBlue")},
            {clFuchsia, QStringLiteral("clFuchsia")},
            {clAqua, QStringLiteral("clAqua")},
            {clWhite, QStringLiteral("clWhite")},
            {clMoneyGreen, QStringLiteral("clMoneyGreen")},
            {clSkyBlue, QStringLiteral("clSkyBlue")},
            {clCream, QStringLiteral("clCream")},
            {clMedGray, QStringLiteral("clMedGray")},
            {clActiveBorder, QStringLiteral("clActiveBorder")},
            {clActiveCaption, QStringLiteral("clActiveCaption")},
            {clAppWorkSpace, QStringLiteral("clAppWorkSpace")},
            {clBackground, QStringLiteral("clBackground")},
            {clBtnFace, QStringLiteral("clBtnFace")},
            {clBtnHighlight, QStringLiteral("clBtnHighlight")},
            {clBtnShadow, QStringLiteral("clBtnShadow")},
            {clBtnText, QStringLiteral("clBtnText")},
            {clCaptionText, QStringLiteral("clCaptionText")},
            {clDefault, QStringLiteral("clDefault")},
            {clGradientActiveCaption, QStringLiteral("clGradientActiveCaption")},
            {clGradientInactiveCaption, QStringLiteral("clGradientInactiveCaption")},
            {clGrayText, QStringLiteral("clGrayText")},
            {clHighlight, QStringLiteral("clHighlight")},
            {clHighlightText, QStringLiteral("clHighlightText")},
            {clHotLight, QStringLiteral("clHotLight")},
            {clInactiveBorder, QStringLiteral("clInactiveBorder")},
            {clInactiveCaption, QStringLiteral("clInactiveCaption")},
            {clInactiveCaptionText, QStringLiteral("clInactiveCaptionText")},
            {clInfoBk, QStringLiteral("clInfoBk")},
            {clInfoText, QStringLiteral("clInfoText")},
            {clMenu, QStringLiteral("clMenu")},
            {clMenuBar, QStringLiteral("clMenuBar")},
            {clMenuHighlight, QStringLiteral("clMenuHighlight")},
            {clMenuText, QStringLiteral("clMenuText")},
            {clNone, QStringLiteral("clNone")},
            {clScrollBar, QStringLiteral("clScrollBar")},
            {cl3DDkShadow, QStringLiteral("cl3DDkShadow")},
            {cl3DLight, QStringLiteral("cl3DLight")},
            {clWindow, QStringLiteral("clWindow")},
            {clWindowFrame, QStringLiteral("clWindowFrame")},
            {clWindowText, QStringLiteral("clWindowText")},
        }};
    return map;
}

QString ColorToString(TColor Color)
{
    const QString name = ColorNameMap().NameOf(Color);
    return name.isEmpty() ? QString::number(Color) : name;
}

namespace {

// Parses the integer notation the form text and the designer accept: an optional sign, then
// decimal digits or "$" and hexadecimal digits. Hexadecimal values wrap into 32 bits the way
// the platform reads $FF000005 as a negative colour.
QStringView WithoutLeadingZeros(QStringView Digits)
{
    // Leading zeros are valid ("00000000255"); they only must not count against the digit limit.
    while (Digits.size() > 1 && Digits.front() == QLatin1Char('0'))
        Digits = Digits.mid(1);
    return Digits;
}

std::optional<qint32> ParseInteger(const QString& S)
{
    QStringView text(S);
    bool negative = false;
    if (!text.isEmpty() && (text.front() == QLatin1Char('-') || text.front() == QLatin1Char('+'))) {
        negative = text.front() == QLatin1Char('-');
        text = text.mid(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    qint64 value = 0;
    if (text.front() == QLatin1Char('$')) {
        text = text.mid(1);
        // toULongLong would accept blanks and a "0x" prefix; only plain digits are a number here.
        if (text.isEmpty())
            return std::nullopt;
        for (QChar c : text)
            if (!isxdigit(c.toLatin1()))
                return std::nullopt;
        text = WithoutLeadingZeros(text);
        if (text.size() > 8)
            return std::nullopt;
        value = qint64(qint32(quint32(text.toULongLong(&ok, 16))));
    } else {
        for (QChar c : text)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
        text = WithoutLeadingZeros(text);
        if (text.size() > 10)
            return std::nullopt;
        value = text.toLongLong(&ok, 10);
        if (ok && value > qint64(negative ? 2147483648LL : 2147483647LL))
            return std::nullopt;
    }
    if (!ok)
        return std::nullopt;
    return qint32(negative ? -value : value);
}

// Classic desktop colours ($00BBGGRR) for system colours when no application palette exists.
constexpr TColor ClassicSystemColors[] = {
    0x00C8C8C8, // scroll bar
    0x00000000, // desktop
    0x00D1B499, // active caption
    0x00DBCDBF, // inactive caption
    0x00F0F0F0, // menu
    0x00FFFFFF, // window
    0x00646464, // window frame
    0x00000000, // menu text
    0x00000000, // window text
    0x00000000, // caption text
    0x00B4B4B4, // active border
    0x00FCF7F4, // inactive border
    0x00ABABAB, // application workspace
    0x00D77800, // highlight
    0x00FFFFFF, // highlight text
    0x00F0F0F0, // button face
    0x00A0A0A0, // button shadow
    0x006D6D6D, // grey text
    0x00000000, // button text
    0x00000000, // inactive caption text
    0x00FFFFFF, // button highlight
    0x00696969, // 3D dark shadow
    0x00E3E3E3, // 3D light
    0x00000000, // info text
    0x00E1FFFF, // info background
    0x00000000, // (unused)
    0x00CC6600, // hot-tracked item
    0x00EAD1B9, // gradient active caption
    0x00F2E4D7, // gradient inactive caption
    0x00FF9933, // menu highlight
    0x00F0F0F0, // menu bar
};

struct PaletteSlot {
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
};

// Where each system colour lives in a Qt palette. The 3D roles follow the classic bevel:
// button highlight = Light, 3D light = Midlight, button shadow = Dark, dark shadow = Shadow.
constexpr PaletteSlot PaletteSlots[] = {
    {QPalette::Active, QPalette::Button},              // scroll bar
    {QPalette::Active, QPalette::Shadow},              // desktop
    {QPalette::Active, QPalette::Highlight},           // active caption
    {QPalette::Inactive, QPalette::Midlight},          // inactive caption
    {QPalette::Active, QPalette::Window},              // menu
    {QPalette::Active, QPalette::Base},                // window
    {QPalette::Active, QPalette::Dark},                // window frame
    {QPalette::Active, QPalette::WindowText},          // menu text
    {QPalette::Active, QPalette::Text},                // window text
    {QPalette::Active, QPalette::HighlightedText},     // caption text
    {QPalette::Active, QPalette::Mid},                 // active border
    {QPalette::Inactive, QPalette::Window},            // inactive border
    {QPalette::Active, QPalette::Dark},                // application workspace
    {QPalette::Active, QPalette::Highlight},           // highlight
    {QPalette::Active, QPalette::HighlightedText},     // highlight text
    {QPalette::Active, QPalette::Button},              // button face
    {QPalette::Active, QPalette::Dark},                // button shadow
    {QPalette::Disabled, QPalette::Text},              // grey text
    {QPalette::Active, QPalette::ButtonText},          // button text
    {QPalette::Disabled, QPalette::WindowText},        // inactive caption text
    {QPalette::Active, QPalette::Light},               // button highlight
    {QPalette::Active, QPalette::Shadow},              // 3D dark shadow
    {QPalette::Active, QPalette::Midlight},            // 3D light
    {QPalette::Active, QPalette::ToolTipText},         // info text
    {QPalette::Active, QPalette::ToolTipBase},         // info background
    {QPalette::Active, QPalette::NoRole},              // (unused)
    {QPalette::Active, QPalette::Link},                // hot-tracked item
    {QPalette::Active, QPalette::Highlight},           // gradient active caption
    {QPalette::Inactive, QPalette::Midlight},          // gradient inactive caption
    {QPalette::Active, QPalette::Highlight},           // menu highlight
    {QPalette::Active, QPalette::Window},              // menu bar
};
static_assert(std::size(ClassicSystemColors) == std::size(PaletteSlots));

// The palette of the innermost TSystemPaletteScope.
const QPalette* ScopedPalette = nullptr;

TColor SystemColor(int Index)
{
    if (Index < 0 || Index >= int(std::size(PaletteSlots)))
        return clBlack;
    const PaletteSlot slot = PaletteSlots[Index];
    if (slot.Role != QPalette::NoRole && ScopedPalette)
        return FromQColor(ScopedPalette->color(slot.Group, slot.Role));
    if (slot.Role == QPalette::NoRole || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return ClassicSystemColors[Index];
    return FromQColor(QGuiApplication::palette().color(slot.Group, slot.Role));
}

std::atomic<bool> StyleServices{false};

} // namespace

TColor StringToColor(const QString& S)
{
    if (const auto named = ColorNameMap().ValueOf(S))
        return TColor(*named);
    if (const auto number = ParseInteger(S))
        return *number;
    // A message box cannot show megabytes: a very long text is quoted by its beginning.
    constexpr qsizetype MaxQuoted = 64;
    const QString quoted = S.size() > MaxQuoted ? S.left(MaxQuoted) + QLatin1String("...") : S;
    throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(quoted));
}

TSystemPaletteScope::TSystemPaletteScope(const QPalette& Palette)
    : FPrevious(ScopedPalette), FPalette(std::make_unique<QPalette>(Palette))
{
    ScopedPalette = FPalette.get();
}

TSystemPaletteScope::~TSystemPaletteScope()
{
    ScopedPalette = FPrevious;
}

TColor ColorToRGB(TColor Color)
{
    if (Color == clNone || Color == clDefault)
        return clBlack;
    if ((quint32(Color) & 0xFF000000u) == quint32(clSystemColor))
        return SystemColor(Color & 0xFF);
    return Color & 0x00FFFFFF;
}

QColor ToQColor(TColor Color)
{
    const TColor rgb = ColorToRGB(Color);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

TColor FromQColor(const QColor& Color)
{
    const QColor c = Color.toRgb();
    return TColor(c.red() | (c.green() << 8) | (c.blue() << 16));
}

bool StyleServicesEnabled()
{
    return StyleServices.load();
}

void SetStyleServicesEnabled(bool Enabled)
{
    StyleServices.store(Enabled);
}

namespace {
std::atomic<bool> CustomStyle{false};
}

bool CustomStyleActive()
{
    return CustomStyle.load();
}

void SetCustomStyleActive(bool Active)
{
    CustomStyle.store(Active);
}

bool StyleAllowsStoredColors()
{
    return !(StyleServicesEnabled() && CustomStyleActive());
}
