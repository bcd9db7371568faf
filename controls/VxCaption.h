#pragma once
/// Captions with inline markup (`<b>`, `<u>`, `<i>` and one `<a href="...">link</a>`): parsing, word
/// wrapping, painting, link hit-testing and measuring. Used by the caption control, the dialog
/// engine and the command link button. \file

#include "ControlTypes.h"
#include "DrawText.h"
#include "Graphics.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QPainter;

/// The gradient part of a caption background.
struct TVxCaptionGradient {
    bool Enabled = false;
    TGradientDirection Direction = gdHorizontal;
    TColor StartColor = clNone;
    TColor EndColor = clNone;
    bool operator==(const TVxCaptionGradient&) const = default;
};

/// What a caption paints behind its text: a colour, a gradient, or (colour clNone) a copy of a
/// rectangle of the target canvas. The dialog model keeps its own background description; the
/// engine hands its values over in this form, so the controls do not depend on the model.
class TVxCaptionBackground {
public:
    TVxCaptionBackground(TColor AColor = clNone, const TVxCaptionGradient* AGradient = nullptr,
                         const TRect& ACopyRect = {}, bool ABuffered = true, bool AAutoFree = false);

    TColor Color;
    TVxCaptionGradient Gradient;
    TRect CopyRect;
    /// Painted into an off-screen bitmap first, then copied to the canvas.
    bool Buffered;
    /// Set on a background handed over to a caption operation, which then deletes it.
    bool AutoFree() const { return FAutoFree; }

private:
    bool FAutoFree;
};

/// A control whose reading direction adjusts the text-drawing flags.
class TVxBiDiControl {
public:
    virtual ~TVxBiDiControl() = default;
    virtual uint DrawTextBiDiModeFlags(uint Flags) const = 0;
};

/// The platform rule: right-to-left alignment swaps DT_LEFT and DT_RIGHT (centring stays); every
/// right-to-left mode reads right to left.
uint DrawTextBiDiModeFlags(TBiDiMode Mode, uint Flags);

/// Draws (or, with DT_CALCRECT, measures) one piece of caption text. Under a visual style other
/// than the system's the text takes the style's text colour, otherwise the font's colour.
int DrawThemedText(QPainter* DC, const QString& Text, const TFont& Font, QRect& Rect, uint Flags);

/// What a parsed segment is: its marker string says the same, but a typed marker in the text
/// must not change how the text is laid out.
enum TVxCaptionSegmentKind : quint8 { skPlain, skNewLine, skBold, skUnderline, skItalic, skLink };

/// The one link of a caption: its visible text and its address.
class TVxLinkInfo {
public:
    explicit TVxLinkInfo(const QString& aText = {}, const QString& aLink = {}) : Text(aText), Link(aLink) {}
    QString Text;
    QString Link;
};

class TVxLinkRect {
public:
    explicit TVxLinkRect(const TRect& aRect) : FRect(aRect) {}
    TRect FRect;
};

/// Where the link text was drawn by the last paint.
class TVxLinkRects {
public:
    /// Keeps aRect only when it shares none of its Left, Right, Top, Bottom with a stored
    /// rectangle; so a wrapped link whose second line starts at the same Left is hit-testable on
    /// its first line only.
    void Add(const TRect& aRect);
    void Clear() { FLinkRects.clear(); }
    int Count() const { return int(FLinkRects.size()); }
    /// The first rectangle containing the point, or nullptr.
    const TVxLinkRect* InLink(int X, int Y) const;
    /// Raise EListError "Invalid index" outside 0 .. Count - 1.
    const TVxLinkRect& GetItem(int Index) const;
    void SetItem(int Index, const TVxLinkRect& Value);

private:
    std::vector<std::unique_ptr<TVxLinkRect>> FLinkRects;
};

struct TVxCaptionFacts;
struct TVxCaptionLayoutInput;

/// One caption text with markup, laid out for a width.
class TVxCaption {
public:
    TVxCaption(QPainter* ACanvas, const QString& ACaption, const TVxCaptionBackground& ABackground,
               const TFont& AFont, int AHeight, int AWidth, QPoint AOffSet, const TVxBiDiControl* AControl,
               TBiDiMode ABiDiMode);
    virtual ~TVxCaption();
    TVxCaption(const TVxCaption&) = delete;
    TVxCaption& operator=(const TVxCaption&) = delete;

    virtual void Paint();

    TRect GetLinkRect(int AIndex) const;
    int LinkRectCount() const { return FLinkRects.Count(); }
    bool MouseInLink(int AX, int AY) const { return FLinkRects.InLink(AX, AY) != nullptr; }

    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    QPainter* Canvas() const { return FCanvas; }
    /// A painter lives for one paint event only; the owning control hands its painter over for
    /// the paint and takes it back afterwards. Without a canvas a paint lays out but draws nothing.
    void SetCanvas(QPainter* Value) { FCanvas = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& Value);
    const TFont& LinkFont() const { return FLinkFont; }
    void SetLinkFont(const TFont& Value);
    const TVxCaptionBackground& Background() const { return *FBackground; }
    void SetBackground(const TVxCaptionBackground& Value);
    bool TreatAsLink() const { return FTreatAsLink; }
    void SetTreatAsLink(bool Value) { FTreatAsLink = Value; }
    QPoint OffSet() const { return FOffSet; }
    void SetOffSet(QPoint Value) { FOffSet = Value; }
    TBiDiMode BiDiMode() const { return FBiDiMode; }

