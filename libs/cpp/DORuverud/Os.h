#pragma once

#include <QObject>

class QWidget;

// Platform services: screen scale, file manager, launcher badge, start
// at logon and power notifications. One instance per process; GUI thread
// only. Without a session bus the bus services do nothing and answer false.
class Os : public QObject
{
    Q_OBJECT

public:
    static Os* instance();

    // Physical pixels per logical pixel of the primary screen.
    static double scaleFactor();
    // Asks the file manager to show the file selected, or else opens its
    // folder once the bus tells there is none, without waiting for either;
    // false where there is no bus to ask.
    static bool openFolderAndSelectFile(const QString& path);
    // The count on the program's launcher icon.
    static void setAppIconNumber(int n);
    static void unsetAppIconNumber();
    static bool isAutorunAtLogon();
    // Why start at logon could not be switched, or an empty text.
    static QString changeAutorunAtLogon(bool on);
    static void hideWindowFromTaskBar(QWidget* widget);
    static QString nativeLibraryName(const QString& name);
    static void setDisableSleepMode(bool on);

signals:
    void atSwitchToStandBy();
    void atWakeUpFromStandBy();
    void atUserLogout();

private:
    Os();
};
