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
    App* app = App::theApp();
    if (!setting.isEmpty())
        app->setSettingsValue("Language", setting);
    QTextStream(stdout) << app->currentLanguage() << ' '
                        << app->settingsValue("Language").toString() << ' '
                        << (QGuiApplication::isRightToLeft() ? "rtl" : "ltr") << '\n';
    return 0;
}

class TestTranslationsManager : public QObject
{
    Q_OBJECT

private slots:
    void languageAtStart_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("expected");
        QTest::newRow("system locale when unset") << "pt_BR.UTF-8" << QString() << "pt pt ltr";
        QTest::newRow("stored pt_BR") << "C" << QString("pt_BR") << "pt pt ltr";
        QTest::newRow("es before ar") << "C" << QString("es_AR") << "es es ltr";
        QTest::newRow("Arabic lays out right to left") << "C" << QString("ar_EG") << "ar ar rtl";
        QTest::newRow("simplified Chinese keeps its country")
            << "C" << QString("zh_CN") << "zh_CN zh_CN ltr";
        QTest::newRow("traditional Chinese falls back") << "C" << QString("zh_TW") << "en en ltr";
    }

    void languageAtStart()
    {
        QFETCH(QString, locale);
        QFETCH(QString, setting);
        QFETCH(QString, expected);
        QTemporaryDir home;
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.path());
        environment.insert("LC_ALL", locale);
        environment.remove("LANGUAGE");
        program.setProcessEnvironment(environment);
        program.start(QCoreApplication::applicationFilePath(), {"probe", setting});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()).trimmed(), expected);
    }

    void setTranslationStoresAndLaysOut_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<Qt::LayoutDirection>("direction");
        QTest::addColumn<QString>("pathSegment");
        QTest::newRow("Arabic") << "ar" << Qt::RightToLeft << "ar/";
        QTest::newRow("back to English") << "en" << Qt::LeftToRight << "";
        QTest::newRow("a language outside the list") << "nl" << Qt::LeftToRight << "nl/";
    }

    void setTranslationStoresAndLaysOut()
    {
        QFETCH(QString, language);
        QFETCH(Qt::LayoutDirection, direction);
        QFETCH(QString, pathSegment);
        QWidget window;
        TranslationsManager::instance()->setTranslation(language);
        QCOMPARE(window.layoutDirection(), direction);
        QCOMPARE(App::theApp()->settingsValue("Language").toString(), language);
        QCOMPARE(App::theApp()->currentLanguage(), language);
        QCOMPARE(App::theApp()->currentLanguageOptimized(), pathSegment);
    }
};

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    if (argc == 3 && QByteArray(argv[1]) == "probe")
        return probe(QString::fromLocal8Bit(argv[2]));
    TestTranslationsManager test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_TranslationsManager.moc"
