#include "App.h"
#include "Common.h"

#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using DORuverud::App;
using DORuverud::Common;

namespace {

// The test also serves as the program of its own child processes, so that
// the application object can be built afresh, elsewhere or on another screen.
int runChild(const QStringList& args)
{
    int argc = 1;
    char name[] = "child";
    char* argv[] = {name, nullptr};
    App app(argc, argv, "Quelmar", "Tessivar");
    QTextStream out(stdout);
    if (args.value(0) == QLatin1String("--write"))
        app.setSettingsValue(
            args.value(1), QString::fromUtf8(QByteArray::fromBase64(args.value(2).toLatin1())));
    else if (args.value(0) == QLatin1String("--read"))
        out << app.settingsValue(args.value(1), QString("<none>")).toString().toUtf8().toBase64();
    else
        out << app.bundleResourcePath() << '\n'
            << (App::isAppStore() ? "store" : "independent") << '\n'
            << (app.isPocketDevice() ? "pocket" : "desktop") << '\n';
    return 0;
}

QString runSelf(
    const QStringList& args, const QString& program = QCoreApplication::applicationFilePath())
{
    QProcess child;
    child.start(program, QStringList {"--child"} + args);
    if (!child.waitForFinished(60000) || child.exitCode() != 0)
        return QString("<failed: %1>").arg(QString::fromLocal8Bit(child.readAllStandardError()));
    return QString::fromUtf8(child.readAllStandardOutput());
}

// Writes a value in one run of the application object.
QString writeInChild(const QString& key, const QString& value)
{
    return runSelf({"--write", key, QString::fromLatin1(value.toUtf8().toBase64())});
}

// Reads a value in a fresh run of the application object.
QString readInChild(const QString& key)
{
    return QString::fromUtf8(QByteArray::fromBase64(runSelf({"--read", key}).toLatin1()));
}

QString settingsPath()
{
    return QDir::homePath() + "/Library/Application Support/Tessivar/settings.plist";
}

} // namespace

