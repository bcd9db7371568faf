#include "AskCommand.h"
#include "support/CommandRun.h"
#include "ShowCommand.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
Run Quillfen(const QStringList& Args, const QString& Platform = QString(), const QString& InputFile = QString(),
             const QString& OutputFile = QString())
{
    QProcess p;
    p.setProcessEnvironment(CommandEnvironment(Platform));
    if (!InputFile.isEmpty())
        p.setStandardInputFile(InputFile);
    if (!OutputFile.isEmpty())
        p.setStandardOutputFile(OutputFile);
    return RunToEnd(p, QStringLiteral(QUILLFEN_BINARY), Args);
}
} // namespace

class tst_showcommand : public QObject {
    Q_OBJECT
private slots:
    void progressLine_data();
    void progressLine();
    void lineSplitter();
    void longLineIsDroppedWhole();
    void report_data();
    void report();
    void badCommandLine_data();
    void badCommandLine();
    void noDisplay_data();
    void noDisplay();
    void designItemsReachTheDialog_data();
    void designItemsReachTheDialog();
    void progressFromAFile();
    void timeoutReportsStatus5();
    void fullStandardOutput();
    void helpHasTheExitStatusTable_data();
    void helpHasTheExitStatusTable();
    void dateTimeValues_data();
    void dateTimeValues();
};

void tst_showcommand::progressLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::newRow("number") << QByteArray("42") << int(TProgressLine::plPosition) << 42 << QString();
    QTest::newRow("blanks and CR") << QByteArray(" 7 \r") << int(TProgressLine::plPosition) << 7 << QString();
    QTest::newRow("fraction rounds") << QByteArray("12.6") << int(TProgressLine::plPosition) << 13 << QString();
    QTest::newRow("above 100 clamps") << QByteArray("250") << int(TProgressLine::plPosition) << 100 << QString();
    QTest::newRow("negative clamps") << QByteArray("-5") << int(TProgressLine::plPosition) << 0 << QString();
    QTest::newRow("huge clamps") << QByteArray("1e300") << int(TProgressLine::plPosition) << 100 << QString();
    QTest::newRow("text") << QByteArray("# Copying a.txt") << int(TProgressLine::plText) << 0
                          << QStringLiteral("Copying a.txt");
    QTest::newRow("text in UTF-8") << QByteArray("#Kopiere \xc3\xa4.txt  ") << int(TProgressLine::plText) << 0
                                   << QStringLiteral("Kopiere \u00e4.txt");
    QTest::newRow("empty text") << QByteArray("#") << int(TProgressLine::plText) << 0 << QString();
    QTest::newRow("pulsate") << QByteArray("pulsate") << int(TProgressLine::plPulsate) << 0 << QString();
    QTest::newRow("word") << QByteArray("done") << int(TProgressLine::plIgnored) << 0 << QString();
    QTest::newRow("number and word") << QByteArray("50 percent") << int(TProgressLine::plIgnored) << 0 << QString();
    QTest::newRow("nan") << QByteArray("nan") << int(TProgressLine::plIgnored) << 0 << QString();
    QTest::newRow("empty") << QByteArray() << int(TProgressLine::plIgnored) << 0 << QString();
}

void tst_showcommand::progressLine()
{
    QFETCH(QByteArray, line);
    QFETCH(int, kind);
    const TProgressLine read = ReadProgressLine(line);
    QCOMPARE(int(read.Kind), kind);
    if (kind == TProgressLine::plPosition)
        QTEST(read.Position, "position");
    if (kind == TProgressLine::plText)
        QTEST(read.Text, "text");
}

void tst_showcommand::lineSplitter()
{
    TLineSplitter lines;
    QCOMPARE(lines.Feed("1\n2"), QList<QByteArray>({"1"}));
    QCOMPARE(lines.Feed("0\n\n# a"), QList<QByteArray>({"20", ""}));
    QCOMPARE(lines.Feed(" b\n"), QList<QByteArray>({"# a b"}));
    QCOMPARE(lines.Feed("99"), QList<QByteArray>());
    QCOMPARE(lines.Finish(), std::optional<QByteArray>("99"));
    QCOMPARE(lines.Finish(), std::nullopt);
}

