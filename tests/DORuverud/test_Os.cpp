#include "App.h"
#include "AppConfig.h"
#include "DialogTestTools.h"
#include "Os.h"
#include "Os_Linux_Notifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QTemporaryDir>
#include <QtTest>

// Stand-ins for the file manager and logind on the private bus.
class FakeFileManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    QStringList shown;

public slots:
    Q_SCRIPTABLE void ShowItems(const QStringList& uris, const QString&)
    {
        shown += uris;
    }
};

class FakeLogind : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public slots:
    Q_SCRIPTABLE QDBusObjectPath GetSessionByPID(uint)
    {
        return QDBusObjectPath(QString("/org/freedesktop/login1/session/_31"));
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

private slots:
    void initTestCase()
    {
        QVERIFY(m_desktop.isConnected());
    }

    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus("desktop");
    }

    void activateEmitsDockClickedOncePerCall()
    {
        // GIVEN the program owns its name on the bus
        const QString name = DORuverud::AppConfig::desktopId();
        QVERIFY(m_desktop.interface()->isServiceRegistered(name));
        QSignalSpy clicks(DORuverud::App::theApp(), &DORuverud::App::dockClicked);
        // WHEN the launcher activates it twice, THEN the application object reports two clicks
        for (int i = 0; i < 2; ++i) {
            QDBusMessage call = QDBusMessage::createMethodCall(
                name, "/example/quelmar/Tessivar", "org.freedesktop.Application", "Activate");
            m_desktop.asyncCall(call << QVariantMap());
        }
        QTRY_COMPARE_WITH_TIMEOUT(clicks.count(), 2, 10000);
    }

    void badgeGoesToTheLauncherEntry()
    {
        QVERIFY(m_desktop.connect(QString(), QString(), "com.canonical.Unity.LauncherEntry",
            "Update", this, SLOT(launcherUpdated(QString, QVariantMap))));
        waitForMatchRules(m_desktop);
        Os::setAppIconNumber(-7);
        QTRY_COMPARE_WITH_TIMEOUT(m_launcherUpdates.count(), 1, 10000);
        QCOMPARE(m_launcherUri, QString("application://example.quelmar.Tessivar.desktop"));
        QCOMPARE(m_launcherUpdates.last().value("count").toLongLong(), -7);
        QCOMPARE(m_launcherUpdates.last().value("count-visible").toBool(), true);
        Os::unsetAppIconNumber();
        QTRY_COMPARE_WITH_TIMEOUT(m_launcherUpdates.count(), 2, 10000);
        QCOMPARE(m_launcherUpdates.last().value("count-visible").toBool(), false);
    }

    void revealAsksTheFileManagerOrOpensTheFolder()
    {
        // GIVEN no file manager on the bus: the folder opens
        DialogTestTools::UrlCatcher opened({"file"});
        QTemporaryDir dir;
        const QString file = dir.filePath("chord sheet.txt");
        QVERIFY(Os::openFolderAndSelectFile(file));
        QTRY_COMPARE(opened.urls, QList<QUrl> {QUrl::fromLocalFile(dir.path())});
        // GIVEN a file manager: it shows the file and no folder opens
        FakeFileManager fileManager;
        QVERIFY(m_desktop.registerObject(
            "/org/freedesktop/FileManager1", &fileManager, QDBusConnection::ExportScriptableSlots));
        QVERIFY(m_desktop.registerService("org.freedesktop.FileManager1"));
        QVERIFY(Os::openFolderAndSelectFile(file));
        QTRY_COMPARE(fileManager.shown, QStringList {QUrl::fromLocalFile(file).toString()});
        QTest::qWait(200);
        QCOMPARE(opened.urls.size(), 1);
    }

    void logindSignalsBecomeOsSignals()
    {
        // GIVEN logind on the bus and a notifier listening to it
        FakeLogind logind;
        QVERIFY(m_desktop.registerObject(
            "/org/freedesktop/login1", &logind, QDBusConnection::ExportScriptableSlots));
        QVERIFY(m_desktop.registerService("org.freedesktop.login1"));
        QSignalSpy sleeping(Os::instance(), &Os::atSwitchToStandBy);
        QSignalSpy waking(Os::instance(), &Os::atWakeUpFromStandBy);
        QSignalSpy leaving(Os::instance(), &Os::atUserLogout);
        Os_Linux_Notifier notifier(QDBusConnection::sessionBus(), nullptr);
        waitForMatchRules(QDBusConnection::sessionBus());

        // WHEN the system sleeps, wakes and shuts down
        const QString path = "/org/freedesktop/login1";
        const QString manager = "org.freedesktop.login1.Manager";
        sendSignal(path, manager, "PrepareForSleep", {true});
        QTRY_COMPARE_WITH_TIMEOUT(sleeping.count(), 1, 10000);
        sendSignal(path, manager, "PrepareForSleep", {false});
        QTRY_COMPARE_WITH_TIMEOUT(waking.count(), 1, 10000);
        sendSignal(path, manager, "PrepareForShutdown", {true});
        QTRY_COMPARE_WITH_TIMEOUT(leaving.count(), 1, 10000);
        QCOMPARE(sleeping.count(), 1);

        // WHEN the session turns inactive THEN that is a logout too (the
        // notifier subscribes once logind has named the session)
        const QVariantList inactive {
            "org.freedesktop.login1.Session", QVariantMap {{"Active", false}}, QStringList()};
        QTRY_VERIFY_WITH_TIMEOUT(
            (sendSignal(path + "/session/_31", "org.freedesktop.DBus.Properties",
                 "PropertiesChanged", inactive),
                leaving.count() > 1),
            10000);
    }

private:
    // A connection asks the bus for the signals it listens to without waiting;
    // a call behind those requests returns once the bus has them.
    static void waitForMatchRules(const QDBusConnection& bus)
    {
        QVERIFY(bus.interface()->isServiceRegistered(bus.baseService()));
    }

    void sendSignal(const QString& path, const QString& interface, const QString& name,
        const QVariantList& arguments)
    {
        QDBusMessage signal = QDBusMessage::createSignal(path, interface, name);
        signal.setArguments(arguments);
        m_desktop.send(signal);
    }

    QDBusConnection m_desktop
        = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "desktop");
    QString m_launcherUri;
    QList<QVariantMap> m_launcherUpdates;
};

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestOs test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_Os.moc"
