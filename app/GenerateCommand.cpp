#include "GenerateCommand.h"

#include "Classes.h"
#include "CommandLine.h"
#include "CppCreate.h"
#include "DesignFile.h"
#include "SysUtils.h"
#include "VxDialog.h"

#include <QCommandLineParser>

namespace {
const QString CommandName = QStringLiteral("generate");

QList<QCommandLineOption> GenerateOptions()
{
    return StandardOptions()
        << QCommandLineOption(QStringLiteral("dfm"), QStringLiteral("print the form text instead of the creation code"))
        << QCommandLineOption(QStringLiteral("cpp"), QStringLiteral("print C++ creation code instead of Object Pascal"))
        << DesignOptions();
}

QString Description()
{
    return QStringLiteral("Prints the creation code (or, with --dfm, the form text; with --cpp, the C++\n"
                          "creation code) that Generate shows for\n"
                          "the design given as options. Texts are taken literally; a line break in a value\n"
                          "is a line break. Needs no display.");
}
} // namespace

QString GenerateSynopsis()
{
    return QStringLiteral("generate [--dfm] [--cpp] [--from FILE] [design options]");
}

bool ParseGenerateArguments(const QStringList& Args, TGenerateRequest& Request, QString& Error, int* Status)
{
    if (Status)
        *Status = esUsage;
    QCommandLineParser parser;
    if (!ParseCommandArguments(parser, GenerateOptions(), Args, Error))
        return false;
    // The command line is checked whole before the file is read.
    TDesignValues checked;
    if (!ReadDesignOptions(parser, checked, Error))
        return false;
    Request.DFM = parser.isSet(QStringLiteral("dfm"));
    Request.Cpp = parser.isSet(QStringLiteral("cpp"));
    if (Request.DFM && Request.Cpp) {
        Error = QStringLiteral("--dfm and --cpp exclude each other");
        return false;
    }
    if (Status)
        *Status = esFailed;
    if (!ReadDesignFromOption(parser, Request.FromText, Request.Values, Error))
        return false;
    if (Status)
        *Status = esSuccess;
    return ReadDesignOptions(parser, Request.Values, Error);
}

QString RenderGenerateRequest(const TGenerateRequest& Request)
{
    // The same owner and component as the main window: "VxDialog1" of "frmMain".
    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    // What the page cannot show stays as the --from file has it.
    TVxDialog* dialog = CreateCommandDialog(&root, Request.FromText);
    ApplyDesignToDialog(Request.Values, dialog);
    if (Request.Cpp)
        return CppCreationCode(dialog).join(QLatin1Char('\n')) + QLatin1Char('\n');
    if (!Request.DFM)
        return RenderCreationCode(dialog);
    return RenderFormText(dialog);
}

QString GenerateHelpText()
{
    QCommandLineParser parser;
    parser.addOptions(GenerateOptions());
    return CommandHelpText(parser, GenerateSynopsis(), Description());
}

int RunGenerateCommand(const QStringList& Args)
{
    QCommandLineParser parser;
    QString error;
    if (!ParseCommandArguments(parser, GenerateOptions(), Args, error)) {
        PrintCommandError(CommandName, error);
        return esUsage;
    }
    int status = esSuccess;
    if (HandleStandardOptions(parser, CommandName, GenerateHelpText(), status))
        return status;
    TGenerateRequest request;
    if (!ParseGenerateArguments(Args, request, error, &status)) {
        PrintCommandError(CommandName, error);
        return status;
    }
    QByteArray text;
    try {
        text = RenderGenerateRequest(request).toUtf8();
    } catch (const Exception& E) {
        PrintCommandError(CommandName, E.Message());
        return esFailed;
    }
    if (!WriteStandardOutput(text, error)) {
        PrintCommandError(CommandName, error);
        return esFailed;
    }
    return esSuccess;
}
