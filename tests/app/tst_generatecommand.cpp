#include "support/CommandRun.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <sys/stat.h>

namespace {
// A shell word that printf turns into exactly these bytes, whatever they are (QProcess would
// pass its arguments through UTF-8).
QString ShellBytes(const QByteArray& Bytes)
{
    QString word = QStringLiteral("\"$(printf '");
    for (const char c : Bytes)
        word += QStringLiteral("\\%1").arg(static_cast<unsigned char>(c), 3, 8, QLatin1Char('0'));
    return word + QStringLiteral("')\"");
}

// Runs the program with arguments given as bytes, through the shell, with a redirection such
// as ">&-" (standard output closed).
Run QuillfenBytes(const QList<QByteArray>& Args, const QString& Redirection = QString(),
                  const QString& Folder = QString())
{
    QString script = QStringLiteral("exec ") + QStringLiteral(QUILLFEN_BINARY);
    for (const QByteArray& arg : Args)
        script += QLatin1Char(' ') + ShellBytes(arg);
    script += QLatin1Char(' ') + Redirection;
    QProcess p;
    if (!Folder.isEmpty())
        p.setWorkingDirectory(Folder);
    return RunToEnd(p, QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
}

Run Quillfen(const QStringList& Args, const QString& OutputFile = QString())
{
    QProcess p;
    if (!OutputFile.isEmpty())
        p.setStandardOutputFile(OutputFile);
    return RunToEnd(p, QStringLiteral(QUILLFEN_BINARY), Args);
}

const QStringList WorkedExample = {
    "generate", "--title", "Confirm", "--content", "The document has been modified.", "--instruction",
    "Save changes?", "--main-icon", "Warning", "--buttons", "Yes,No,Cancel"};
} // namespace

class tst_generatecommand : public QObject {
    Q_OBJECT
private slots:
    void workedExampleCode();
    void workedExampleFormText();
    void defaultsAndLiteralTexts();
    void rejectsUnknownNames_data();
    void rejectsUnknownNames();
    void orderDoesNotMatter_data();
    void orderDoesNotMatter();
    void failedWrite();
    void fromFile();
    void fromFileErrors_data();
    void fromFileErrors();
    void unreadableFrom_data();
    void unreadableFrom();
    void fromStandardInput();
    void fileNamesAsBytes();
    void invalidUtf8Values();
    void closedStandardOutput();
    void onlyOwnMessages();
    void exitStatusTable();
    void help();
    void cppCode();
};

void tst_generatecommand::workedExampleCode()
{
    const Run r = Quillfen(WorkedExample);
    QCOMPARE(r.ExitCode, 0);
    QCOMPARE(r.Err, QString());
    const QStringList expected = {
        "var",
        "  VxDialog1: TVxDialog;",
        "begin",
        "  VxDialog1 := TVxDialog.Create(nil);",
        "  try",
        "    VxDialog1.ButtonBar.Buttons := [cbYes, cbNo, cbCancel];",
        "    VxDialog1.ButtonBar.Color := 15790320;",
        "    VxDialog1.Content.Clear;",
        "    VxDialog1.Content.Add('The document has been modified.');",
        "    VxDialog1.Instruction.Text := 'Save changes?';",
        "    VxDialog1.MainIcon := tdiWarning;",
        "    VxDialog1.Name := 'VxDialog1';",
        "    VxDialog1.Title := 'Confirm';",
        "    VxDialog1.Execute;",
        "  finally",
        "    VxDialog1.Free;",
        "  end",
        "end;"};
    QCOMPARE(r.Out, expected.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void tst_generatecommand::workedExampleFormText()
{
    const Run r = Quillfen(QStringList(WorkedExample) << QStringLiteral("--dfm"));
    QCOMPARE(r.ExitCode, 0);
    const QStringList expected = {
        "object VxDialog1: TVxDialog",
        "  Content.Strings = (",
        "    'The document has been modified.')",
        "  Instruction.Text = 'Save changes?'",
        "  ButtonBar.Buttons = [cbYes, cbNo, cbCancel]",
        "  ButtonBar.Color = 15790320",
        "  MainIcon = tdiWarning",
        "  Title = 'Confirm'",
        "  Left = 336",
        "  Top = 184",
        "end"};
    QCOMPARE(r.Out, expected.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void tst_generatecommand::defaultsAndLiteralTexts()
{
    // No design options: the fresh page (doModal, OK and Cancel are defaults, nothing is written
    // but the button bar colour and the designer position).
    const Run empty = Quillfen({"generate", "--dfm"});
    QCOMPARE(empty.ExitCode, 0);
    QCOMPARE(empty.Out, QStringLiteral("object VxDialog1: TVxDialog\n  ButtonBar.Color = 15790320\n"
                                       "  Left = 336\n  Top = 184\nend\n"));

    const Run r = Quillfen({"generate", "--dfm", "--content", "line one\nit's two", "--options", "",
                            "--expando", "More|Less", "--verification=Don't ask", "--help-link", "Help me"});
    QCOMPARE(r.ExitCode, 0);
    QVERIFY2(r.Out.contains(QStringLiteral("    'line one'\n    'it'#39's two')\n")), qPrintable(r.Out));
    QVERIFY(r.Out.contains(QStringLiteral("DialogOptions = [doShowHelpLink]")));
    QVERIFY(r.Out.contains(QStringLiteral("'More'")));
    QVERIFY(r.Out.contains(QStringLiteral("'Less'")));
    QVERIFY(r.Out.contains(QStringLiteral("'Don'#39't ask'")));
    QVERIFY(r.Out.contains(QStringLiteral("'Help me'")));

    // Line breaks as the design page stores them: CR LF in the multi-line sections, a space in the
    // one-line title.
    const Run breaks = Quillfen({"generate", "--header", "one\ntwo\r\nthree\rfour", "--title", "first\nsecond"});
    QCOMPARE(breaks.ExitCode, 0);
    QVERIFY2(breaks.Out.contains(QStringLiteral("Header.Text := 'one'#13#10'two'#13#10'three'#13#10'four';")),
             qPrintable(breaks.Out));
    QVERIFY2(breaks.Out.contains(QStringLiteral("Title := 'first second';")), qPrintable(breaks.Out));
}

void tst_generatecommand::rejectsUnknownNames_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("named");
    QTest::addColumn<QString>("accepted");
    QTest::newRow("option") << QStringList{"generate", "--colour", "red"} << "--colour" << "--title";
    QTest::newRow("icon") << QStringList{"generate", "--footer-icon", "Question"} << "Question" << "Confirmation";
    QTest::newRow("dialog option") << QStringList{"generate", "--options", "doModal,doFancy"} << "doFancy"
                                   << "doProgressBarMarquee";
    QTest::newRow("button") << QStringList{"generate", "--buttons", "OK,Retry"} << "Retry" << "Close";
    QTest::newRow("missing value") << QStringList{"generate", "--title"} << "--title" << "";
    QTest::newRow("unknown single-dash word") << QStringList{"generate", "-colour", "red"} << "--colour" << "--footer-icon";
    QTest::newRow("value for a switch") << QStringList{"generate", "--dfm=yes"} << "--dfm" << "";
    QTest::newRow("given twice") << QStringList{"generate", "--title", "a", "--title=b"} << "--title" << "";
    QTest::newRow("argument") << QStringList{"generate", "--dfm", "design.dfm"} << "design.dfm" << "";
    QTest::newRow("command") << QStringList{"genernate", "--dfm"} << "genernate" << "--help";
    QTest::newRow("top-level option") << QStringList{"--title", "x"} << "--title" << "--version";
    QTest::newRow("expando without a bar") << QStringList{"generate", "--expando", "More details"} << "--expando"
                                           << "SHOW|HIDE";
}

void tst_generatecommand::rejectsUnknownNames()
{
    QFETCH(QStringList, args);
    QFETCH(QString, named);
    QFETCH(QString, accepted);
    const Run r = Quillfen(args);
    QCOMPARE(r.ExitCode, 2);
    QCOMPARE(r.Out, QString());
    QCOMPARE(r.Err.count(QLatin1Char('\n')), 1);
    QVERIFY(r.Err.endsWith(QLatin1Char('\n')));
    QVERIFY2(r.Err.contains(named), qPrintable(r.Err));
    QVERIFY2(r.Err.contains(accepted), qPrintable(r.Err));
}

void tst_generatecommand::orderDoesNotMatter_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("reordered");
    QTest::addColumn<QString>("expected");
    // A text option switches its section on whatever the list says.
    QTest::newRow("help link and options")
        << QStringList{"--help-link", "Read more", "--options", "doModal"}
        << QStringList{"--options", "doModal", "--help-link", "Read more"}
        << "DialogOptions = [doShowHelpLink, doModal]";
    QTest::newRow("help link and empty options")
        << QStringList{"--help-link=Read more", "--options="} << QStringList{"--options=", "--help-link=Read more"}
        << "DialogOptions = [doShowHelpLink]";
    QTest::newRow("buttons and icons")
        << QStringList{"--buttons", "Close", "--main-icon", "Error", "--dfm"}
        << QStringList{"--dfm", "--main-icon", "Error", "--buttons", "Close"} << "ButtonBar.Buttons = [cbClose]";
}

void tst_generatecommand::orderDoesNotMatter()
{
    QFETCH(QStringList, args);
    QFETCH(QStringList, reordered);
    QFETCH(QString, expected);
    if (!args.contains(QStringLiteral("--dfm"))) {
        args << QStringLiteral("--dfm");
        reordered.prepend(QStringLiteral("--dfm"));
    }
    const Run a = Quillfen(QStringList{"generate"} + args);
    const Run b = Quillfen(QStringList{"generate"} + reordered);
    QCOMPARE(a.ExitCode, 0);
    QCOMPARE(b.ExitCode, 0);
    QVERIFY2(a.Out.contains(expected), qPrintable(a.Out));
    QCOMPARE(b.Out, a.Out);
}

void tst_generatecommand::failedWrite()
{
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("this system has no /dev/full");
    for (const QStringList& args : {QStringList{"generate", "--title", "x"}, QStringList{"generate", "--help"},
                                    QStringList{"--version"}}) {
        const Run r = Quillfen(args, QStringLiteral("/dev/full"));
        QVERIFY2(r.ExitCode == 1, qPrintable(args.join(' ')));
        QCOMPARE(r.Err.count(QLatin1Char('\n')), 1);
        QVERIFY2(r.Err.contains(QStringLiteral("cannot write")), qPrintable(r.Err));
    }
}

void tst_generatecommand::help()
{
    const Run r = Quillfen({"--help"});
    QCOMPARE(r.ExitCode, 0);
    QVERIFY(r.Out.contains(QStringLiteral("quillfen generate [--dfm]")));
    QVERIFY(r.Out.contains(QStringLiteral("start the designer")));
    for (const char* option : {"--title", "--header-icon", "--expanded-in-footer", "--verification", "--help-link",
                               "--options", "--buttons"})
        QVERIFY2(r.Out.contains(QLatin1String(option)), option);

    // A command's help: its own usage line and options, whatever else is given.
    const Run command = Quillfen({"generate", "--title", "x", "--help"});
    QCOMPARE(command.ExitCode, 0);
    QVERIFY2(command.Out.startsWith(QStringLiteral("Usage: quillfen generate [--dfm]")), qPrintable(command.Out));
    for (const char* option : {"--dfm", "--title", "--footer-icon", "--buttons", "--version"})
        QVERIFY2(command.Out.contains(QLatin1String(option)), option);
    QCOMPARE(Quillfen({"generate", "-h"}).Out, command.Out);

    const Run version = Quillfen({"--version"});
    QCOMPARE(version.ExitCode, 0);
    QVERIFY2(QRegularExpression(QStringLiteral("^quillfen \\d+\\.\\d+.*\n$")).match(version.Out).hasMatch(),
             qPrintable(version.Out));
    QCOMPARE(Quillfen({"generate", "--version"}).Out, version.Out);

    // The designer itself still refuses to start without a display.
    const Run gui = Quillfen({});
    QCOMPARE(gui.ExitCode, 3);
    QVERIFY(gui.Err.contains(QStringLiteral("no display")));
}

// A form file whose dialog is nested in a form and holds what the page cannot show (radio
// buttons, a font, a handler): generate takes it, options change it, the rest stays.
void tst_generatecommand::fromFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("form.dfm"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("object Form1: TForm1\r\n"
              "  Caption = 'Project'\r\n"
              "  object dlgAsk: TVxDialog\r\n"
              "    Title = 'From the file'\r\n"
              "    Instruction.Text = 'Kept'\r\n"
              "    RadioButtons = <\r\n"
              "      item\r\n"
              "        Caption = 'One'\r\n"
              "        Value = 200\r\n"
              "      end>\r\n"
              "    OnDialogClose = dlgAskClose\r\n"
              "  end\r\n"
              "end\r\n");
    out.close();
    const Run r = Quillfen({"generate", "--dfm", "--from", file, "--title", "From the command line"});
    QCOMPARE(r.Err, QString());
    QCOMPARE(r.ExitCode, 0);
    const QStringList expected = {"object dlgAsk: TVxDialog",
                                  "  Instruction.Text = 'Kept'",
                                  "  RadioButtons = <",
                                  "    item",
                                  "      Caption = 'One'",
                                  "      Value = 200",
                                  "    end>",
                                  "  Title = 'From the command line'",
                                  "  OnDialogClose = dlgAskClose",
                                  "end"};
    QCOMPARE(r.Out, expected.join(QLatin1Char('\n')) + QLatin1Char('\n'));

    // The creation code names the file's component.
    const Run code = Quillfen({"generate", "--from", file});
    QCOMPARE(code.ExitCode, 0);
    QVERIFY2(code.Out.contains(QStringLiteral("dlgAsk := TVxDialog.Create(")), qPrintable(code.Out));
}

void tst_generatecommand::fromFileErrors_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("unknown property") << QByteArray("object VxDialog1: TVxDialog\n  Titel = 'x'\nend\n")
                                      << "line 2, column 3: unknown property 'Titel' of TVxDialog";
    QTest::newRow("syntax") << QByteArray("object VxDialog1: TVxDialog\n  Title = 'x\nend\n")
                            << "line 2, column 11: unterminated string";
    QTest::newRow("no dialog") << QByteArray("object Form1: TForm1\nend\n")
                               << "line 1, column 1: the text holds no TVxDialog object";
}

void tst_generatecommand::fromFileErrors()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bad.dfm"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(text);
    out.close();
    // The command line is sound; the job failed.
    const Run r = Quillfen({"generate", "--from", file});
    QCOMPARE(r.ExitCode, 1);
    QCOMPARE(r.Out, QString());
    QCOMPARE(r.Err, QStringLiteral("quillfen generate: %1: %2\n").arg(file, error));
    // C++ and show refuse it alike (show before it needs a display).
    const Run cpp = Quillfen({"generate", "--cpp", "--from", file});
    QCOMPARE(cpp.ExitCode, r.ExitCode);
    QCOMPARE(cpp.Err, r.Err);
    const Run show = Quillfen({"show", "--from", file});
    QCOMPARE(show.ExitCode, r.ExitCode);
    QCOMPARE(show.Err, QString(r.Err).replace(QStringLiteral("generate:"), QStringLiteral("show:")));

    // A bad option is still a usage error, whatever the file holds.
    QCOMPARE(Quillfen({"generate", "--from", file, "--main-icon", "Sparkle"}).ExitCode, 2);
    QCOMPARE(Quillfen({"show", "--from", file, "--timeout", "never"}).ExitCode, 2);
}

// Files that cannot be read: one line naming the file, status 1, quickly (a pipe without a
// writer would block the open inside the kernel).
void tst_generatecommand::unreadableFrom_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "missing.dfm" << "No such file or directory";
    QTest::newRow("folder") << "folder.dfm" << "it is a folder";
    QTest::newRow("pipe without a writer") << "pipe.dfm" << "it is not a regular file";
    QTest::newRow("device") << "/dev/zero" << "it is not a regular file";
}