class TestApp : public QObject
{
    Q_OBJECT

private slots:
    void settingsRoundTripAcrossRestarts_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "Language" << QString("de");
        QTest::newRow("sub key with slash")
            << "TransparencyParameters/ContextMenus" << QString("50");
        QTest::newRow("comma colon newline") << "Favorite1" << QString("Intro:C,Am\nF\nG");
        QTest::newRow("unicode") << "Favorite2" << QString("B\u266D m7 \u0410\u0411");
    }

    void settingsRoundTripAcrossRestarts()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QCOMPARE(writeInChild(key, value), QString());
        QCOMPARE(readInChild(key), value);
    }

    void settingsFileIsIniAndSurvivesDamage()
    {
        // GIVEN a write: the file is INI with the keys under the application's group
        QCOMPARE(writeInChild("Width", "700"), QString());
        QCOMPARE(QSettings(settingsPath(), QSettings::IniFormat).childGroups(),
            QStringList {"Tessivar"});
        QFile file(settingsPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.startsWith("[Tessivar]\n") && text.contains("\nWidth=700\n"));
        file.close();

        // WHEN it is filled with random bytes
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QByteArray noise(4096, '\0');
        quint32 seed = 12345;
        for (char& c : noise)
            c = char((seed = seed * 1664525u + 1013904223u) >> 24);
        file.write(noise);
        file.close();

        // THEN a fresh start reads the defaults, and the next write makes a valid file again
        QCOMPARE(readInChild("Width"), QString("<none>"));
        QCOMPARE(writeInChild("Width", "640"), QString());
        QSettings raw(settingsPath(), QSettings::IniFormat);
        QCOMPARE(raw.status(), QSettings::NoError);
        QCOMPARE(raw.value("Tessivar/Width").toInt(), 640);

        // A settings file that cannot be written (a folder in its place) is survived too.
        QVERIFY(QFile::remove(settingsPath()));
        QVERIFY(QDir().mkpath(settingsPath()));
        QCOMPARE(writeInChild("Width", "640"), QString());
        QVERIFY(QDir(settingsPath()).removeRecursively());
    }

    void foldersAreCreatedOnFirstUse()
    {
        App* app = App::theApp();
        const QStringList folders {app->workDirectory(), app->supportDirectory(),
            app->cachesDirectory(), app->picturesDirectory(), app->musicDirectory(),
            app->moviesDirectory(), app->downloadsDirectory()};
        const QStringList expected {"Library/Tessivar", "Library/Application Support/Tessivar",
            "Library/Caches/Tessivar", "Pictures/Tessivar", "Music/Tessivar", "Movies/Tessivar",
            "Downloads/Tessivar"};
        for (int i = 0; i < folders.size(); ++i) {
            QCOMPARE(folders[i], QDir::homePath() + '/' + expected[i] + '/');
            QVERIFY2(QFileInfo(folders[i]).isDir(), qPrintable(folders[i]));
        }
        QVERIFY(QDir(app->musicDirectory()).removeRecursively());
        QVERIFY(QFileInfo(app->musicDirectory()).isDir());
    }

    void copyToKeepsExistingTargetsAndReportsFailures()
    {
        App* app = App::theApp();
        QTemporaryDir dir;
        const QString source = dir.filePath("y.png");
        QVERIFY(QFile(source).open(QIODevice::WriteOnly));
        QVERIFY(QFile::resize(source, 256 * 1024));

        // An empty name copies under the source's name into a new folder; a target is kept.
        const QString target = dir.filePath("out/y.png");
        QVERIFY(app->copyTo(source, dir.filePath("out"), QString()));
        QCOMPARE(QFileInfo(target).size(), qint64(256 * 1024));
        QVERIFY(QFile::resize(target, 3));
        QVERIFY(app->copyTo(source, dir.filePath("out"), QString()));
        QCOMPARE(QFileInfo(target).size(), qint64(3));

        // A missing source, or a folder that cannot exist, fails.
        QVERIFY(!app->copyTo(dir.filePath("missing.png"), dir.path(), "m.png"));
        QVERIFY(!app->copyTo(source, source + "/below-a-file", "z.png"));

        // A short write fails and leaves no partial target.
        struct rlimit old;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        struct rlimit small = old;
        small.rlim_cur = 1024;
        std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool copied = app->copyTo(source, dir.path(), "short.png");
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &old), 0);
        QVERIFY(!copied);
        QVERIFY(!QFile::exists(dir.filePath("short.png")));

        // An endless device, or a pipe without a writer, is not copied and not waited on.
        QVERIFY(!app->copyTo("/dev/zero", dir.path(), "zero.png"));
        const QString pipe = dir.filePath("pipe");
        QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QVERIFY(!app->copyTo(pipe, dir.path(), "pipe.png"));
        // AND no failed copy left a file behind
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {"y.png"});
    }

    void bundleResourcePathFollowsTheExecutable_data()
    {
        // The Resources folder stands beside a program folder named "MacOS", else inside it.
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("resources");
        QTest::newRow("bundle") << "Tessivar/MacOS" << QString("Tessivar/Resources/");
        QTest::newRow("MacOS inside a folder name")
            << "MacOSapps/tessivar/MacOS" << QString("MacOSapps/tessivar/Resources/");
        QTest::newRow("MacOS twice") << "MacOS/x/MacOS" << QString("MacOS/x/Resources/");
        QTest::newRow("no MacOS folder") << "bin" << QString("bin/Resources/");
        QTest::newRow("lower case is another folder") << "macos" << QString("macos/Resources/");
    }

    void bundleResourcePathFollowsTheExecutable()
    {
        QFETCH(QString, folder);
        QFETCH(QString, resources);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(folder));
        const QString program = dir.filePath(folder + "/Tessivar");
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), program));

        // The marker in that folder makes an independent build; without it the build is a store
        // build.
        QStringList facts = runSelf({"--facts"}, program).split('\n');
        QCOMPARE(facts.value(0), dir.path() + QLatin1Char('/') + resources);
        QCOMPARE(facts.value(1), QString("store"));
        QVERIFY(QDir().mkpath(facts.value(0)));
        QVERIFY(QFile(facts.value(0) + "independent").open(QIODevice::WriteOnly));
        facts = runSelf({"--facts"}, program).split('\n');
        QCOMPARE(facts.value(1), QString("independent"));
    }

    void identityFormats()
    {
        App* app = App::theApp();
        QCOMPARE(
            app->bundleResourcePath(), qEnvironmentVariable("TESSIVAR_BUNDLE") + "/Resources/");
        QVERIFY(!App::isAppStore());

        const QRegularExpression dayMonthYear("^\\d{1,2}/\\d{1,2}/\\d{4}$");
        QVERIFY2(dayMonthYear.match(app->build()).hasMatch(), qPrintable(app->build()));
        QCOMPARE(app->buildDate(),
            QLocale::c().toDate(QString::fromLatin1(__DATE__).simplified(), "MMM d yyyy"));

        QCoreApplication::setOrganizationDomain("quelmar.example");
        QCOMPARE(App::bundleIdentifier(), QString("example.quelmar.Tessivar"));
    }

    void pocketDeviceThreshold_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("kind");
        QTest::newRow("480 high is pocket") << "1024x480x24" << QString("pocket");
        QTest::newRow("481 square is desktop") << "481x481x24" << QString("desktop");
        QTest::newRow("480 wide is pocket") << "480x800x24" << QString("pocket");
    }

    void pocketDeviceThreshold()
    {
        QFETCH(QString, screen);
        QFETCH(QString, kind);
        const QString xvfb = QStandardPaths::findExecutable("xvfb-run");
        if (xvfb.isEmpty())
            QSKIP("xvfb-run is not installed");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(xvfb,
            {"-a", "-s", "-screen 0 " + screen, QCoreApplication::applicationFilePath(), "--child",
                "--facts"});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()).split('\n').value(2), kind);
    }

    void buttonDetails()
    {
        QPushButton push;
        Common::applyPushButtonDetails(&push);
        QCOMPARE(push.objectName(), QString("PushButton"));
        QVERIFY(push.isFlat());
        QCOMPARE(push.minimumHeight(), 32);

        QPushButton tool;
        tool.setObjectName("ToolButton");
        Common::applyToolButtonDetails(&tool);
        QCOMPARE(tool.objectName(), QString("ToolButton"));
        QVERIFY(tool.isFlat());
        QCOMPARE(tool.minimumSize(), QSize(32, 32));
        QCOMPARE(tool.maximumSize(), QSize(32, 32));
    }

    void opacityFollowsTheSettings_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<qreal>("opacity");
        QTest::newRow("default 35") << QVariant() << 0.95;
        QTest::newRow("30 is opaque") << QVariant(30) << 1.0;
        QTest::newRow("130 is invisible") << QVariant(130) << 0.0;
        QTest::newRow("below 30 is limited") << QVariant(0) << 1.0;
    }

    void opacityFollowsTheSettings()
    {
        QFETCH(QVariant, stored);
        QFETCH(qreal, opacity);
        App* app = App::theApp();
        app->settings()->remove("Tessivar/TransparencyParameters");
        if (stored.isValid()) {
            app->setSettingsValue("TransparencyParameters/ContextMenus", stored);
            app->setSettingsValue("TransparencyParameters/ChartDialogs", stored);
        }

        // A menu with two nested submenus gets the same opacity at every level.
        QMenu menu;
        QMenu* sub = menu.addMenu("sub");
        QMenu* subsub = sub->addMenu("subsub");
        Common::setMenuOpacity(&menu);
        QWidget dialog;
        Common::setChartDialogOpacity(&dialog);
        // Qt keeps a window's opacity in 1/255 steps, truncated.
        for (QWidget* widget :
            {static_cast<QWidget*>(&menu), static_cast<QWidget*>(subsub), &dialog})
            QVERIFY(qAbs(widget->windowOpacity() - opacity) <= 1.5 / 255);
    }
};

int main(int argc, char** argv)
{
    if (argc > 1 && QByteArray(argv[1]) == "--child") {
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        return runChild(args);
    }
    App app(argc, argv, "Quelmar", "Tessivar");
    TestApp test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_App.moc"
