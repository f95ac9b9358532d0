#include "../common/FullDisk.h"
#include "App.h"
#include "AppConfig.h"
#include "DialogTestTools.h"
#include "Os.h"

#include <QDBusConnection>
#include <QDir>
#include <QScreen>
#include <QStandardPaths>
#include <QtTest>

#include <sys/stat.h>

// Runs with no session or system bus, as on a headless build machine.
class TestOsNoBus : public QObject
{
    Q_OBJECT

private slots:
    void busServicesDoNothing()
    {
        QVERIFY(!QDBusConnection::sessionBus().isConnected());
        DialogTestTools::UrlCatcher opened({"file"});
        QSignalSpy logout(Os::instance(), &Os::atUserLogout);
        QVERIFY(!Os::openFolderAndSelectFile(QDir::homePath() + "/a.txt"));
        Os::setAppIconNumber(3);
        Os::unsetAppIconNumber();
        QVERIFY(opened.urls.isEmpty());
        QVERIFY(logout.isEmpty());

        QCOMPARE(Os::nativeLibraryName("foo"), QString("libfoo.so"));
        QCOMPARE(Os::scaleFactor(), QGuiApplication::primaryScreen()->devicePixelRatio());
    }

    void autostartFileFollowsTheSwitch()
    {
        // GIVEN a fresh account without an autostart folder
        const QString folder
            = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + "/autostart";
        QVERIFY(!QDir(folder).exists());
        QVERIFY(!Os::isAutorunAtLogon());
        // WHEN start at logon is switched on twice, THEN one desktop entry starts this program
        QCOMPARE(Os::changeAutorunAtLogon(true), QString());
        QCOMPARE(Os::changeAutorunAtLogon(true), QString());
        const QStringList entries = QDir(folder).entryList(QDir::Files);
        QCOMPARE(entries, QStringList {DORuverud::AppConfig::desktopId() + ".desktop"});
        QFile file(folder + '/' + entries.first());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString entry = QString::fromUtf8(file.readAll());
        file.close();
        QVERIFY(entry.startsWith("[Desktop Entry]\n"));
        QVERIFY(entry.contains("\nExec=\"" + QCoreApplication::applicationFilePath() + "\"\n"));
        QVERIFY(Os::isAutorunAtLogon());
        // WHEN it is switched off THEN the entry is gone
        QCOMPARE(Os::changeAutorunAtLogon(false), QString());
        QVERIFY(QDir(folder).entryList(QDir::Files).isEmpty());
        QVERIFY(!Os::isAutorunAtLogon());

        // WHEN another program leaves a pipe there, THEN it is no entry, and is not waited on
        QCOMPARE(mkfifo(QFile::encodeName(file.fileName()).constData(), 0600), 0);
        QVERIFY(!Os::isAutorunAtLogon());
        // AND switching on says why it cannot replace it
        QVERIFY(!Os::changeAutorunAtLogon(true).isEmpty());
        QVERIFY(!Os::isAutorunAtLogon());
        QVERIFY(QFile::remove(file.fileName()));
        QCOMPARE(Os::changeAutorunAtLogon(true), QString());
        QVERIFY(Os::isAutorunAtLogon());
        // WHEN more follows the entry, THEN it is not this program's any more
        QVERIFY(file.open(QIODevice::Append) && file.write("Hidden=true\n") > 0);
        file.close();
        QVERIFY(!Os::isAutorunAtLogon());
        QVERIFY(QDir(folder).removeRecursively());
    }

    void autostartFailureIsReported_data()
    {
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("blocker");
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("a file where the folder should be") << true << "autostart" << false;
        QTest::newRow("full disk") << true << QString() << true;
        QTest::newRow("a folder where the entry should be off")
            << false << "autostart/" + DORuverud::AppConfig::desktopId() + ".desktop" << false;
    }

    void autostartFailureIsReported()
    {
        QFETCH(bool, on);
        QFETCH(QString, blocker);
        QFETCH(bool, fullDisk);
        // GIVEN the configuration folder with what blocks the switch in it
        const QDir config(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
        QVERIFY(config.mkpath("."));
        if (blocker.endsWith(".desktop"))
            QVERIFY(config.mkpath(blocker));
        else if (!blocker.isEmpty())
            QVERIFY(QFile(config.filePath(blocker)).open(QIODevice::WriteOnly));
        // WHEN start at logon is switched, on a disk with no room if the row says so
        const auto change = [on] { return Os::changeAutorunAtLogon(on); };
        const QString error = fullDisk ? onFullDisk(16, change) : change();
        // THEN the caller learns why, and no entry or part of one is left
        QVERIFY2(!error.isEmpty(), qPrintable(blocker));
        QVERIFY(!Os::isAutorunAtLogon());
        QCOMPARE(QDir(config.filePath("autostart")).entryList(QDir::Files | QDir::Hidden),
            QStringList());
        QFile::remove(config.filePath("autostart"));
        QVERIFY(QDir(config.filePath("autostart")).removeRecursively());
    }
};

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestOsNoBus test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_OsNoBus.moc"