void tst_generatecommand::unreadableFrom()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.dfm")));
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe.dfm"))).constData(), 0600), 0);
    const QString file = name.startsWith(QLatin1Char('/')) ? name : dir.filePath(name);
    const Run r = Quillfen({"generate", "--from", file});
    QCOMPARE(r.ExitCode, 1);
    QCOMPARE(r.Out, QString());
    QVERIFY2(r.Err.startsWith(QStringLiteral("quillfen generate: ")) && r.Err.contains(file) && r.Err.contains(reason),
             qPrintable(r.Err));
    QCOMPARE(r.Err.count(QLatin1Char('\n')), 1);
}

// "-" is standard input, and so is a name for it, even when it is a pipe.
void tst_generatecommand::fromStandardInput()
{
    const QByteArray design = "object VxDialog1: TVxDialog\r\n  Title = 'Piped'\r\nend\r\n";
    for (const char* name : {"-", "/dev/stdin"}) {
        QProcess p;
        p.setProcessEnvironment(CommandEnvironment());
        p.start(QStringLiteral(QUILLFEN_BINARY), {"generate", "--dfm", "--from", QLatin1String(name)});
        QVERIFY(p.waitForStarted());
        p.write(design);
        p.closeWriteChannel();
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.readAllStandardError(), QByteArray());
        QCOMPARE(p.exitCode(), 0);
        QVERIFY2(p.readAllStandardOutput().contains("Title = 'Piped'"), name);
    }
}

