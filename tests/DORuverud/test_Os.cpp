#include "App.h"
#include "AppConfig.h"
#include "App_Linux.h"
#include "Os.h"
#include "Os_Linux_Notifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDesktopServices>
#include <QTemporaryDir>
#include <QtTest>

// Stands in for the file manager on the private bus.
class FakeFileManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    QStringList shown;

public slots:
    Q_SCRIPTABLE void ShowItems(const QStringList& uris, const QString& startupId)
    {
        Q_UNUSED(startupId)
        shown += uris;
    }
};

// Stands in for logind's manager on the private bus.
class FakeLogind : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    int sessionQueries = 0;

public slots:
    Q_SCRIPTABLE QDBusObjectPath GetSessionByPID(uint pid)
    {
        Q_UNUSED(pid)
        ++sessionQueries;
        return QDBusObjectPath(QStringLiteral("/org/freedesktop/login1/session/_31"));
    }
};

// Runs in a private session bus (dbus-run-session). A second connection
// plays the desktop: the launcher, the file manager and logind.
class TestOs : public QObject
{
    Q_OBJECT

public slots:
    void launcherUpdated(const QString& uri, const QVariantMap& properties)
    {
        m_launcherUri = uri;
        m_launcherUpdates += properties;
    }

    void openUrl(const QUrl& url)
    {
        m_openedUrls += url;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QDBusConnection::sessionBus().isConnected());
        QVERIFY(m_desktop.isConnected());
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
    }

    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDBusConnection::disconnectFromBus(QStringLiteral("desktop"));
    }

    void activateEmitsDockClickedOncePerCall()
    {
        // GIVEN the program owns its name on the bus
        const QString name = DORuverud::AppConfig::desktopId();
        QCOMPARE(name, QStringLiteral("example.quelmar.Tessivar"));
        QVERIFY(m_desktop.interface()->isServiceRegistered(name));
        QSignalSpy clicks(DORuverud::App::theApp(), &DORuverud::App::dockClicked);

        // WHEN the launcher activates it twice
        for (int i = 0; i < 2; ++i) {
            QDBusMessage call
                = QDBusMessage::createMethodCall(name, QStringLiteral("/example/quelmar/Tessivar"),
                    QStringLiteral("org.freedesktop.Application"), QStringLiteral("Activate"));
            call << QVariantMap();
            m_desktop.asyncCall(call);
        }

        // THEN the application object reports two clicks
        QTRY_COMPARE_WITH_TIMEOUT(clicks.count(), 2, 10000);
        QCOMPARE(App_Linux::objectPath(QStringLiteral("a.b-c.D")), QStringLiteral("/a/b_c/D"));
    }

    void badgeGoesToTheLauncherEntry()
    {
        QVERIFY(m_desktop.connect(QString(), QString(),
            QStringLiteral("com.canonical.Unity.LauncherEntry"), QStringLiteral("Update"), this,
            SLOT(launcherUpdated(QString, QVariantMap))));

        Os::setAppIconNumber(0);
        QTRY_COMPARE_WITH_TIMEOUT(m_launcherUpdates.count(), 1, 10000);
        QCOMPARE(m_launcherUri, QStringLiteral("application://example.quelmar.Tessivar.desktop"));
        QCOMPARE(m_launcherUpdates.last().value(QStringLiteral("count")).toLongLong(), 0);
        QCOMPARE(m_launcherUpdates.last().value(QStringLiteral("count-visible")).toBool(), true);

        Os::setAppIconNumber(-7);
        QTRY_COMPARE_WITH_TIMEOUT(m_launcherUpdates.count(), 2, 10000);
        QCOMPARE(m_launcherUpdates.last().value(QStringLiteral("count")).toLongLong(), -7);

        Os::unsetAppIconNumber();
        QTRY_COMPARE_WITH_TIMEOUT(m_launcherUpdates.count(), 3, 10000);
        QCOMPARE(m_launcherUpdates.last().value(QStringLiteral("count-visible")).toBool(), false);
    }

    void revealAsksTheFileManager()
    {
        // GIVEN a file manager on the bus
        FakeFileManager fileManager;
        QVERIFY(m_desktop.registerObject(QStringLiteral("/org/freedesktop/FileManager1"),
            &fileManager, QDBusConnection::ExportScriptableSlots));
        QVERIFY(m_desktop.registerService(QStringLiteral("org.freedesktop.FileManager1")));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("chord sheet.txt"));
        m_openedUrls.clear();

        // WHEN a file is revealed THEN the file manager shows it and no folder opens
        QVERIFY(Os::openFolderAndSelectFile(file));
        QCOMPARE(fileManager.shown, QStringList {QUrl::fromLocalFile(file).toString()});
        QVERIFY(m_openedUrls.isEmpty());

        m_desktop.unregisterService(QStringLiteral("org.freedesktop.FileManager1"));
        m_desktop.unregisterObject(QStringLiteral("/org/freedesktop/FileManager1"));
    }

    void revealFallsBackToTheFolder()
    {
        QTemporaryDir dir;
        m_openedUrls.clear();
        QVERIFY(Os::openFolderAndSelectFile(dir.filePath(QStringLiteral("a.txt"))));
        QCOMPARE(m_openedUrls, QList<QUrl> {QUrl::fromLocalFile(dir.path())});
    }

    void logindSignalsBecomeOsSignals()
    {
        // GIVEN logind on the bus and a notifier listening to it
        FakeLogind logind;
        QVERIFY(m_desktop.registerObject(QStringLiteral("/org/freedesktop/login1"), &logind,
            QDBusConnection::ExportScriptableSlots));
        QVERIFY(m_desktop.registerService(QStringLiteral("org.freedesktop.login1")));
        Os* os = Os::instance();
        QSignalSpy sleeping(os, &Os::atSwitchToStandBy);
        QSignalSpy waking(os, &Os::atWakeUpFromStandBy);
        QSignalSpy leaving(os, &Os::atUserLogout);
        Os_Linux_Notifier notifier(QDBusConnection::sessionBus(), nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(logind.sessionQueries, 1, 10000);

        // WHEN the system sleeps, wakes and shuts down
        sendManagerSignal(QStringLiteral("PrepareForSleep"), true);
        QTRY_COMPARE_WITH_TIMEOUT(sleeping.count(), 1, 10000);
        sendManagerSignal(QStringLiteral("PrepareForSleep"), false);
        QTRY_COMPARE_WITH_TIMEOUT(waking.count(), 1, 10000);
        sendManagerSignal(QStringLiteral("PrepareForShutdown"), true);
        QTRY_COMPARE_WITH_TIMEOUT(leaving.count(), 1, 10000);
        QCOMPARE(sleeping.count(), 1);

        // WHEN the session turns inactive THEN that is a logout too (the
        // notifier subscribes once logind has named the session)
        QTRY_VERIFY_WITH_TIMEOUT((sendSessionActive(false), leaving.count() > 1), 10000);

        m_desktop.unregisterService(QStringLiteral("org.freedesktop.login1"));
        m_desktop.unregisterObject(QStringLiteral("/org/freedesktop/login1"));
    }

private:
    void sendManagerSignal(const QString& name, bool start)
    {
        QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"), name);
        signal << start;
        m_desktop.send(signal);
    }

    void sendSessionActive(bool active)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            QStringLiteral("/org/freedesktop/login1/session/_31"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
        signal << QStringLiteral("org.freedesktop.login1.Session")
               << QVariantMap {{QStringLiteral("Active"), active}} << QStringList();
        m_desktop.send(signal);
    }

    QDBusConnection m_desktop
        = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("desktop"));
    QString m_launcherUri;
    QList<QVariantMap> m_launcherUpdates;
    QList<QUrl> m_openedUrls;
};

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestOs test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_Os.moc"
