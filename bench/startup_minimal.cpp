// The reference for bench/startup.sh: a minimal Qt Widgets program showing one window with one
// QScintilla view. It prints the wall-clock time of its first paint and exits.

#include <Qsci/qsciscintilla.h>
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() == QEvent::Paint && !FDone) {
            FDone = true;
            timespec ts;
            clock_gettime(CLOCK_REALTIME, &ts);
            std::printf("first-paint %lld\n", static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec);
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    bool FDone = false;
};
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto* view = new QsciScintilla(&window);
    window.setCentralWidget(view);
    window.resize(768, 667);
    FirstPaint probe;
    window.installEventFilter(&probe);
    window.show();
    return app.exec();
}
