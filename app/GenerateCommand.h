#pragma once
// The headless "generate" command: a design given as options, rendered exactly as the code page
// (or, with --dfm, the form-text page) shows it after Generate. Needs no display.

#include "DesignValues.h"

#include <QString>
#include <QStringList>

struct TGenerateRequest {
    bool DFM = false;
    TDesignValues Values;
};

// Parses the arguments that follow "generate". False with a one-line message in Error for an
// unknown option, icon, dialog option or button name, or a missing value.
bool ParseGenerateArguments(const QStringList& Args, TGenerateRequest& Request, QString& Error);

// The text the designer shows for the request: the design is applied to a fresh "VxDialog1" of
// the main window and rendered by a fresh generator.
QString RenderGenerateRequest(const TGenerateRequest& Request);

// What "quillfen --help" prints.
QString UsageText();

// Runs the command: 0 and the text on standard output, or 2 and the error on standard error.
int RunGenerateCommand(const QStringList& Args);
