#include "../common/RunawayBound.h"
#include "App.h"
#include "AppConfig.h"
#include "DialogTestTools.h"

#include <QPointer>
#include <QSysInfo>
#include <QUrlQuery>
#include <climits>

using namespace DialogTestTools;
using DORuverud::App;

namespace {

App* app()
{
    return App::theApp();
}

QString queryValue(const QUrl& url, const QString& key)
{
    return QUrlQuery(url).queryItemValue(key, QUrl::FullyDecoded);
}

} // namespace

// The outward actions in a build with the "independent" marker.
class TestAppActions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        app()->setSettingsValue("Language", "de_DE");
        QCoreApplication::setApplicationVersion("1.1");
        app()->setAppId(DORuverud::AppConfig::appStoreId());
        app()->setRemiderDelay(10);
    }

    void init()
    {
        app()->setPromotedLink(QString());
        app()->setAppSupportPage(QString());
        app()->setSettingsValue("AutoReminder", true);
    }

    void webPages_data()
    {
        // The support page and the promoted link are both set to page.
        QTest::addColumn<QString>("slot");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("address");
        const QString site = "http://quelmar.example";
        const QString store = "https://store.example";
        QTest::newRow("rate") << "slotRateApp" << QString()
                              << store + "/app/tessivar/id735204196?ls=1&mt=12";
        QTest::newRow("more apps")
            << "slotShowMoreApps" << QString() << store + "/artist/quelmar/id418203657?mt=12";
        QTest::newRow("support page set")
            << "slotSupportPage" << site + "/apps/tessivar" << site + "/apps/tessivar";
        QTest::newRow("no support page gives the home page")
            << "slotSupportPage" << QString() << site;
        QTest::newRow("promoted link")
            << "slotGoToPromotedApp" << site + "/apps/x/" << site + "/apps/x/";
    }

    void webPages()
    {
        QFETCH(QString, slot);
        QFETCH(QString, page);
        QFETCH(QString, address);
        UrlCatcher catcher;
        app()->setPromotedLink(page);
        app()->setAppSupportPage(page);
        QVERIFY(QMetaObject::invokeMethod(app(), slot.toLatin1().constData()));
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(catcher.urls.first().toString(), address);
    }

    void contactMailNamesTheRunningSystem()
    {
        UrlCatcher catcher({"mailto"});
        app()->slotContactUs();
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(catcher.urls.first().path(), QString("contact@quelmar.example"));
        QCOMPARE(queryValue(catcher.urls.first(), "subject"),
            "Contact (Tessivar 1.1) " + QSysInfo::productType() + ' ' + QSysInfo::productVersion()
                + " de I");
    }

    void tellMailKeepsAnAmpersandInTheLink_data()
    {
        QTest::addColumn<QString>("supportPage");
        QTest::addColumn<QString>("link");
        QTest::newRow("application page")
            << "" << QString("http://quelmar.example/apps/tessivar.html");
        const QString query = "http://quelmar.example/go?app=tessivar&from=mail";
        QTest::newRow("support page with a query") << query << query;
    }

    void tellMailKeepsAnAmpersandInTheLink()
    {
        QFETCH(QString, supportPage);
        QFETCH(QString, link);
        UrlCatcher catcher({"mailto"});
        app()->setAppSupportPage(supportPage);
        app()->slotTellFriend();
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(queryValue(catcher.urls.first(), "subject"), "Check out the cool Tessivar app!");
        QCOMPARE(queryValue(catcher.urls.first(), "body"),
            "Hi, check out this cool Tessivar app - available in the App Stores: " + link);
    }

    // The test platform has no browser or mail program: no link opens.
    void linkThatCannotOpenShowsWhatToCopy_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("slot");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("page, spaces kept copyable")
            << "http://quelmar.example/apps/a page?x=ä" << QString()
            << QStringList {"http://quelmar.example/apps/a%20page?x=ä"};
        QTest::newRow("store page") << QString() << "slotRateApp"
                                    << QStringList {"https://store.example/app/tessivar/"
                                                    "id735204196?ls=1&mt=12"};
        QTest::newRow("mail to the maker")
            << QString() << "slotContactUs"
            << QStringList {"To: contact@quelmar.example",
                   "Subject: Contact (Tessivar 1.1) " + QSysInfo::productType() + ' '
                       + QSysInfo::productVersion() + " de I"};
        QTest::newRow("mail without recipient")
            << QString() << "slotTellFriend"
            << QStringList {"Subject: Check out the cool Tessivar app!", "",
                   "Hi, check out this cool Tessivar app - available in the App Stores: "
                   "http://quelmar.example/apps/tessivar.html"};
    }

    void linkThatCannotOpenShowsWhatToCopy()
    {
        QFETCH(QString, address);
        QFETCH(QString, slot);
        QFETCH(QStringList, shown);
        bool opened = false;
        const ShownMessage message = messageShownBy([&] {
            if (slot.isEmpty())
                opened = App::openLink(address);
            else
                QVERIFY(QMetaObject::invokeMethod(app(), slot.toLatin1().constData()));
        });
        QVERIFY(!opened);
        QCOMPARE(message.className, QString("DORuverud::MessageBox"));
        // An explanation, a blank line, then what to copy.
        QCOMPARE(message.lines.mid(2), shown);
        QCOMPARE(message.selection, shown.last());
    }

    void emptyLinkOpensNothingAndSaysNothing()
    {
        const ShownMessage message = messageShownBy([] { QVERIFY(!App::openLink(QString())); });
        QCOMPARE(message.className, QString());
    }

    void reminderOnTheCountedStart_data()
    {
        QTest::addColumn<int>("kinds");
        QTest::addColumn<QStringList>("dialogs");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("remindersStayOn");
        const QStringList shareOrJoin {
            "DORuverud::TellReminderDialog", "DORuverud::JoinReminderDialog"};
        QTest::newRow("share or join, never again")
            << 6 << shareOrJoin << "&Never Ask Me Again" << false;
        QTest::newRow("share or join, maybe later") << 6 << shareOrJoin << "&Maybe Later" << true;
        QTest::newRow("rate now") << 1 << QStringList {"DORuverud::RateReminderDialog"}
                                  << "&Rate It Now" << false;
        QTest::newRow("no kind gives join")
            << 0 << QStringList {"DORuverud::JoinReminderDialog"} << "" << true;
        QTest::newRow("store-dependent in a direct build gives share")
            << 8 << QStringList {"DORuverud::TellReminderDialog"} << "" << true;
    }

    void reminderOnTheCountedStart()
    {
        QFETCH(int, kinds);
        QFETCH(QStringList, dialogs);
        QFETCH(QString, answer);
        QFETCH(bool, remindersStayOn);
        // GIVEN the fifth start
        app()->setSettingsValue("AutoReminderCount", 5);
        UrlCatcher catcher;
        ModalAnswer reply([answer](QWidget* dialog) {
            answer.isEmpty() ? QTest::keyClick(dialog, Qt::Key_Escape) : click(dialog, answer);
        });
        // WHEN the reminder comes every fifth start
        app()->callReminder(5, kinds);
        // THEN the dialog shows, the answer is kept and the start is counted
        QTRY_COMPARE(app()->settingsValue("AutoReminderCount").toInt(), 6);
        QVERIFY2(dialogs.contains(reply.shown), qPrintable(reply.shown));
        QCOMPARE(app()->settingsValue("AutoReminder").toBool(), remindersStayOn);
        QCOMPARE(catcher.urls.size(), answer == "&Rate It Now" ? 1 : 0);
    }

    void reminderWhoseWindowGoesAwayCountsTheStart()
    {
        // GIVEN the fifth start with a window active
        app()->setSettingsValue("AutoReminderCount", 5);
        auto* window = new QWidget;
        window->show();
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        // WHEN the window is closed for good while its reminder is open
        ModalAnswer reply([window](QWidget*) { delete window; });
        app()->callReminder(5, 6);
        // THEN the start is counted and reminders stay on
        QTRY_COMPARE(app()->settingsValue("AutoReminderCount").toInt(), 6);
        QVERIFY(!reply.shown.isEmpty());
        QCOMPARE(app()->settingsValue("AutoReminder").toBool(), true);
    }

    void noReminderOffTheCount_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("remindersOn");
        QTest::addColumn<int>("storedStart");
        QTest::newRow("first start") << 5 << 1 << true << 2;
        QTest::newRow("count of zero") << 0 << 5 << true << 6;
        QTest::newRow("negative count") << -5 << 5 << true << 6;
        QTest::newRow("reminders off keep the counter") << 5 << 5 << false << 5;
        QTest::newRow("counter wraps to one") << 5 << INT_MAX << true << 1;
    }

    void noReminderOffTheCount()
    {
        QFETCH(int, count);
        QFETCH(int, start);
        QFETCH(bool, remindersOn);
        QFETCH(int, storedStart);
        app()->setSettingsValue("AutoReminderCount", start);
        app()->setSettingsValue("AutoReminder", remindersOn);
        ModalAnswer reply([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        app()->callReminder(count, 6);
        // The reminder's timer runs before one of its delay started after it.
        bool after = false;
        QTimer::singleShot(10, [&after] { after = true; });
        QVERIFY(QTest::qWaitFor([&after] { return after; }, waitBoundMs(200)));
        QCOMPARE(reply.shown, QString());
        QCOMPARE(app()->settingsValue("AutoReminderCount").toInt(), storedStart);
    }

    void shareJoinAndStyleSheetEditor()
    {
        QStringList shown;
        for (const char* slot : {"slotShareApp", "slotJoin"}) {
            ModalAnswer reply([](QWidget* dialog) { click(dialog, "&Close"); });
            QVERIFY(QMetaObject::invokeMethod(app(), slot));
            shown << reply.shown;
        }
        QCOMPARE(shown, (QStringList {"DORuverud::TellDialog", "DORuverud::JoinDialog"}));

        // The window they sit on may go away while they are open.
        for (const char* slot : {"slotShareApp", "slotJoin"}) {
            auto* window = new QWidget;
            window->show();
            QApplication::setActiveWindow(window);
            QVERIFY(QTest::qWaitForWindowActive(window));
            ModalAnswer reply([window](QWidget*) { delete window; });
            QVERIFY(QMetaObject::invokeMethod(app(), slot));
            QVERIFY(!reply.shown.isEmpty());
        }

        // The style-sheet editor opens by its slot and goes when it is closed.
        app()->slotShowCssEditor();
        QPointer<QWidget> editor = App::getWidgetByClassName("DORuverud::CssEditor");
        QVERIFY(editor && editor->isVisible());
        editor->close();
        QTRY_VERIFY(!editor);
    }
};

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    TestAppActions test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_AppActions.moc"
