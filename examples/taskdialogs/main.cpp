// Four dialogs from an installed Quillfen: one built in code, one loaded from a design, a message
// box and an input query. Each result is printed.
//
//   taskdialogs                 shows them one after the other
//   taskdialogs --answer        answers each one with Enter as soon as it shows (for tests)
//   taskdialogs --render F.png  renders the designed dialog into F.png and exits
#include <QuillfenVersion.h>
#include <VxDesignLoader.h>
#include <VxDialog.h>
#include <VxDialogRender.h>
#include <VxDialogs.h>
#include <VxEditDialogs.h>
#include <VxOptions.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

// Presses Enter in whichever modal window shows, as a user who accepts every default would.
void AnswerEveryDialog(QApplication& app)
{
    auto* timer = new QTimer(&app);
    QObject::connect(timer, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        QWidget* target = modal->focusWidget() ? modal->focusWidget() : modal;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    });
    timer->start(50);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();

    // A dialog from a design the program carries as a Qt resource.
    std::unique_ptr<TVxDialog> designed;
    try {
        designed = TVxDesignLoader::LoadFile(QStringLiteral(":/designs/confirm.dfm"));
    } catch (const Exception& e) {
        out << "cannot load the design: " << e.Message() << Qt::endl;
        return 1;
    }
    const int connected = TVxDesignLoader::ConnectHandler<TNotifyEvent>(
        designed.get(), QStringLiteral("VxDialog1DialogShow"), [&out](TObject*) { out << "design shown" << Qt::endl; });

    if (args.size() == 3 && args.at(1) == QLatin1String("--render")) {
        if (!RenderDialogImage(designed.get()).save(args.at(2)))
            return 1;
        return 0;
    }
    if (args.contains(QLatin1String("--answer")))
        AnswerEveryDialog(app);

    out << "Quillfen " << QuillfenVersion() << Qt::endl;
    out << "handlers connected: " << connected << Qt::endl;

    // A dialog built in code.
    TVxDialog coded;
    coded.SetTitle(QStringLiteral("Example"));
    coded.Instruction()->SetText(QStringLiteral("Copy the files now?"));
    coded.ButtonBar()->SetButtons(TCommonButtons{cbYes, cbNo});
    coded.ButtonBar()->SetDefault(cbYes);
    out << "coded: " << coded.Execute() << Qt::endl;

    const int designedResult = designed->Execute();
    out << "designed: " << designedResult << Qt::endl;

    out << "message: " << VxMessageDlg(QStringLiteral("The files were copied."), mtInformation, TMsgDlgButtons{mbOK}, 0)
        << Qt::endl;

    QString name = QStringLiteral("backup");
    const bool accepted = EditQuery(QStringLiteral("Example"), QStringLiteral("Name of the copy:"), name);
    out << "input: " << accepted << ' ' << name << Qt::endl;
    return 0;
}
