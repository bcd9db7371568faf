#include "ShowCommand.h"

#include "Classes.h"
#include "CommandLine.h"
#include "DesignFile.h"
#include "DesignValues.h"
#include "DrawText.h"
#include "Shell.h"
#include "private/StartupProbe.h"
#include "SysUtils.h"
#include "VxCollections.h"
#include "VxDefaultFonts.h"
#include "VxDialog.h"
#include "VxDialogEngine.h"
#include "VxDialogStrs.h"
#include "VxOptions.h"
#include "VxProgressBar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QPointer>
#include <QProgressBar>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace {
const QString CommandName = QStringLiteral("show");

QList<QCommandLineOption> ShowOptions()
{
    return StandardOptions()
           << QCommandLineOption(QStringLiteral("json"), QStringLiteral("report the result as one JSON object"))
           << QCommandLineOption(QStringLiteral("timeout"),
                                 QStringLiteral("close the dialog after SECONDS (exit status 5); the default button "
                                                "counts down"),
                                 QStringLiteral("SECONDS"))
           << QCommandLineOption(QStringLiteral("progress"),
                                 QStringLiteral("show a progress bar fed by standard input, line by line: a number "
                                                "sets the position, '# text' the content text, 'pulsate' the marquee"))
           << QCommandLineOption(QStringLiteral("pulsate"), QStringLiteral("with --progress: start with the marquee"))
           << QCommandLineOption(QStringLiteral("auto-close"),
                                 QStringLiteral("with --progress: close with OK (exit status 0) at the end of input"))
           << DesignOptions();
}

QString Description()
{
    return QStringLiteral(
        "Shows the dialog of the design as a window and reports what the user chose on standard\n"
        "output, one fact per line (or, with --json, one JSON object):\n"
        "  result=ok|cancel|yes|no|close|abort|retry|ignore|all|no-to-all|yes-to-all|\n"
        "         command-link|button|timeout\n"
        "  command-link=N     the chosen command link, from 1 in --command-link order\n"
        "  button=N           the chosen custom button, from 1 in --button order\n"
        "  caption=TEXT       the caption of the chosen command link or button\n"
        "  radio=N            the checked radio button from 1 (0 none), when radio buttons show\n"
        "  verification=checked|unchecked   when the verification box shows\n"
        "Closing the window reports result=cancel.\n"
        "\n"
        "Progress lines on standard input (with --progress): a number sets the position (clamped\n"
        "to 0..100), '# text' replaces the content text, 'pulsate' runs the marquee; other lines\n"
        "are ignored. OK is available at the end of input, when the bar is full; with --auto-close\n"
        "the dialog closes there. Cancel closes standard input, so the writer gets SIGPIPE.");
}

// Names of the modal results in reports, by modal result.
QString ResultName(int ModalResult)
{
    static const char* const names[] = {"none",  "ok",    "cancel",    "abort",    "retry",
                                        "ignore", "yes",  "no",        "close",    "help",
                                        "try-again", "continue", "all", "no-to-all", "yes-to-all"};
    return ModalResult >= 0 && ModalResult < 15 ? QLatin1String(names[ModalResult]) : QStringLiteral("none");
}

bool IsAcceptingResult(int ModalResult)
{
    return ModalResult == mrOk || ModalResult == mrYes || ModalResult == mrRetry || ModalResult == mrIgnore
           || ModalResult == mrAll || ModalResult == mrYesToAll || ModalResult == mrTryAgain
           || ModalResult == mrContinue;
}

int CommonButtonResult(TCommonButton Button)
{
    switch (Button) {
    case cbYes: return mrYes;
    case cbNo: return mrNo;
    case cbOK: return mrOk;
    case cbCancel: return mrCancel;
    case cbAbort: return mrAbort;
    case cbRetry: return mrRetry;
    case cbIgnore: return mrIgnore;
    case cbAll: return mrAll;
    case cbNoToAll: return mrNoToAll;
    case cbYesToAll: return mrYesToAll;
    case cbHelp: return mrHelp;
    case cbClose: return mrClose;
    }
    return mrNone;
}

