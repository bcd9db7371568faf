#pragma once
// "quillfen ask": the input dialogs for shell scripts. Shows an edit dialog of one edit type (or
// the dual edit dialog) and prints the value the user confirmed on standard output; Cancel or a
// closed window exit with status 1 and print nothing.

#include <QString>
#include <QStringList>

// The names "--type" accepts, in the order the help lists them.
const QStringList& AskTypeNames();

QString AskSynopsis();
QString AskHelpText();
// The whole command: parses Args (exit 2 on a bad command line before anything shows), needs a
// display (exit 3), creates its own application and runs the dialog.
int RunAskCommand(const QStringList& Args);
