#include "CommandLine.h"

#include "DesignFile.h"
#include "DesignValues.h"
#include "VxDialog.h"
#include "GenerateCommand.h"
#include "RenderCommand.h"
#include "ShowCommand.h"
#include "AskCommand.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(undefined_behavior_sanitizer)
#define QUILLFEN_HAS_SANITIZER 1
#include <sanitizer/common_interface_defs.h>
#endif
#endif

namespace {
bool OutputClosed = false;
// Where the commands' own messages go: the original standard error, kept aside while descriptor
// 2 is /dev/null for everyone else.
FILE* Messages = nullptr;

// Options whose values are file names and so may hold any bytes.
bool IsFileOption(const QString& Name)
{
    return Name == QLatin1String("from") || Name == QLatin1String("out");
}

// True when Value came from bytes that are not UTF-8 (DecodeFileName carries them as unpaired
// U+DC80..U+DCFF, which valid UTF-8 never yields).
bool HoldsInvalidUtf8(const QString& Value)
{
    return ShownFileName(Value) != Value;
}

// From here on only the commands' own lines reach standard error: the toolkit's messages are
// dropped, and descriptor 2 becomes /dev/null for the libraries that write there directly
// (libpng's "libpng error: ...", font configuration warnings).
void SilenceForeignMessages()
{
    qInstallMessageHandler([](QtMsgType Type, const QMessageLogContext&, const QString& Message) {
        if (Type == QtFatalMsg && Messages) {
            std::fprintf(Messages, "quillfen: %s\n", Message.toUtf8().constData());
            std::fflush(Messages);
        }
    });
    const int own = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (own < 0 || null < 0) {
        if (own >= 0)
            ::close(own);
        if (null >= 0)
            ::close(null);
        return;
    }
    Messages = ::fdopen(own, "w");
    if (!Messages) {
        ::close(own);
        ::close(null);
        return;
    }
    ::dup2(null, STDERR_FILENO);
    ::close(null);
#ifdef QUILLFEN_HAS_SANITIZER
    // The sanitizers' reports must still be seen.
    __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(own)));
#endif
}

const QStringList& IconNames()
{
    static const QStringList names = {QStringLiteral("None"),        QStringLiteral("Warning"),
                                      QStringLiteral("Error"),       QStringLiteral("Information"),
                                      QStringLiteral("Confirmation"), QStringLiteral("Shield"),
                                      QStringLiteral("Custom")};
    return names;
}

const QStringList& OptionNames()
{
    static const QStringList names = {
        QStringLiteral("doShowHelpLink"), QStringLiteral("doRadioButtons"),      QStringLiteral("doCommandLinks"),
        QStringLiteral("doCommandLinksNoIcon"), QStringLiteral("doProgressBar"), QStringLiteral("doProgressBarMarquee"),
        QStringLiteral("doTimer"),        QStringLiteral("doTopMost"),           QStringLiteral("doModal")};
    return names;
}

const QStringList& ButtonNames()
{
    static const QStringList names = {QStringLiteral("Yes"),  QStringLiteral("No"),   QStringLiteral("OK"),
                                      QStringLiteral("Cancel"), QStringLiteral("Help"), QStringLiteral("Close")};
    return names;
}

// The listed name that matches (ASCII case-insensitive), or an empty string.
QString Canonical(const QStringList& Names, const QString& Value)
{
    for (const QString& name : Names)
        if (name.compare(Value, Qt::CaseInsensitive) == 0 && name.size() == Value.size()) {
            bool ascii = true;
            for (QChar c : Value)
                ascii = ascii && c.unicode() < 128;
            if (ascii)
                return name;
        }
    return {};
}

QStringList SplitList(const QString& Value)
{
    QStringList items;
    for (const QString& part : Value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString item = part.trimmed();
        if (!item.isEmpty())
            items.append(item);
    }
    return items;
}

QString Accepted(const QStringList& Names)
{
    return Names.join(QStringLiteral(", "));
}