void tst_showcommand::longLineIsDroppedWhole()
{
    // A megabyte without a line break, fed as a pipe delivers it, keeps nothing of itself.
    TLineSplitter lines(64 * 1024);
    const QByteArray chunk(64 * 1024, 'x');
    QCOMPARE(lines.Feed("10\n" + chunk), QList<QByteArray>({"10"}));
    for (int k = 0; k < 15; ++k)
        QCOMPARE(lines.Feed(chunk), QList<QByteArray>());
    QCOMPARE(lines.Feed("x\n# next\n"), QList<QByteArray>({"# next"}));
    QCOMPARE(lines.Feed(chunk + "y"), QList<QByteArray>());
    QCOMPARE(lines.Finish(), std::nullopt); // an overlong last line is dropped too
}

void tst_showcommand::report_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("radio");        // -1: no radio buttons
    QTest::addColumn<int>("verification"); // -1: no box
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("ok") << "ok" << 0 << QString() << -1 << -1 << 0 << QByteArray("result=ok\n")
                        << QByteArray("{\"exit-status\":0,\"result\":\"ok\"}\n");
    QTest::newRow("command link, radio, box")
        << "command-link" << 2 << "Back up\nnow" << 1 << 1 << 0
        << QByteArray("result=command-link\ncommand-link=2\ncaption=Back up now\nradio=1\nverification=checked\n")
        << QByteArray("{\"caption\":\"Back up\\nnow\",\"command-link\":2,\"exit-status\":0,\"radio\":1,"
                      "\"result\":\"command-link\",\"verification\":\"checked\"}\n");
    QTest::newRow("timeout, no radio checked") << "timeout" << 0 << QString() << 0 << 0 << 5
                                               << QByteArray("result=timeout\nradio=0\nverification=unchecked\n")
                                               << QByteArray("{\"exit-status\":5,\"radio\":0,\"result\":\"timeout\","
                                                             "\"verification\":\"unchecked\"}\n");
}

void tst_showcommand::report()
{
    QFETCH(int, radio);
    QFETCH(int, verification);
    TShowReport r;
    QFETCH(QString, result);
    r.Result = result;
    QFETCH(int, position);
    r.Position = position;
    QFETCH(QString, caption);
    r.Caption = caption;
    if (radio >= 0)
        r.Radio = radio;
    if (verification >= 0)
        r.Verification = verification == 1;
    QFETCH(int, status);
    r.ExitStatus = status;
    QTEST(ShowReportLines(r), "lines");
    QTEST(ShowReportJson(r), "json");
}

void tst_showcommand::badCommandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown option") << QStringList{"show", "--colour", "red"} << "unknown option '--colour'";
    QTest::newRow("missing value") << QStringList{"show", "--timeout"} << "Missing value after '--timeout'";
    QTest::newRow("timeout zero") << QStringList{"show", "--timeout", "0"} << "--timeout '0'";
    QTest::newRow("timeout word") << QStringList{"show", "--timeout", "soon"} << "--timeout 'soon'";
    QTest::newRow("timeout negative") << QStringList{"show", "--timeout=-3"} << "--timeout '-3'";
    QTest::newRow("link without caption") << QStringList{"show", "--command-link", "|note"}
                                          << "malformed --command-link '|note'";
    QTest::newRow("empty link") << QStringList{"show", "--command-link", ""} << "malformed --command-link ''";
    QTest::newRow("links and buttons") << QStringList{"show", "--command-link", "A", "--button", "B"}
                                       << "--button and --command-link cannot be mixed";
    QTest::newRow("default radio without radios") << QStringList{"show", "--default-radio", "1"}
                                                  << "--default-radio '1' names no --radio";
    QTest::newRow("default radio past the end")
        << QStringList{"show", "--radio", "A", "--default-radio", "2"} << "--default-radio '2'";
    QTest::newRow("unknown default button") << QStringList{"show", "--default-button", "Maybe"}
                                            << "unknown default button 'Maybe'";
    QTest::newRow("default link past the end")
        << QStringList{"show", "--command-link", "A", "--default-button", "2"} << "unknown default button '2'";
    QTest::newRow("timer zero") << QStringList{"show", "--timer", "0"} << "--timer '0'";
    QTest::newRow("progress past 100") << QStringList{"render", "--progress-position", "101", "--out", "x.png"}
                                       << "--progress-position '101'";
    QTest::newRow("pulsate alone") << QStringList{"show", "--pulsate"} << "--pulsate needs --progress";
    QTest::newRow("title twice") << QStringList{"show", "--title", "a", "--title", "b"} << "given twice";
    QTest::newRow("ask: unknown type") << QStringList{"ask", "--type", "colour"} << "unknown type 'colour'";
    QTest::newRow("ask: list without items") << QStringList{"ask", "--type", "list"} << "needs its items";
    QTest::newRow("ask: items on text") << QStringList{"ask", "--items", "a,b"} << "takes no items";
    QTest::newRow("ask: second value alone") << QStringList{"ask", "--value2", "b"} << "need --type pair";
    QTest::newRow("ask: format of a text") << QStringList{"ask", "--format", "%Y"} << "--format needs --type date";
    QTest::newRow("ask: value not in the format")
        << QStringList{"ask", "--type", "date", "--format", "%Y-%m-%d", "--value", "31.12.2024"}
        << "--value '31.12.2024' does not match --format '%Y-%m-%d'";
    QTest::newRow("ask: day that does not exist")
        << QStringList{"ask", "--type", "calendar", "--format", "%Y-%m-%d", "--value", "2023-02-29"}
        << "does not match";
    QTest::newRow("ask: empty format") << QStringList{"ask", "--type", "time", "--format", ""} << "writes no value";
    QTest::newRow("generate: link without caption") << QStringList{"generate", "--command-link", "|x"}
                                                    << "malformed --command-link";
}

