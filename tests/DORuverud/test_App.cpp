#include "App.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using DORuverud::App;

namespace {

// The test also serves as the program of its own child processes, so that
// the application object can be built afresh, elsewhere or on another screen.
int runChild(const QStringList& args)
{
    int argc = 1;
    char name[] = "child";
    char* argv[] = {name, nullptr};
    App app(argc, argv, QStringLiteral("Quelmar"), QStringLiteral("Tessivar"));
    QTextStream out(stdout);
    const QString mode = args.value(0);
    if (mode == QLatin1String("--write")) {
        app.setSettingsValue(
            args.value(1), QString::fromUtf8(QByteArray::fromBase64(args.value(2).toLatin1())));
    } else if (mode == QLatin1String("--read")) {
        out << app.settingsValue(args.value(1), QStringLiteral("<none>"))
                   .toString()
                   .toUtf8()
                   .toBase64();
    } else if (mode == QLatin1String("--facts")) {
        out << app.bundleResourcePath() << '\n'
            << (App::isAppStore() ? "store" : "independent") << '\n'
            << (app.isPocketDevice() ? "pocket" : "desktop") << '\n';
    }
    return 0;
}

QString runSelf(const QString& program, const QStringList& args,
    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(program, QStringList {QStringLiteral("--child")} + args);
    if (!child.waitForFinished(60000) || child.exitCode() != 0)
        return QStringLiteral("<failed: %1>")
            .arg(QString::fromLocal8Bit(child.readAllStandardError()));
    return QString::fromUtf8(child.readAllStandardOutput());
}

QString selfProgram()
{
    return QCoreApplication::applicationFilePath();
}

QString settingsPath()
{
    return QDir::homePath()
        + QStringLiteral("/Library/Application Support/Tessivar/settings.plist");
}

} // namespace

class TestApp : public QObject
{
    Q_OBJECT

private slots:
    void settingsFileIsIniUnderTheApplicationGroup();
    void settingsRoundTripAcrossRestarts_data();
    void settingsRoundTripAcrossRestarts();
    void brokenSettingsFileFallsBackToDefaults();
    void foldersAreCreatedOnFirstUse();
    void copyToKeepsExistingTargetsAndReportsFailures();
    void bundleResourcePathFollowsTheExecutable_data();
    void bundleResourcePathFollowsTheExecutable();
    void identityFormats();
    void pocketDeviceThreshold_data();
    void pocketDeviceThreshold();
    void languageSegment();
    void oldSettingsModeUsesTheBareKey();
};

void TestApp::settingsFileIsIniUnderTheApplicationGroup()
{
    App* app = App::theApp();
    app->setSettingsValue(QStringLiteral("Width"), 700);
    app->settings()->sync();

    QSettings raw(settingsPath(), QSettings::IniFormat);
    QCOMPARE(raw.childGroups(), QStringList {QStringLiteral("Tessivar")});
    QCOMPARE(raw.value(QStringLiteral("Tessivar/Width")).toInt(), 700);
    QFile file(settingsPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("[Tessivar]\nWidth=700"));

    app->setSettingsValue(QStringLiteral("/SoundMute"), true);
    QCOMPARE(app->settingsValue(QStringLiteral("SoundMute"), false).toBool(), true);
}

void TestApp::settingsRoundTripAcrossRestarts_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "Language"
                           << "de";
    QTest::newRow("sub key with slash") << "TransparencyParameters/ContextMenus"
                                        << "50";
    QTest::newRow("comma colon newline") << "Favorite1"
                                         << "Intro:C,Am\nF\nG";
    QTest::newRow("unicode") << "Favorite2" << QStringLiteral("B\u266D m7 \u0410\u0411");
}

void TestApp::settingsRoundTripAcrossRestarts()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QString encoded = QString::fromLatin1(value.toUtf8().toBase64());
    QCOMPARE(runSelf(selfProgram(), {QStringLiteral("--write"), key, encoded}), QString());
    const QString read = runSelf(selfProgram(), {QStringLiteral("--read"), key});
    QCOMPARE(QString::fromUtf8(QByteArray::fromBase64(read.toLatin1())), value);
}

