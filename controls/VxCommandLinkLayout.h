#pragma once
/// The geometry of a command link: the rectangles of its parts, its minimum width and the size it
/// gives itself. Plain calculation from fonts and sizes; no window and no painting involved, so a
/// dialog can measure its command links before it shows anything. \file

#include "ControlTypes.h"
#include "Graphics.h"

#include <QSize>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

class TVxCaptionMeasure;

/// The single-line extents of a command link's caption in its font. They do not depend on the
/// width, so the button keeps them while its caption and font stay; each is measured on first use.
class TVxCommandLinkCaptionExtents {
public:
    TVxCommandLinkCaptionExtents(const QString& ACaption, const TFont& AFont) : FCaption(ACaption), FFont(AFont) {}
    /// Whether these are the extents of ACaption in AFont (its resolution included).
    bool Measures(const QString& ACaption, const TFont& AFont) const;
    /// DrawText's measurement of the caption (DT_CALCRECT) with these flags.
    QSize Extent(uint Flags) const;

private:
    QString FCaption;
    TFont FFont;
    mutable std::vector<std::pair<uint, QSize>> FExtents;
};

/// Everything the geometry depends on.
struct TVxCommandLinkMetrics {
    /// Caption with its accelerator markers ("&Save").
    QString Caption;
    /// Info text as drawn: the lines joined with CR LF and trimmed.
    QString InfoText;
    /// The info text measured at any width, kept by the button between layouts; used only while
    /// it measures InfoText in InfoFont, otherwise the info text is measured afresh.
    std::shared_ptr<const TVxCaptionMeasure> InfoMeasure;
    /// Likewise the caption's extents, used only while they measure Caption in Font.
    std::shared_ptr<const TVxCommandLinkCaptionExtents> CaptionExtents;
    TFont Font;
    TFont InfoFont;
    bool ShowIcon = true;
    /// A custom glyph (own or from an image list) replaces the arrow; the shield counts as one.
    bool HasGlyph = false;
    /// Size of the glyph drawn: the custom glyph's, or the built-in arrow's (16 x 16).
    QSize GlyphSize{16, 16};
    bool HasPicture = false;
    QSize PictureSize;
    TBiDiMode BiDiMode = bdLeftToRight;
    bool AutoSize = false;
    /// The control's current size.
    int Width = 0;
    int Height = 0;
};

/// The parts of a command link, numbered as GetPartRect takes them.
enum TVxCommandLinkPart { clpClient = 0, clpFocus = 1, clpGlyph = 2, clpCaption = 3, clpInfo = 4, clpPicture = 5 };

class TVxCommandLinkLayout {
public:
    explicit TVxCommandLinkLayout(const TVxCommandLinkMetrics& Metrics) : M(Metrics) {}

    /// The rectangle of a part in client coordinates (see the part numbers).
    TRect PartRect(int Part) const;
    /// Single-line extent of the caption in Font (accelerator markers not counted).
    QSize CaptionExtent() const;
    /// Caption width + 28, plus glyph width + 10 with ShowIcon.
    int MinimumWidth() const;
    /// 7, plus glyph width + 10 with ShowIcon, plus picture width + 4 with a picture.
    int InfoIndent() const;
    /// The size the button gives itself (width changes only with AutoSize), or the current size
    /// when the width is narrower than the glyph column.
    QSize AdjustedSize() const;
    /// Width at which the info text is wrapped when painted, for a control of the given width.
    int InfoPaintWidth(int ControlWidth) const;

private:
    bool RightToLeft() const { return M.BiDiMode != bdLeftToRight; }
    /// Left and Right of the caption rectangle.
    void CaptionColumn(int& Left, int& Right) const;
    /// Height of the info text wrapped at Width.
    int InfoHeight(int Width) const;
    /// DrawText's single-line extent of the caption with these flags.
    QSize CaptionSize(uint Flags) const;
    TVxCommandLinkMetrics M;
};
