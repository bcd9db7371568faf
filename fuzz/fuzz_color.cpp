// Colour texts: what StringToColor accepts, ColorToString writes back to the same colour.
#include "FuzzSupport.h"

#include "Graphics.h"
#include "SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(Data), qsizetype(Size));
    TColor color = 0;
    try {
        color = StringToColor(text);
    } catch (const EConvertError&) {
        return 0;
    }
    if (StringToColor(ColorToString(color)) != color)
        __builtin_trap();
    return 0;
}
