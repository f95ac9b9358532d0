#include "Os_Linux_Notifier.h"

#include "Os_Linux.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
const QString login1 = QStringLiteral("org.freedesktop.login1");
const QString managerPath = QStringLiteral("/org/freedesktop/login1");
const QString manager = QStringLiteral("org.freedesktop.login1.Manager");
} // namespace

Os_Linux_Notifier::Os_Linux_Notifier(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , m_bus(bus)
{
    if (!m_bus.isConnected())
        return;
    m_bus.connect(login1, managerPath, manager, QStringLiteral("PrepareForSleep"), this,
        SLOT(onPrepareForSleep(bool)));
    m_bus.connect(login1, managerPath, manager, QStringLiteral("PrepareForShutdown"), this,
        SLOT(onPrepareForShutdown(bool)));
    QDBusMessage call = QDBusMessage::createMethodCall(
        login1, managerPath, manager, QStringLiteral("GetSessionByPID"));
    call << uint(QCoreApplication::applicationPid());
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &Os_Linux_Notifier::onSessionFound);
}

void Os_Linux_Notifier::onPrepareForSleep(bool start)
{
    if (start)
        Os_Linux::emitSignalAtSwitchToStandBy();
    else
        Os_Linux::emitSignalAtWakeUpFromStandBy();
}

void Os_Linux_Notifier::onPrepareForShutdown(bool start)
{
    if (start)
        Os_Linux::emitSignalAtUserLogout();
}

void Os_Linux_Notifier::onSessionFound(QDBusPendingCallWatcher* watcher)
{
    const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
    watcher->deleteLater();
    if (reply.isError())
        return;
    m_bus.connect(login1, reply.value().path(), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"), this,
        SLOT(onSessionPropertiesChanged(QString, QVariantMap, QStringList)));
}

void Os_Linux_Notifier::onSessionPropertiesChanged(
    const QString& interface, const QVariantMap& changed, const QStringList& invalidated)
{
    Q_UNUSED(invalidated)
    const auto active = changed.constFind(QStringLiteral("Active"));
    if (interface == QLatin1String("org.freedesktop.login1.Session") && active != changed.constEnd()
        && !active->toBool())
        Os_Linux::emitSignalAtUserLogout();
}
