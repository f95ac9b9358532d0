#include "App.h"
#include "AppConfig.h"
#include "DialogTestTools.h"

#include <QDialog>
#include <QSettings>
#include <QSysInfo>
#include <QUrlQuery>
#include <QtTest>
#include <climits>
#include <functional>

using DialogTestTools::UrlCatcher;
using DORuverud::App;

// Acts on the first modal dialog that opens while it lives, also inside
// a nested exec().
class ModalAnswer
{
public:
    explicit ModalAnswer(std::function<void(QWidget*)> action)
    {
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this, action]() {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                m_poll.stop();
                shown = QLatin1String(modal->metaObject()->className());
                action(modal);
            }
        });
        m_poll.start();
    }

    QString shown;

private:
    QTimer m_poll;
};

static QString queryValue(const QUrl& url, const QString& key)
{
    return QUrlQuery(url).queryItemValue(key, QUrl::FullyDecoded);
}

class TestAppActions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void webPages_data();
    void webPages();
    void contactMailNamesTheRunningSystem();
    void tellMailKeepsAnAmpersandInTheLink_data();
    void tellMailKeepsAnAmpersandInTheLink();
    void reminderOnTheCountedStart_data();
    void reminderOnTheCountedStart();
    void rateNowOpensTheStorePage();
    void noReminderOffTheCount_data();
    void noReminderOffTheCount();
    void shareAndJoinDialogs();
    void styleSheetEditorByName();
    void helpDialogIsRebuiltWhenItsWindowGoes();

private:
    App* app()
    {
        return App::theApp();
    }
};

