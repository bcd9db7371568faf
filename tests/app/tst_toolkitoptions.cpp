// The toolkit's standard options are taken before the program's own: they are no command, and
// the designer starts with them.
#include "CommandLine.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class tst_toolkitoptions : public QObject {
    Q_OBJECT
private slots:
    void withoutToolkitOptions_data();
    void withoutToolkitOptions();
    void designerStartsWithThem_data();
    void designerStartsWithThem();
};

void tst_toolkitoptions::withoutToolkitOptions_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("own");
    QTest::newRow("none") << QStringList() << QStringList();
    QTest::newRow("style with value") << QStringList{"-style", "fusion"} << QStringList();
    QTest::newRow("style equals") << QStringList{"-style=fusion", "a.dfm"} << QStringList{"a.dfm"};
    QTest::newRow("two dashes") << QStringList{"--style", "fusion", "--reverse"} << QStringList();
    QTest::newRow("reverse and file") << QStringList{"-reverse", "a.dfm"} << QStringList{"a.dfm"};
    QTest::newRow("platform") << QStringList{"a.dfm", "-platform", "offscreen"} << QStringList{"a.dfm"};
    QTest::newRow("stylesheet") << QStringList{"-stylesheet", "my.qss"} << QStringList();
    QTest::newRow("command kept") << QStringList{"generate", "--from", "a.dfm"}
                                  << QStringList{"generate", "--from", "a.dfm"};
    QTest::newRow("own options kept") << QStringList{"--help"} << QStringList{"--help"};
    QTest::newRow("design option, not X11's") << QStringList{"--title", "x"} << QStringList{"--title", "x"};
    QTest::newRow("after end of options") << QStringList{"--", "-reverse"} << QStringList{"--", "-reverse"};
}

void tst_toolkitoptions::withoutToolkitOptions()
{
    QFETCH(QStringList, args);
    QFETCH(QStringList, own);
    QCOMPARE(WithoutToolkitOptions(args), own);
}

void tst_toolkitoptions::designerStartsWithThem_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("style") << QStringList{"-style", "fusion"};
    QTest::newRow("reverse") << QStringList{"-reverse"};
    QTest::newRow("stylesheet") << QStringList{"-stylesheet", "missing.qss"};
}

// The designer shows its window (its first paint ends a probe run) instead of refusing an
// unknown command.
void tst_toolkitoptions::designerStartsWithThem()
{
    QFETCH(QStringList, args);
    QTemporaryDir home;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QUILLFEN_STARTUP_PROBE"), QStringLiteral("1"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.path());
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QUILLFEN_BINARY), args + QStringList{"-platform", "offscreen"});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    QVERIFY2(process.readAllStandardOutput().startsWith("first-paint "), process.readAllStandardError().constData());
}

QTEST_GUILESS_MAIN(tst_toolkitoptions)
#include "tst_toolkitoptions.moc"
