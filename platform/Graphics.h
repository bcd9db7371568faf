#pragma once
/// Colours in the platform's 32-bit encoding, fonts as value objects, and pictures. \file

#include "Classes.h"
#include "Sets.h"
#include "TypInfo.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

class QPalette;

#include <memory>

/// $00BBGGRR for a fixed colour, $FF0000nn for system colour nn.
using TColor = qint32;

constexpr TColor clBlack = 0x00000000, clMaroon = 0x00000080, clGreen = 0x00008000, clOlive = 0x00008080,
                 clNavy = 0x00800000, clPurple = 0x00800080, clTeal = 0x00808000, clGray = 0x00808080,
                 clSilver = 0x00C0C0C0, clRed = 0x000000FF, clLime = 0x0000FF00, clYellow = 0x0000FFFF,
                 clBlue = 0x00FF0000, clFuchsia = 0x00FF00FF, clAqua = 0x00FFFF00, clWhite = 0x00FFFFFF,
                 clMoneyGreen = 0x00C0DCC0, clSkyBlue = 0x00F0CAA6, clCream = 0x00F0FBFF,
                 clMedGray = 0x00A4A0A0;
constexpr TColor clSystemColor = qint32(0xFF000000);
constexpr TColor clScrollBar = clSystemColor | 0x00, clBackground = clSystemColor | 0x01,
                 clActiveCaption = clSystemColor | 0x02, clInactiveCaption = clSystemColor | 0x03,
                 clMenu = clSystemColor | 0x04, clWindow = clSystemColor | 0x05,
                 clWindowFrame = clSystemColor | 0x06, clMenuText = clSystemColor | 0x07,
                 clWindowText = clSystemColor | 0x08, clCaptionText = clSystemColor | 0x09,
                 clActiveBorder = clSystemColor | 0x0A, clInactiveBorder = clSystemColor | 0x0B,
                 clAppWorkSpace = clSystemColor | 0x0C, clHighlight = clSystemColor | 0x0D,
                 clHighlightText = clSystemColor | 0x0E, clBtnFace = clSystemColor | 0x0F,
                 clBtnShadow = clSystemColor | 0x10, clGrayText = clSystemColor | 0x11,
                 clBtnText = clSystemColor | 0x12, clInactiveCaptionText = clSystemColor | 0x13,
                 clBtnHighlight = clSystemColor | 0x14, cl3DDkShadow = clSystemColor | 0x15,
                 cl3DLight = clSystemColor | 0x16, clInfoText = clSystemColor | 0x17,
                 clInfoBk = clSystemColor | 0x18, clHotLight = clSystemColor | 0x1A,
                 clGradientActiveCaption = clSystemColor | 0x1B,
                 clGradientInactiveCaption = clSystemColor | 0x1C, clMenuHighlight = clSystemColor | 0x1D,
                 clMenuBar = clSystemColor | 0x1E;
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;

/// The 52-entry name table of TColor (first entry with a value wins).
const TIntNameMap& ColorNameMap();
/// A colour's name, or its signed decimal value.
QString ColorToString(TColor Color);
/// Accepts a name of the table (any case), a decimal or a "$" hexadecimal number; raises
/// EConvertError for anything else.
TColor StringToColor(const QString& S);
/// Resolves system colours through the application palette; clNone/clDefault give black.
TColor ColorToRGB(TColor Color);
QColor ToQColor(TColor Color);
TColor FromQColor(const QColor& Color);

/// While one lives, system colours resolve through its palette instead of the application's: a
/// picture of a dialog in another colour scheme than the program's own. For the UI thread; scopes
/// nest, the innermost wins.
class TSystemPaletteScope {
public:
    explicit TSystemPaletteScope(const QPalette& Palette);
    ~TSystemPaletteScope();
    TSystemPaletteScope(const TSystemPaletteScope&) = delete;
    TSystemPaletteScope& operator=(const TSystemPaletteScope&) = delete;

private:
    const QPalette* FPrevious;
    std::unique_ptr<QPalette> FPalette;
};

/// Whether themed drawing through visual styles is in use. A process-wide switch (default: off, a
/// platform without visual styles), so both answers can be exercised.
bool StyleServicesEnabled();
void SetStyleServicesEnabled(bool Enabled);
/// Whether the active visual style is one other than the system's (default: off). Only counts
/// while style services are enabled.
bool CustomStyleActive();
void SetCustomStyleActive(bool Active);
/// The colour stored rule: colours are written unless a non-system visual style decides them.
bool StyleAllowsStoredColors();

/// The 18-entry name table of TFontCharset.
const TIntNameMap& CharsetNameMap();

using TFontCharset = quint8;
constexpr TFontCharset ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, OEM_CHARSET = 255;

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
enum TFontQuality { fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType, fqClearTypeNatural };

const TEnumInfo& FontStyleTypeInfo();
const TEnumInfo& FontPitchTypeInfo();
const TEnumInfo& FontQualityTypeInfo();

/// The platform's default font description: a new TFont is "Tahoma", DefaultFontSize points
/// (Height -11 at 96 dots per inch), DEFAULT_CHARSET, clWindowText, no style, fpDefault,
/// orientation 0, fqDefault. Where Tahoma is not installed, ToQFont falls back to the desktop's
/// sans-serif face.
/// A function, so fonts built during static initialisation elsewhere see it.
inline QString DefaultFontName() { return QStringLiteral("Tahoma"); }
constexpr int DefaultFontSize = 8;

/// A font description. Copying copies the values, never the change handler.
class TFont : public TPersistent {
    VX_PUBLISHED_CLASS
public:
    /// The default font description, at the screen's PixelsPerInch.
    TFont();
    TFont(const TFont& Other);
    /// Takes every value including PixelsPerInch; fires OnChange once when anything differs.
    TFont& operator=(const TFont& Other);

    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    /// Negative: character height in pixels; positive: cell height.
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    QString Name() const { return FName; }
    void SetName(const QString& Value);
    int Orientation() const { return FOrientation; }
    void SetOrientation(int Value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    /// Size = -MulDiv(Height, 72, PixelsPerInch).
    int Size() const;
    void SetSize(int Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TFontQuality Quality() const { return FQuality; }
    void SetQuality(TFontQuality Value);
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }

    /// Copies every value and fires OnChange once. A source with another PixelsPerInch keeps its
    /// point size: Height is converted to this font's resolution.
    void Assign(const TPersistent* Source) override;
    bool operator==(const TFont& Other) const; ///< the described values, not PixelsPerInch
    /// A QFont for painting; names that are not installed fall back through fontconfig.
    QFont ToQFont() const;

    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    void CopyValues(const TFont& Other);
    TFontCharset FCharset;
    TColor FColor;
    int FHeight;
    QString FName;
    int FOrientation = 0;
    TFontPitch FPitch = fpDefault;
    TFontStyles FStyle;
    TFontQuality FQuality = fqDefault;
    int FPixelsPerInch;
};

#include "Picture.h"
