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

void setShareLinks(const QString& facebook, const QString& twitter, const QString& vkontakte)
{
    App* app = App::theApp();
    app->setFaceBookShareLink(facebook);
    app->setTwitterShareLink(twitter);
    app->setVKontakteShareLink(vkontakte);
}

ReminderDialog* makeReminder(const QString& kind)
{
    if (kind == "rate")
        return new RateReminderDialog(nullptr);
    if (kind == "tell")
        return new TellReminderDialog(nullptr);
    return new JoinReminderDialog(nullptr);
}

} // namespace

class TestReminderDialogs : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        setShareLinks(QString(), QString(), QString());
    }

    void remindersLookAndAnswer_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("rate")
            << "rate" << QString("Help Spread the Word about \"Tessivar\"")
            << "If you like Tessivar-App,<br>please rate it in the App Store.<br>Thanks!"
            << QStringList({"&Maybe Later", "&Never Ask Me Again", "&Rate It Now"});
        QTest::newRow("tell") << "tell" << QString("Share")
                              << "<br>Share it with Your Friends.<br>Thanks!"
                              << QStringList({"&Never Ask Me Again", "&Maybe Later"});
        QTest::newRow("join") << "join" << QString("Join Us") << "Join us and stay informed"
                              << QStringList({"&Never Ask Me Again", "&Maybe Later"});
    }

    void remindersLookAndAnswer()
    {
        QFETCH(QString, kind);
        QFETCH(QString, title);
        QFETCH(QString, message);
        QFETCH(QStringList, buttons);
        std::unique_ptr<ReminderDialog> reminder(makeReminder(kind));
        reminder->show();
        QCOMPARE(reminder->objectName(), QString("Dialog"));
        QCOMPARE(reminder->windowTitle(), title);
        QCOMPARE(buttonsLeftToRight(reminder.get()), buttons);
        QCOMPARE(bool(reminder->findChild<TellWidget*>()), kind == "tell");
        QCOMPARE(bool(reminder->findChild<JoinWidget*>()), kind == "join");
        QStringList texts;
        for (QLabel* label : reminder->findChildren<QLabel*>())
            texts << (label->isVisible() ? label->text() : QString());
        QVERIFY2(texts.join('|').contains(message), qPrintable(texts.join('|')));

        // Each answer ends exec() with 1 and gives its state; Escape gives 0 and state 0.
        const QMap<QString, int> states {
            {"&Rate It Now", 1}, {"&Maybe Later", 2}, {"&Never Ask Me Again", 3}, {"", 0}};
        for (const QString& answer : buttons + QStringList {""}) {
            std::unique_ptr<ReminderDialog> fresh(makeReminder(kind));
            whenModal([answer](QWidget* modal) {
                answer.isEmpty() ? QTest::keyClick(modal, Qt::Key_Escape) : click(modal, answer);
            });
            QCOMPARE(fresh->exec(), answer.isEmpty() ? 0 : 1);
            QCOMPARE(fresh->state(), states.value(answer));
        }
    }

    void socialButtonsNeedTheirLink_data()
    {
        QTest::addColumn<QString>("facebook");
        QTest::addColumn<QString>("twitter");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("no links: e-mail only") << "" << QString() << QStringList {"Email"};
        QTest::newRow("two links") << "http://fb.example/s" << QString("http://tw.example/s")
                                   << QStringList {"FaceBook", "Twitter", "Email"};
        QTest::newRow("twitter only")
            << "" << QString("http://tw.example/s") << QStringList {"Twitter", "Email"};
    }

    void socialButtonsNeedTheirLink()
    {
        QFETCH(QString, facebook);
        QFETCH(QString, twitter);
        QFETCH(QStringList, shown);
        setShareLinks(facebook, twitter, QString());
        TellWidget tell;
        JoinWidget join;
        for (QWidget* widget : {static_cast<QWidget*>(&tell), static_cast<QWidget*>(&join)}) {
            const QString kind = widget == &tell ? "Share" : "Join";
            widget->show();
            QStringList visible;
            for (const char* network : {"FaceBook", "Twitter", "VKontakte", "Email"}) {
                auto* button = widget->findChild<QPushButton*>(network + kind + "Button");
                QVERIFY2(button, network);
                if (button->isVisible())
                    visible << network;
            }
            QCOMPARE(visible, shown);
        }
    }

    void shareButtonOpensItsLink()
    {
        setShareLinks("http://fb.example/share?u=1", "", "https://vk.example/share");
        UrlCatcher catcher;
        TellWidget tell;
        QTest::mouseClick(tell.findChild<QPushButton*>("FaceBookShareButton"), Qt::LeftButton);
        // The link is read at the moment of the click.
        App::theApp()->setVKontakteShareLink("https://vk.example/other");
        QTest::mouseClick(tell.findChild<QPushButton*>("VKontakteShareButton"), Qt::LeftButton);
        QCOMPARE(catcher.urls,
            QList<QUrl>({QUrl("http://fb.example/share?u=1"), QUrl("https://vk.example/other")}));
    }

    void joinButtonsOpenTheJoinPage()
    {
        setShareLinks("http://fb.example", "http://tw.example", "http://vk.example");
        JoinWidget join;
        for (const QString network : {"FaceBook", "Twitter", "VKontakte", "Email"}) {
            UrlCatcher catcher;
            QTest::mouseClick(join.findChild<QPushButton*>(network + "JoinButton"), Qt::LeftButton);
            QCOMPARE(catcher.urls.size(), 1);
            const QUrl url = catcher.urls.first();
            QCOMPARE(
                url.host() + url.path(), QString("quelmar.example/apps/appscontrol/index.php"));
            QCOMPARE(QUrlQuery(url).queryItemValue("app"), QString("Tessivar"));
            QCOMPARE(QUrlQuery(url).queryItemValue("social"), network.toLower());
        }
    }

    void shareAndJoinDialogsClose()
    {
        TellDialog tell;
        QCOMPARE(tell.objectName(), QString("Dialog"));
        QCOMPARE(tell.windowTitle(), QString("Share Tessivar"));
        whenModal([](QWidget* modal) { click(modal, "&Close"); });
        QCOMPARE(tell.exec(), 1);

        JoinDialog join;
        QCOMPARE(join.windowTitle(), QString("Join us"));
        whenModal([](QWidget* modal) { click(modal, "&Close"); });
        QCOMPARE(join.exec(), 1);
    }
};

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestReminderDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ReminderDialogs.moc"