// How an option is written on the command line: "--title", "-h".
QString Spelled(const QString& Name)
{
    return (Name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + Name;
}

// The option list of a parser's help text: everything after its "Options:" line.
QString OptionList(const QCommandLineParser& Parser)
{
    const QString help = Parser.helpText();
    const QString marker = QStringLiteral("Options:\n");
    const qsizetype at = help.indexOf(marker);
    return at < 0 ? QString() : help.mid(at + marker.size());
}

QString NotesText()
{
    return QStringLiteral("ICON is one of: %1\n"
                          "LIST is comma separated; an empty list chooses none.\n"
                          "Options may come in any order; each may be given once, except --button,\n"
                          "--command-link and --radio, which add one item each in the order given.\n"
                          "A text option switches its section on (--help-link adds doShowHelpLink to\n"
                          "any --options, --command-link adds doCommandLinks, --radio doRadioButtons,\n"
                          "--timer doTimer, --progress-position doProgressBar).\n"
                          "--expando takes both texts, SHOW|HIDE: a value without a bar is refused (exit\n"
                          "status 2), except Expando, the design page's box checked with no texts entered.\n"
                          "FILE may be any name the system takes; --from - reads standard input.\n"
                          "\n")
               .arg(IconNames().join(QStringLiteral(", ")))
           + ExitStatusText();
}

const char* const DesignTextOptions[][3] = {
    // name, value name, description
    {"title", "TEXT", "window title (one line: line breaks become spaces)"},
    {"header", "TEXT", "header text"},
    {"header-icon", "ICON", "header icon"},
    {"instruction", "TEXT", "main instruction"},
    {"instruction-icon", "ICON", "instruction icon"},
    {"main-icon", "ICON", "main icon"},
    {"content", "TEXT", "content text"},
    {"expando", "SHOW|HIDE", "show the expando with these show and hide texts (the bar is required)"},
    {"expanded-text", "TEXT", "expanded information in the dialog body"},
    {"expanded-in-footer", "TEXT", "expanded information below the footer"},
    {"verification", "TEXT", "show the verification check box with this text"},
    {"footer", "TEXT", "footer text"},
    {"footer-icon", "ICON", "footer icon"},
    {"help-link", "TEXT", "show the help link with this text (doShowHelpLink)"},
    {"button", "CAPTION", "add a custom button (repeatable; values 100, 101, ... in order)"},
    {"command-link", "CAPTION|NOTE", "add a command link with an optional note below its caption (repeatable; values 100, 101, ... in order); cannot be mixed with --button"},
    {"radio", "CAPTION", "add a radio button (repeatable; values 200, 201, ... in order)"},
    {"default-radio", "N", "check the N-th radio button (from 1) instead of the first"},
    {"default-button", "NAME|N", "the default button: a common button's name or the N-th --button or --command-link (from 1)"},
    {"timer", "MILLISECONDS", "run the dialog timer at this interval (doTimer)"},
    {"progress-position", "N", "show a progress bar at position N, 0 to 100 (doProgressBar)"},
};
} // namespace

QString ExitStatusText()
{
    return QStringLiteral(
        "Exit status:\n"
        "  0  success; show: OK, Yes, Retry, Ignore, All, Yes to All, a command link or a\n"
        "     custom button; ask: OK, the value is printed\n"
        "  1  the work failed: a --from file cannot be read or holds no readable design,\n"
        "     the dialog cannot be rendered, or the output cannot be written (a full disk,\n"
        "     a closed standard output, a folder that does not exist); show and ask: Cancel,\n"
        "     No, Close, Abort, No to All or a closed window (ask prints nothing)\n"
        "  2  a bad command line: an unknown command, option or name, a missing or\n"
        "     unexpected value, an option given twice, a value that is not valid UTF-8\n"
        "     (nothing shows)\n"
        "  3  no display: the designer, show and ask need one\n"
        "  5  show: the --timeout ran out\n");
}

void KeepStandardDescriptors()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // Read-only, so that a write meant for a closed output fails instead of vanishing; open
        // takes the lowest free number, which is this one.
        const int null = ::open("/dev/null", O_RDONLY);
        if (null >= 0 && null != fd) {
            ::dup2(null, fd);
            ::close(null);
        }
        if (fd == STDOUT_FILENO)
            OutputClosed = true;
    }
}

