#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// The program with no display at all: no X, no Wayland, no chosen Qt platform.
QProcessEnvironment Headless()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    return env;
}

struct Run {
    int ExitCode = -1;
    QString Out;
    QString Err;
};

Run Quillfen(const QStringList& Args, const QString& OutputFile = QString())
{
    QProcess p;
    p.setProcessEnvironment(Headless());
    if (!OutputFile.isEmpty())
        p.setStandardOutputFile(OutputFile);
    p.start(QStringLiteral(QUILLFEN_BINARY), Args);
    Run r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.ExitCode = p.exitCode();
    r.Out = QString::fromUtf8(p.readAllStandardOutput());
    r.Err = QString::fromUtf8(p.readAllStandardError());
    return r;
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
    void help();
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
    const Run r = Quillfen({"generate", "--from", file});
    QCOMPARE(r.ExitCode, 2);
    QCOMPARE(r.Out, QString());
    QCOMPARE(r.Err, QStringLiteral("quillfen generate: %1: %2\n").arg(file, error));

    const Run missing = Quillfen({"generate", "--from", dir.filePath(QStringLiteral("missing.dfm"))});
    QCOMPARE(missing.ExitCode, 2);
    QVERIFY2(missing.Err.contains(QStringLiteral("missing.dfm")), qPrintable(missing.Err));
}

QTEST_GUILESS_MAIN(tst_generatecommand)
#include "tst_generatecommand.moc"