struct TShowRequest {
    TDesignValues Values;
    QByteArray FromText;
    bool Json = false;
    int TimeoutSeconds = 0;
    bool Progress = false;
    bool Pulsate = false;
    bool AutoClose = false;
};

// Status tells a bad command line (esUsage) from a --from file that cannot be read (esFailed);
// the command line is checked whole before the file is read.
bool ParseShowArguments(const QCommandLineParser& Parser, TShowRequest& Request, QString& Error, int& Status)
{
    Status = esUsage;
    if (TDesignValues checked; !ReadDesignOptions(Parser, checked, Error))
        return false;
    Request.Json = Parser.isSet(QStringLiteral("json"));
    if (Parser.isSet(QStringLiteral("timeout"))) {
        const QString text = Parser.value(QStringLiteral("timeout"));
        bool ok = true;
        for (QChar c : text)
            ok = ok && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const qint64 seconds = ok && !text.isEmpty() && text.size() <= 7 ? text.toLongLong() : 0;
        if (seconds <= 0) {
            Error = QStringLiteral("--timeout '%1' is not a positive whole number of seconds").arg(text);
            return false;
        }
        Request.TimeoutSeconds = int(seconds);
    }
    Request.Progress = Parser.isSet(QStringLiteral("progress"));
    Request.Pulsate = Parser.isSet(QStringLiteral("pulsate"));
    Request.AutoClose = Parser.isSet(QStringLiteral("auto-close"));
    if ((Request.Pulsate || Request.AutoClose) && !Request.Progress) {
        Error = QStringLiteral("--%1 needs --progress").arg(Request.Pulsate ? QStringLiteral("pulsate")
                                                                             : QStringLiteral("auto-close"));
        return false;
    }
    Status = esFailed;
    if (!ReadDesignFromOption(Parser, Request.FromText, Request.Values, Error))
        return false;
    Status = esUsage;
    if (!ReadDesignOptions(Parser, Request.Values, Error))
        return false;
    if (Request.Progress) {
        Request.Values.ProgressBar = !Request.Pulsate;
        Request.Values.ProgressBarMarquee = Request.Pulsate;
        Request.Values.ProgressPosition = 0;
    }
    Status = esSuccess;
    return true;
}

// Feeds a dialog's progress bar and content from standard input without ever blocking the
// window: the descriptor is non-blocking and read only when the notifier says it has data.
class TProgressReader : public QObject {
public:
    TProgressReader(TVxDialog* ADialog, bool AutoClose) : FDialog(ADialog), FAutoClose(AutoClose)
    {
        ::fcntl(STDIN_FILENO, F_SETFL, ::fcntl(STDIN_FILENO, F_GETFL) | O_NONBLOCK);
        FNotifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
        connect(FNotifier, &QSocketNotifier::activated, this, [this] { ReadAvailable(); });
    }

    void Start()
    {
        SetOkEnabled(false);
        ReadAvailable(); // what came before the window showed
    }

    // Stops reading and closes standard input, so that the writer learns that nobody listens.
    void Stop()
    {
        if (FNotifier) {
            FNotifier->setEnabled(false);
            delete FNotifier;
            FNotifier = nullptr;
            ::close(STDIN_FILENO);
        }
    }

private:
    void ReadAvailable()
    {
        if (!FNotifier)
            return;
        // A bounded amount per wake-up, so a fast writer cannot starve the window.
        char buffer[64 * 1024];
        for (int round = 0; round < 16; ++round) {
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n > 0) {
                for (const QByteArray& line : FLines.Feed(QByteArray(buffer, n)))
                    Apply(ReadProgressLine(line));
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return;
            if (const auto last = FLines.Finish())
                Apply(ReadProgressLine(*last));
            Finished();
            return;
        }
    }

    void Apply(const TProgressLine& Line)
    {
        switch (Line.Kind) {
        case TProgressLine::plIgnored: break;
        case TProgressLine::plPosition: SetPosition(Line.Position); break;
        case TProgressLine::plText: FDialog->Content()->SetText(Line.Text); break;
        case TProgressLine::plPulsate: SetMarquee(true); break;
        }
    }