void tst_showcommand::badCommandLine()
{
    // No display at all: a bad command line is reported before anything would need one.
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const Run r = Quillfen(args);
    QCOMPARE(r.ExitCode, 2);
    QCOMPARE(r.Out, QString());
    QVERIFY2(r.Err.startsWith(QStringLiteral("quillfen %1: ").arg(args.constFirst())), qPrintable(r.Err));
    QCOMPARE(r.Err.count(QLatin1Char('\n')), 1);
    QVERIFY2(r.Err.contains(message), qPrintable(r.Err));
}

void tst_showcommand::noDisplay_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("show") << QStringList{"show", "--instruction", "Hello"};
    QTest::newRow("ask") << QStringList{"ask", "--type", "date"};
}

void tst_showcommand::noDisplay()
{
    QFETCH(QStringList, args);
    const Run r = Quillfen(args);
    QCOMPARE(r.ExitCode, 3);
    QCOMPARE(r.Out, QString());
    QVERIFY2(r.Err.startsWith(QStringLiteral("quillfen: no display")), qPrintable(r.Err));
    QCOMPARE(r.Err.count(QLatin1Char('\n')), 1);
}

void tst_showcommand::designItemsReachTheDialog_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("command links in order, with notes")
        << QStringList{"--command-link", "Save|Keeps the\nchanges", "--command-link", "Discard"}
        << QStringList{"DialogOptions = [doCommandLinks, doModal]",
                       "Caption = 'Save'",
                       "Info.Strings = (\n        'Keeps the'\n        'changes')",
                       "Value = 100",
                       "ModalResult = 100",
                       "Caption = 'Discard'",
                       "Value = 101",
                       "ModalResult = 101"};
    QTest::newRow("custom buttons and the default")
        << QStringList{"--button", "Retry later", "--button", "Now", "--default-button", "2"}
        << QStringList{"ButtonBar.UseDefault = False", "Caption = 'Retry later'", "Caption = 'Now'",
                       "ModalResult = 101\n      Default = True"};
    QTest::newRow("radio buttons, the second checked")
        << QStringList{"--radio", "All", "--radio", "Some", "--default-radio", "2"}
        << QStringList{"DialogOptions = [doRadioButtons, doModal]",
                       "Caption = 'All'\n      Value = 200",
                       "Caption = 'Some'\n      Checked = True\n      Value = 201"};
    QTest::newRow("common default button") << QStringList{"--buttons", "Yes,No", "--default-button", "no"}
                                           << QStringList{"ButtonBar.Default = cbNo"};
    QTest::newRow("timer and progress")
        << QStringList{"--timer", "250", "--progress-position", "40"}
        << QStringList{"DialogOptions = [doProgressBar, doTimer, doModal]", "Progress.Position = 40",
                       "Timer.Interval = 250"};
}

void tst_showcommand::designItemsReachTheDialog()
{
    QFETCH(QStringList, args);
    const Run r = Quillfen(QStringList{"generate", "--dfm"} + args);
    QCOMPARE(r.Err, QString());
    QCOMPARE(r.ExitCode, 0);
    QFETCH(QStringList, lines);
    for (const QString& line : lines)
        QVERIFY2(r.Out.contains(line), qPrintable(line + QStringLiteral("\n-- not in --\n") + r.Out));
}

