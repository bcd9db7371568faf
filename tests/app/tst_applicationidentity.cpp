// The designer names itself to the desktop with the id of its installed desktop entry, and the
// taskbar progress of its dialogs points at that entry.

#include "ApplicationIdentity.h"
#include "VxTaskBarProgress.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSettings>
#include <QtTest>

class tst_applicationidentity : public QObject {
    Q_OBJECT

private slots:
    void idIsReverseDns();
    void desktopFileNameNamesTheInstalledEntry();
    void taskbarProgressUsesTheEntry();
    void windowIconIsTheApplicationIcon();
};

void tst_applicationidentity::idIsReverseDns()
{
    QVERIFY(QRegularExpression(QStringLiteral("^[a-z]+(\\.[A-Za-z][A-Za-z0-9]*){2,}$"))
                .match(QuillfenApplicationId())
                .hasMatch());
}

void tst_applicationidentity::desktopFileNameNamesTheInstalledEntry()
{
    QGuiApplication::setDesktopFileName(QString());
    SetUpApplicationIdentity();
    QCOMPARE(QGuiApplication::desktopFileName(), QuillfenApplicationId());
    QCOMPARE(QGuiApplication::applicationName(), QStringLiteral("Quillfen"));
    // The entry the package installs carries that name and starts this program.
    const QString entry = QStringLiteral(QUILLFEN_DIST_DIR "/") + QuillfenApplicationId() + QStringLiteral(".desktop");
    QVERIFY2(QFileInfo::exists(entry), qPrintable(entry));
    QSettings desktop(entry, QSettings::IniFormat);
    desktop.beginGroup(QStringLiteral("Desktop Entry"));
    QCOMPARE(desktop.value(QStringLiteral("Icon")).toString(), QuillfenApplicationId());
    QVERIFY(desktop.value(QStringLiteral("Exec")).toString().startsWith(QStringLiteral("quillfen ")));
}

void tst_applicationidentity::taskbarProgressUsesTheEntry()
{
    SetUpApplicationIdentity();
    QCOMPARE(TVxTaskBarProgressImpl::ApplicationUri(),
             QStringLiteral("application://") + QuillfenApplicationId() + QStringLiteral(".desktop"));
}

void tst_applicationidentity::windowIconIsTheApplicationIcon()
{
    SetUpApplicationIdentity();
    const QIcon icon = QGuiApplication::windowIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(!icon.pixmap(32, 32).isNull());
}

QTEST_MAIN(tst_applicationidentity)
#include "tst_applicationidentity.moc"
