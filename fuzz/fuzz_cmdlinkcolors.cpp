// The command-link colour file.
#include "FuzzSupport.h"

#include "SysUtils.h"
#include "VxCommandLinkColors.h"

#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    fuzz::EnsureApplication();
    static const QString path =
        fuzz::ScratchDir().filePath(QStringLiteral("quillfen-fuzz-colors-%1.ini").arg(QCoreApplication::applicationPid()));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(Data), qint64(Size));
    }
    TVxCommandLinkColors colors;
    try {
        colors.LoadFromFile(path);
    } catch (const EConvertError&) {
    } catch (const EInOutError&) {
    }
    return 0;
}
