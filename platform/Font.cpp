#include "Graphics.h"
#include "Screen.h"

#include <QFontMetrics>
#include <QGuiApplication>

const TIntNameMap& CharsetNameMap()
{
    static const TIntNameMap map{QStringLiteral("TFontCharset"),
                                 {
                                     {0, QStringLiteral("ANSI_CHARSET")},
                                     {1, QStringLiteral("DEFAULT_CHARSET")},
                                     {2, QStringLiteral("SYMBOL_CHARSET")},
                                     {77, QStringLiteral("MAC_CHARSET")},
                                     {128, QStringLiteral("SHIFTJIS_CHARSET")},
                                     {129, QStringLiteral("HANGEUL_CHARSET")},
                                     {130, QStringLiteral("JOHAB_CHARSET")},
                                     {134, QStringLiteral("GB2312_CHARSET")},
                                     {136, QStringLiteral("CHINESEBIG5_CHARSET")},
                                     {161, QStringLiteral("GREEK_CHARSET")},
                                     {162, QStringLiteral("TURKISH_CHARSET")},
                                     {177, QStringLiteral("HEBREW_CHARSET")},
                                     {178, QStringLiteral("ARABIC_CHARSET")},
                                     {186, QStringLiteral("BALTIC_CHARSET")},
                                     {204, QStringLiteral("RUSSIAN_CHARSET")},
                                     {222, QStringLiteral("THAI_CHARSET")},
                                     {238, QStringLiteral("EASTEUROPE_CHARSET")},
                                     {255, QStringLiteral("OEM_CHARSET")},
                                 }};
    return map;
}

const TEnumInfo& FontStyleTypeInfo()
{
    static const TEnumInfo info{QStringLiteral("TFontStyle"),
                                {QStringLiteral("fsBold"), QStringLiteral("fsItalic"), QStringLiteral("fsUnderline"),
                                 QStringLiteral("fsStrikeOut")}};
    return info;
}

const TEnumInfo& FontPitchTypeInfo()
{
    static const TEnumInfo info{QStringLiteral("TFontPitch"),
                                {QStringLiteral("fpDefault"), QStringLiteral("fpVariable"), QStringLiteral("fpFixed")}};
    return info;
}

const TEnumInfo& FontQualityTypeInfo()
{
    static const TEnumInfo info{QStringLiteral("TFontQuality"),
                                {QStringLiteral("fqDefault"), QStringLiteral("fqDraft"), QStringLiteral("fqProof"),
                                 QStringLiteral("fqNonAntialiased"), QStringLiteral("fqAntialiased"),
                                 QStringLiteral("fqClearType"), QStringLiteral("fqClearTypeNatural")}};
    return info;
}

const TClassInfo& TFont::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TFont>(QStringLiteral("TFont"), nullptr)
            .Integer(QStringLiteral("Charset"), &TFont::Charset, &TFont::SetCharset, std::nullopt,
                     QStringLiteral("TFontCharset"), &CharsetNameMap())
            .Integer(QStringLiteral("Color"), &TFont::Color, &TFont::SetColor, std::nullopt, QStringLiteral("TColor"),
                     &ColorNameMap())
            .Integer(QStringLiteral("Height"), &TFont::Height, &TFont::SetHeight)
            .String(QStringLiteral("Name"), &TFont::Name, &TFont::SetName, QStringLiteral("TFontName"))
            .Integer(QStringLiteral("Orientation"), &TFont::Orientation, &TFont::SetOrientation, 0)
            .Enum(QStringLiteral("Pitch"), &TFont::Pitch, &TFont::SetPitch, FontPitchTypeInfo(),
                  std::optional<TFontPitch>(fpDefault))
            .Integer(QStringLiteral("Size"), &TFont::Size, &TFont::SetSize)
            .NeverStored()
            .Set(QStringLiteral("Style"), &TFont::Style, &TFont::SetStyle, QStringLiteral("TFontStyles"),
                 FontStyleTypeInfo(), std::nullopt)
            .Enum(QStringLiteral("Quality"), &TFont::Quality, &TFont::SetQuality, FontQualityTypeInfo(),
                  std::optional<TFontQuality>(fqDefault))
            .Build();
    return info;
}

TFont::TFont()
    : FCharset(DEFAULT_CHARSET),
      FColor(clWindowText),
      FName(DefaultFontName()),
      FPixelsPerInch(::PixelsPerInch())
{
    FHeight = -MulDiv(DefaultFontSize, FPixelsPerInch, 72);
}

