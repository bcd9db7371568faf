#include "ExceptionHandler.h"
#include "GenerateCommand.h"
#include "frmMain.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(UsageText().toUtf8().constData(), stdout);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "generate") == 0) {
        // No window: a core application is all the generator needs.
        QCoreApplication app(argc, argv);
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args.append(QString::fromLocal8Bit(argv[i]));
        return RunGenerateCommand(args);
    }
    if (argc >= 2) {
        std::fprintf(stderr, "quillfen: unknown command '%s'; run 'quillfen --help'\n", argv[1]);
        return 2;
    }
    if (!hasDisplay()) {
        std::fprintf(stderr,
                     "quillfen: no display (DISPLAY and WAYLAND_DISPLAY are unset); run it headless with "
                     "'xvfb-run -a quillfen' or 'QT_QPA_PLATFORM=offscreen quillfen'\n");
        return 3;
    }
    TQuillfenApplication app(argc, argv);
    TQuillfenApplication::setApplicationName(QStringLiteral("Quillfen"));
    TfrmMain window;
    window.show();
    return app.exec();
}
