#include "App.h"
#include "TranslationsManager.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using DORuverud::App;
using DORuverud::TranslationsManager;

// Run as "probe <setting>", the program starts with that "Language"
// setting (none when empty) and prints the language it picks, the stored
// setting and the layout direction.
static int probe(const QString& setting)
{
    if (!setting.isEmpty())
        App::theApp()->setSettingsValue(QStringLiteral("Language"), setting);
    const QString language = App::theApp()->currentLanguage();
    QTextStream(stdout) << language << ' '
                        << App::theApp()->settingsValue(QStringLiteral("Language")).toString()
                        << ' ' << (QGuiApplication::isRightToLeft() ? "rtl" : "ltr") << '\n';
    return 0;
}

class TestTranslationsManager : public QObject
{
    Q_OBJECT

private slots:
    void languageAtStart_data();
    void languageAtStart();
    void oneManagerPerRun();
    void setTranslationStoresAndLaysOut_data();
    void setTranslationStoresAndLaysOut();
};

void TestTranslationsManager::languageAtStart_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("expected");

    QTest::newRow("system locale when unset") << "pt_BR.UTF-8"
                                              << ""
                                              << "pt pt ltr";
    QTest::newRow("German system") << "de_DE.UTF-8"
                                   << ""
                                   << "de de ltr";
    QTest::newRow("stored pt_BR") << "C"
                                  << "pt_BR"
                                  << "pt pt ltr";
    QTest::newRow("es before ar") << "C"
                                  << "es_AR"
                                  << "es es ltr";
    QTest::newRow("Arabic lays out right to left") << "C"
                                                   << "ar_EG"
                                                   << "ar ar rtl";
    QTest::newRow("simplified Chinese keeps its country") << "C"
                                                          << "zh_CN"
                                                          << "zh_CN zh_CN ltr";
    QTest::newRow("traditional Chinese falls back") << "C"
                                                    << "zh_TW"
                                                    << "en en ltr";
    QTest::newRow("Swedish falls back") << "C"
                                        << "sv_SE"
                                        << "en en ltr";
    QTest::newRow("upper case matches nothing") << "C"
                                                << "ES"
                                                << "en en ltr";
    QTest::newRow("English stays English") << "C"
                                           << "en_US"
                                           << "en en ltr";
}

void TestTranslationsManager::languageAtStart()
{
    QFETCH(QString, locale);
    QFETCH(QString, setting);
    QFETCH(QString, expected);

    QTemporaryDir home;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("LC_ALL"), locale);
    environment.remove(QStringLiteral("LANGUAGE"));
    program.setProcessEnvironment(environment);
    program.start(QCoreApplication::applicationFilePath(), {QStringLiteral("probe"), setting});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()).trimmed(), expected);
}

void TestTranslationsManager::oneManagerPerRun()
{
    App* app = App::theApp();
    app->setSettingsValue(QStringLiteral("Language"), QStringLiteral("ru_RU"));
    TranslationsManager* first = TranslationsManager::instance();
    QCOMPARE(app->currentLanguage(), QStringLiteral("ru"));

    app->setSettingsValue(QStringLiteral("Language"), QStringLiteral("de_DE"));

    QCOMPARE(TranslationsManager::instance(), first);
    QCOMPARE(app->currentLanguage(), QStringLiteral("ru"));
    QCOMPARE(app->currentLanguageOptimized(), QStringLiteral("ru/"));
}

void TestTranslationsManager::setTranslationStoresAndLaysOut_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<QString>("pathSegment");

    QTest::newRow("Arabic") << "ar" << Qt::RightToLeft << "ar/";
    QTest::newRow("back to English") << "en" << Qt::LeftToRight << "";
    QTest::newRow("a language outside the list") << "nl" << Qt::LeftToRight << "nl/";
    QTest::newRow("French") << "fr" << Qt::LeftToRight << "fr/";
}

void TestTranslationsManager::setTranslationStoresAndLaysOut()
{
    QFETCH(QString, language);
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(QString, pathSegment);

    QWidget window;
    TranslationsManager::instance()->setTranslation(language);

    QCOMPARE(QGuiApplication::layoutDirection(), direction);
    QCOMPARE(window.layoutDirection(), direction);
    QCOMPARE(App::theApp()->settingsValue(QStringLiteral("Language")).toString(), language);
    QCOMPARE(TranslationsManager::instance()->currentLanguage(), language);
    QCOMPARE(App::theApp()->currentLanguage(), language);
    QCOMPARE(App::theApp()->currentLanguageOptimized(), pathSegment);
}

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    if (argc == 3 && QByteArray(argv[1]) == "probe")
        return probe(QString::fromLocal8Bit(argv[2]));
    TestTranslationsManager test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_TranslationsManager.moc"