bool StandardOutputWasClosed()
{
    return OutputClosed;
}

QStringList CommandArguments(int argc, char* argv[], int Skip)
{
    QStringList args;
    for (int i = Skip; i < argc; ++i)
        args << DecodeFileName(QByteArray(argv[i]));
    return args;
}

const QList<TCommandLineCommand>& CommandLineCommands()
{
    static const QList<TCommandLineCommand> commands = {
        {QStringLiteral("generate"), GenerateSynopsis(),
         QStringLiteral("print the creation code (or, with --dfm, the form text) that Generate\n"
                        "shows for the design; needs no display"),
         false, RunGenerateCommand},
        {QStringLiteral("render"), RenderSynopsis(),
         QStringLiteral("save the dialog of the design as a PNG picture, as Preview shows it;\n"
                        "needs no display"),
         true, RunRenderCommand, PrepareRenderApplication},
        {QStringLiteral("show"), ShowSynopsis(),
         QStringLiteral("show the dialog of the design as a window and print what the user chose;\n"
                        "exit status 0 OK/Yes/command link, 1 Cancel/No/closed, 5 timed out"),
         true, RunShowCommand, nullptr, true},
        {QStringLiteral("ask"), AskSynopsis(),
         QStringLiteral("ask for a value in an input dialog (text, password, number, memo, combo,\n"
                        "list, checklist, date, time, calendar, pair, ...) and print it; exit status\n"
                        "1 on Cancel"),
         true, RunAskCommand, nullptr, true},
    };
    return commands;
}

const TCommandLineCommand* FindCommandLineCommand(const QString& Name)
{
    for (const TCommandLineCommand& command : CommandLineCommands())
        if (command.Name == Name)
            return &command;
    return nullptr;
}

QString VersionText()
{
    return QStringLiteral("quillfen %1\n").arg(QStringLiteral(QUILLFEN_VERSION));
}

QString UsageText()
{
    QString text = QStringLiteral("Usage:\n"
                                  "  quillfen                  start the designer (needs a display)\n");
    for (const TCommandLineCommand& command : CommandLineCommands()) {
        QString summary = command.Summary;
        summary.replace(QLatin1Char('\n'), QStringLiteral("\n      "));
        text += QStringLiteral("  quillfen %1\n      %2\n").arg(command.Synopsis, summary);
    }
    text += QStringLiteral("  quillfen COMMAND --help   the options of a command\n"
                           "  quillfen --help           show this text\n"
                           "  quillfen --version        show the version\n"
                           "\n"
                           "Design options (texts are taken literally; a line break in a value is a line break):\n");
    QCommandLineParser design;
    design.addOptions(DesignOptions());
    text += OptionList(design);
    text += QLatin1Char('\n') + NotesText();
    return text;
}

QList<QCommandLineOption> StandardOptions()
{
    return {QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("show this text")),
            QCommandLineOption(QStringLiteral("version"), QStringLiteral("show the version"))};
}

bool HandleStandardOptions(const QCommandLineParser& Parser, const QString& Command, const QString& HelpText,
                           int& Status)
{
    QString text;
    if (Parser.isSet(QStringLiteral("help")))
        text = HelpText;
    else if (Parser.isSet(QStringLiteral("version")))
        text = VersionText();
    else
        return false;
    QString error;
    Status = esSuccess;
    if (!WriteStandardOutput(text.toUtf8(), error)) {
        PrintCommandError(Command, error);
        Status = esFailed;
    }
    return true;
}

QString CommandHelpText(const QCommandLineParser& Parser, const QString& Synopsis, const QString& Description)
{
    return QStringLiteral("Usage: quillfen %1\n%2\n\nOptions:\n%3\n%4")
        .arg(Synopsis, Description, OptionList(Parser), NotesText());
}

bool IsRepeatableOption(const QString& Name)
{
    return Name == QLatin1String("button") || Name == QLatin1String("command-link") || Name == QLatin1String("radio")
           || Name == QLatin1String("item");
}

