#pragma once

#include "SettingsStore.h"

#include <QApplication>
#include <QDate>
#include <QPointer>
#include <QStringList>
#include <QVariant>

class QSettings;
class QUrl;

namespace DORuverud {

class HelpDialog;

// The one application object: identity, the settings file, the per-user
// folders, screen facts and the actions that lead out of the program.
// GUI thread only.
class App : public QApplication, public ZAruri::SettingsStore
{
    Q_OBJECT

public:
    App(int& argc, char** argv, const QString& organizationName, const QString& applicationName);
    ~App() override;

    static App* theApp();

    bool notify(QObject* receiver, QEvent* event) override;

    // Settings: every key is stored under the application name's group.
    QSettings* settings();
    QVariant settingsValue(const QString& key, const QVariant& defaultValue = QVariant()) override;
    void setSettingsValue(const QString& key, const QVariant& value) override;
    // The keys stored directly under the group, without it.
    QStringList settingsKeys();
    void removeSettingsValue(const QString& key);
    void setOldSettingsMode(bool on);

    // Per-user folders, created on first use; each ends with "/".
    QString workDirectory();
    QString supportDirectory();
    QString cachesDirectory();
    QString picturesDirectory();
    QString musicDirectory();
    QString moviesDirectory();
    QString downloadsDirectory();
    void ensureDirExists(const QString& path);

    // Copies source into folder under name (the source's name when empty).
    // An existing target is kept and counts as success; a failed or short
    // write, or a source that is not a regular file, leaves no target and
    // returns false.
    bool copyTo(const QString& source, const QString& folder, const QString& name);
    bool copyToSupportDirectory(const QString& source, const QString& name);

    QString openDirPath() const;
    QString saveDirPath() const;
    void setOpenDirPath(const QString& filePath);
    void setSaveDirPath(const QString& filePath);

    QString bundleResourcePath() const;
    QString resourceOffset() const;
    void setResourceOffset(const QString& offset);

    // Identity.
    static bool isAppStore();
    QString appId() const;
    void setAppId(const QString& id);
    static QString bundleIdentifier();
    QString build() const;
    QDate buildDate() const;
    bool isSandboxed() const;
    void setSandboxed(bool on);
    bool isDemo() const;
    void setDemo(bool on);
    bool isChartAutoUpdateOn() const;
    void setChartAutoUpdateOn(bool on);

    // Language.
    QString currentLanguage() const;
    void setCurrentLanguage(const QString& language);
    QString currentLanguageOptimized() const;

    // Screen.
    bool isPocketDevice() const;
    bool isLandscape() const;
    bool isPortrait() const;
    qreal devicePixelRatio() const;

    // Widget services.
    bool isDeactivated() const;
    static QWidget* getWidgetByClassName(const QString& className);
    bool isChildOf(QObject* child, QObject* parent);
    void mousePress(
        QWidget* widget, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons);
    void mouseRelease(
        QWidget* widget, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons);
    void mouseClick(
        QWidget* widget, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons);
    QPoint calculateMousePosition(QWidget* widget, int x, int y);
    void setMainWidget(QWidget* widget);
    QWidget* mainWidget() const;
    void setIntroductionSlides(const QStringList& slides);
    void showHelpOnStart();
    void setProxy();

    // Reminders and the links of the outward actions.

    // Opens a web or mail address (read in tolerant mode) in the desktop's
    // browser or mail program. When the desktop cannot, a message says so and
    // shows the address, or the mail's recipient, subject and text, for the
    // user to copy. False when nothing opened; an empty address opens nothing
    // and says nothing.
    static bool openLink(const QString& address);

    void callReminder(int count, int kinds);
    void callRateReminder(int count);
    void callTellReminder(int count);
    void callJoinReminder(int count);
    void setRemiderCount(int count);
    void setRemiderDelay(int msecs);
    void setFaceBookShareLink(const QString& link);
    void setTwitterShareLink(const QString& link);
    void setVKontakteShareLink(const QString& link);
    QString faceBookShareLink() const;
    QString twitterShareLink() const;
    QString vkontakteShareLink() const;
    void setPromotedAppNameAndID(const QString& name, const QString& id);
    void setPromotedLink(const QString& link);
    void setAppSupportPage(const QString& page);

signals:
    void applicationActivated();
    void applicationDeactivated();
    void dockClicked();

private slots:
    void slotCallRateReminderInternal();
    void slotCallRateReminder();
    void slotCallTellReminder();
    void slotCallJoinReminder();
    void slotFocusChanged(QWidget* old, QWidget* now);

public slots:
    void slotShowCssEditor();
    void slotContactUs();
    void slotTellFriend();
    void slotShowMoreApps();
    void slotRateApp();
    void slotSupportPage();
    void slotHelp();
    void slotGoToPromotedApp();
    void slotShareApp();
    void slotJoin();

private:
    QString userDirectory(const QString& fixedPart);
    QString settingsKey(const QString& key) const;
    static QString unopenedLinkText(const QUrl& url);

    QSettings* m_settings = nullptr;
    QString m_currentLanguage;
    bool m_deactivated = false;
    QString m_openDirPath;
    QString m_saveDirPath;
    bool m_sandboxed = false;
    QString m_appId;
    int m_reminderCount = 10;
    int m_reminderDelay = 4000;
    QPointer<HelpDialog> m_helpDialog;
    QStringList m_introductionSlides;
    QString m_promotedAppId;
    QString m_promotedAppName;
    QString m_promotedLink;
    int m_reminderKind = 0;
    QString m_facebookLink;
    QString m_twitterLink;
    QString m_vkontakteLink;
    bool m_oldSettingsMode = false;
    QString m_resourceOffset;
    QWidget* m_mainWidget = nullptr;
    QWidget* m_focusOverlay = nullptr;
    QString m_supportPage;
    QString m_bundleResourcePath;
    bool m_demo = false;
};

} // namespace DORuverud
