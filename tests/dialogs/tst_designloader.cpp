#include "VxDesignLoader.h"

#include "VxOptions.h"
#include "private/EventCode_p.h"

#include "TypInfo.h"

#include <QTemporaryDir>
#include <QTest>

class TestDesignLoader : public QObject {
    Q_OBJECT
private slots:
    void loadsEverySource_data();
    void loadsEverySource();
    void badTextNamesLineAndColumn_data();
    void badTextNamesLineAndColumn();
    void missingFile();
    void ownerOwnsTheDialog();
    void connectsHandlersByName();
    void everyPublishedEventTakesCode();
};

void TestDesignLoader::loadsEverySource_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("string") << QString();
    QTest::newRow("file") << QStringLiteral("file");
    QTest::newRow("resource") << QStringLiteral(":/designs/alert.dfm");
}

void TestDesignLoader::loadsEverySource()
{
    QFETCH(QString, source);
    QFile resource(QStringLiteral(":/designs/alert.dfm"));
    QVERIFY(resource.open(QIODevice::ReadOnly));
    const QByteArray text = resource.readAll();

    std::unique_ptr<TVxDialog> dialog;
    QTemporaryDir dir;
    if (source.isEmpty()) {
        dialog = TVxDesignLoader::LoadText(text);
    } else if (source == QLatin1String("file")) {
        QFile file(dir.filePath(QStringLiteral("alert.dfm")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        dialog = TVxDesignLoader::LoadFile(file.fileName());
    } else {
        dialog = TVxDesignLoader::LoadFile(source);
    }
    QVERIFY(dialog);
    QCOMPARE(dialog->Name(), QStringLiteral("Alert"));
    QCOMPARE(dialog->Title(), QStringLiteral("Alert"));
    QCOMPARE(dialog->Instruction()->Text(), QStringLiteral("Disk almost full"));
    QCOMPARE(TVxDesignLoader::HandlerNames(dialog.get()), (QStringList{QStringLiteral("AlertDialogClick"), QStringLiteral("AlertShow")}));
}

void TestDesignLoader::badTextNamesLineAndColumn_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("cause");
    QTest::newRow("unknown property") << QByteArray("object D: TVxDialog\n  Titel = 'x'\nend\n") << 2 << 3 << QStringLiteral("Titel");
    QTest::newRow("unterminated string") << QByteArray("object D: TVxDialog\n  Title = 'x\nend\n") << 2 << 11 << QString();
    QTest::newRow("wrong kind") << QByteArray("object D: TVxDialog\n  Title = 12\nend\n") << 2 << 11 << QString();
    QTest::newRow("no dialog") << QByteArray("object F: TForm\nend\n") << 1 << 1 << QStringLiteral("no TVxDialog");
    QTest::newRow("empty") << QByteArray() << 1 << 1 << QString();
}

void TestDesignLoader::badTextNamesLineAndColumn()
{
    QFETCH(QByteArray, text);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(QString, cause);
    TComponent owner;
    try {
        TVxDesignLoader::LoadText(text, &owner);
        QFAIL("no error");
    } catch (const EFormTextError& e) {
        QCOMPARE(e.Line(), line);
        QCOMPARE(e.Column(), column);
        QVERIFY2(e.What().contains(cause), qPrintable(e.What()));
        QVERIFY(e.Message().startsWith(QStringLiteral("line %1, column %2: ").arg(line).arg(column)));
    }
    // Nothing half-built stays with the owner.
    QCOMPARE(owner.ComponentCount(), 0);
}

void TestDesignLoader::missingFile()
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("absent.dfm"));
    try {
        TVxDesignLoader::LoadFile(name);
        QFAIL("no error");
    } catch (const EInOutError& e) {
        QVERIFY2(e.Message().contains(name), qPrintable(e.Message()));
    }
}

void TestDesignLoader::ownerOwnsTheDialog()
{
    TComponent owner;
    std::unique_ptr<TVxDialog> dialog = TVxDesignLoader::LoadText("object Alert: TVxDialog\nend\n", &owner);
    QCOMPARE(owner.FindComponent(QStringLiteral("Alert")), dialog.get());
    dialog.reset();
    QCOMPARE(owner.ComponentCount(), 0);
}

void TestDesignLoader::connectsHandlersByName()
{
    std::unique_ptr<TVxDialog> dialog = TVxDesignLoader::LoadText(
        "object Alert: TVxDialog\n  OnDialogShow = AlertShow\n  OnDialogExpand = AlertShow\n"
        "  OnDialogClick = AlertDialogClick\nend\n");
    int shown = 0;
    QCOMPARE(TVxDesignLoader::ConnectHandler<TNotifyEvent>(dialog.get(), QStringLiteral("AlertShow"),
                                                          [&shown](TObject*) { ++shown; }),
             2);
    // A handler of another event type is left alone, and so is an unknown name.
    QCOMPARE(TVxDesignLoader::ConnectHandler<TNotifyEvent>(dialog.get(), QStringLiteral("AlertDialogClick"), [](TObject*) {}), 0);
    QCOMPARE(TVxDesignLoader::ConnectHandler<TNotifyEvent>(dialog.get(), QStringLiteral("Nobody"), [](TObject*) {}), 0);
    dialog->OnDialogShow(dialog.get());
    dialog->OnDialogExpand(dialog.get());
    QCOMPARE(shown, 2);
    // The handler keeps its name, so the design is written back the same.
    QCOMPARE(dialog->OnDialogShow.Method().Name, QStringLiteral("AlertShow"));
    QVERIFY(!dialog->OnDialogClick.IsAssigned());
}

void TestDesignLoader::everyPublishedEventTakesCode()
{
    // The events are listed by hand beside the reflection; a new event must be listed too.
    TVxDialog dialog;
    const TObject* objects[] = {&dialog, dialog.Instruction()};
    for (const TObject* object : objects) {
        QStringList published;
        for (const TPropInfo& prop : object->ClassInfo()->Properties())
            if (prop.Kind == TTypeKind::Event)
                published.append(prop.Name);
        QVERIFY(!published.isEmpty());
        published.sort();
        QStringList listed = CodeEvents(*object);
        listed.sort();
        QCOMPARE(listed, published);
    }
}

QTEST_MAIN(TestDesignLoader)
#include "tst_designloader.moc"
