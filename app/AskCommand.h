#pragma once
// "quillfen ask": the input dialogs for shell scripts. Shows an edit dialog of one edit type (or
// the dual edit dialog) and prints the value the user confirmed on standard output; Cancel or a
// closed window exit with status 1 and print nothing.

#include <QDateTime>
#include <QString>
#include <QStringList>

// The names "--type" accepts, in the order the help lists them.
const QStringList& AskTypeNames();

// Values of --type date, time and calendar given a --format: FORMAT is the notation of strftime
// (date +FORMAT), %Y-%m-%d or %H:%M:%S. ReadDateTimeValue takes Text only when the whole of it
// matches and names a real day; what FORMAT leaves out is midnight or 1 January 1970.
bool ReadDateTimeValue(const QString& Text, const QString& Format, QDateTime& Value);
QString WriteDateTimeValue(const QDateTime& Value, const QString& Format);

QString AskSynopsis();
QString AskHelpText();
// The whole command: parses Args (exit 2 on a bad command line before anything shows), needs a
// display (exit 3), creates its own application and runs the dialog.
int RunAskCommand(const QStringList& Args);
