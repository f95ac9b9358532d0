#include "App_Linux.h"

#include "AppConfig.h"
#include "App_mac.h"
#include "Trace.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDebug>

App_Linux::App_Linux(QObject* parent)
    : QObject(parent)
{
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::applicationNameChanged, this, &App_Linux::registerName);
    registerName();
}

App_Linux::~App_Linux()
{
    unregisterName();
}

QString App_Linux::objectPath(const QString& busName)
{
    QString path = QLatin1Char('/') + busName;
    path.replace(QLatin1Char('.'), QLatin1Char('/')).replace(QLatin1Char('-'), QLatin1Char('_'));
    return path;
}

void App_Linux::Activate(const QVariantMap& platformData)
{
    Q_UNUSED(platformData)
    App_mac::instance()->emitClick();
}

void App_Linux::registerName()
{
    unregisterName();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    const QString name = DORuverud::AppConfig::desktopId();
    if (!bus.registerObject(objectPath(name), this, QDBusConnection::ExportScriptableSlots)
        || !bus.registerService(name)) {
        qCWarning(ZAruri::lcTrace) << "App_Linux: cannot own the bus name" << name;
        bus.unregisterObject(objectPath(name));
        return;
    }
    m_busName = name;
}

void App_Linux::unregisterName()
{
    if (m_busName.isEmpty())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(m_busName);
    bus.unregisterObject(objectPath(m_busName));
    m_busName.clear();
}
