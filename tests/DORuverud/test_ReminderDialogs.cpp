#include "App.h"
#include "DialogTestTools.h"
#include "JoinDialog.h"
#include "JoinReminderDialog.h"
#include "JoinWidget.h"
#include "RateReminderDialog.h"
#include "ReminderDialog.h"
#include "TellDialog.h"
#include "TellReminderDialog.h"
#include "TellWidget.h"

#include <QLabel>
#include <QPushButton>

using namespace DORuverud;
using namespace DialogTestTools;

namespace {

// Captions of the visible buttons, left to right.
QStringList visibleCaptions(QWidget* dialog)
{
    QList<QPushButton*> buttons;
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->isVisible() && !button->text().isEmpty())
            buttons << button;
    }
    std::sort(buttons.begin(), buttons.end(),
        [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    QStringList captions;
    for (QPushButton* button : buttons)
        captions << button->text();
    return captions;
}

QString messageOf(QWidget* dialog)
{
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->objectName() != "LogoLabel" && label->text().contains("If you like"))
            return label->text();
    }
    return QString();
}

void setShareLinks(const QString& facebook, const QString& twitter, const QString& vkontakte)
{
    App* app = App::theApp();
    app->setFaceBookShareLink(facebook);
    app->setTwitterShareLink(twitter);
    app->setVKontakteShareLink(vkontakte);
}

} // namespace

class TestReminderDialogs : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void dialogsLookAsDescribed();
    void answerGivesState_data();
    void answerGivesState();
    void focusMovesToMaybeLater();
    void socialButtonsNeedTheirLink_data();
    void socialButtonsNeedTheirLink();
    void shareButtonOpensItsLink();
    void joinButtonsOpenTheJoinPage_data();
    void joinButtonsOpenTheJoinPage();
    void shareAndJoinDialogsClose();
};

void TestReminderDialogs::cleanup()
{
    setShareLinks(QString(), QString(), QString());
}

void TestReminderDialogs::dialogsLookAsDescribed()
{
    RateReminderDialog rate;
    rate.show();
    QCOMPARE(rate.objectName(), QString("Dialog"));
    QCOMPARE(rate.windowTitle(), QString("Help Spread the Word about \"Tessivar\""));
    QCOMPARE(messageOf(&rate),
        QString("<CENTER><H3>If you like Tessivar-App,<br>please rate it in the App "
                "Store.<br>Thanks!</H3></CENTER>"));
    QCOMPARE(visibleCaptions(&rate),
        QStringList({"&Maybe Later", "&Never Ask Me Again", "&Rate It Now"}));
    auto* logo = rate.findChild<QLabel*>("LogoLabel");
    QVERIFY(logo);
    QCOMPARE(logo->size(), QSize(90, 90));
    QVERIFY(logo->x() < rate.width() / 4);

    TellReminderDialog tell;
    tell.show();
    QCOMPARE(tell.windowTitle(), QString("Share"));
    QVERIFY(messageOf(&tell).endsWith("<br>Share it with Your Friends.<br>Thanks!</H3></CENTER>"));
    QCOMPARE(visibleCaptions(&tell), QStringList({"&Never Ask Me Again", "&Maybe Later"}));
    QVERIFY(tell.findChild<TellWidget*>());

    JoinReminderDialog join;
    join.show();
    QCOMPARE(join.windowTitle(), QString("Join Us"));
    for (QLabel* label : join.findChildren<QLabel*>()) {
        if (label->text().contains("If you like"))
            QVERIFY(!label->isVisible());
        else if (label->objectName() != "LogoLabel")
            QVERIFY(!label->isVisible() || label->text().contains("Join us and stay informed"));
    }
    QCOMPARE(visibleCaptions(&join), QStringList({"&Never Ask Me Again", "&Maybe Later"}));
    QVERIFY(join.findChild<JoinWidget*>());
}

void TestReminderDialogs::answerGivesState_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("state");
    QTest::newRow("rate now") << "rate"
                              << "&Rate It Now" << 1 << 1;
    QTest::newRow("rate maybe later") << "rate"
                                      << "&Maybe Later" << 1 << 2;
    QTest::newRow("rate never") << "rate"
                                << "&Never Ask Me Again" << 1 << 3;
    QTest::newRow("rate escape") << "rate"
                                 << "" << 0 << 0;
    QTest::newRow("tell maybe later") << "tell"
                                      << "&Maybe Later" << 1 << 2;
    QTest::newRow("tell never") << "tell"
                                << "&Never Ask Me Again" << 1 << 3;
    QTest::newRow("join maybe later") << "join"
                                      << "&Maybe Later" << 1 << 2;
    QTest::newRow("join escape") << "join"
                                 << "" << 0 << 0;
}

