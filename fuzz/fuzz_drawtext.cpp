// Text drawing and measuring with any combination of its format flags and widths.
#include "FuzzSupport.h"

#include "DrawText.h"
#include "Graphics.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    fuzz::EnsureApplication();
    fuzz::Input in(Data, Size);
    constexpr uint known = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_WORDBREAK | DT_SINGLELINE |
                           DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX | DT_EDITCONTROL | DT_PATH_ELLIPSIS |
                           DT_END_ELLIPSIS | DT_RTLREADING | DT_WORD_ELLIPSIS;
    const uint format = in.Take<uint32_t>() & known;
    const int width = in.Take<int16_t>();
    const int height = in.Take<uint8_t>();
    const QString text = in.RestUtf8();
    static const TFont font;
    static const QFont qfont = font.ToQFont();
    const QFontMetrics metrics(qfont);

    const TDrawTextLayout layout = LayoutDrawText(metrics, text, width, format);
    if (layout.Height() < 0)
        __builtin_trap();
    QRect calc(0, 0, width, height);
    DrawText(nullptr, qfont, text, calc, format | DT_CALCRECT);
    QImage image(200, 120, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    QRect rect(2, 2, width, height);
    DrawText(&painter, qfont, text, rect, format);
    return 0;
}
