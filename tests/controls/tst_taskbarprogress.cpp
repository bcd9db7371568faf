#include "VxTaskBarProgress.h"

#include <QDBusConnection>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QRegularExpression>
#include <QTest>

namespace {

// Collects the launcher-entry signals seen on the bus.
class LauncherEntryReceiver : public QObject {
    Q_OBJECT
public:
    struct Update {
        QString Uri;
        QVariantMap Properties;
    };
    QList<Update> Updates;

public slots:
    void onUpdate(const QDBusMessage& Message)
    {
        const QList<QVariant> args = Message.arguments();
        if (args.size() == 2)
            Updates.append({args.at(0).toString(), qdbus_cast<QVariantMap>(args.at(1))});
    }
};

// Sets an environment variable for the scope and restores it afterwards.
struct EnvScope {
    QByteArray Name;
    QByteArray Saved;
    bool Had;
    EnvScope(const char* AName, const QByteArray& Value) : Name(AName), Saved(qgetenv(AName)), Had(qEnvironmentVariableIsSet(AName))
    {
        if (Value.isNull())
            qunsetenv(AName);
        else
            qputenv(AName, Value);
    }
    ~EnvScope()
    {
        if (Had)
            qputenv(Name.constData(), Saved);
        else
            qunsetenv(Name.constData());
    }
};

} // namespace

class tst_TaskBarProgress : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void applicationUri();
    void createAndDestroyHideProgress();
    void states_data();
    void states();
    void valueSwitchesToNormal();
    void invalidStateIsRefused();
    void withoutSessionBusNothingHappens();

private:
    // The signals this test function's objects sent (each function names the application
    // differently, so late signals of an earlier function do not count).
    QList<LauncherEntryReceiver::Update> Mine() const
    {
        QList<LauncherEntryReceiver::Update> result;
        for (const auto& update : FReceiver.Updates)
            if (update.Uri == FUri)
                result << update;
        return result;
    }
    bool WaitFor(int Count) { return QTest::qWaitFor([&] { return Mine().size() >= Count; }); }

    QProcess FDaemon;
    QString FAddress;
    QByteArray FSavedAddress;
    LauncherEntryReceiver FReceiver;
    QString FUri;
    int FRun = 0;
};

void tst_TaskBarProgress::initTestCase()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    QVERIFY2(!daemon.isEmpty(), "dbus-daemon is missing (scripts/install-deps.sh installs it)");
    // A private session bus for this test; nothing reaches the desktop's own bus.
    FDaemon.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
    QVERIFY(FDaemon.waitForStarted());
    QVERIFY(QTest::qWaitFor([&] { return FDaemon.canReadLine(); }, 10000));
    FAddress = QString::fromUtf8(FDaemon.readLine()).trimmed();
    QVERIFY(!FAddress.isEmpty());
    FSavedAddress = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("DBUS_SESSION_BUS_ADDRESS", FAddress.toUtf8());

    QDBusConnection receiver = QDBusConnection::connectToBus(FAddress, QStringLiteral("receiver"));
    QVERIFY(receiver.isConnected());
    QVERIFY(receiver.connect(QString(), QString(), QStringLiteral("com.canonical.Unity.LauncherEntry"),
                             QStringLiteral("Update"), &FReceiver, SLOT(onUpdate(QDBusMessage))));
}

void tst_TaskBarProgress::cleanupTestCase()
{
    QDBusConnection::disconnectFromBus(QStringLiteral("receiver"));
    FDaemon.kill();
    FDaemon.waitForFinished();
    qputenv("DBUS_SESSION_BUS_ADDRESS", FSavedAddress);
}

void tst_TaskBarProgress::init()
{
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillfen.Test%1").arg(++FRun));
    FUri = QStringLiteral("application://org.quillfen.Test%1.desktop").arg(FRun);
}