// A file name is the bytes given, also when they are not UTF-8.
void tst_generatecommand::fileNamesAsBytes()
{
    QTemporaryDir dir;
    const QByteArray name = "d\xe9sign.dfm";
    const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
    FILE* file = std::fopen(path.constData(), "wb");
    QVERIFY(file);
    std::fputs("object VxDialog1: TVxDialog\r\n  Title = 'Latin-1 name'\r\nend\r\n", file);
    std::fclose(file);
    const Run r = QuillfenBytes({"generate", "--dfm", "--from", name}, QString(), dir.path());
    QCOMPARE(r.Err, QString());
    QCOMPARE(r.ExitCode, 0);
    QVERIFY(r.Out.contains(QStringLiteral("Title = 'Latin-1 name'")));

    // A missing one is named in the message with the byte that is not UTF-8 spelled out.
    const Run missing = QuillfenBytes({"generate", "--from", "m\xe9ssing.dfm"}, QString(), dir.path());
    QCOMPARE(missing.ExitCode, 1);
    QVERIFY2(missing.Err.contains(QStringLiteral("m\\xe9ssing.dfm")), qPrintable(missing.Err));
}

// Values that are not UTF-8 are refused, not turned into U+FFFD.
void tst_generatecommand::invalidUtf8Values()
{
    for (const QByteArray& option : {QByteArray("--title"), QByteArray("--content"), QByteArray("--buttons")}) {
        const Run r = QuillfenBytes({"generate", option, "caf\xe9"});
        QCOMPARE(r.ExitCode, 2);
        QCOMPARE(r.Out, QString());
        QCOMPARE(r.Err, QStringLiteral("quillfen generate: the value of %1 is not valid UTF-8\n").arg(QLatin1String(option)));
    }
    // Overlong forms and encoded surrogates are not UTF-8 either; real UTF-8 passes.
    QCOMPARE(QuillfenBytes({"generate", "--title", "\xc0\xaf"}).ExitCode, 2);
    QCOMPARE(QuillfenBytes({"generate", "--title", "\xed\xa0\x80"}).ExitCode, 2);
    const Run good = QuillfenBytes({"generate", "--title", "caf\xc3\xa9 \xf0\x9f\x98\x80"});
    QCOMPARE(good.ExitCode, 0);
    QVERIFY2(good.Out.contains(QStringLiteral("Title := 'caf'#233' '#55357#56832;")), qPrintable(good.Out));
}

