#include "App.h"

#include "App_mac.h"
#include "HelpDialog.h"
#include "Trace.h"
#include "TranslationsManager.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QScreen>
#include <QSettings>

namespace DORuverud {

namespace {

// The bundle's Resources folder: a program folder named "MacOS" stands
// beside it; any other program folder holds it. Ends with "/".
QString resourcesFolder()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString name = QFileInfo(programFolder).fileName();
    if (name == QLatin1String("MacOS"))
        return programFolder.chopped(name.size()) + QStringLiteral("Resources/");
    return programFolder + QStringLiteral("/Resources/");
}

} // namespace

App::App(int& argc, char** argv, const QString& organizationName, const QString& applicationName)
    : QApplication(argc, argv)
    , m_currentLanguage(QStringLiteral("en"))
{
    connect(App_mac::instance(), &App_mac::dockClicked, this, &App::dockClicked);
    QCoreApplication::setOrganizationName(organizationName);
    QCoreApplication::setApplicationName(applicationName);
    m_saveDirPath = workDirectory();
    m_openDirPath = m_saveDirPath;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, supportDirectory());
    m_settings = new QSettings(
        supportDirectory() + QStringLiteral("settings.plist"), QSettings::IniFormat, this);
    m_bundleResourcePath = resourcesFolder();
}

App::~App()
{
    delete m_helpDialog;
}

App* App::theApp()
{
    return qobject_cast<App*>(QCoreApplication::instance());
}

QSettings* App::settings()
{
    return m_settings;
}

QString App::settingsKey(const QString& key) const
{
    if (m_oldSettingsMode)
        return key;
    return QCoreApplication::applicationName() + QLatin1Char('/') + key;
}

QVariant App::settingsValue(const QString& key, const QVariant& defaultValue)
{
    return m_settings->value(settingsKey(key), defaultValue);
}

void App::setSettingsValue(const QString& key, const QVariant& value)
{
    m_settings->setValue(settingsKey(key), value);
}

QStringList App::settingsKeys()
{
    if (m_oldSettingsMode)
        return m_settings->childKeys();
    m_settings->beginGroup(QCoreApplication::applicationName());
    const QStringList keys = m_settings->childKeys();
    m_settings->endGroup();
    return keys;
}

void App::removeSettingsValue(const QString& key)
{
    m_settings->remove(settingsKey(key));
}

void App::setOldSettingsMode(bool on)
{
    m_oldSettingsMode = on;
}

QString App::userDirectory(const QString& fixedPart)
{
    const QString path = QDir::homePath() + fixedPart + QLatin1Char('/')
        + QCoreApplication::applicationName() + QLatin1Char('/');
    ensureDirExists(path);
    return path;
}

QString App::workDirectory()
{
    return userDirectory(QStringLiteral("/Library"));
}

QString App::supportDirectory()
{
    const QString path = userDirectory(QStringLiteral("/Library/Application Support"));
    qCDebug(ZAruri::lcTrace) << "!!!" << path;
    return path;
}

QString App::cachesDirectory()
{
    return userDirectory(QStringLiteral("/Library/Caches"));
}

QString App::picturesDirectory()
{
    return userDirectory(QStringLiteral("/Pictures"));
}

QString App::musicDirectory()
{
    return userDirectory(QStringLiteral("/Music"));
}

QString App::moviesDirectory()
{
    return userDirectory(QStringLiteral("/Movies"));
}

QString App::downloadsDirectory()
{
    return userDirectory(QStringLiteral("/Downloads"));
}

void App::ensureDirExists(const QString& path)
{
    QDir dir(path);
    if (!dir.exists())
        dir.mkpath(path);
}

bool App::copyTo(const QString& source, const QString& folder, const QString& name)
{
    ensureDirExists(folder);
    const QString targetName = name.isEmpty() ? QFileInfo(source).fileName() : name;
    const QString targetPath = folder + QLatin1Char('/') + targetName;
    if (QFile::exists(targetPath))
        return true;

    // Copied piece by piece; a pipe or a device is no file, and could block or never end.
    return QFileInfo(source).isFile() && QFile::copy(source, targetPath);
}

bool App::copyToSupportDirectory(const QString& source, const QString& name)
{
    return copyTo(source, supportDirectory(), name);
}

QString App::openDirPath() const
{
    return m_openDirPath;
}

QString App::saveDirPath() const
{
    return m_saveDirPath;
}

void App::setOpenDirPath(const QString& filePath)
{
    m_openDirPath = QFileInfo(filePath).absolutePath();
}

void App::setSaveDirPath(const QString& filePath)
{
    m_saveDirPath = QFileInfo(filePath).absolutePath();
}

QString App::bundleResourcePath() const
{
    return m_bundleResourcePath;
}

QString App::resourceOffset() const
{
    return m_resourceOffset;
}

void App::setResourceOffset(const QString& offset)
{
    m_resourceOffset = offset;
}

bool App::isAppStore()
{
    return !QFile::exists(resourcesFolder() + QStringLiteral("independent"));
}

QString App::appId() const
{
    return m_appId;
}

void App::setAppId(const QString& id)
{
    m_appId = id;
}

QString App::bundleIdentifier()
{
    const QStringList parts = QCoreApplication::organizationDomain().split(QLatin1Char('.'));
    return parts.last() + QLatin1Char('.') + parts.first() + QLatin1Char('.')
        + QCoreApplication::applicationName();
}

QString App::build() const
{
    static const char* const months[]
        = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    QString text
        = QString::fromLatin1(__DATE__).simplified().replace(QLatin1Char(' '), QLatin1Char('/'));
    for (int i = 0; i < 12; ++i)
        text.replace(QLatin1String(months[i]), QString::number(i + 1));
    return text;
}

QDate App::buildDate() const
{
    const QDate date = QDate::fromString(build(), QStringLiteral("M/d/yyyy"));
    qCDebug(ZAruri::lcTrace) << "&&&BUILD:" << build();
    qCDebug(ZAruri::lcTrace) << "&&&DATE:" << date;
    return date;
}

bool App::isSandboxed() const
{
    return m_sandboxed;
}

void App::setSandboxed(bool on)
{
    m_sandboxed = on;
}

bool App::isDemo() const
{
    return m_demo;
}

void App::setDemo(bool on)
{
    m_demo = on;
}

bool App::isChartAutoUpdateOn() const
{
    return !QFile::exists(QStringLiteral("noautoupdate"));
}

void App::setChartAutoUpdateOn(bool) { }

// The first call builds the translations manager, which picks the language.
QString App::currentLanguage() const
{
    TranslationsManager::instance();
    return m_currentLanguage;
}

void App::setCurrentLanguage(const QString& language)
{
    m_currentLanguage = language;
}

QString App::currentLanguageOptimized() const
{
    const QString language = currentLanguage();
    if (language.contains(QStringLiteral("en")))
        return QString();
    return language + QLatin1Char('/');
}

// The whole desktop, across every screen.
static QRect desktopGeometry()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualGeometry() : QRect();
}

bool App::isPocketDevice() const
{
    const QRect desktop = desktopGeometry();
    return desktop.width() < 481 || desktop.height() < 481;
}

bool App::isLandscape() const
{
    const QRect desktop = desktopGeometry();
    return desktop.width() > desktop.height();
}

bool App::isPortrait() const
{
    return !isLandscape();
}

qreal App::devicePixelRatio() const
{
    return QGuiApplication::primaryScreen()->devicePixelRatio();
}

} // namespace DORuverud
