#pragma once
// What every fuzz target shares: a GUI application on the offscreen platform (fonts and images
// need one), created once, and a way to take numbers off the front of the input.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace fuzz {

inline void EnsureApplication()
{
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

// Where targets that read files put their input: memory-backed when the machine has it, since
// the writers sync their files to disk.
inline QDir ScratchDir()
{
    const QDir shm(QStringLiteral("/dev/shm"));
    return shm.exists() ? shm : QDir::temp();
}

// Writes the input to this process's scratch file Name and returns its path; empty when the
// file cannot be written.
inline QString WriteScratchFile(const QString& Name, const uint8_t* Data, size_t Size)
{
    const QString path = ScratchDir().filePath(QStringLiteral("quillfen-fuzz-%1-%2").arg(QCoreApplication::applicationPid()).arg(Name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    file.write(reinterpret_cast<const char*>(Data), qint64(Size));
    return path;
}

// Reads the input front to back: fixed-size numbers first, the rest as text or bytes.
class Input {
public:
    Input(const uint8_t* Data, size_t Size) : FData(Data), FSize(Size) {}

    template <typename T>
    T Take()
    {
        T value{};
        if (FSize >= sizeof(T)) {
            std::memcpy(&value, FData, sizeof(T));
            FData += sizeof(T);
            FSize -= sizeof(T);
        }
        return value;
    }
    QByteArray RestBytes() const { return QByteArray(reinterpret_cast<const char*>(FData), qsizetype(FSize)); }
    QString RestUtf8() const { return QString::fromUtf8(reinterpret_cast<const char*>(FData), qsizetype(FSize)); }

private:
    const uint8_t* FData;
    size_t FSize;
};

} // namespace fuzz
