#include "VxTaskBarProgress.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QGuiApplication>
#include <QVariantMap>

#include <algorithm>
#include <optional>

namespace {
const QString LauncherEntryInterface = QStringLiteral("com.canonical.Unity.LauncherEntry");

// An object path element from the desktop file name (letters, digits and "_" only).
QString PathElement(const QString& Name)
{
    QString result;
    for (const QChar c : Name)
        result += (c.isLetterOrNumber() && c.unicode() < 128) ? c : QChar(u'_');
    return result.isEmpty() ? QStringLiteral("app") : result;
}
} // namespace

struct TVxTaskBarProgressImpl::TPrivate {
    std::optional<QDBusConnection> Bus;
    QString Uri;
    QString Path;
    TBPFLAG State = TBPF_NOPROGRESS;
    double Value = 0;
};

TVxTaskBarProgressImpl::TVxTaskBarProgressImpl() : d(std::make_unique<TPrivate>())
{
    const QString address = SessionBusAddress();
    if (!address.isEmpty()) {
        // One connection per bus address, shared by every taskbar progress of the process.
        const QString name = QStringLiteral("quillfen-taskbar ") + address;
        QDBusConnection bus = QDBusConnection::connectToBus(address, name);
        if (bus.isConnected())
            d->Bus = bus;
        else
            QDBusConnection::disconnectFromBus(name); // try again with the next object
    }
    d->Uri = ApplicationUri();
    d->Path = QStringLiteral("/com/canonical/unity/launcherentry/") + PathElement(d->Uri.mid(14));
    SetProgressState(TBPF_NOPROGRESS);
}

TVxTaskBarProgressImpl::~TVxTaskBarProgressImpl() { SetProgressState(TBPF_NOPROGRESS); }

bool TVxTaskBarProgressImpl::Available() const { return d->Bus.has_value(); }

QString TVxTaskBarProgressImpl::ApplicationUri()
{
    QString name = QGuiApplication::desktopFileName();
    if (name.isEmpty())
        name = QCoreApplication::applicationName();
    if (!name.endsWith(QLatin1String(".desktop")))
        name += QLatin1String(".desktop");
    return QStringLiteral("application://") + name;
}

QString TVxTaskBarProgressImpl::SessionBusAddress()
{
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!address.isEmpty())
        return address;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) {
        const QString socket = runtime + QStringLiteral("/bus");
        if (QFileInfo(socket).exists())
            return QStringLiteral("unix:path=") + socket;
    }
    return {};
}

int TVxTaskBarProgressImpl::SetProgressState(TBPFLAG tbpFlags)
{
    switch (tbpFlags) {
    case TBPF_NOPROGRESS:
    case TBPF_INDETERMINATE:
    case TBPF_NORMAL:
    case TBPF_ERROR:
    case TBPF_PAUSED:
        break;
    default:
        return ResultInvalidArg;
    }
    d->State = tbpFlags;
    return Send();
}

int TVxTaskBarProgressImpl::SetProgressValue(quint64 ullCompleted, quint64 ullTotal)
{
    d->Value = ullTotal == 0 ? 0.0 : std::min(1.0, double(ullCompleted) / double(ullTotal));
    if (d->State == TBPF_NOPROGRESS || d->State == TBPF_INDETERMINATE)
        d->State = TBPF_NORMAL;
    return Send();
}

int TVxTaskBarProgressImpl::Send()
{
    if (!d->Bus)
        return ResultOk;
    QVariantMap properties;
    properties.insert(QStringLiteral("progress-visible"), d->State != TBPF_NOPROGRESS);
    properties.insert(QStringLiteral("urgent"), d->State == TBPF_ERROR);
    // Indeterminate progress shows no value, so the value the dock has is left alone.
    if (d->State == TBPF_NORMAL || d->State == TBPF_ERROR || d->State == TBPF_PAUSED)
        properties.insert(QStringLiteral("progress"), d->Value);
    QDBusMessage signal = QDBusMessage::createSignal(d->Path, LauncherEntryInterface, QStringLiteral("Update"));
    signal << d->Uri << properties;
    return d->Bus->send(signal) ? ResultOk : ResultFailed;
}

TBPFLAG TVxTaskBarProgressImpl::State() const
{
    return d->State;
}

double TVxTaskBarProgressImpl::Value() const
{
    return d->Value;
}
