#include "App.h"
#include "AppConfig.h"
#include "DialogTestTools.h"

#include <QSysInfo>
#include <QUrlQuery>
#include <QtTest>

using DialogTestTools::UrlCatcher;
using DORuverud::App;

// The same actions in a store build: this test runs from a bundle whose
// Resources folder has no "independent" marker.
class TestAppActionsStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tellMailCarriesTheLocalisedStorePage_data();
    void tellMailCarriesTheLocalisedStorePage();
    void contactMailHasNoBuildMark();
    void storeDependentReminderAsksForARating();
};

void TestAppActionsStore::initTestCase()
{
    QVERIFY(App::isAppStore());
    App::theApp()->setSettingsValue(QStringLiteral("Language"), QStringLiteral("ru_RU"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.1"));
    App::theApp()->setAppId(DORuverud::AppConfig::appStoreId());
}

void TestAppActionsStore::tellMailCarriesTheLocalisedStorePage_data()
{
    QTest::addColumn<QString>("supportPage");

    QTest::newRow("no support page") << "";
    QTest::newRow("support page set") << "http://quelmar.example/apps/tessivar";
}

void TestAppActionsStore::tellMailCarriesTheLocalisedStorePage()
{
    QFETCH(QString, supportPage);
    UrlCatcher catcher({QStringLiteral("mailto")});
    App::theApp()->setAppSupportPage(supportPage);

    App::theApp()->slotTellFriend();

    QCOMPARE(catcher.urls.size(), 1);
    QVERIFY(QUrlQuery(catcher.urls.first())
                .queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded)
                .endsWith(QLatin1String(
                    ": https://store.example/ru/app/tessivar/id735204196?ls=1&mt=12")));
}

void TestAppActionsStore::contactMailHasNoBuildMark()
{
    UrlCatcher catcher({QStringLiteral("mailto")});

    App::theApp()->slotContactUs();

    QCOMPARE(catcher.urls.size(), 1);
    QCOMPARE(QUrlQuery(catcher.urls.first())
                 .queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
        QStringLiteral("Contact (Tessivar 1.1) ") + QSysInfo::productType() + QLatin1Char(' ')
            + QSysInfo::productVersion() + QStringLiteral(" ru "));
}

void TestAppActionsStore::storeDependentReminderAsksForARating()
{
    App* app = App::theApp();
    app->setRemiderDelay(10);
    app->setSettingsValue(QStringLiteral("AutoReminderCount"), 3);
    QString shown;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&]() {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            poll.stop();
            shown = QLatin1String(dialog->metaObject()->className());
            QTest::keyClick(dialog, Qt::Key_Escape);
        }
    });
    poll.start(10);

    app->callReminder(3, 8);

    QTRY_COMPARE(app->settingsValue(QStringLiteral("AutoReminderCount")).toInt(), 4);
    QCOMPARE(shown, QStringLiteral("DORuverud::RateReminderDialog"));
    QCOMPARE(app->settingsValue(QStringLiteral("AutoReminder"), true).toBool(), true);
}

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    TestAppActionsStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_AppActionsStore.moc"
