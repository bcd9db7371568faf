#include "ApplicationIdentity.h"
#include "ExceptionHandler.h"
#include "CommandLine.h"
#include "DesignFile.h"
#include "frmMain.h"
#include "Shell.h"
#include "private/StartupProbe.h"
#include "VxDefaultFonts.h"
#include "VxDialogEngine.h"
#include "VxDialogStrs.h"

#include <QApplication>
#include <QFileInfo>

#include <QCoreApplication>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QStringList>
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
    KeepStandardDescriptors();
    // "quillfen my-dialog.dfm" opens the file in the designer; anything else is a command, --help
    // or --version and needs no window.
    // The toolkit's own options (-style fusion, -reverse, ...) go to the application and are no
    // command; a command keeps all of its arguments.
    QStringList own;
    for (int i = 1; i < argc; ++i)
        own.append(DecodeFileName(QByteArray(argv[i])));
    own = WithoutToolkitOptions(own);
    QString openFile;
    if (own.size() == 1 && !own[0].startsWith(QLatin1Char('-')) && !FindCommandLineCommand(own[0])) {
        const QFileInfo file(own[0]);
        const QString suffix = file.suffix().toLower();
        if (file.isFile() || suffix == QLatin1String("dfm") || suffix == QLatin1String("txt"))
            openFile = file.filePath();
    }
    if (!own.isEmpty() && openFile.isEmpty())
        return RunCommandLine(argc, argv);
    bool platformGiven = false; // -platform names where the window goes
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        platformGiven = platformGiven || arg == "-platform" || arg == "--platform" || arg.startsWith("-platform=")
                        || arg.startsWith("--platform=");
    }
    if (!platformGiven && !hasDisplay()) {
        std::fprintf(stderr,
                     "quillfen: no display (DISPLAY and WAYLAND_DISPLAY are unset); run it headless with "
                     "'xvfb-run -a quillfen' or 'QT_QPA_PLATFORM=offscreen quillfen'\n");
        return esNoDisplay;
    }
    TQuillfenApplication app(argc, argv);
    SetUpApplicationIdentity();
    // The engine's texts in the user's language (LANGUAGE, LC_ALL, LANG), English without a catalogue.
    InstallStringTableTranslation(QLocale::system());
    // The default fonts follow the toolkit's interface font, known only once the application exists.
    VxDefaultFonts();
    SetBeepHandler([](int) { QApplication::beep(); });
    InstallDialogEngine();
    TfrmMain window;
    InstallStartupProbe();
    if (const QScreen* screen = window.screen()) // opens centred on the screen
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.show();
    if (!openFile.isEmpty()) // once the window shows, so that a message stands over it
        QTimer::singleShot(0, &window, [&window, openFile] { window.OpenFile(openFile, false); });
    return app.exec();
}
