// Caption markup: parse, measure and paint at a few widths, including zero and negative ones.
#include "FuzzSupport.h"

#include "Graphics.h"
#include "VxCaption.h"

#include <QImage>
#include <QPainter>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    fuzz::EnsureApplication();
    fuzz::Input in(Data, Size);
    const int fuzzedWidth = in.Take<int16_t>();
    const QString text = in.RestUtf8();
    static const TFont font;

    for (const int width : {fuzzedWidth, 0, -7, 37}) {
        const int height = TVxCaption::MinimumHeight(nullptr, text, font, width);
        if (height < 0)
            __builtin_trap();
        TVxCaption::MinimumWidth(nullptr, text, font, width);
    }
    // The painted surfaces stay under 128 KB: the sanitizers' allocator maps and unmaps every larger
    // block afresh, and the page faults of a 300 x 180 buffer took a quarter of each run.
    static QImage image(320, 200, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    // PaintCaption takes over a background marked AutoFree.
    auto* background = new TVxCaptionBackground(clWhite, nullptr, {}, true, true);
    TVxCaption::PaintCaption(&painter, text, background, font, TRect{4, 4, 200, 120});
    TVxCaption caption(&painter, text, TVxCaptionBackground(clNone), font, 180, 120, QPoint(2, 2), nullptr,
                       bdLeftToRight);
    caption.Paint();
    for (int i = 0; i < caption.LinkRectCount(); ++i)
        caption.GetLinkRect(i);
    return 0;
}
