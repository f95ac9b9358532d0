#pragma once

#include <QString>
#include <QVariantMap>

class QObject;

// The Linux side of Os: the session bus for the launcher and the file
// manager, XDG autostart for start at logon, logind for power events.
class Os_Linux
{
public:
    Os_Linux() = delete;

    static void emitSignalAtSwitchToStandBy();
    static void emitSignalAtWakeUpFromStandBy();
    static void emitSignalAtUserLogout();
    static void setAppIconNumber(int n);
    static void unsetAppIconNumber();
    static bool isAutorunAtLogon();
    // Why the entry could not be written or removed, or an empty text.
    static QString changeAutorunAtLogon(bool on);
    // Listens to logind on the system bus for as long as owner lives.
    static void initNotifications(QObject* owner);
    static bool openFolderAndSelectFile(const QString& path);
    static double scaleFactor();

private:
    static void updateLauncherEntry(const QVariantMap& properties);
    static QString autostartFilePath();
    static QString autostartEntry();
};
