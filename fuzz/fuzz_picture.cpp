// Pictures as a form text carries them (class name and data), and each graphic class on its own
// file data. Inputs go up to a megabyte (fuzz_picture.options), which an icon directory of
// 65,535 entries needs.
#include "FuzzSupport.h"

#include "Picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    fuzz::EnsureApplication();
    fuzz::Input in(Data, Size);
    const uint8_t kind = in.Take<uint8_t>();
    const QByteArray bytes = in.RestBytes();
    // A smaller bound than a design has keeps every run quick; what is beyond it takes the same
    // way as what is beyond the design's bound.
    const TPictureBudget pictures(qint64(1) << 18);
    try {
        switch (kind % 4) {
        case 0: {
            TPicture picture;
            picture.LoadFromData(bytes);
            // A loaded picture writes data that loads again.
            TPicture again;
            again.LoadFromData(picture.SaveToData());
            break;
        }
        case 1: {
            TBitmap bitmap;
            bitmap.LoadFromBytes(bytes);
            break;
        }
        case 2: {
            TIcon icon;
            icon.LoadFromBytes(bytes);
            break;
        }
        default: {
            TPngImage png;
            png.LoadFromBytes(bytes);
            break;
        }
        }
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
