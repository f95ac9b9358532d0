#include "Os_Linux.h"

#include "AppConfig.h"
#include "Os.h"
#include "Os_Linux_Notifier.h"
#include "WholeFile.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

void Os_Linux::emitSignalAtSwitchToStandBy()
{
    emit Os::instance()->atSwitchToStandBy();
}

void Os_Linux::emitSignalAtWakeUpFromStandBy()
{
    emit Os::instance()->atWakeUpFromStandBy();
}

void Os_Linux::emitSignalAtUserLogout()
{
    emit Os::instance()->atUserLogout();
}

void Os_Linux::setAppIconNumber(int n)
{
    updateLauncherEntry(
        {{QStringLiteral("count"), qint64(n)}, {QStringLiteral("count-visible"), true}});
}

void Os_Linux::unsetAppIconNumber()
{
    updateLauncherEntry({{QStringLiteral("count-visible"), false}});
}

void Os_Linux::updateLauncherEntry(const QVariantMap& properties)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    const QString id = DORuverud::AppConfig::desktopId();
    QString path = QStringLiteral("/com/canonical/unity/launcherentry/") + id;
    path.replace(QLatin1Char('.'), QLatin1Char('_')).replace(QLatin1Char('-'), QLatin1Char('_'));
    QDBusMessage signal = QDBusMessage::createSignal(
        path, QStringLiteral("com.canonical.Unity.LauncherEntry"), QStringLiteral("Update"));
    signal << QStringLiteral("application://") + id + QStringLiteral(".desktop") << properties;
    bus.send(signal);
}

QString Os_Linux::autostartFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/autostart/") + DORuverud::AppConfig::desktopId()
        + QStringLiteral(".desktop");
}

// The desktop entry that starts this executable; the path is quoted and
// escaped as the desktop entry format requires.
QString Os_Linux::autostartEntry()
{
    QString program = QCoreApplication::applicationFilePath();
    for (const QChar c : {QLatin1Char('\\'), QLatin1Char('"'), QLatin1Char('`'), QLatin1Char('$')})
        program.replace(c, QStringLiteral("\\") + c);
    program.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('%'), QStringLiteral("%%"));
    return QStringLiteral("[Desktop Entry]\nType=Application\nName=")
        + QCoreApplication::applicationName() + QStringLiteral("\nExec=\"") + program
        + QStringLiteral("\"\n");
}

bool Os_Linux::isAutorunAtLogon()
{
    // Read no more than one byte past this program's entry, and never wait on a pipe.
    const QByteArray entry = autostartEntry().toUtf8();
    QFile file(autostartFilePath());
    return QFileInfo(file).isFile() && file.open(QIODevice::ReadOnly)
        && file.read(entry.size() + 1) == entry;
}

QString Os_Linux::changeAutorunAtLogon(bool on)
{
    const QString path = autostartFilePath();
    if (!on) {
        QFile entry(path);
        return !entry.exists() || entry.remove() ? QString() : entry.errorString();
    }
    // A folder that cannot be made shows as the write's failure.
    QDir().mkpath(QFileInfo(path).absolutePath());
    return ZAruri::WholeFile::write(path, autostartEntry().toUtf8());
}

void Os_Linux::initNotifications(QObject* owner)
{
    new Os_Linux_Notifier(QDBusConnection::systemBus(), owner);
}

bool Os_Linux::openFolderAndSelectFile(const QString& path)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    const QFileInfo file(path);
    QDBusMessage call
        = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.FileManager1"),
            QStringLiteral("/org/freedesktop/FileManager1"),
            QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList {QUrl::fromLocalFile(file.absoluteFilePath()).toString()} << QString();
    // Asked without waiting in the window: where no file manager answers,
    // the folder opens once the bus says so.
    const QUrl folder = QUrl::fromLocalFile(file.absolutePath());
    auto* answer = new QDBusPendingCallWatcher(bus.asyncCall(call), QCoreApplication::instance());
    QObject::connect(
        answer, &QDBusPendingCallWatcher::finished, [folder](QDBusPendingCallWatcher* watcher) {
            if (watcher->isError())
                QDesktopServices::openUrl(folder);
            watcher->deleteLater();
        });
    return true;
}

double Os_Linux::scaleFactor()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}