void tst_showcommand::progressFromAFile()
{
    // End of input with --auto-close closes with OK, after ignored, clamped and overlong lines.
    QTemporaryDir dir;
    QFile input(dir.filePath(QStringLiteral("progress.txt")));
    QVERIFY(input.open(QIODevice::WriteOnly));
    input.write("5\n# Copying\nnot a number\n" + QByteArray(1024 * 1024, '7') + "\n250\n-3\npulsate\n60");
    input.close();
    const Run r = Quillfen({"show", "--progress", "--auto-close", "--instruction", "Copying", "--verification", "Done"},
                           QStringLiteral("offscreen"), input.fileName());
    QCOMPARE(r.Err, QString());
    QCOMPARE(r.ExitCode, 0);
    QCOMPARE(r.Out, QStringLiteral("result=ok\nverification=unchecked\n"));
}

void tst_showcommand::timeoutReportsStatus5()
{
    const Run r = Quillfen({"show", "--json", "--timeout", "1", "--radio", "A", "--radio", "B"},
                           QStringLiteral("offscreen"));
    QCOMPARE(r.Err, QString());
    QCOMPARE(r.ExitCode, 5);
    QCOMPARE(r.Out, QStringLiteral("{\"exit-status\":5,\"radio\":1,\"result\":\"timeout\"}\n"));
}

void tst_showcommand::fullStandardOutput()
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full");
    const Run r = Quillfen({"show", "--timeout", "1"}, QStringLiteral("offscreen"), QString(),
                           QStringLiteral("/dev/full"));
    QCOMPARE(r.ExitCode, 1);
    QVERIFY2(r.Err.startsWith(QStringLiteral("quillfen show: cannot write the output")), qPrintable(r.Err));
    QCOMPARE(r.Err.count(QLatin1Char('\n')), 1);
}

void tst_showcommand::helpHasTheExitStatusTable_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("show") << "show"
                          << QStringList{"show: OK, Yes", "show and ask: Cancel,", "  2  a bad command line",
                                         "  3  no display", "  5  show: the --timeout ran out",
                                         "verification=checked|unchecked"};
    QTest::newRow("ask") << "ask"
                         << QStringList{"ask: OK, the value is printed", "show and ask: Cancel,",
                                        "  2  a bad command line", "  3  no display", "pair"};
}

void tst_showcommand::helpHasTheExitStatusTable()
{
    QFETCH(QString, command);
    const Run r = Quillfen({command, "--help"});
    QCOMPARE(r.ExitCode, 0);
    QFETCH(QStringList, rows);
    for (const QString& row : rows)
        QVERIFY2(r.Out.contains(row), qPrintable(row));
}

// ask --format: the value read from a script and the value printed back.
void tst_showcommand::dateTimeValues_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("value"); // invalid: the text is refused
    QTest::newRow("ISO date") << "%Y-%m-%d" << "2024-03-04" << QDateTime(QDate(2024, 3, 4), QTime(0, 0));
    QTest::newRow("day first") << "%d.%m.%Y" << "04.03.2031" << QDateTime(QDate(2031, 3, 4), QTime(0, 0));
    QTest::newRow("leap day") << "%Y-%m-%d" << "2024-02-29" << QDateTime(QDate(2024, 2, 29), QTime(0, 0));
    QTest::newRow("time") << "%H:%M:%S" << "07:05:09" << QDateTime(QDate(1970, 1, 1), QTime(7, 5, 9));
    QTest::newRow("date and time") << "%Y-%m-%d %H:%M" << "1999-12-31 23:59"
                                   << QDateTime(QDate(1999, 12, 31), QTime(23, 59));
    QTest::newRow("no leap day") << "%Y-%m-%d" << "2023-02-29" << QDateTime();
    QTest::newRow("31 April") << "%Y-%m-%d" << "2024-04-31" << QDateTime();
    QTest::newRow("text after it") << "%Y-%m-%d" << "2024-03-04 x" << QDateTime();
    QTest::newRow("other form") << "%H:%M" << "7 o'clock" << QDateTime();
    QTest::newRow("empty") << "%Y-%m-%d" << "" << QDateTime();
}

void tst_showcommand::dateTimeValues()
{
    QFETCH(QString, format);
    QFETCH(QString, text);
    QFETCH(QDateTime, value);
    QDateTime read;
    QCOMPARE(ReadDateTimeValue(text, format, read), value.isValid());
    if (!value.isValid())
        return;
    QCOMPARE(read, value);
    QCOMPARE(WriteDateTimeValue(read, format), text);
}

QTEST_GUILESS_MAIN(tst_showcommand)
#include "tst_showcommand.moc"
