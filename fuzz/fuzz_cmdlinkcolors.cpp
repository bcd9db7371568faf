// The command-link colour file.
#include "FuzzSupport.h"

#include "SysUtils.h"
#include "VxCommandLinkColors.h"


extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    fuzz::EnsureApplication();
    const QString path = fuzz::WriteScratchFile(QStringLiteral("colors.ini"), Data, Size);
    if (path.isEmpty())
        return 0;
    TVxCommandLinkColors colors;
    try {
        colors.LoadFromFile(path);
    } catch (const EConvertError&) {
    } catch (const EInOutError&) {
    }
    return 0;
}