TFont::TFont(const TFont& Other)
    : TPersistent(),
      FCharset(Other.FCharset),
      FColor(Other.FColor),
      FHeight(Other.FHeight),
      FName(Other.FName),
      FOrientation(Other.FOrientation),
      FPitch(Other.FPitch),
      FStyle(Other.FStyle),
      FQuality(Other.FQuality),
      FPixelsPerInch(Other.FPixelsPerInch)
{
}

TFont& TFont::operator=(const TFont& Other)
{
    if (this != &Other && !(*this == Other && FPixelsPerInch == Other.FPixelsPerInch)) {
        CopyValues(Other);
        FPixelsPerInch = Other.FPixelsPerInch;
        Changed();
    }
    return *this;
}

void TFont::CopyValues(const TFont& Other)
{
    FCharset = Other.FCharset;
    FColor = Other.FColor;
    FHeight = Other.FHeight;
    FName = Other.FName;
    FOrientation = Other.FOrientation;
    FPitch = Other.FPitch;
    FStyle = Other.FStyle;
    FQuality = Other.FQuality;
}

bool TFont::operator==(const TFont& Other) const
{
    return FCharset == Other.FCharset && FColor == Other.FColor && FHeight == Other.FHeight && FName == Other.FName
        && FOrientation == Other.FOrientation && FPitch == Other.FPitch && FStyle == Other.FStyle
        && FQuality == Other.FQuality;
}

void TFont::Assign(const TPersistent* Source)
{
    const auto* other = dynamic_cast<const TFont*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    if (other == this)
        return;
    CopyValues(*other);
    // A font from a device with another resolution keeps its point size here.
    if (FPixelsPerInch != other->FPixelsPerInch)
        FHeight = -MulDiv(other->Size(), FPixelsPerInch, 72);
    Changed();
}

void TFont::Changed()
{
    OnChange(this);
}

void TFont::SetCharset(TFontCharset Value)
{
    if (FCharset != Value) {
        FCharset = Value;
        Changed();
    }
}

void TFont::SetColor(TColor Value)
{
    if (FColor != Value) {
        FColor = Value;
        Changed();
    }
}

void TFont::SetHeight(int Value)
{
    if (FHeight != Value) {
        FHeight = Value;
        Changed();
    }
}

void TFont::SetName(const QString& Value)
{
    // An empty name would leave nothing to look up; the font keeps its face.
    if (!Value.isEmpty() && FName != Value) {
        FName = Value;
        Changed();
    }
}

void TFont::SetOrientation(int Value)
{
    if (FOrientation != Value) {
        FOrientation = Value;
        Changed();
    }
}

void TFont::SetPitch(TFontPitch Value)
{
    if (FPitch != Value) {
        FPitch = Value;
        Changed();
    }
}

int TFont::Size() const
{
    return -MulDiv(FHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(int Value)
{
    SetHeight(-MulDiv(Value, FPixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles Value)
{
    if (FStyle != Value) {
        FStyle = Value;
        Changed();
    }
}

void TFont::SetQuality(TFontQuality Value)
{
    if (FQuality != Value) {
        FQuality = Value;
        Changed();
    }
}

QFont TFont::ToQFont() const
{
    QFont font(FName);
    // The hint picks the fallback (through fontconfig) when the face is not installed.
    font.setStyleHint(FPitch == fpFixed ? QFont::Monospace : QFont::SansSerif);
    if (FPitch == fpFixed)
        font.setFixedPitch(true);

    int pixels = FHeight;
    if (pixels < 0) {
        pixels = -pixels; // character height = the em size
    } else if (pixels > 0) {
        // Cell height: find the em size whose ascent + descent make that height.
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            constexpr int reference = 100;
            QFont probe = font;
            probe.setPixelSize(reference);
            const QFontMetrics metrics(probe);
            const int cell = metrics.ascent() + metrics.descent();
            if (cell > 0)
                pixels = qMax(1, MulDiv(pixels, reference, cell));
        }
    } else {
        pixels = MulDiv(DefaultFontSize, FPixelsPerInch, 72); // the platform's "default height"
    }
    font.setPixelSize(qMax(1, pixels));

    font.setBold(FStyle.Contains(fsBold));
    font.setItalic(FStyle.Contains(fsItalic));
    font.setUnderline(FStyle.Contains(fsUnderline));
    font.setStrikeOut(FStyle.Contains(fsStrikeOut));

    switch (FQuality) {
    case fqNonAntialiased:
        font.setStyleStrategy(QFont::NoAntialias);
        break;
    case fqAntialiased:
    case fqClearType:
    case fqClearTypeNatural:
        font.setStyleStrategy(QFont::PreferAntialias);
        break;
    default:
        break;
    }
    // Orientation is applied by whoever paints (a rotated painter); QFont has no escapement.
    return font;
}