void TestAppActions::initTestCase()
{
    app()->setSettingsValue(QStringLiteral("Language"), QStringLiteral("de_DE"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.1"));
    app()->setAppId(DORuverud::AppConfig::appStoreId());
    app()->setRemiderDelay(10);
}

void TestAppActions::init()
{
    app()->setPromotedLink(QString());
    app()->setAppSupportPage(QString());
    app()->setSettingsValue(QStringLiteral("AutoReminder"), true);
}

void TestAppActions::webPages_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("supportPage");
    QTest::addColumn<QString>("promotedLink");
    QTest::addColumn<QString>("address");

    const QString site = QStringLiteral("http://quelmar.example");
    const QString store = QStringLiteral("https://store.example");
    QTest::newRow("rate") << "slotRateApp"
                          << ""
                          << "" << store + "/app/tessivar/id735204196?ls=1&mt=12";
    QTest::newRow("more apps") << "slotShowMoreApps"
                               << ""
                               << "" << store + "/artist/quelmar/id418203657?mt=12";
    QTest::newRow("support page set") << "slotSupportPage" << site + "/apps/tessivar"
                                      << "" << site + "/apps/tessivar";
    QTest::newRow("no support page gives the home page") << "slotSupportPage"
                                                         << ""
                                                         << "" << site;
    QTest::newRow("promoted link") << "slotGoToPromotedApp"
                                   << "" << site + "/apps/tessivar/" << site + "/apps/tessivar/";
    QTest::newRow("promoted store page without identifier") << "slotGoToPromotedApp"
                                                            << ""
                                                            << "" << store + "/app//?ls=1&mt=12";
}

void TestAppActions::webPages()
{
    QFETCH(QString, slot);
    QFETCH(QString, supportPage);
    QFETCH(QString, promotedLink);
    QFETCH(QString, address);

    UrlCatcher catcher({QStringLiteral("http"), QStringLiteral("https")});
    app()->setAppSupportPage(supportPage);
    app()->setPromotedLink(promotedLink);

    QVERIFY(QMetaObject::invokeMethod(app(), slot.toLatin1().constData()));

    QCOMPARE(catcher.urls.size(), 1);
    QCOMPARE(catcher.urls.first().toString(), address);
}

void TestAppActions::contactMailNamesTheRunningSystem()
{
    UrlCatcher catcher({QStringLiteral("mailto")});

    app()->slotContactUs();

    QCOMPARE(catcher.urls.size(), 1);
    const QUrl mail = catcher.urls.first();
    QCOMPARE(mail.path(), QStringLiteral("contact@quelmar.example"));
    // The build in the build tree carries the "independent" marker.
    QCOMPARE(queryValue(mail, QStringLiteral("subject")),
        QStringLiteral("Contact (Tessivar 1.1) ") + QSysInfo::productType() + QLatin1Char(' ')
            + QSysInfo::productVersion() + QStringLiteral(" de I"));
    QCOMPARE(queryValue(mail, QStringLiteral("body")), QString());
}

void TestAppActions::tellMailKeepsAnAmpersandInTheLink_data()
{
    QTest::addColumn<QString>("supportPage");
    QTest::addColumn<QString>("link");

    QTest::newRow("application page") << ""
                                      << "http://quelmar.example/apps/tessivar.html";
    QTest::newRow("support page") << "http://quelmar.example/apps/tessivar"
                                  << "http://quelmar.example/apps/tessivar";
    QTest::newRow("support page with a query")
        << "http://quelmar.example/go?app=tessivar&from=mail"
        << "http://quelmar.example/go?app=tessivar&from=mail";
}

void TestAppActions::tellMailKeepsAnAmpersandInTheLink()
{
    QFETCH(QString, supportPage);
    QFETCH(QString, link);

    UrlCatcher catcher({QStringLiteral("mailto")});
    app()->setAppSupportPage(supportPage);

    app()->slotTellFriend();

    QCOMPARE(catcher.urls.size(), 1);
    const QUrl mail = catcher.urls.first();
    QCOMPARE(mail.path(), QString());
    QCOMPARE(queryValue(mail, QStringLiteral("subject")),
        QStringLiteral("Check out the cool Tessivar app!"));
    QCOMPARE(queryValue(mail, QStringLiteral("body")),
        QStringLiteral("Hi, check out this cool Tessivar app - available in the App Stores: ")
            + link);
}

void TestAppActions::reminderOnTheCountedStart_data()
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
    QTest::newRow("rate only") << 1 << QStringList {"DORuverud::RateReminderDialog"}
                               << "&Maybe Later" << true;
    QTest::newRow("no kind gives join")
        << 0 << QStringList {"DORuverud::JoinReminderDialog"} << "&Never Ask Me Again" << false;
    QTest::newRow("store-dependent in a direct build gives share")
        << 8 << QStringList {"DORuverud::TellReminderDialog"} << "" << true;
}

void TestAppActions::reminderOnTheCountedStart()
{
    QFETCH(int, kinds);
    QFETCH(QStringList, dialogs);
    QFETCH(QString, answer);
    QFETCH(bool, remindersStayOn);

    // GIVEN the fifth start
    app()->setSettingsValue(QStringLiteral("AutoReminderCount"), 5);
    ModalAnswer reply([answer](QWidget* dialog) {
        if (answer.isEmpty())
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            DialogTestTools::click(dialog, answer);
    });

    // WHEN the reminder comes every fifth start
    app()->callReminder(5, kinds);

    // THEN the dialog shows, the answer is kept and the start is counted
    QTRY_COMPARE(app()->settingsValue(QStringLiteral("AutoReminderCount")).toInt(), 6);
    QVERIFY2(dialogs.contains(reply.shown), qPrintable(reply.shown));
    QCOMPARE(app()->settingsValue(QStringLiteral("AutoReminder")).toBool(), remindersStayOn);
}

