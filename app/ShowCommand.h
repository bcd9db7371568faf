#pragma once
// "quillfen show": runs a design as a real window for a shell script and reports what the user
// chose on standard output, one "key=value" line per fact or one JSON object, with an exit status
// a script can branch on. With --progress the bar follows the lines a script writes to standard
// input.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class TVxDialog;

// What a run of "show" reports.
struct TShowReport {
    // "ok", "cancel", "yes", "no", "close", "abort", "retry", "ignore", "all", "no-to-all",
    // "yes-to-all", "help", "try-again", "continue", "command-link", "button" or "timeout".
    QString Result;
    int Position = 0; // of the chosen command link or custom button, from 1
    QString Caption;  // of the chosen command link or custom button
    std::optional<int> Radio;         // the checked radio button from 1 (0 none) when radio buttons show
    std::optional<bool> Verification; // the verification box when it shows
    int ExitStatus = 1;

    bool operator==(const TShowReport&) const = default;
};

// The report of a finished run of ADialog; TimedOut when --timeout ended it.
TShowReport ShowReportFromDialog(TVxDialog* ADialog, bool TimedOut);

// "result=ok\nverification=checked\n..." in a fixed order.
QByteArray ShowReportLines(const TShowReport& Report);
// The same facts as one JSON object on one line.
QByteArray ShowReportJson(const TShowReport& Report);

// What a progress line asks for.
struct TProgressLine {
    enum TKind { plIgnored, plPosition, plText, plPulsate } Kind = plIgnored;
    int Position = 0; // 0..100 for plPosition
    QString Text;     // for plText
};
// Reads one line of the progress protocol: a number (clamped to 0..100), "# text", "pulsate";
// anything else is ignored.
TProgressLine ReadProgressLine(const QByteArray& Line);

// Splits a byte stream into lines of at most MaxLine bytes: a longer line is dropped whole, so one
// endless line cannot grow the buffer without bound.
class TLineSplitter {
public:
    explicit TLineSplitter(qsizetype MaxLine = 64 * 1024) : FMaxLine(MaxLine) {}
    // The complete lines in Data (without their line break).
    QList<QByteArray> Feed(const QByteArray& Data);
    // The unterminated last line at the end of input, when there is one.
    std::optional<QByteArray> Finish();

private:
    qsizetype FMaxLine;
    QByteArray FPending;
    bool FDropping = false;
};

QString ShowSynopsis();
QString ShowHelpText();
// The whole command: parses Args (exit 2 on a bad command line before anything shows), needs a
// display (exit 3), creates its own application and runs the dialog.
int RunShowCommand(const QStringList& Args);

// For "show" and "ask": a display is there (or a platform was chosen); else prints the one-line
// message of the designer and returns false.
bool CheckDisplay();
// Creates the application of a command that shows windows; the caller owns it.
class QApplication;
QApplication* CreateWindowApplication();
