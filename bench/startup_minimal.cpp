// The reference programs for bench/startup.sh, reporting their first paint as quillfen does:
// built with QUILLFEN_MESSAGE_BOX, a QMessageBox with the texts the script gives "quillfen show";
// otherwise one window with one QScintilla view, the designer's heaviest widget.

#include "private/StartupProbe.h"

#include <QApplication>
#ifdef QUILLFEN_MESSAGE_BOX
#include <QMessageBox>
#else
#include <Qsci/qsciscintilla.h>
#include <QMainWindow>
#endif

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    InstallStartupProbe();
#ifdef QUILLFEN_MESSAGE_BOX
    QMessageBox window(QMessageBox::Warning, QStringLiteral("Confirm"), QStringLiteral("Save changes?"),
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    window.setInformativeText(QStringLiteral("The document has been modified."));
#else
    QMainWindow window;
    window.setCentralWidget(new QsciScintilla(&window));
    window.resize(768, 667);
#endif
    window.show();
    return app.exec();
}
