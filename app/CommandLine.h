#pragma once
// The headless commands ("quillfen generate ...") and what they share: the command table, one
// way to parse a command's arguments with QCommandLineParser, the design options, and writing
// the result to standard output.
//
// Exit statuses: ExitStatusText() is the one table (--help prints it, the README quotes it).
// Every error is one line on standard error, "quillfen COMMAND: ...", and nothing else is
// written there: the toolkit's and the image libraries' own messages are silenced.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QCommandLineOption;
class QCommandLineParser;
struct TDesignValues;

enum TExitStatus { esSuccess = 0, esFailed = 1, esUsage = 2, esNoDisplay = 3, esTimeout = 5 };

// The table of exit statuses, as "quillfen --help" and the README show it.
QString ExitStatusText();

// Called first in main(): puts /dev/null on any of descriptors 0-2 that is closed, so no file
// the program opens takes their numbers (output meant for a closed standard output would land in
// it). A write to a standard output that was closed fails and says so.
void KeepStandardDescriptors();
bool StandardOutputWasClosed();

struct TCommandLineCommand {
    QString Name;     // the first argument: "generate"
    QString Synopsis; // after "quillfen ": "generate [--dfm] [design options]"
    QString Summary;  // what the command does, for "quillfen --help"
    bool NeedsGui;    // runs on a QApplication (the offscreen platform) rather than a core one
    // Runs the command on the arguments after its name, once the application exists.
    int (*Run)(const QStringList& Args);
    // Runs before the application is created, on the same arguments (settings that only take
    // effect from the application's start, such as the screen resolution); may be nullptr.
    void (*Prepare)(const QStringList& Args) = nullptr;
    // Shows windows on the display: Run gets the arguments before any application exists, checks
    // them and creates its own.
    bool OwnsApplication = false;
};

// The commands, in the order "quillfen --help" lists them.
const QList<TCommandLineCommand>& CommandLineCommands();
const TCommandLineCommand* FindCommandLineCommand(const QString& Name);

// Handles "quillfen ARGS..." when ARGS is not empty: --help, --version or a command. Creates the
// application the command needs. Returns the exit status. The arguments are taken as the bytes
// given: file names that are not UTF-8 reach the system unchanged (DecodeFileName), other values
// that are not UTF-8 are refused.
int RunCommandLine(int argc, char* argv[]);

// Args without the toolkit's own options (-style fusion, -style=fusion, -reverse, -platform xcb,
// -stylesheet file.qss, ... also with two dashes), which every Qt program takes before its own.
// X11's options (-title, -display, ...) are not among them: they would take the program's own.
QStringList WithoutToolkitOptions(const QStringList& Args);

// The program's arguments after the first Skip, decoded as DecodeFileName does.
QStringList CommandArguments(int argc, char* argv[], int Skip);

// "quillfen --help" and "quillfen --version".
QString UsageText();
QString VersionText();

// Adds Options to Parser and parses Args (the arguments after the command's name). False with one
// line in Error for an unknown option (naming the accepted ones), a missing or unexpected value,
// an option given twice (options never depend on their order, so a repeat has no sound meaning),
// an argument that is not an option (no command takes any yet) or a value that is not valid
// UTF-8 (file names excepted: --from and --out take any bytes).
bool ParseCommandArguments(QCommandLineParser& Parser, const QList<QCommandLineOption>& Options,
                           const QStringList& Args, QString& Error);

// The help text of a command's parser, with its own synopsis line and the notes on the shared
// names and exit statuses after the option list.
QString CommandHelpText(const QCommandLineParser& Parser, const QString& Synopsis, const QString& Description);

// The standard -h/--help and --version options every command takes.
QList<QCommandLineOption> StandardOptions();

// Handles the standard options when set: prints the help or version text (or the error when it
// cannot be written) and sets Status.
bool HandleStandardOptions(const QCommandLineParser& Parser, const QString& Command, const QString& HelpText,
                           int& Status);

// The design options (--title, --header, ..., --options, --buttons), for every command that
// takes a design.
QList<QCommandLineOption> DesignOptions();

// Copies the design options that were given into Values, which holds the design they change (a
// fresh page, or later one read from a file). The result does not depend on the order of the
// options: lists replace the defaults as a whole, and a text option switches its section on
// (--help-link sets doShowHelpLink whatever --options says). Line breaks in multi-line texts
// become CR LF as on the design page; in the one-line title they become spaces. False with one
// line in Error for an unknown icon, dialog option or button name, or an --expando value without
// the bar between its show and hide texts.
bool ReadDesignOptions(const QCommandLineParser& Parser, TDesignValues& Values, QString& Error);

// Reads the file that --from names (when given): its text into Text and the page values of its
// first TVxDialog into Values, which the other design options then change. False with one line
// in Error for a file that cannot be read or holds no readable design ("FILE: line L, column C:
// ..."); that is a failed job (esFailed), not a bad command line.
bool ReadDesignFromOption(const QCommandLineParser& Parser, QByteArray& Text, TDesignValues& Values, QString& Error);

// Writes Data to standard output and flushes it. False with a one-line reason when the write
// fails (a full disk, a closed file).
bool WriteStandardOutput(const QByteArray& Data, QString& Error);

// Prints "quillfen COMMAND: MESSAGE" (or, without a command, "quillfen: MESSAGE") on standard
// error, on one line.
void PrintCommandError(const QString& Command, const QString& Message);
