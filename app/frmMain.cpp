#include "frmMain.h"

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Quillfen"));
    resize(800, 600);
}
