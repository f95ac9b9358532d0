#include "X11Windows.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// Starts the real program on the X display with a home folder of its own.
class Program
{
public:
    explicit Program(const QString& home)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(qEnvironmentVariable("TESSIVAR_PROGRAM"), QStringList());
    }

    ~Program()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    // Closes the window as its title bar does; true when the program then ends with 0.
    bool closedWell(X11Windows& windows, unsigned long window)
    {
        windows.close(window);
        return m_process.waitForFinished(120000) && m_process.exitStatus() == QProcess::NormalExit
            && m_process.exitCode() == 0;
    }

    // The shared objects the running program has mapped, each path once.
    QStringList mappedLibraries() const
    {
        QFile maps(QStringLiteral("/proc/%1/maps").arg(m_process.processId()));
        if (!maps.open(QIODevice::ReadOnly))
            return {};
        QStringList paths;
        for (const QByteArray& line : maps.readAll().split('\n')) {
            const int slash = line.indexOf('/');
            const QString path = slash < 0 ? QString() : QString::fromLocal8Bit(line.mid(slash));
            if (path.contains(QStringLiteral(".so")) && !paths.contains(path))
                paths << path;
        }
        return paths;
    }

private:
    QProcess m_process;
};

static QString settingsPath(const QString& home)
{
    return home + QStringLiteral("/Library/Application Support/Tessivar/settings.plist");
}

static QVariant setting(
    const QString& home, const QString& key, const QVariant& defaultValue = QVariant())
{
    QSettings settings(settingsPath(home), QSettings::IniFormat);
    return settings.value(QStringLiteral("Tessivar/") + key, defaultValue);
}

static void store(const QString& home, const QString& key, const QVariant& value)
{
    QDir().mkpath(home + QStringLiteral("/Library/Application Support/Tessivar"));
    QSettings settings(settingsPath(home), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Tessivar/") + key, value);
}

static bool isBlue(QRgb pixel)
{
    return qBlue(pixel) > 120 && qBlue(pixel) > 2 * qRed(pixel);
}

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void firstStartShowsWindowAndIntroduction();
    void fifthStartRemindsAndSizeComesBack();
    void damagedSettingsStartIntoAFittingWindow_data();
    void damagedSettingsStartIntoAFittingWindow();

private:
    unsigned long waitForWindow(const QString& title, int timeout = 60000);

    X11Windows m_windows;
};

void TestProgram::initTestCase()
{
    QVERIFY2(m_windows.isOpen(), "no X display");
    QVERIFY(QFile::exists(qEnvironmentVariable("TESSIVAR_PROGRAM")));
}

unsigned long TestProgram::waitForWindow(const QString& title, int timeout)
{
    unsigned long window = 0;
    if (!QTest::qWaitFor([&]() { return (window = m_windows.find(title)) != 0; }, timeout))
        return 0;
    return window;
}

void TestProgram::firstStartShowsWindowAndIntroduction()
{
    // GIVEN a fresh home folder
    QTemporaryDir home;
    Program program(home.path());

    // THEN the window comes up at its first size, styled, the piano chosen
    const unsigned long window = waitForWindow(QStringLiteral("Tessivar"));
    QVERIFY(window);
    QCOMPARE(m_windows.size(window), QSize(620, 620));
    const unsigned long introduction = waitForWindow(QStringLiteral("Tessivar Introduction"));
    QVERIFY(introduction);
    // A slow (sanitizer) build may still be painting: wait for the styled frame.
    QImage shot;
    QTRY_VERIFY_WITH_TIMEOUT(
        (shot = QGuiApplication::primaryScreen()->grabWindow(window).toImage()).size()
                == QSize(620, 620)
            && QColor(shot.pixel(3, 610)) == QColor(40, 40, 40),
        30000);
    const QString folder = qEnvironmentVariable("TESSIVAR_SCREENSHOTS");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        QGuiApplication::primaryScreen()->grabWindow(0).save(
            folder + QStringLiteral("/first-start.png"));
    QVERIFY(isBlue(shot.pixel(14, 40)));
    QVERIFY(!isBlue(shot.pixel(14, 130)));
    // Nothing is drawn through OpenGL, so no GL driver was loaded for it.
    const QStringList libraries = program.mappedLibraries();
    QVERIFY(!libraries.isEmpty());
    for (const QString& library : libraries)
        QVERIFY2(!library.contains(QStringLiteral("libGLX_"))
                && !library.contains(QStringLiteral("_dri.so")),
            qPrintable(library));

    // WHEN the user closes the introduction and then the window
    m_windows.close(introduction);
    QTRY_VERIFY_WITH_TIMEOUT(!m_windows.find(QStringLiteral("Tessivar Introduction")), 30000);

    // THEN the program ends well, having stored the size and the language
    QVERIFY(program.closedWell(m_windows, window));
    QCOMPARE(setting(home.path(), QStringLiteral("Width")).toInt(), 620);
    QCOMPARE(setting(home.path(), QStringLiteral("Language")).toString(), QStringLiteral("en"));
}

