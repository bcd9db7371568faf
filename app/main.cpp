#include "frmMain.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {
bool hasDisplay()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return true; // the caller chose a platform (offscreen, vnc, ...)
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}
} // namespace

int main(int argc, char* argv[])
{
    if (!hasDisplay()) {
        std::fprintf(stderr,
                     "quillfen: no display (DISPLAY and WAYLAND_DISPLAY are unset); run it headless with "
                     "'xvfb-run -a quillfen' or 'QT_QPA_PLATFORM=offscreen quillfen'\n");
        return 3;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillfen"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quillfen"));
    TfrmMain window;
    window.show();
    return app.exec();
}
