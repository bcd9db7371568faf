#pragma once
// The process's peak resident memory, for tests that bound what hostile input may cost.
// Linux only: the peak (VmHWM) is reset through /proc/self/clear_refs.

#include <QFile>
#include <QRegularExpression>

namespace peakmemory {

// Starts a new peak measurement; false where the kernel does not offer it.
inline bool Reset()
{
    QFile file(QStringLiteral("/proc/self/clear_refs"));
    return file.open(QIODevice::WriteOnly) && file.write("5") == 1;
}

// Peak resident memory since the last Reset, in MiB; -1 when unknown.
inline qint64 PeakMiB()
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString status = QString::fromLatin1(file.readAll());
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("VmHWM:\\s*(\\d+) kB")).match(status);
    return m.hasMatch() ? m.captured(1).toLongLong() / 1024 : -1;
}

} // namespace peakmemory
