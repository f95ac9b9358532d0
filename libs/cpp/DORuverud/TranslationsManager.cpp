#include "TranslationsManager.h"

#include "App.h"

#include <QLocale>
#include <QTranslator>

namespace DORuverud {

TranslationsManager* TranslationsManager::instance()
{
    static TranslationsManager* const manager = new TranslationsManager;
    return manager;
}

TranslationsManager::TranslationsManager()
    : QObject(nullptr)
    , m_qtTranslator(new QTranslator(this))
    , m_libsTranslator(new QTranslator(this))
    , m_appTranslator(new QTranslator(this))
{
    const QString setting
        = App::theApp()
              ->settingsValue(QStringLiteral("Language"), QLocale::system().name())
              .toString();
    setTranslation(languageFromSetting(setting));
}

// The first code found anywhere in the setting wins: "es_AR" gives "es".
QString TranslationsManager::languageFromSetting(const QString& setting)
{
    static const char* const codes[]
        = {"de", "ru", "es", "fr", "hi", "it", "pt", "ko", "ar", "zh_CN"};
    for (const char* code : codes) {
        if (setting.indexOf(QLatin1String(code), 0, Qt::CaseSensitive) != -1)
            return QLatin1String(code);
    }
    return QStringLiteral("en");
}

void TranslationsManager::setTranslation(const QString& language)
{
    removeTranslators();
    if (language != QLatin1String("en"))
        installTranslators(language);
    m_currentLanguage = language;
    QGuiApplication::setLayoutDirection(
        language == QLatin1String("ar") ? Qt::RightToLeft : Qt::LeftToRight);
    App* app = App::theApp();
    app->setSettingsValue(QStringLiteral("Language"), language);
    app->setCurrentLanguage(language);
}

void TranslationsManager::removeTranslators()
{
    for (QTranslator* translator : {m_qtTranslator, m_libsTranslator, m_appTranslator}) {
        if (translator)
            QCoreApplication::removeTranslator(translator);
    }
}

// Installed even when no file loads; the last installed is asked first.
void TranslationsManager::installTranslators(const QString& language)
{
    const QString root = QStringLiteral(":/");
    m_qtTranslator->load(
        root + m_qtTranslationsBase + QStringLiteral("Translations/qt_") + language);
    QCoreApplication::installTranslator(m_qtTranslator);
    m_libsTranslator->load(
        root + m_libsTranslationsBase + QStringLiteral("/Translations/libs_") + language);
    QCoreApplication::installTranslator(m_libsTranslator);
    m_appTranslator->load(root + m_appTranslationsBase + QStringLiteral("Translations/")
        + QCoreApplication::applicationName() + QLatin1Char('_') + language);
    QCoreApplication::installTranslator(m_appTranslator);
}

QString TranslationsManager::currentLanguage() const
{
    return m_currentLanguage;
}

void TranslationsManager::retranslate()
{
    const QString language = m_currentLanguage;
    setTranslation(language);
}

void TranslationsManager::setQtTranslationsBase(const QString& base)
{
    m_qtTranslationsBase = base;
}

void TranslationsManager::setAppTranslationsBase(const QString& base)
{
    m_appTranslationsBase = base;
}

void TranslationsManager::setLibsTranslationsBase(const QString& base)
{
    m_libsTranslationsBase = base;
}

} // namespace DORuverud
