#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

class QDBusPendingCallWatcher;

// Turns logind's sleep, shutdown and session signals on the given bus into
// the Os signals. On a bus that is not connected it does nothing.
class Os_Linux_Notifier : public QObject
{
    Q_OBJECT

public:
    Os_Linux_Notifier(const QDBusConnection& bus, QObject* parent);

private slots:
    void onPrepareForSleep(bool start);
    void onPrepareForShutdown(bool start);
    void onSessionFound(QDBusPendingCallWatcher* watcher);
    void onSessionPropertiesChanged(
        const QString& interface, const QVariantMap& changed, const QStringList& invalidated);

private:
    QDBusConnection m_bus;
};