// With standard output closed the message names that, not a descriptor the program opened.
void tst_generatecommand::closedStandardOutput()
{
    const Run r = QuillfenBytes({"generate", "--title", "x"}, QStringLiteral(">&-"));
    QCOMPARE(r.ExitCode, 1);
    QCOMPARE(r.Err, QStringLiteral("quillfen generate: cannot write the output: standard output is closed\n"));
    // Closed standard input and error change nothing else.
    const Run quiet = QuillfenBytes({"generate", "--title", "x"}, QStringLiteral("<&- 2>&-"));
    QCOMPARE(quiet.ExitCode, 0);
    QVERIFY(quiet.Out.contains(QStringLiteral("Title := 'x';")));
}

// A picture that libpng rejects: the program's one line, not the library's own.
void tst_generatecommand::onlyOwnMessages()
{
    QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0\0\0\0\0", 33);
    const QByteArray data = QByteArray("\x09TPngImage") + png;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bad-crc.dfm"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("object VxDialog1: TVxDialog\r\n  Glyph.Data = {\r\n    " + data.toHex().toUpper()
              + "}\r\nend\r\n");
    out.close();
    const Run r = Quillfen({"generate", "--from", file});
    QCOMPARE(r.ExitCode, 1);
    QVERIFY2(r.Err.startsWith(QStringLiteral("quillfen generate: ")), qPrintable(r.Err));
    QCOMPARE(r.Err.count(QLatin1Char('\n')), 1);
}