    const TVxLinkInfo& LinkInfo() const { return FLinkInfo; }
    const TVxLinkRects& LinkRects() const { return FLinkRects; }
    const QStringList& CaptionSegments() const { return FCaptionSegments; }
    /// The kind of each segment, in the same order.
    const std::vector<TVxCaptionSegmentKind>& SegmentKinds() const { return FSegmentKinds; }
    /// Height accumulated by the last layout, without its first line.
    int RequiredHeight() const { return FRequiredHeight; }

    /// Paints ACaption at (ALeft, ATop) of ACanvas. Nothing happens when AHeight < 0. Otherwise a
    /// background with AutoFree set is deleted afterwards: the caller hands it over.
    static void PaintCaption(QPainter* ACanvas, const QString& ACaption, TVxCaptionBackground* ABackground,
                             const TFont& AFont, int ALeft, int ATop, int AWidth, int AHeight, QPoint AOffSet,
                             const TVxBiDiControl* AControl, TBiDiMode BiDiMode);
    /// ARect carries Left, Top, Width, Height in its Left, Top, Right, Bottom (see TranslateRect).
    static void PaintCaption(QPainter* ACanvas, const QString& ACaption, TVxCaptionBackground* ABackground,
                             const TFont& AFont, const TRect& ARect, QPoint AOffSet);
    static void PaintCaption(QPainter* ACanvas, const QString& ACaption, TVxCaptionBackground* ABackground,
                             const TFont& AFont, const TRect& ARect);
    static void PaintCaption(QPainter* ACanvas, const QString& ACaption, TVxCaptionBackground* ABackground,
                             const TFont& AFont, const TRect& ARect, const TVxBiDiControl* AControl,
                             TBiDiMode BiDiMode);
    /// (Left, Top, Right - Left, Bottom - Top): the form the PaintCaption overloads take.
    static TRect TranslateRect(const TRect& ARect);
    /// The height ACaption needs at AWidth (0 for AWidth <= 0). Draws nothing on ACanvas, which
    /// may be nullptr.
    static int MinimumHeight(QPainter* ACanvas, const QString& ACaption, const TFont& AFont, int AWidth);
    /// The width DrawText gives the unparsed text (markup counted as text) when word-wrapped at
    /// AWidth.
    static int MinimumWidth(QPainter* ACanvas, const QString& ACaption, const TFont& AFont, int AWidth);

protected:
    virtual void ParseCaption();
    void LayoutCaption(bool APaint);

private:
    friend class TVxCaptionMeasure;
    /// What ArrangeCaption is given for this caption as it stands.
    TVxCaptionLayoutInput LayoutInput(bool APaint) const;
    void PaintBackground(QPainter& Surface, int SurfaceWidth, int SurfaceHeight) const;

    TVxLinkRects FLinkRects;
    TVxLinkInfo FLinkInfo;
    std::unique_ptr<TVxCaptionBackground> FBackground;
    QString FCaption;
    QPainter* FCanvas;
    QStringList FCaptionSegments;
    std::vector<TVxCaptionSegmentKind> FSegmentKinds;
    int FWidth;
    int FHeight;
    TColor FColor;
    TFont FFont;
    TFont FLinkFont;
    int FLeft = 0;
    int FTop = 0;
    QPoint FOffSet;
    bool FTreatAsLink = false;
    TBiDiMode FBiDiMode;
    const TVxBiDiControl* FControl;
    int FRequiredHeight = 0;
};

/// One caption in one font, measured at any width. What does not depend on the width (the parsed
/// segments, the line heights, the width of each one-line piece) is found on the first
/// measurement and kept; a height then needs no text measuring while every piece fits the rest of
/// its line, and a piece that does not fit is laid out as TVxCaption::MinimumHeight lays it out.
/// MinimumHeight(Width) always equals TVxCaption::MinimumHeight(nullptr, Caption, Font, Width).
class TVxCaptionMeasure {
public:
    TVxCaptionMeasure(const QString& ACaption, const TFont& AFont);
    ~TVxCaptionMeasure();
    TVxCaptionMeasure(const TVxCaptionMeasure&) = delete;
    TVxCaptionMeasure& operator=(const TVxCaptionMeasure&) = delete;

    /// Whether this measures ACaption in AFont (its resolution included).
    bool Measures(const QString& ACaption, const TFont& AFont) const;
    int MinimumHeight(int AWidth) const;

private:
    TVxCaption FCaption;
    mutable std::unique_ptr<TVxCaptionFacts> FFacts;
};