void TestApp::brokenSettingsFileFallsBackToDefaults()
{
    // GIVEN a settings file full of random bytes
    QFile file(settingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QByteArray noise(4096, '\0');
    quint32 seed = 12345;
    for (char& c : noise) {
        seed = seed * 1664525u + 1013904223u;
        c = char(seed >> 24);
    }
    file.write(noise);
    file.close();

    // THEN a fresh start reads the defaults
    const QString read
        = runSelf(selfProgram(), {QStringLiteral("--read"), QStringLiteral("Width")});
    QCOMPARE(QString::fromUtf8(QByteArray::fromBase64(read.toLatin1())), QStringLiteral("<none>"));

    // AND the next write makes a valid file again
    const QString encoded = QString::fromLatin1(QByteArray("640").toBase64());
    QCOMPARE(runSelf(selfProgram(), {QStringLiteral("--write"), QStringLiteral("Width"), encoded}),
        QString());
    QSettings raw(settingsPath(), QSettings::IniFormat);
    QCOMPARE(raw.status(), QSettings::NoError);
    QCOMPARE(raw.value(QStringLiteral("Tessivar/Width")).toInt(), 640);

    // A settings file that cannot be written (a folder in its place) is survived too.
    QVERIFY(QFile::remove(settingsPath()));
    QVERIFY(QDir().mkpath(settingsPath()));
    QCOMPARE(runSelf(selfProgram(), {QStringLiteral("--write"), QStringLiteral("Width"), encoded}),
        QString());
    QVERIFY(QFileInfo(settingsPath()).isDir());
    QVERIFY(QDir(settingsPath()).removeRecursively());
}

void TestApp::foldersAreCreatedOnFirstUse()
{
    App* app = App::theApp();
    const QString home = QDir::homePath();
    const QList<QPair<QString, QString>> folders = {
        {app->workDirectory(), home + "/Library/Tessivar/"},
        {app->supportDirectory(), home + "/Library/Application Support/Tessivar/"},
        {app->cachesDirectory(), home + "/Library/Caches/Tessivar/"},
        {app->picturesDirectory(), home + "/Pictures/Tessivar/"},
        {app->musicDirectory(), home + "/Music/Tessivar/"},
        {app->moviesDirectory(), home + "/Movies/Tessivar/"},
        {app->downloadsDirectory(), home + "/Downloads/Tessivar/"},
    };
    for (const auto& folder : folders) {
        QCOMPARE(folder.first, folder.second);
        QVERIFY2(QFileInfo(folder.second).isDir(), qPrintable(folder.second));
    }
    QVERIFY(QDir(home + "/Music/Tessivar").removeRecursively());
    QVERIFY(QFileInfo(app->musicDirectory()).isDir());
}

void TestApp::copyToKeepsExistingTargetsAndReportsFailures()
{
    App* app = App::theApp();
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("y.png"));
    QFile in(source);
    QVERIFY(in.open(QIODevice::WriteOnly));
    in.write(QByteArray(256 * 1024, 'x'));
    in.close();

    // An empty name copies under the source's name into a new folder.
    const QString target = dir.filePath(QStringLiteral("out/y.png"));
    QVERIFY(app->copyTo(source, dir.filePath(QStringLiteral("out")), QString()));
    QCOMPARE(QFileInfo(target).size(), qint64(256 * 1024));

    // An existing target is kept.
    QFile existing(target);
    QVERIFY(existing.open(QIODevice::WriteOnly | QIODevice::Truncate));
    existing.write("old");
    existing.close();
    QVERIFY(app->copyTo(source, dir.filePath(QStringLiteral("out")), QString()));
    QCOMPARE(QFileInfo(target).size(), qint64(3));

    // A missing source, or a folder that cannot exist, fails.
    QVERIFY(!app->copyTo(dir.filePath(QStringLiteral("missing.png")), dir.path(), "m.png"));
    QVERIFY(!app->copyTo(source, source + QStringLiteral("/below-a-file"), "z.png"));

    // A short write fails and leaves no partial target.
    struct rlimit old;
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 1024;
    std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool copied = app->copyTo(source, dir.path(), QStringLiteral("short.png"));
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &old), 0);
    QVERIFY(!copied);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("short.png"))));

    QVERIFY(app->copyToSupportDirectory(source, QStringLiteral("copy.png")));
    QVERIFY(QFile::exists(app->supportDirectory() + QStringLiteral("copy.png")));
}

void TestApp::bundleResourcePathFollowsTheExecutable_data()
{
    // The marker is looked up where "MacOS" is replaced, the resources where it is removed.
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("resources");
    QTest::addColumn<QString>("marker");
    QTest::newRow("bundle") << "Tessivar/MacOS"
                            << "Tessivar/Resources/"
                            << "Tessivar/Resources/independent";
    QTest::newRow("no MacOS folder") << "bin"
                                     << "binResources/"
                                     << "binindependent";
    QTest::newRow("MacOS twice") << "MacOS/x/MacOS"
                                 << "/x/Resources/"
                                 << "Resources//x/Resources/independent";
    QTest::newRow("lower case is not the rule") << "macos"
                                                << "macosResources/"
                                                << "macosindependent";
}

