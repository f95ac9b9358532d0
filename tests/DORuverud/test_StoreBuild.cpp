#include "App.h"
#include "AppConfig.h"
#include "DialogTestTools.h"
#include "TopWidget.h"

#include <QPushButton>
#include <QSysInfo>
#include <QUrlQuery>

using namespace DialogTestTools;
using DORuverud::App;

// Runs from a bundle whose Resources folder has no "independent" marker.
class TestStoreBuild : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(App::isAppStore());
        App::theApp()->setSettingsValue("Language", "ru_RU");
        QCoreApplication::setApplicationVersion("1.1");
        App::theApp()->setAppId(DORuverud::AppConfig::appStoreId());
    }

    void titleBarButtonsAtTheLeft()
    {
        DORuverud::TopWidget frame;
        frame.resize(400, 200);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(buttonsLeftToRight(&frame, true),
            QStringList({"TopWidgetClose", "TopWidgetMaximize", "TopWidgetMinimize"}));
        QVERIFY(frame.findChild<QPushButton*>("TopWidgetMinimize")->x() < frame.width() / 2);
    }

    void tellMailCarriesTheLocalisedStorePage_data()
    {
        QTest::addColumn<QString>("supportPage");
        QTest::newRow("no support page") << "";
        QTest::newRow("support page set") << "http://quelmar.example/apps/tessivar";
    }

    void tellMailCarriesTheLocalisedStorePage()
    {
        QFETCH(QString, supportPage);
        UrlCatcher catcher({"mailto"});
        App::theApp()->setAppSupportPage(supportPage);
        App::theApp()->slotTellFriend();
        QCOMPARE(catcher.urls.size(), 1);
        QVERIFY(QUrlQuery(catcher.urls.first())
                    .queryItemValue("body", QUrl::FullyDecoded)
                    .endsWith(": https://store.example/ru/app/tessivar/id735204196?ls=1&mt=12"));
    }

    void contactMailHasNoBuildMark()
    {
        UrlCatcher catcher({"mailto"});
        App::theApp()->slotContactUs();
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(QUrlQuery(catcher.urls.first()).queryItemValue("subject", QUrl::FullyDecoded),
            "Contact (Tessivar 1.1) " + QSysInfo::productType() + ' ' + QSysInfo::productVersion()
                + " ru ");
    }

    void storeDependentReminderAsksForARating()
    {
        App* app = App::theApp();
        app->setRemiderDelay(10);
        app->setSettingsValue("AutoReminderCount", 3);
        ModalAnswer reply([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        app->callReminder(3, 8);
        QTRY_COMPARE(app->settingsValue("AutoReminderCount").toInt(), 4);
        QCOMPARE(reply.shown, QString("DORuverud::RateReminderDialog"));
        QCOMPARE(app->settingsValue(QString("AutoReminder"), true).toBool(), true);
    }
};

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    TestStoreBuild test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_StoreBuild.moc"