    void Finished()
    {
        Stop();
        SetPosition(FDialog->Progress()->Max());
        if (FAutoClose) {
            FDialog->Close(mrOk);
            return;
        }
        SetOkEnabled(true);
    }

    // The painted bars follow the model; a native bar (the default) is set directly.
    void SetPosition(int Position)
    {
        SetMarquee(false);
        FDialog->Progress()->SetPosition(Position);
        if (auto* bar = qobject_cast<QProgressBar*>(FDialog->GetControl(ctProgressBar, 0)))
            bar->setValue(Position);
    }

    void SetMarquee(bool On)
    {
        QObject* control = FDialog->GetControl(ctProgressBar, 0);
        if (auto* bar = qobject_cast<QProgressBar*>(control)) {
            if (On != (bar->maximum() == 0))
                bar->setRange(0, On ? 0 : FDialog->Progress()->Max());
        } else if (auto* painted = qobject_cast<TVxProgressBar*>(control)) {
            if (On == (painted->Style() == psMarquee))
                return;
            if (On) {
                painted->SetStyle(psMarquee);
                painted->Activate(FDialog->Progress()->Interval());
            } else {
                painted->Deactivate();
                painted->SetStyle(psNormal);
            }
        }
    }

    void SetOkEnabled(bool Enabled)
    {
        if (auto* ok = qobject_cast<QWidget*>(FDialog->GetControl(ctButton, mrOk)))
            ok->setEnabled(Enabled);
    }

    TVxDialog* FDialog;
    bool FAutoClose;
    QSocketNotifier* FNotifier = nullptr;
    TLineSplitter FLines;
};

// Counts down on the default button and ends the run when the time is up.
class TTimeout : public QObject {
public:
    TTimeout(TVxDialog* ADialog, int Seconds) : FDialog(ADialog), FLeft(Seconds)
    {
        FTimer.setInterval(1000);
        connect(&FTimer, &QTimer::timeout, this, [this] { Tick(); });
    }

    void Start()
    {
        FindDefault();
        ShowLeft();
        FTimer.start();
    }

    bool TimedOut() const { return FTimedOut; }

private:
    void FindDefault()
    {
        TVxCustomButtons* customs = FDialog->CustomButtons();
        for (int k = 0; k < customs->Count(); ++k)
            if (customs->Items(k)->Default()) {
                FCustomValue = customs->Items(k)->Value();
                FCaption = customs->Items(k)->Caption();
                return;
            }
        if (FDialog->ButtonBar()->UseDefault())
            FButton = qobject_cast<QAbstractButton*>(
                FDialog->GetControl(ctButton, CommonButtonResult(FDialog->ButtonBar()->Default())));
        if (FButton)
            FCaption = FButton->text();
    }

    void ShowLeft()
    {
        const QString caption = QStringLiteral("%1 (%2)").arg(FCaption).arg(FLeft);
        if (FButton) {
            FButton->setText(caption);
        } else if (FCustomValue) {
            const TVxCustomButtonItem* item = FDialog->CustomButtons()->Items(FCustomValue - 100);
            FDialog->UpdateCustomButtonDetails(FCustomValue, caption, item->Hint(), item->Info());
        }
    }

    void Tick()
    {
        if (--FLeft > 0) {
            ShowLeft();
            return;
        }
        FTimer.stop();
        FTimedOut = true;
        FDialog->Close(mrCancel);
    }

    TVxDialog* FDialog;
    int FLeft;
    QTimer FTimer;
    QPointer<QAbstractButton> FButton;
    int FCustomValue = 0;
    QString FCaption;
    bool FTimedOut = false;
};
} // namespace

