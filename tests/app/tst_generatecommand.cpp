#include <QProcess>
#include <QProcessEnvironment>
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

Run Quillfen(const QStringList& Args)
{
    QProcess p;
    p.setProcessEnvironment(Headless());
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

void tst_generatecommand::help()
{
    const Run r = Quillfen({"--help"});
    QCOMPARE(r.ExitCode, 0);
    QVERIFY(r.Out.contains(QStringLiteral("quillfen generate [--dfm]")));
    QVERIFY(r.Out.contains(QStringLiteral("start the designer")));
    for (const char* option : {"--title", "--header-icon", "--expanded-in-footer", "--verification", "--help-link",
                               "--options", "--buttons"})
        QVERIFY2(r.Out.contains(QLatin1String(option)), option);

    const Run again = Quillfen({"generate", "--title", "x", "--help"});
    QCOMPARE(again.ExitCode, 0);
    QCOMPARE(again.Out, r.Out);

    // The designer itself still refuses to start without a display.
    const Run gui = Quillfen({});
    QCOMPARE(gui.ExitCode, 3);
    QVERIFY(gui.Err.contains(QStringLiteral("no display")));
}

QTEST_GUILESS_MAIN(tst_generatecommand)
#include "tst_generatecommand.moc"