// One table of exit statuses: the help shows it and the README quotes it word for word.
void tst_generatecommand::exitStatusTable()
{
    const Run r = Quillfen({"--help"});
    QCOMPARE(r.ExitCode, 0);
    const qsizetype at = r.Out.indexOf(QStringLiteral("Exit status:\n"));
    QVERIFY(at >= 0);
    const QString table = r.Out.mid(at);
    for (const char* row : {"\n  0  ", "\n  1  ", "\n  2  ", "\n  3  ", "\n  5  "})
        QVERIFY2(table.contains(QLatin1String(row)), row);
    for (const char* command : {"generate", "render", "show", "ask"})
        QVERIFY2(Quillfen({command, "--help"}).Out.endsWith(table), command);
    QFile readme(QStringLiteral(QUILLFEN_SOURCE_DIR "/README.md"));
    QVERIFY(readme.open(QIODevice::ReadOnly));
    QVERIFY2(QString::fromUtf8(readme.readAll()).contains(table), qPrintable(table));
}

void tst_generatecommand::cppCode()
{
    const Run r = Quillfen({"generate", "--cpp", "--title", "It's \"x\"", "--buttons", "Yes,No"});
    QCOMPARE(r.ExitCode, 0);
    QVERIFY2(r.Out.contains(QStringLiteral("std::unique_ptr<TVxDialog> CreateVxDialog1(TComponent* Owner)\n{\n"
                                           "    auto VxDialog1 = std::make_unique<TVxDialog>(Owner);\n"
                                           "    VxDialog1->ButtonBar()->SetButtons(TCommonButtons{cbYes, cbNo});\n")),
             qPrintable(r.Out));
    QVERIFY2(r.Out.contains(QStringLiteral("    VxDialog1->SetTitle(QStringLiteral(\"It's \\\"x\\\"\"));\n")), qPrintable(r.Out));
    QVERIFY(r.Out.endsWith(QStringLiteral("    return VxDialog1;\n}\n")));

    const Run both = Quillfen({"generate", "--cpp", "--dfm"});
    QCOMPARE(both.ExitCode, 2);
    QCOMPARE(both.Err, QStringLiteral("quillfen generate: --dfm and --cpp exclude each other\n"));
}

QTEST_GUILESS_MAIN(tst_generatecommand)
#include "tst_generatecommand.moc"
