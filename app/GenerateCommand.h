#pragma once
// The headless "generate" command: a design given as options, rendered exactly as the code page
// (or, with --dfm, the form-text page) shows it after Generate. Needs no display.

#include "DesignValues.h"

#include <QString>
#include <QStringList>

struct TGenerateRequest {
    bool DFM = false;
    // C++ creation code instead of Object Pascal.
    bool Cpp = false;
    TDesignValues Values;
    // The text of the --from file: the dialog read from it takes the values; empty for a fresh
    // design.
    QByteArray FromText;
};

// What follows "quillfen " in the command's usage line.
QString GenerateSynopsis();

// Parses the arguments that follow "generate". False with a one-line message in Error for an
// unknown option, icon, dialog option or button name, a missing value or a repeated option
// (Status esUsage), or a --from file that cannot be read (Status esFailed).
bool ParseGenerateArguments(const QStringList& Args, TGenerateRequest& Request, QString& Error, int* Status = nullptr);

// The text the designer shows for the request: the design is applied to a fresh "VxDialog1" of
// the main window and rendered by a fresh generator.
QString RenderGenerateRequest(const TGenerateRequest& Request);

// "quillfen generate --help".
QString GenerateHelpText();

// Runs the command on the arguments after "generate": 0 and the text on standard output; 2 and
// one line on standard error for a bad command line; 1 and one line when the --from file cannot
// be read or rendering or writing the text fails.
int RunGenerateCommand(const QStringList& Args);