TShowReport ShowReportFromDialog(TVxDialog* D, bool TimedOut)
{
    const TVxDialogResult& result = D->DialogResult();
    TShowReport report;
    if (TimedOut) {
        report.Result = QStringLiteral("timeout");
        report.ExitStatus = esTimeout;
    } else if (result.ModalResult >= 100 && result.ModalResult - 100 < D->CustomButtons()->Count()) {
        report.Result = D->DialogOptions().Contains(doCommandLinks) ? QStringLiteral("command-link")
                                                                   : QStringLiteral("button");
        report.Position = result.ModalResult - 99;
        report.Caption = D->CustomButtons()->Items(result.ModalResult - 100)->Caption();
        report.ExitStatus = esSuccess;
    } else {
        report.Result = ResultName(result.ModalResult);
        report.ExitStatus = IsAcceptingResult(result.ModalResult) ? esSuccess : esFailed;
    }
    if (D->DialogOptions().Contains(doRadioButtons) && D->RadioButtons()->Count() > 0) {
        const int value = result.RadioResult;
        report.Radio = value >= 200 && value - 200 < D->RadioButtons()->Count() ? value - 199 : 0;
    }
    if (D->Verification()->Visible())
        report.Verification = result.VerificationResult;
    return report;
}

QByteArray ShowReportLines(const TShowReport& R)
{
    QString text = QStringLiteral("result=%1\n").arg(R.Result);
    if (R.Position > 0) {
        text += QStringLiteral("%1=%2\n").arg(R.Result).arg(R.Position);
        // One line whatever the caption holds.
        QString caption = R.Caption;
        caption.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        text += QStringLiteral("caption=%1\n").arg(caption);
    }
    if (R.Radio)
        text += QStringLiteral("radio=%1\n").arg(*R.Radio);
    if (R.Verification)
        text += QStringLiteral("verification=%1\n").arg(*R.Verification ? QStringLiteral("checked")
                                                                          : QStringLiteral("unchecked"));
    return text.toUtf8();
}

QByteArray ShowReportJson(const TShowReport& R)
{
    QJsonObject object;
    object.insert(QStringLiteral("result"), R.Result);
    if (R.Position > 0) {
        object.insert(R.Result, R.Position);
        object.insert(QStringLiteral("caption"), R.Caption);
    }
    if (R.Radio)
        object.insert(QStringLiteral("radio"), *R.Radio);
    if (R.Verification)
        object.insert(QStringLiteral("verification"),
                      *R.Verification ? QStringLiteral("checked") : QStringLiteral("unchecked"));
    object.insert(QStringLiteral("exit-status"), R.ExitStatus);
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

TProgressLine ReadProgressLine(const QByteArray& Raw)
{
    TProgressLine line;
    QByteArray text = Raw;
    if (text.endsWith('\r'))
        text.chop(1);
    const QByteArray trimmed = text.trimmed();
    if (trimmed.startsWith('#')) {
        line.Kind = TProgressLine::plText;
        line.Text = QString::fromUtf8(trimmed.mid(1).trimmed());
        return line;
    }
    if (trimmed == "pulsate") {
        line.Kind = TProgressLine::plPulsate;
        return line;
    }
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (ok && !std::isnan(value)) {
        line.Kind = TProgressLine::plPosition;
        line.Position = value <= 0 ? 0 : value >= 100 ? 100 : int(value + 0.5);
    }
    return line;
}

QList<QByteArray> TLineSplitter::Feed(const QByteArray& Data)
{
    QList<QByteArray> lines;
    qsizetype from = 0;
    while (from < Data.size()) {
        const qsizetype end = Data.indexOf('\n', from);
        const qsizetype stop = end < 0 ? Data.size() : end;
        if (!FDropping) {
            if (FPending.size() + (stop - from) > FMaxLine) {
                FDropping = true;
                FPending.clear();
            } else {
                FPending.append(Data.constData() + from, stop - from);
            }
        }
        if (end < 0)
            break;
        if (!FDropping)
            lines.append(FPending);
        FPending.clear();
        FDropping = false;
        from = end + 1;
    }
    return lines;
}

std::optional<QByteArray> TLineSplitter::Finish()
{
    const bool whole = !FDropping && !FPending.isEmpty();
    const QByteArray last = FPending;
    FPending.clear();
    FDropping = false;
    if (!whole)
        return std::nullopt;
    return last;
}

QString ShowSynopsis()
{
    return QStringLiteral("show [--from FILE] [design options] [--json] [--timeout SECONDS]\n"
                          "               [--progress [--pulsate] [--auto-close]]");
}

QString ShowHelpText()
{
    QCommandLineParser parser;
    parser.addOptions(ShowOptions());
    return CommandHelpText(parser, ShowSynopsis(), Description());
}

bool CheckDisplay()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((platform && *platform) || (x && *x) || (wayland && *wayland))
        return true;
    PrintCommandError(QString(), QStringLiteral("no display (DISPLAY and WAYLAND_DISPLAY are unset); run it headless "
                                                "with 'xvfb-run -a quillfen' or 'QT_QPA_PLATFORM=offscreen quillfen'"));
    return false;
}