void TestReminderDialogs::answerGivesState()
{
    QFETCH(QString, dialog);
    QFETCH(QString, answer);
    QFETCH(int, result);
    QFETCH(int, state);
    std::unique_ptr<ReminderDialog> reminder;
    if (dialog == "rate")
        reminder.reset(new RateReminderDialog(nullptr));
    else if (dialog == "tell")
        reminder.reset(new TellReminderDialog(nullptr));
    else
        reminder.reset(new JoinReminderDialog(nullptr));
    QCOMPARE(reminder->state(), 0);
    whenModal([answer](QWidget* modal) {
        if (answer.isEmpty()) {
            QTest::keyClick(modal, Qt::Key_Escape);
            return;
        }
        // The visible button of that caption.
        for (QPushButton* button : modal->findChildren<QPushButton*>()) {
            if (button->text() == answer && button->isVisible()) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
        QFAIL("no visible answer button");
    });
    QCOMPARE(reminder->exec(), result);
    QCOMPARE(reminder->state(), state);
}

void TestReminderDialogs::focusMovesToMaybeLater()
{
    // GIVEN the rate reminder: it opens on "&Rate It Now"
    RateReminderDialog rate;
    rate.show();
    QApplication::setActiveWindow(&rate);
    QTRY_COMPARE(QApplication::focusWidget()->property("text").toString(), QString("&Rate It Now"));
    // WHEN the dialog itself gets the focus, THEN it passes to the visible maybe-later
    rate.setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget()->property("text").toString(), QString("&Maybe Later"));
    QVERIFY(QApplication::focusWidget()->isVisible());

    TellReminderDialog tell;
    tell.show();
    QApplication::setActiveWindow(&tell);
    QTRY_COMPARE(QApplication::activeWindow(), &tell);
    tell.setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget()->property("text").toString(), QString("&Maybe Later"));
    QVERIFY(QApplication::focusWidget()->isVisible());
}

void TestReminderDialogs::socialButtonsNeedTheirLink_data()
{
    QTest::addColumn<QString>("facebook");
    QTest::addColumn<QString>("twitter");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("no links: e-mail only") << ""
                                           << "" << QStringList {"Email"};
    QTest::newRow("two links") << "http://fb.example/s"
                               << "http://tw.example/s"
                               << QStringList {"FaceBook", "Twitter", "Email"};
    QTest::newRow("twitter only") << ""
                                  << "http://tw.example/s" << QStringList {"Twitter", "Email"};
}

void TestReminderDialogs::socialButtonsNeedTheirLink()
{
    QFETCH(QString, facebook);
    QFETCH(QString, twitter);
    QFETCH(QStringList, shown);
    setShareLinks(facebook, twitter, QString());
    TellWidget tell;
    JoinWidget join;
    tell.show();
    join.show();
    for (const QString& kind : {QString("Share"), QString("Join")}) {
        QWidget* frame = kind == "Share" ? static_cast<QWidget*>(&tell) : &join;
        QStringList visible;
        for (const char* network : {"FaceBook", "Twitter", "VKontakte", "Email"}) {
            auto* button = frame->findChild<QPushButton*>(network + kind + "Button");
            QVERIFY2(button, network);
            QCOMPARE(button->size(), QSize(190, 35));
            QVERIFY(button->isCheckable());
            if (button->isVisible())
                visible << network;
        }
        QCOMPARE(visible, shown);
    }
}

void TestReminderDialogs::shareButtonOpensItsLink()
{
    setShareLinks("http://fb.example/share?u=1", "", "https://vk.example/share");
    UrlCatcher catcher({"http", "https"});
    TellWidget tell;
    QTest::mouseClick(tell.findChild<QPushButton*>("FaceBookShareButton"), Qt::LeftButton);
    // The link is read at the moment of the click.
    App::theApp()->setVKontakteShareLink("https://vk.example/other");
    QTest::mouseClick(tell.findChild<QPushButton*>("VKontakteShareButton"), Qt::LeftButton);
    QCOMPARE(catcher.urls,
        QList<QUrl>({QUrl("http://fb.example/share?u=1"), QUrl("https://vk.example/other")}));
}

void TestReminderDialogs::joinButtonsOpenTheJoinPage_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("network");
    QTest::newRow("facebook") << "FaceBookJoinButton"
                              << "facebook";
    QTest::newRow("twitter") << "TwitterJoinButton"
                             << "twitter";
    QTest::newRow("vkontakte") << "VKontakteJoinButton"
                               << "vkontakte";
    QTest::newRow("email") << "EmailJoinButton"
                           << "email";
}

void TestReminderDialogs::joinButtonsOpenTheJoinPage()
{
    QFETCH(QString, button);
    QFETCH(QString, network);
    setShareLinks("http://fb.example", "http://tw.example", "http://vk.example");
    UrlCatcher catcher({"http"});
    JoinWidget join;
    QTest::mouseClick(join.findChild<QPushButton*>(button), Qt::LeftButton);
    QCOMPARE(catcher.urls.size(), 1);
    const QUrl url = catcher.urls.first();
    QCOMPARE(url.host(), QString("quelmar.example"));
    QCOMPARE(url.path(), QString("/apps/appscontrol/index.php"));
    const QUrlQuery query(url);
    QCOMPARE(query.queryItemValue("app"), QString("Tessivar"));
    QCOMPARE(query.queryItemValue("social"), network);
}

void TestReminderDialogs::shareAndJoinDialogsClose()
{
    TellDialog tell;
    QCOMPARE(tell.objectName(), QString("Dialog"));
    QCOMPARE(tell.windowTitle(), QString("Share Tessivar"));
    bool found = false;
    for (QLabel* label : tell.findChildren<QLabel*>())
        found |= label->text()
            == "<CENTER><H3>If you like \"Tessivar\", <br>please share it with your "
               "friends.<br>Thanks!</H3></CENTER>";
    QVERIFY(found);
    whenModal([](QWidget* modal) { click(modal, "&Close"); });
    QCOMPARE(tell.exec(), 1);

    JoinDialog join;
    QCOMPARE(join.windowTitle(), QString("Join us"));
    QVERIFY(join.findChild<JoinWidget*>());
    whenModal([](QWidget* modal) { click(modal, "&Close"); });
    QCOMPARE(join.exec(), 1);
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestReminderDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ReminderDialogs.moc"
