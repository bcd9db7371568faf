// INI files: read every section and key, change one, write the file and read it back.
#include "FuzzSupport.h"

#include "IniFile.h"
#include "SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    fuzz::EnsureApplication();
    const QString path = fuzz::WriteScratchFile(QStringLiteral("ini.ini"), Data, Size);
    if (path.isEmpty())
        return 0;
    try {
        TIniFile ini(path);
        const QStringList sections = ini.ReadSections();
        int reads = 0;
        for (const QString& section : sections) {
            for (const QString& key : ini.ReadSection(section)) {
                ini.ReadString(section, key, QString());
                ini.ReadInteger(section, key, 0);
                if (++reads > 2000)
                    break;
            }
        }
        ini.WriteString(QStringLiteral("Fuzz"), QStringLiteral("Key"), QStringLiteral("Value"));
        ini.UpdateFile();
        const TIniFile again(path);
        // What was written reads back, and the file keeps its sections.
        if (again.ReadString(QStringLiteral("Fuzz"), QStringLiteral("Key"), QString()) != QLatin1String("Value"))
            __builtin_trap();
    } catch (const EInOutError&) {
    }
    return 0;
}
