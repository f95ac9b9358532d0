#pragma once

#include <QObject>
#include <QString>

class QTranslator;

namespace DORuverud {

// Picks the interface language once per run, installs the translators
// for it and stores the choice. GUI thread only; never destroyed.
class TranslationsManager : public QObject
{
    Q_OBJECT

public:
    static TranslationsManager* instance();

    // Removes the installed translators and installs those of language
    // (none for "en"), sets the layout direction and stores the language.
    void setTranslation(const QString& language);
    QString currentLanguage() const;
    void retranslate();

    void setQtTranslationsBase(const QString& base);
    void setAppTranslationsBase(const QString& base);
    void setLibsTranslationsBase(const QString& base);

private:
    TranslationsManager();
    static QString languageFromSetting(const QString& setting);
    void removeTranslators();
    void installTranslators(const QString& language);

    QTranslator* m_qtTranslator;
    QTranslator* m_libsTranslator;
    QTranslator* m_appTranslator;
    QString m_currentLanguage;
    QString m_appTranslationsBase;
    QString m_libsTranslationsBase;
    QString m_qtTranslationsBase;
};

} // namespace DORuverud