bool ParseCommandArguments(QCommandLineParser& Parser, const QList<QCommandLineOption>& Options,
                           const QStringList& Args, QString& Error)
{
    Parser.addOptions(Options);
    // "-title" reads as "--title", and an unknown "-colour" is reported as one name.
    Parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    QStringList withProgram = Args;
    withProgram.prepend(QStringLiteral("quillfen"));
    if (!Parser.parse(withProgram)) {
        const QStringList unknown = Parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            QStringList accepted;
            for (const QCommandLineOption& option : Options)
                accepted.append(Spelled(option.names().constLast()));
            Error = QStringLiteral("unknown option '%1'; accepted: %2").arg(Spelled(unknown.constFirst()),
                                                                           accepted.join(QStringLiteral(", ")));
        } else {
            Error = Parser.errorText();
        }
        return false;
    }
    // A repeat, also under another name of the same option ("-h" and "--help").
    const QStringList given = Parser.optionNames();
    for (const QCommandLineOption& option : Options) {
        qsizetype seen = 0;
        for (const QString& name : option.names())
            seen += given.count(name);
        if (seen > 1 && !IsRepeatableOption(option.names().constLast())) {
            Error = QStringLiteral("option '%1' is given twice; give each option once")
                        .arg(Spelled(option.names().constLast()));
            return false;
        }
    }
    if (!Parser.positionalArguments().isEmpty()) {
        Error = QStringLiteral("unexpected argument '%1'").arg(Parser.positionalArguments().constFirst());
        return false;
    }
    for (const QCommandLineOption& option : Options) {
        const QString name = option.names().constLast();
        if (IsFileOption(name) || option.valueName().isEmpty() || !Parser.isSet(name))
            continue;
        if (HoldsInvalidUtf8(Parser.value(name))) {
            Error = QStringLiteral("the value of %1 is not valid UTF-8").arg(Spelled(name));
            return false;
        }
    }
    return true;
}

QList<QCommandLineOption> DesignOptions()
{
    QList<QCommandLineOption> options;
    for (const auto& option : DesignTextOptions)
        options.append(QCommandLineOption(QLatin1String(option[0]), QLatin1String(option[2]), QLatin1String(option[1])));
    options.append(QCommandLineOption(
        QStringLiteral("from"),
        QStringLiteral("take the design from this form-text file (the first TVxDialog in it; - for standard "
                       "input); the other design options change what the file says"),
        QStringLiteral("FILE")));
    options.append(QCommandLineOption(
        QStringLiteral("options"),
        QStringLiteral("dialog options, replacing the default doModal: %1").arg(OptionNames().join(QStringLiteral(", "))),
        QStringLiteral("LIST")));
    options.append(QCommandLineOption(
        QStringLiteral("buttons"),
        QStringLiteral("common buttons, replacing the default OK,Cancel: %1").arg(ButtonNames().join(QStringLiteral(", "))),
        QStringLiteral("LIST")));
    return options;
}

bool ReadDesignFromOption(const QCommandLineParser& Parser, QByteArray& Text, TDesignValues& Values, QString& Error)
{
    if (!Parser.isSet(QStringLiteral("from")))
        return true;
    const QString fileName = Parser.value(QStringLiteral("from"));
    try {
        Text = ReadDesignFileBytes(fileName);
        TComponent root;
        root.SetName(QStringLiteral("frmMain"));
        TDesignSource source;
        const std::unique_ptr<TVxDialog> dialog = ReadDesign(Text, &root, source);
        Values = DesignFromDialog(dialog.get());
    } catch (const EFormTextError& E) {
        Error = QStringLiteral("%1: %2").arg(fileName, E.Message());
        return false;
    } catch (const Exception& E) {
        Error = E.Message();
        return false;
    }
    return true;
}

