#include "Shell.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

class TestShell : public QObject {
    Q_OBJECT

    QList<QUrl> FOpened;
    bool FAnswer = true;

private slots:
    void init()
    {
        FOpened.clear();
        FAnswer = true;
        SetShellOpenHandler([this](const QUrl& Url) {
            FOpened << Url;
            return FAnswer;
        });
    }

    void cleanup()
    {
        SetShellOpenHandler({});
        SetBeepHandler({});
    }

    void clipboardRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "with TVxDialog.Create(Self) do";
        QTest::newRow("lines") << "line one\r\nline two\r\n";
        QTest::newRow("unicode") << QStringLiteral("Grüße \u05e9\u05dc\u05d5\u05dd \U0001F600");
        QTest::newRow("empty") << QString();
    }

    void clipboardRoundTrip()
    {
        QFETCH(QString, text);
        ClipboardSetText(QStringLiteral("previous"));
        ClipboardSetText(text);
        QCOMPARE(ClipboardText(), text);
    }

    // Setting text replaces everything the clipboard held, not just its text form.
    void clipboardReplacesOtherFormats()
    {
        auto* Data = new QMimeData;
        Data->setHtml(QStringLiteral("<b>rich</b>"));
        Data->setText(QStringLiteral("rich"));
        QGuiApplication::clipboard()->setMimeData(Data);
        ClipboardSetText(QStringLiteral("plain"));
        const QMimeData* Now = QGuiApplication::clipboard()->mimeData();
        QVERIFY(Now);
        QVERIFY(!Now->hasHtml());
        QCOMPARE(ClipboardText(), QStringLiteral("plain"));
    }

    void shellOpenResolvesAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QUrl>("expected");
        QTest::newRow("web address") << "https://example.com/guide?a=1#top" << QUrl("https://example.com/guide?a=1#top");
        QTest::newRow("mail") << "mailto:someone@example.com" << QUrl("mailto:someone@example.com");
        QTest::newRow("absolute path") << "/tmp/some folder/help file.chm" << QUrl::fromLocalFile("/tmp/some folder/help file.chm");
        QTest::newRow("host without scheme") << "www.example.com" << QUrl("http://www.example.com");
        QTest::newRow("blanks around") << "  https://example.com  " << QUrl("https://example.com");
    }

    void shellOpenResolvesAddresses()
    {
        QFETCH(QString, address);
        QFETCH(QUrl, expected);
        QVERIFY(ShellOpen(address));
        QCOMPARE(FOpened, QList<QUrl>{expected});
    }

    void shellOpenRelativeFile()
    {
        QTemporaryDir Dir;
        QVERIFY(Dir.isValid());
        QFile File(Dir.filePath("guide.html"));
        QVERIFY(File.open(QIODevice::WriteOnly));
        File.close();
        const QString Old = QDir::currentPath();
        QVERIFY(QDir::setCurrent(Dir.path()));
        const bool Opened = ShellOpen("guide.html");
        QDir::setCurrent(Old);
        QVERIFY(Opened);
        QCOMPARE(FOpened, QList<QUrl>{QUrl::fromLocalFile(Dir.filePath("guide.html"))});
    }

    void shellOpenReportsHandlerResult()
    {
        FAnswer = false;
        QVERIFY(!ShellOpen("https://example.com"));
        QCOMPARE(FOpened.size(), 1);
    }

    void shellOpenEmptyOpensNothing()
    {
        QVERIFY(!ShellOpen(QString()));
        QVERIFY(!ShellOpen("   "));
        QVERIFY(FOpened.isEmpty());
    }

    void shellOpenHandlerReplacement()
    {
        int Other = 0;
        const TShellOpenHandler Previous = SetShellOpenHandler([&](const QUrl&) {
            ++Other;
            return true;
        });
        QVERIFY(Previous); // the handler installed by init()
        ShellOpen("https://example.com");
        QCOMPARE(Other, 1);
        QVERIFY(FOpened.isEmpty());
        SetShellOpenHandler(Previous);
        ShellOpen("https://example.com");
        QCOMPARE(Other, 1);
        QCOMPARE(FOpened.size(), 1);
    }

    void beep()
    {
        const int Before = MessageBeepCount();
        MessageBeep(0); // no handler: counted only
        QList<int> Types;
        QVERIFY(!SetBeepHandler([&](int Type) { Types << Type; }));
        MessageBeep(0x30);
        MessageBeep(-1);
        QCOMPARE(Types, (QList<int>{0x30, -1}));
        QCOMPARE(MessageBeepCount(), Before + 3);
        QVERIFY(SetBeepHandler({}));
        MessageBeep(0x10);
        QCOMPARE(Types.size(), 2);
        QCOMPARE(MessageBeepCount(), Before + 4);
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
