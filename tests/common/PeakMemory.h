#pragma once
// The process's peak resident memory, for tests that bound what hostile input may cost.
// Linux only: the peak (VmHWM) is reset through /proc/self/clear_refs.

#include <QFile>
#include <QRegularExpression>

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define QUILLFEN_PEAK_UNMEASURABLE 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QUILLFEN_PEAK_UNMEASURABLE 1
#endif

namespace peakmemory {

#ifdef QUILLFEN_PEAK_UNMEASURABLE
// Sanitizers keep freed memory in quarantine and add shadow memory: a peak says nothing of the
// code under test there, so only ordinary builds hold the bound.
inline constexpr bool Measurable = false;
#else
inline constexpr bool Measurable = true;
#endif

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

// Whether the peak since the last Reset stays within Limit MiB (always, where it cannot be
// measured).
inline bool PeakWithin(qint64 LimitMiB)
{
    const qint64 peak = PeakMiB();
    return !Measurable || peak < 0 || peak <= LimitMiB;
}

} // namespace peakmemory
