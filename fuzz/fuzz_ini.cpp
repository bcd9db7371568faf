// INI files: read every section and key, change one, write the file and read it back.
#include "FuzzSupport.h"

#include "IniFile.h"
#include "SysUtils.h"

#include <QDir>
#include <QFile>

static QString TempPath()
{
    static const QString path = fuzz::ScratchDir().filePath(QStringLiteral("quillfen-fuzz-ini-%1.ini").arg(QCoreApplication::applicationPid()));
    return path;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    fuzz::EnsureApplication();
    {
        QFile file(TempPath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(Data), qint64(Size));
    }
    try {
        TIniFile ini(TempPath());
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
        const TIniFile again(TempPath());
        // What was written reads back, and the file keeps its sections.
        if (again.ReadString(QStringLiteral("Fuzz"), QStringLiteral("Key"), QString()) != QLatin1String("Value"))
            __builtin_trap();
    } catch (const EInOutError&) {
    }
    return 0;
}