void TestProgram::fifthStartRemindsAndSizeComesBack()
{
    // GIVEN the fifth start, the introduction turned off
    QTemporaryDir home;
    store(home.path(), QStringLiteral("NeverShowItAgain"), true);
    store(home.path(), QStringLiteral("AutoReminderCount"), 5);
    {
        Program program(home.path());
        const unsigned long window = waitForWindow(QStringLiteral("Tessivar"));
        QVERIFY(window);

        // THEN a share or a join reminder comes some seconds later
        unsigned long reminder = 0;
        QVERIFY(QTest::qWaitFor(
            [&]() {
                reminder = m_windows.find(QStringLiteral("Share"));
                if (!reminder)
                    reminder = m_windows.find(QStringLiteral("Join Us"));
                return reminder != 0;
            },
            60000));

        // WHEN it is closed without an answer and the window is resized
        m_windows.close(reminder);
        m_windows.resize(window, QSize(820, 700));
        QTRY_COMPARE_WITH_TIMEOUT(m_windows.size(window), QSize(820, 700), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(
            setting(home.path(), QStringLiteral("AutoReminderCount")).toInt(), 6, 30000);
        QVERIFY(program.closedWell(m_windows, window));
    }

    // THEN the start was counted, reminders stay on and the size is stored
    QCOMPARE(setting(home.path(), QStringLiteral("AutoReminder"), true).toBool(), true);
    QCOMPARE(setting(home.path(), QStringLiteral("Width")).toInt(), 820);
    QCOMPARE(setting(home.path(), QStringLiteral("Height")).toInt(), 700);

    // and the next start restores the size
    Program again(home.path());
    const unsigned long window = waitForWindow(QStringLiteral("Tessivar"));
    QVERIFY(window);
    QCOMPARE(m_windows.size(window), QSize(820, 700));
    QVERIFY(again.closedWell(m_windows, window));
}

void TestProgram::damagedSettingsStartIntoAFittingWindow_data()
{
    QTest::addColumn<QVariantMap>("settings");
    QTest::addColumn<QSize>("size");
    QTest::newRow("size far beyond any screen")
        << QVariantMap {{"Width", 100000}, {"Height", 100000}} << QSize(1280, 1024);
    QTest::newRow("size beyond this screen")
        << QVariantMap {{"Width", 3000}, {"Height", 700}} << QSize(1280, 700);
    QTest::newRow("favourites count far beyond the entries")
        << QVariantMap {{"FavoritesCount", 100000000}} << QSize(620, 620);
}

void TestProgram::damagedSettingsStartIntoAFittingWindow()
{
    QFETCH(QVariantMap, settings);
    QFETCH(QSize, size);
    // GIVEN damaged settings on a 1280 x 1024 screen
    QTemporaryDir home;
    store(home.path(), QStringLiteral("NeverShowItAgain"), true);
    for (auto it = settings.cbegin(); it != settings.cend(); ++it)
        store(home.path(), it.key(), it.value());

    // THEN the window comes up soon, fitted to the screen, and closes well
    Program program(home.path());
    const unsigned long window = waitForWindow(QStringLiteral("Tessivar"), 30000);
    QVERIFY(window);
    QTRY_COMPARE_WITH_TIMEOUT(m_windows.size(window), size, 10000);
    QVERIFY(program.closedWell(m_windows, window));
}

QTEST_MAIN(TestProgram)
#include "test_Program.moc"