void TestAppActions::rateNowOpensTheStorePage()
{
    UrlCatcher catcher({QStringLiteral("https")});
    app()->setSettingsValue(QStringLiteral("AutoReminderCount"), 10);
    ModalAnswer reply(
        [](QWidget* dialog) { DialogTestTools::click(dialog, QStringLiteral("&Rate It Now")); });

    app()->callRateReminder(5);

    QTRY_COMPARE(app()->settingsValue(QStringLiteral("AutoReminderCount")).toInt(), 11);
    QCOMPARE(app()->settingsValue(QStringLiteral("AutoReminder")).toBool(), false);
    QCOMPARE(catcher.urls.size(), 1);
    QVERIFY(catcher.urls.first().toString().endsWith(
        QLatin1String("/app/tessivar/id735204196?ls=1&mt=12")));
}

void TestAppActions::noReminderOffTheCount_data()
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

void TestAppActions::noReminderOffTheCount()
{
    QFETCH(int, count);
    QFETCH(int, start);
    QFETCH(bool, remindersOn);
    QFETCH(int, storedStart);

    app()->setSettingsValue(QStringLiteral("AutoReminderCount"), start);
    app()->setSettingsValue(QStringLiteral("AutoReminder"), remindersOn);
    ModalAnswer reply([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    QTimer done;
    done.setSingleShot(true);
    QSignalSpy ran(&done, &QTimer::timeout);

    app()->callReminder(count, 6);
    done.start(200);

    QTRY_COMPARE(ran.count(), 1);
    QCOMPARE(reply.shown, QString());
    QCOMPARE(app()->settingsValue(QStringLiteral("AutoReminderCount")).toInt(), storedStart);
}

void TestAppActions::shareAndJoinDialogs()
{
    QStringList shown;
    for (const char* slot : {"slotShareApp", "slotJoin"}) {
        ModalAnswer reply(
            [](QWidget* dialog) { DialogTestTools::click(dialog, QStringLiteral("&Close")); });
        QVERIFY(QMetaObject::invokeMethod(app(), slot));
        shown << reply.shown;
    }
    QCOMPARE(shown, (QStringList {"DORuverud::TellDialog", "DORuverud::JoinDialog"}));
}

void TestAppActions::styleSheetEditorByName()
{
    QVERIFY(QMetaObject::invokeMethod(app(), "slotShowCssEditor"));
    QVERIFY(QMetaObject::invokeMethod(app(), "slotShowCssEditor"));

    QWidget* editor = App::getWidgetByClassName(QStringLiteral("DORuverud::CssEditor"));
    QVERIFY(editor);
    QVERIFY(editor->isVisible());
    QList<QWidget*> editors;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->inherits("DORuverud::CssEditor"))
            editors << window;
    }
    QCOMPARE(editors.size(), 2);
    qDeleteAll(editors);
}

void TestAppActions::helpDialogIsRebuiltWhenItsWindowGoes()
{
    // GIVEN the slide show made over a window that is then closed for good
    QPointer<QWidget> first;
    {
        QWidget window;
        window.show();
        QApplication::setActiveWindow(&window);
        ModalAnswer reply(
            [](QWidget* dialog) { DialogTestTools::click(dialog, QStringLiteral("&Close")); });
        app()->slotHelp();
        QCOMPARE(reply.shown, QStringLiteral("DORuverud::HelpDialog"));
        first = window.findChild<QDialog*>();
        QVERIFY(first);
    }
    QVERIFY(first.isNull());

    // WHEN help is asked for twice more
    QStringList shown;
    QList<QWidget*> dialogs;
    for (int i = 0; i < 2; ++i) {
        ModalAnswer reply([&dialogs](QWidget* dialog) {
            dialogs << dialog;
            DialogTestTools::click(dialog, QStringLiteral("&Close"));
        });
        app()->slotHelp();
        shown << reply.shown;
    }

    // THEN a new dialog shows, made once and then reused
    QCOMPARE(shown, (QStringList {"DORuverud::HelpDialog", "DORuverud::HelpDialog"}));
    QCOMPARE(dialogs.size(), 2);
    QCOMPARE(dialogs.at(0), dialogs.at(1));
    delete dialogs.at(0);
}

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    TestAppActions test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_AppActions.moc"
