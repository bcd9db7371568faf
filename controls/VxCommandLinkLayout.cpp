#include "VxCommandLinkLayout.h"

#include "DrawText.h"
#include "VxCaption.h"

#include <QRect>

namespace {
constexpr uint CaptionMeasureFlags = DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE;
} // namespace

bool TVxCommandLinkCaptionExtents::Measures(const QString& ACaption, const TFont& AFont) const
{
    return FCaption == ACaption && FFont == AFont && FFont.PixelsPerInch() == AFont.PixelsPerInch();
}

QSize TVxCommandLinkCaptionExtents::Extent(uint Flags) const
{
    for (const auto& [flags, extent] : FExtents)
        if (flags == Flags)
            return extent;
    QRect r(0, 0, 0, 0);
    DrawText(nullptr, FFont.ToQFont(), FCaption, r, Flags);
    FExtents.emplace_back(Flags, r.size());
    return r.size();
}

QSize TVxCommandLinkLayout::CaptionSize(uint Flags) const
{
    if (M.CaptionExtents && M.CaptionExtents->Measures(M.Caption, M.Font))
        return M.CaptionExtents->Extent(Flags);
    QRect r(0, 0, 0, 0);
    DrawText(nullptr, M.Font.ToQFont(), M.Caption, r, Flags);
    return r.size();
}

QSize TVxCommandLinkLayout::CaptionExtent() const
{
    return CaptionSize(DrawTextBiDiModeFlags(M.BiDiMode, CaptionMeasureFlags));
}

int TVxCommandLinkLayout::MinimumWidth() const
{
    int w = CaptionSize(CaptionMeasureFlags).width() + 28;
    if (M.ShowIcon)
        w += M.GlyphSize.width() + 10;
    return w;
}

int TVxCommandLinkLayout::InfoIndent() const
{
    int indent = 7;
    if (M.ShowIcon)
        indent += M.GlyphSize.width() + 10;
    if (M.HasPicture)
        indent += M.PictureSize.width() + 4;
    return indent;
}

TRect TVxCommandLinkLayout::PartRect(int Part) const
{
    const TRect client{0, 0, M.Width, M.Height};
    TRect r = client;
    switch (Part) {
    case clpClient:
        return client;
    case clpFocus:
        return {client.Left + 3, client.Top + 3, client.Right - 3, client.Bottom - 3};
    case clpGlyph:
        if (!M.ShowIcon)
            return {0, 0, 6, 0};
        r.Top = 13;
        r.Bottom = r.Top + M.GlyphSize.height();
        if (RightToLeft()) {
            r.Left = client.Right - 10 - M.GlyphSize.width();
            r.Right = r.Left + M.GlyphSize.width();
        } else {
            r.Left = 10;
            r.Right = r.Left + M.GlyphSize.width();
        }
        return r;
    case clpCaption: {
        CaptionColumn(r.Left, r.Right);
        r.Top = 10;
        r.Bottom = r.Top + CaptionExtent().height();
        return r;
    }
    case clpInfo: {
        const TRect caption = PartRect(clpCaption);
        TRect measure = caption;
        if (M.HasPicture) {
            measure.Left = caption.Left + M.PictureSize.width() + 4;
            measure.Right = M.Width - 12 - M.PictureSize.width() - 8;
        } else {
            measure.Right = M.Width - 12;
        }
        int h = InfoHeight(measure.Width());
        if (M.HasPicture)
            h = qMax(M.PictureSize.height() + 4, h);
        r = caption;
        r.Top = caption.Bottom + 1;
        r.Bottom = r.Top + h;
        if (M.HasPicture)
            r.Left += M.PictureSize.width() + 8;
        r.Right = M.Width - 12;
        return r;
    }
    case clpPicture:
        if (!M.HasPicture)
            return client;
        r = PartRect(clpCaption);
        r.Top = r.Bottom + 4;
        r.Left += 1;
        return r;
    }
    return client;
}

void TVxCommandLinkLayout::CaptionColumn(int& Left, int& Right) const
{
    const TRect glyph = PartRect(clpGlyph);
    if (!RightToLeft()) {
        Left = glyph.Right + 7;
        Right = M.Width - 12;
    } else if (M.ShowIcon) {
        Right = glyph.Left - 7;
        Left = 10;
    } else {
        // Without the glyph the six-pixel glyph column sits at the right edge, mirrored.
        Right = M.Width - 6 - 7;
        Left = 10;
    }
}

int TVxCommandLinkLayout::InfoHeight(int Width) const
{
    if (M.InfoMeasure && M.InfoMeasure->Measures(M.InfoText, M.InfoFont))
        return M.InfoMeasure->MinimumHeight(Width);
    return TVxCaption::MinimumHeight(nullptr, M.InfoText, M.InfoFont, Width);
}

int TVxCommandLinkLayout::InfoPaintWidth(int ControlWidth) const
{
    // The info rectangle's Left and Right, without measuring its height.
    TVxCommandLinkMetrics m = M;
    m.Width = ControlWidth;
    int left = 0, right = 0;
    TVxCommandLinkLayout(m).CaptionColumn(left, right);
    if (M.HasPicture)
        left += M.PictureSize.width() + 8;
    return ControlWidth - 12 - left;
}

QSize TVxCommandLinkLayout::AdjustedSize() const
{
    int a = 16;
    if (M.ShowIcon)
        a += M.GlyphSize.width();
    if (M.Width < a)
        return QSize(M.Width, M.Height);

    const QSize caption = CaptionExtent();
    int w = M.Width;
    if (M.AutoSize) {
        w = 32 + caption.width();
        if (M.ShowIcon)
            w += M.GlyphSize.width();
        if (M.HasPicture)
            w += M.PictureSize.width() + 20;
    }
    // The text is measured no wider than it is painted, so every line measured is shown.
    const int infoWidth = qMin(w - 12 - InfoIndent(), InfoPaintWidth(w));
    const int ih = InfoHeight(infoWidth);
    int h = caption.height() + (M.HasPicture ? qMax(M.PictureSize.height() + 4, ih) : ih);
    if (M.HasGlyph)
        h = qMax(M.GlyphSize.height() + 4, h);
    h += 21;
    return QSize(w, h);
}
