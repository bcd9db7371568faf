#pragma once
// For bench/startup.sh: with QUILLFEN_STARTUP_PROBE set, the first paint of any widget prints the
// wall-clock time ("first-paint NANOSECONDS") on standard output and ends the program there.
// Header only, so the bench's minimal reference programs measure with the very same code.

#include <QCoreApplication>
#include <QEvent>

#include <cstdio>
#include <cstdlib>
#include <ctime>

class TFirstPaintProbe : public QObject {
public:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() == QEvent::Paint && Watched->isWidgetType()) {
            timespec ts;
            clock_gettime(CLOCK_REALTIME, &ts);
            std::printf("first-paint %lld\n", static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec);
            std::fflush(stdout);
            std::_Exit(0);
        }
        return false;
    }
};

// Watches every widget of the application when the environment asks for it.
inline void InstallStartupProbe()
{
    static TFirstPaintProbe probe;
    if (std::getenv("QUILLFEN_STARTUP_PROBE"))
        QCoreApplication::instance()->installEventFilter(&probe);
}
