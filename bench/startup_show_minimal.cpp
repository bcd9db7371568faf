// The reference for bench/startup_show.sh: a minimal Qt Widgets program showing a QMessageBox
// with the texts the script gives "quillfen show". It prints the wall-clock time of its first
// paint and exits.

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() == QEvent::Paint && !FDone && Watched->isWidgetType()) {
            FDone = true;
            timespec ts;
            clock_gettime(CLOCK_REALTIME, &ts);
            std::printf("first-paint %lld\n", static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec);
            std::fflush(stdout);
            std::_Exit(0);
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
    FirstPaint probe;
    app.installEventFilter(&probe);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Confirm"), QStringLiteral("Save changes?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setInformativeText(QStringLiteral("The document has been modified."));
    box.show();
    return app.exec();
}