void TestApp::bundleResourcePathFollowsTheExecutable()
{
    QFETCH(QString, folder);
    QFETCH(QString, resources);
    QFETCH(QString, marker);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(folder));
    const QString program = dir.filePath(folder + QStringLiteral("/Tessivar"));
    QVERIFY(QFile::copy(selfProgram(), program));

    // The marker makes an independent build; without it the build is a store build.
    const QString expected = dir.path() + QLatin1Char('/') + resources;
    QStringList facts = runSelf(program, {QStringLiteral("--facts")}).split('\n');
    QCOMPARE(facts.value(0), expected);
    QCOMPARE(facts.value(1), QStringLiteral("store"));
    const QString markerPath = dir.path() + QLatin1Char('/') + marker;
    QVERIFY(QDir().mkpath(QFileInfo(markerPath).absolutePath()));
    QFile markerFile(markerPath);
    QVERIFY(markerFile.open(QIODevice::WriteOnly));
    markerFile.close();
    facts = runSelf(program, {QStringLiteral("--facts")}).split('\n');
    QCOMPARE(facts.value(1), QStringLiteral("independent"));
}

void TestApp::identityFormats()
{
    App* app = App::theApp();
    QCOMPARE(app->bundleResourcePath(), qEnvironmentVariable("TESSIVAR_BUNDLE") + "/Resources/");
    QVERIFY(!App::isAppStore());

    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{1,2}/\\d{1,2}/\\d{4}$"))
                 .match(app->build())
                 .hasMatch(),
        qPrintable(app->build()));
    const QDate built = app->buildDate();
    QVERIFY(built.isValid());
    QCOMPARE(built,
        QLocale::c().toDate(
            QString::fromLatin1(__DATE__).simplified(), QStringLiteral("MMM d yyyy")));

    QCoreApplication::setOrganizationDomain(QStringLiteral("quelmar.example"));
    QCOMPARE(App::bundleIdentifier(), QStringLiteral("example.quelmar.Tessivar"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("a.b.c"));
    QCOMPARE(App::bundleIdentifier(), QStringLiteral("c.a.Tessivar"));
    QCoreApplication::setOrganizationDomain(QString());
    QCOMPARE(App::bundleIdentifier(), QStringLiteral("..Tessivar"));

    app->setOpenDirPath(QStringLiteral("/a/b/c.txt"));
    QCOMPARE(app->openDirPath(), QStringLiteral("/a/b"));
    QCOMPARE(app->saveDirPath(), app->workDirectory());
}

void TestApp::pocketDeviceThreshold_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("kind");
    QTest::newRow("480 high is pocket") << "1024x480x24"
                                        << "pocket";
    QTest::newRow("481 square is desktop") << "481x481x24"
                                           << "desktop";
    QTest::newRow("480 wide is pocket") << "480x800x24"
                                        << "pocket";
}

void TestApp::pocketDeviceThreshold()
{
    QFETCH(QString, screen);
    QFETCH(QString, kind);
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfb.isEmpty())
        QSKIP("xvfb-run is not installed");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(xvfb,
        {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 ") + screen,
            selfProgram(), QStringLiteral("--child"), QStringLiteral("--facts")});
    QVERIFY(child.waitForFinished(60000));
    const QStringList facts = QString::fromUtf8(child.readAllStandardOutput()).split('\n');
    QCOMPARE(facts.value(2), kind);
}

void TestApp::languageSegment()
{
    App* app = App::theApp();
    app->currentLanguage();
    app->setCurrentLanguage(QStringLiteral("ru"));
    QCOMPARE(app->currentLanguageOptimized(), QStringLiteral("ru/"));
    app->setCurrentLanguage(QStringLiteral("en"));
    QCOMPARE(app->currentLanguageOptimized(), QString());
    app->setCurrentLanguage(QStringLiteral("en_GB"));
    QCOMPARE(app->currentLanguageOptimized(), QString());
}

void TestApp::oldSettingsModeUsesTheBareKey()
{
    App* app = App::theApp();
    app->setOldSettingsMode(true);
    app->setSettingsValue(QStringLiteral("Legacy"), 1);
    app->setOldSettingsMode(false);
    app->settings()->sync();
    QSettings raw(settingsPath(), QSettings::IniFormat);
    QCOMPARE(raw.value(QStringLiteral("Legacy")).toInt(), 1);
    QCOMPARE(app->settingsValue(QStringLiteral("Legacy"), 0).toInt(), 0);
}

int main(int argc, char** argv)
{
    const QStringList args = [&] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list << QString::fromLocal8Bit(argv[i]);
        return list;
    }();
    if (args.value(0) == QLatin1String("--child"))
        return runChild(args.mid(1));

    App app(argc, argv, QStringLiteral("Quelmar"), QStringLiteral("Tessivar"));
    TestApp test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_App.moc"