namespace {
// A whole number in [Low, High] written in ASCII digits, or false.
bool ReadBoundedNumber(const QString& Text, qint64 Low, qint64 High, qint64& Number)
{
    if (Text.isEmpty() || Text.size() > 12)
        return false;
    for (QChar c : Text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    Number = Text.toLongLong();
    return Number >= Low && Number <= High;
}

// --button, --command-link, --radio and what refers to them.
bool ReadDesignItemOptions(const QCommandLineParser& Parser, TDesignValues& V, QString& Error)
{
    const QStringList buttons = Parser.values(QStringLiteral("button"));
    const QStringList links = Parser.values(QStringLiteral("command-link"));
    if (!buttons.isEmpty() && !links.isEmpty()) {
        Error = QStringLiteral("--button and --command-link cannot be mixed: a dialog shows its custom buttons "
                               "either as buttons or as command links");
        return false;
    }
    if (!buttons.isEmpty() || !links.isEmpty()) {
        QList<TDesignButton> items;
        for (const QString& caption : buttons) {
            if (caption.trimmed().isEmpty()) {
                Error = QStringLiteral("--button needs a caption");
                return false;
            }
            items.append({caption, QString()});
        }
        for (const QString& link : links) {
            const qsizetype bar = link.indexOf(QLatin1Char('|'));
            TDesignButton item{bar < 0 ? link : link.left(bar), bar < 0 ? QString() : link.mid(bar + 1)};
            if (item.Caption.trimmed().isEmpty()) {
                Error = QStringLiteral("malformed --command-link '%1': write 'CAPTION' or 'CAPTION|NOTE' with a caption")
                            .arg(link);
                return false;
            }
            items.append(item);
        }
        V.CustomButtons = items;
        if (!links.isEmpty())
            V.CommandLinks = true;
    }
    const QStringList radios = Parser.values(QStringLiteral("radio"));
    if (!radios.isEmpty()) {
        V.RadioItems = radios;
        V.RadioButtons = true;
    }
    qint64 number = 0;
    if (Parser.isSet(QStringLiteral("default-radio"))) {
        const QString text = Parser.value(QStringLiteral("default-radio"));
        if (radios.isEmpty() || !ReadBoundedNumber(text, 1, radios.size(), number)) {
            Error = QStringLiteral("--default-radio '%1' names no --radio; give a position from 1 to %2")
                        .arg(text).arg(radios.size());
            return false;
        }
        V.DefaultRadio = int(number);
    }
    if (Parser.isSet(QStringLiteral("default-button"))) {
        const QString text = Parser.value(QStringLiteral("default-button"));
        const qsizetype custom = buttons.size() + links.size();
        const QString name = Canonical(ButtonNames(), text);
        if (!name.isEmpty()) {
            V.DefaultButton = name;
        } else if (custom > 0 && ReadBoundedNumber(text, 1, custom, number)) {
            V.DefaultButton = QString::number(number);
        } else {
            Error = QStringLiteral("unknown default button '%1'; accepted: %2%3")
                        .arg(text, Accepted(ButtonNames()),
                             custom > 0 ? QStringLiteral(" or a position from 1 to %1").arg(custom) : QString());
            return false;
        }
    }
    if (Parser.isSet(QStringLiteral("timer"))) {
        if (!ReadBoundedNumber(Parser.value(QStringLiteral("timer")), 1, 0x7FFFFFFF, number)) {
            Error = QStringLiteral("--timer '%1' is not a positive number of milliseconds")
                        .arg(Parser.value(QStringLiteral("timer")));
            return false;
        }
        V.TimerInterval = quint32(number);
        V.Timer = true;
    }
    if (Parser.isSet(QStringLiteral("progress-position"))) {
        if (!ReadBoundedNumber(Parser.value(QStringLiteral("progress-position")), 0, 100, number)) {
            Error = QStringLiteral("--progress-position '%1' is not a number from 0 to 100")
                        .arg(Parser.value(QStringLiteral("progress-position")));
            return false;
        }
        V.ProgressPosition = int(number);
        V.ProgressBar = true;
    }
    return true;
}
} // namespace

bool ReadDesignOptions(const QCommandLineParser& Parser, TDesignValues& V, QString& Error)
{
    const auto given = [&](const char* Name) { return Parser.isSet(QLatin1String(Name)); };
    const auto value = [&](const char* Name) { return Parser.value(QLatin1String(Name)); };

    // Lists first: they replace the defaults as a whole, so the text options below can switch on
    // what they need whatever the lists say.
    if (given("options")) {
        bool* flags[] = {&V.ShowHelpLink, &V.RadioButtons, &V.CommandLinks, &V.CommandLinksNoIcon,
                         &V.ProgressBar,  &V.ProgressBarMarquee, &V.Timer,  &V.TopMost, &V.Modal};
        bool chosen[9] = {};
        for (const QString& item : SplitList(value("options"))) {
            const qsizetype k = OptionNames().indexOf(Canonical(OptionNames(), item));
            if (k < 0) {
                Error = QStringLiteral("unknown dialog option '%1'; accepted: %2").arg(item, Accepted(OptionNames()));
                return false;
            }
            chosen[k] = true;
        }
        for (int k = 0; k < 9; ++k)
            *flags[k] = chosen[k];
    }
    if (given("buttons")) {
        bool* flags[] = {&V.ButtonYes, &V.ButtonNo, &V.ButtonOK, &V.ButtonCancel, &V.ButtonHelp, &V.ButtonClose};
        bool chosen[6] = {};
        for (const QString& item : SplitList(value("buttons"))) {
            const qsizetype k = ButtonNames().indexOf(Canonical(ButtonNames(), item));
            if (k < 0) {
                Error = QStringLiteral("unknown button '%1'; accepted: %2").arg(item, Accepted(ButtonNames()));
                return false;
            }
            chosen[k] = true;
        }
        for (int k = 0; k < 6; ++k)
            *flags[k] = chosen[k];
    }

    const struct {
        const char* Name;
        QString* Target;
    } icons[] = {{"header-icon", &V.HeaderIcon},
                 {"instruction-icon", &V.InstructionIcon},
                 {"main-icon", &V.MainIcon},
                 {"footer-icon", &V.FooterIcon}};
    for (const auto& icon : icons) {
        if (!given(icon.Name))
            continue;
        const QString canonical = Canonical(IconNames(), value(icon.Name));
        if (canonical.isEmpty()) {
            Error = QStringLiteral("unknown icon '%1' for --%2; accepted: %3")
                        .arg(value(icon.Name), QLatin1String(icon.Name), Accepted(IconNames()));
            return false;
        }
        *icon.Target = canonical;
    }

    if (given("title"))
        V.Title = SingleLineSectionText(value("title"));
    const struct {
        const char* Name;
        QString* Target;
    } texts[] = {{"header", &V.Header},
                 {"instruction", &V.Instruction},
                 {"content", &V.Content},
                 {"footer", &V.Footer},
                 {"expanded-text", &V.ExpandoContent},
                 {"expanded-in-footer", &V.ExpandoFooter}};
    for (const auto& text : texts)
        if (given(text.Name))
            *text.Target = MultiLineSectionText(value(text.Name));
    if (given("expando")) {
        // The page keeps both texts in one caption; one text alone has no place there. Its reset
        // caption "Expando" is the box checked with no texts entered.
        if (!value("expando").contains(QLatin1Char('|')) && value("expando") != QLatin1String("Expando")) {
            Error = QStringLiteral("--expando needs SHOW|HIDE: the show text, a bar and the hide text");
            return false;
        }
        V.ExpandoChecked = true;
        V.ExpandoCaption = value("expando");
    }
    if (given("verification")) {
        V.VerificationChecked = true;
        V.VerificationCaption = value("verification");
    }
    if (given("help-link")) {
        V.ShowHelpLink = true;
        V.HelpLink = value("help-link");
    }
    return ReadDesignItemOptions(Parser, V, Error);
}

bool WriteStandardOutput(const QByteArray& Data, QString& Error)
{
    if (OutputClosed) {
        Error = QStringLiteral("cannot write the output: standard output is closed");
        return false;
    }
    errno = 0;
    const size_t written = std::fwrite(Data.constData(), 1, size_t(Data.size()), stdout);
    const bool flushed = std::fflush(stdout) == 0;
    if (written == size_t(Data.size()) && flushed && !std::ferror(stdout))
        return true;
    const int code = errno;
    Error = QStringLiteral("cannot write the output: %1")
                .arg(code ? FileErrorText(code) : QStringLiteral("write error"));
    return false;
}

void PrintCommandError(const QString& Command, const QString& Message)
{
    // One line whatever the message holds.
    QString line = Message;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString who = Command.isEmpty() ? QStringLiteral("quillfen") : QStringLiteral("quillfen ") + Command;
    FILE* out = Messages ? Messages : stderr;
    std::fprintf(out, "%s: %s\n", who.toUtf8().constData(), ShownFileName(line).toUtf8().constData());
    std::fflush(out);
}

QStringList WithoutToolkitOptions(const QStringList& Args)
{
    // Those QGuiApplication and QApplication read on every platform. X11's own (-title, -name,
    // -display, ...) stay the program's: "--title" is a design option.
    static const QStringList withValue = {
        QStringLiteral("platform"),      QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
        QStringLiteral("plugin"),        QStringLiteral("qwindowgeometry"),    QStringLiteral("qwindowicon"),
        QStringLiteral("qwindowtitle"),  QStringLiteral("style"),              QStringLiteral("stylesheet"),
        QStringLiteral("session"),       QStringLiteral("qmljsdebugger")};
    static const QStringList flags = {QStringLiteral("reverse"), QStringLiteral("widgetcount")};
    QStringList rest;
    for (qsizetype i = 0; i < Args.size(); ++i) {
        const QString& arg = Args[i];
        if (arg == QLatin1String("--")) { // the end of options: the rest is the program's
            rest += Args.mid(i);
            break;
        }
        QString name = arg;
        if (name.startsWith(QLatin1String("--")))
            name.remove(0, 2);
        else if (name.startsWith(QLatin1Char('-')))
            name.remove(0, 1);
        else {
            rest.append(arg);
            continue;
        }
        const qsizetype equals = name.indexOf(QLatin1Char('='));
        const QString key = equals < 0 ? name : name.left(equals);
        if (withValue.contains(key)) {
            if (equals < 0 && i + 1 < Args.size())
                ++i; // its value
            continue;
        }
        if (equals < 0 && flags.contains(key))
            continue;
        rest.append(arg);
    }
    return rest;
}

int RunCommandLine(int argc, char* argv[])
{
    SilenceForeignMessages();
    // A write past the size limit a shell may set fails and is reported, instead of ending the
    // process halfway through a file.
    std::signal(SIGXFSZ, SIG_IGN);
    const QStringList args = CommandArguments(argc, argv, 1);
    const QString first = args.constFirst();
    const TCommandLineCommand* command = FindCommandLineCommand(first);
    if (!command) {
        // quillfen --help, --version; anything else is an unknown command.
        QCoreApplication app(argc, argv);
        QCommandLineParser parser;
        QString error;
        if (!first.startsWith(QLatin1Char('-'))) {
            PrintCommandError(QString(), QStringLiteral("unknown command '%1'; run 'quillfen --help'").arg(first));
            return esUsage;
        }
        if (!ParseCommandArguments(parser, StandardOptions(), args, error)) {
            PrintCommandError(QString(), error + QStringLiteral("; run 'quillfen --help'"));
            return esUsage;
        }
        int status = esSuccess;
        if (!HandleStandardOptions(parser, QString(), UsageText(), status)) {
            PrintCommandError(QString(), QStringLiteral("no command given; run 'quillfen --help'"));
            status = esUsage;
        }
        return status;
    }
    if (command->OwnsApplication)
        return command->Run(args.mid(1));
    if (command->Prepare)
        command->Prepare(args.mid(1));
    std::unique_ptr<QCoreApplication> app;
    if (command->NeedsGui) {
        // Headless whatever the environment says: the window is only grabbed, never shown.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("quillfen"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLFEN_VERSION));
    return command->Run(args.mid(1));
}
