#include "App.h"
#include "AppConfig.h"
#include "Os.h"

#include <QDBusConnection>
#include <QDesktopServices>
#include <QDir>
#include <QScreen>
#include <QStandardPaths>
#include <QWidget>
#include <QtTest>

// Runs with no session or system bus, as on a headless build machine.
class TestOsNoBus : public QObject
{
    Q_OBJECT

public slots:
    void openUrl(const QUrl& url)
    {
        m_openedUrls += url;
    }

private slots:
    void busServicesDoNothing()
    {
        QVERIFY(!QDBusConnection::sessionBus().isConnected());
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");

        QVERIFY(!Os::openFolderAndSelectFile(QDir::homePath() + QStringLiteral("/a.txt")));
        Os::setAppIconNumber(3);
        Os::unsetAppIconNumber();
        QSignalSpy logout(Os::instance(), &Os::atUserLogout);

        QVERIFY(m_openedUrls.isEmpty());
        QVERIFY(logout.isEmpty());
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }

    void autostartFileFollowsTheSwitch()
    {
        // GIVEN a fresh account without an autostart folder
        const QString folder
            = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/autostart");
        QVERIFY(!QDir(folder).exists());
        QVERIFY(!Os::isAutorunAtLogon());

        // WHEN start at logon is switched on twice
        Os::changeAutorunAtLogon(true);
        Os::changeAutorunAtLogon(true);

        // THEN one desktop entry starts this program
        const QStringList entries = QDir(folder).entryList(QDir::Files);
        QCOMPARE(
            entries, QStringList {DORuverud::AppConfig::desktopId() + QStringLiteral(".desktop")});
        QFile file(folder + QLatin1Char('/') + entries.first());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString entry = QString::fromUtf8(file.readAll());
        QVERIFY(entry.startsWith(QStringLiteral("[Desktop Entry]\n")));
        QVERIFY(entry.contains(QStringLiteral("\nExec=\"") + QCoreApplication::applicationFilePath()
            + QStringLiteral("\"\n")));
        QVERIFY(Os::isAutorunAtLogon());

        // WHEN it is switched off THEN the entry is gone
        Os::changeAutorunAtLogon(false);
        QVERIFY(QDir(folder).entryList(QDir::Files).isEmpty());
        QVERIFY(!Os::isAutorunAtLogon());
    }

    void autostartEntryOfAnotherProgramDoesNotCount()
    {
        Os::changeAutorunAtLogon(true);
        const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/autostart/") + DORuverud::AppConfig::desktopId()
            + QStringLiteral(".desktop");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Desktop Entry]\nType=Application\nName=Tessivar\nExec=/opt/other\n");
        file.close();
        QVERIFY(!Os::isAutorunAtLogon());
        Os::changeAutorunAtLogon(false);
    }

    void smallServices()
    {
        QCOMPARE(Os::nativeLibraryName(QStringLiteral("foo")), QStringLiteral("libfoo.so"));
        QCOMPARE(Os::scaleFactor(), QGuiApplication::primaryScreen()->devicePixelRatio());

        Os::hideWindowFromTaskBar(nullptr);
        QWidget parent;
        QWidget child(&parent);
        Os::hideWindowFromTaskBar(&child);
        QVERIFY(child.isWindow());
    }

private:
    QList<QUrl> m_openedUrls;
};

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestOsNoBus test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_OsNoBus.moc"
