#include <VxDialog.h>
#include <VxOptions.h>
#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    TVxDialog dialog;
    dialog.Instruction()->SetText(QStringLiteral("Hello from Quillfen"));
    return dialog.Execute() == mrOk ? 0 : 1;
}