QApplication* CreateWindowApplication()
{
    // Standard output or input closed by the other side is reported, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    // Standard error carries the command's own one-line messages only, not the toolkit's notes.
    qInstallMessageHandler([](QtMsgType Type, const QMessageLogContext&, const QString& Message) {
        if (Type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(Message));
    });
    static int argc = 1;
    static char name[] = "quillfen";
    static char* argv[] = {name, nullptr};
    auto* app = new QApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillfen"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLFEN_VERSION));
    InstallStringTableTranslation(QLocale::system());
    VxDefaultFonts();
    SetBeepHandler([](int) { QApplication::beep(); });
    InstallDialogEngine();
    return app;
}

int RunShowCommand(const QStringList& Args)
{
    QCommandLineParser parser;
    QString error;
    if (!ParseCommandArguments(parser, ShowOptions(), Args, error)) {
        PrintCommandError(CommandName, error);
        return esUsage;
    }
    int status = esSuccess;
    if (HandleStandardOptions(parser, CommandName, ShowHelpText(), status))
        return status;
    TShowRequest request;
    if (!ParseShowArguments(parser, request, error, status)) {
        PrintCommandError(CommandName, error);
        return status;
    }
    if (!CheckDisplay())
        return esNoDisplay;
    const std::unique_ptr<QApplication> app(CreateWindowApplication());

    TComponent root;
    root.SetName(QStringLiteral("frmMain"));
    TVxDialog* dialog = CreateCommandDialog(&root, request.FromText);
    ApplyDesignToDialog(request.Values, dialog);
    dialog->SetPosition(dpScreenCenter);
    if (dialog->Title().isEmpty()) // what the window list and a screen reader call it
        dialog->SetTitle(QApplication::applicationName());

    InstallStartupProbe();

    std::unique_ptr<TProgressReader> reader;
    if (request.Progress)
        reader = std::make_unique<TProgressReader>(dialog, request.AutoClose);
    std::unique_ptr<TTimeout> timeout;
    if (request.TimeoutSeconds > 0)
        timeout = std::make_unique<TTimeout>(dialog, request.TimeoutSeconds);
    dialog->OnDialogShow = TNotifyEvent([&](TObject*) {
        // A screen reader names the bar after what it measures: the main instruction.
        if (auto* bar = qobject_cast<QWidget*>(dialog->GetControl(ctProgressBar, 0)); bar && bar->accessibleName().isEmpty())
            bar->setAccessibleName(StripHotkey(dialog->Instruction()->Text().isEmpty() ? dialog->Title()
                                                                                     : dialog->Instruction()->Text()));
        if (reader)
            reader->Start();
        if (timeout)
            timeout->Start();
    });
    try {
        dialog->Execute();
    } catch (const Exception& E) {
        PrintCommandError(CommandName, E.Message());
        return esFailed;
    }
    if (reader)
        reader->Stop();
    const TShowReport report = ShowReportFromDialog(dialog, timeout && timeout->TimedOut());
    if (!WriteStandardOutput(request.Json ? ShowReportJson(report) : ShowReportLines(report), error)) {
        PrintCommandError(CommandName, error);
        return esFailed;
    }
    return report.ExitStatus;
}