void tst_TaskBarProgress::applicationUri()
{
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillfen.Designer"));
    QCOMPARE(TVxTaskBarProgressImpl::ApplicationUri(), QStringLiteral("application://org.quillfen.Designer.desktop"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillfen.Designer.desktop"));
    QCOMPARE(TVxTaskBarProgressImpl::ApplicationUri(), QStringLiteral("application://org.quillfen.Designer.desktop"));
}

void tst_TaskBarProgress::createAndDestroyHideProgress()
{
    {
        TVxTaskBarProgressImpl taskbar;
        QVERIFY(taskbar.Available());
        QVERIFY(WaitFor(1));
    }
    QVERIFY(WaitFor(2));
    QCOMPARE(Mine().size(), 2);
    for (const auto& update : Mine()) {
        QCOMPARE(update.Properties.value(QStringLiteral("progress-visible")), QVariant(false));
        QCOMPARE(update.Properties.value(QStringLiteral("urgent")), QVariant(false));
    }
}

void tst_TaskBarProgress::states_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("urgent");
    QTest::addColumn<QVariant>("progress"); // invalid: the signal leaves the value alone

    QTest::newRow("none hides") << TBPF_NOPROGRESS << false << false << QVariant();
    QTest::newRow("indeterminate shows, no value") << TBPF_INDETERMINATE << true << false << QVariant();
    QTest::newRow("normal shows the value") << TBPF_NORMAL << true << false << QVariant(0.25);
    QTest::newRow("error is urgent") << TBPF_ERROR << true << true << QVariant(0.25);
    QTest::newRow("paused keeps the value") << TBPF_PAUSED << true << false << QVariant(0.25);
}

void tst_TaskBarProgress::states()
{
    QFETCH(int, state);
    QFETCH(bool, visible);
    QFETCH(bool, urgent);
    QFETCH(QVariant, progress);

    TVxTaskBarProgressImpl taskbar;
    QCOMPARE(taskbar.SetProgressValue(30, 120), TVxTaskBarProgressImpl::ResultOk);
    QCOMPARE(taskbar.SetProgressState(state), TVxTaskBarProgressImpl::ResultOk);
    QVERIFY(WaitFor(3)); // created (none), the value, the state
    const QVariantMap properties = Mine().at(2).Properties;
    QCOMPARE(properties.value(QStringLiteral("progress-visible")), QVariant(visible));
    QCOMPARE(properties.value(QStringLiteral("urgent")), QVariant(urgent));
    QCOMPARE(properties.value(QStringLiteral("progress")), progress);
}

void tst_TaskBarProgress::valueSwitchesToNormal()
{
    TVxTaskBarProgressImpl taskbar;
    taskbar.SetProgressState(TBPF_INDETERMINATE);
    taskbar.SetProgressValue(1, 4);
    taskbar.SetProgressState(TBPF_ERROR);
    taskbar.SetProgressValue(9, 4); // more than done counts as done
    taskbar.SetProgressValue(5, 0); // no total: no value
    QVERIFY(WaitFor(6));
    const auto at = [&](int i, const char* key) { return Mine().at(i).Properties.value(QLatin1String(key)); };
    QCOMPARE(at(2, "progress"), QVariant(0.25));
    QCOMPARE(at(2, "progress-visible"), QVariant(true));
    QCOMPARE(at(2, "urgent"), QVariant(false));
    QCOMPARE(at(4, "progress"), QVariant(1.0));
    QCOMPARE(at(4, "urgent"), QVariant(true)); // the error state stays
    QCOMPARE(at(5, "progress"), QVariant(0.0));
}

void tst_TaskBarProgress::invalidStateIsRefused()
{
    TVxTaskBarProgressImpl taskbar;
    QCOMPARE(taskbar.SetProgressState(TBPF_ERROR | TBPF_PAUSED), TVxTaskBarProgressImpl::ResultInvalidArg);
    QCOMPARE(taskbar.SetProgressState(-1), TVxTaskBarProgressImpl::ResultInvalidArg);
    QCOMPARE(taskbar.SetProgressState(TBPF_PAUSED), TVxTaskBarProgressImpl::ResultOk);
    QVERIFY(WaitFor(2));
    QCOMPARE(Mine().at(1).Properties.value(QStringLiteral("progress-visible")), QVariant(true));
}

void tst_TaskBarProgress::withoutSessionBusNothingHappens()
{
    EnvScope address("DBUS_SESSION_BUS_ADDRESS", QByteArray());
    EnvScope runtime("XDG_RUNTIME_DIR", QByteArray());
    QCOMPARE(TVxTaskBarProgressImpl::SessionBusAddress(), QString());
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    TVxTaskBarProgressImpl taskbar;
    QVERIFY(!taskbar.Available());
    QCOMPARE(taskbar.SetProgressState(TBPF_NORMAL), TVxTaskBarProgressImpl::ResultOk);
    QCOMPARE(taskbar.SetProgressValue(1, 2), TVxTaskBarProgressImpl::ResultOk);

    // A bus address that leads nowhere is just as quiet.
    EnvScope nowhere("DBUS_SESSION_BUS_ADDRESS", QByteArrayLiteral("unix:path=/nonexistent/quillfen-bus"));
    TVxTaskBarProgressImpl unreachable;
    QVERIFY(!unreachable.Available());
    QCOMPARE(unreachable.SetProgressState(TBPF_ERROR), TVxTaskBarProgressImpl::ResultOk);
}

QTEST_GUILESS_MAIN(tst_TaskBarProgress)
#include "tst_taskbarprogress.moc"
