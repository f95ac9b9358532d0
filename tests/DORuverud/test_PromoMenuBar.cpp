#include "App.h"
#include "AppButton.h"
#include "AppMenu.h"
#include "DialogTestTools.h"
#include "MoreAppsButton.h"
#include "PromoMenuBar.h"

#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPushButton>

using namespace DORuverud;
using namespace DialogTestTools;

namespace {

// The visible buttons of the bar by name, left to right.
QStringList buttonOrder(PromoMenuBar& bar)
{
    bar.layout()->activate();
    return buttonsLeftToRight(&bar, true);
}

QStringList entries(QMenu* menu)
{
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QString("|") : action->text());
    return texts;
}

// Triggers every entry and returns the addresses they open.
QList<QUrl> triggerAll(QMenu* menu)
{
    UrlCatcher catcher;
    for (QAction* action : menu->actions())
        action->trigger();
    return catcher.urls;
}

} // namespace

class TestPromoMenuBar : public QObject
{
    Q_OBJECT

private slots:
    void buttonsInOrderAndHidingClosesGaps()
    {
        PromoMenuBar bar(nullptr);
        bar.resize(600, 44);
        QCOMPARE(bar.objectName(), QString("MenuBar"));
        QCOMPARE(buttonOrder(bar),
            QStringList({"MoreButton", "IntroButton", "ShareButton", "JoinButton", "MoreAppsButton",
                "AppButton"}));
        QVERIFY(bar.findChild<QPushButton*>("MoreButton")->menu() == bar.shopMenu());

        QLabel centre("centre");
        QLabel widget("widget");
        bar.addCenterWidget(&centre);
        bar.addWidget(&widget);
        bar.hideShareButton();
        QCOMPARE(buttonOrder(bar),
            QStringList(
                {"MoreButton", "IntroButton", "JoinButton", "MoreAppsButton", "AppButton"}));
        QPushButton* intro = bar.findChild<QPushButton*>("IntroButton");
        QCOMPARE(bar.findChild<QPushButton*>("JoinButton")->x() - intro->x(), 32 + 10);
        QVERIFY(centre.x() < widget.x() && widget.x() < intro->x());
        bar.hideIntroButton();
        bar.hideMoreButton();
        bar.hideMoreAppsButton();
        QCOMPARE(buttonOrder(bar), QStringList({"JoinButton", "AppButton"}));
    }

    void linksOpenTheirUrls()
    {
        PromoMenuBar bar(nullptr);
        bar.addMenuAppLink(QPixmap(), "Tuner", "Quelmar Tuner Pro", "idAbC7");
        bar.addMenuLink(QPixmap(), "One", "http://quelmar.example/a");
        bar.addMenuLink(QPixmap(), "Two", "http://quelmar.example/a");
        bar.addMenuSeparator();
        QAction own("Own", nullptr);
        QSignalSpy ownTriggered(&own, &QAction::triggered);
        bar.addMenuAction(&own);
        QCOMPARE(entries(bar.shopMenu()), QStringList({"Tuner", "One", "Two", "|", "Own"}));
        QCOMPARE(triggerAll(bar.shopMenu()),
            QList<QUrl>({QUrl("https://store.example/app/quelmar tuner pro/idAbC7?ls=1&mt=12"),
                QUrl("http://quelmar.example/a"), QUrl("http://quelmar.example/a")}));
        QCOMPARE(ownTriggered.count(), 1);

        MoreAppsButton button(nullptr);
        button.addMenuAppLink(QPixmap(), "Notes", "Notes", "ID9");
        button.addMenuSeparator();
        button.addMenuLink(QPixmap(), "Site", "http://quelmar.example");
        QCOMPARE(entries(button.menu()), QStringList({"Notes", "|", "Site"}));
        QCOMPARE(triggerAll(button.menu()),
            QList<QUrl>({QUrl("https://store.example/app/notes/ID9?ls=1&mt=12"),
                QUrl("http://quelmar.example")}));
    }

    void linkThatCannotOpenShowsItsAddress()
    {
        // GIVEN a desktop without a browser (the test platform's)
        MoreAppsButton button(nullptr);
        button.addMenuAppLink(QPixmap(), "Tuner", "Quelmar Tuner Pro", "idAbC7");
        // WHEN the user picks the link THEN a message shows its address to copy
        const ShownMessage message
            = messageShownBy([&button] { button.menu()->actions().first()->trigger(); });
        QCOMPARE(message.className, QString("DORuverud::MessageBox"));
        QCOMPARE(message.selection,
            QString("https://store.example/app/quelmar%20tuner%20pro/idAbC7?ls=1&mt=12"));
    }

    void appMenuAboutAndQuit()
    {
        // The bundle of the tests carries the "independent" marker: no store build.
        AppMenu menu(nullptr);
        QCOMPARE(entries(&menu),
            QStringList({"Share", "Join Us", "More Apps", "Contacts Us", "Support Page", "About",
                "|", "Quit"}));
        {
            ModalAnswer answer([](QWidget* dialog) { dialog->close(); });
            menu.actions().at(5)->trigger();
            QCOMPARE(answer.shown, QString("DORuverud::AboutDialog"));
        }
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY(!widget->inherits("DORuverud::AboutDialog"));

        // The window the box sits on may go away while it is open.
        auto* window = new QWidget;
        window->show();
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        {
            ModalAnswer answer([window](QWidget*) { delete window; });
            menu.actions().at(5)->trigger();
            QCOMPARE(answer.shown, QString("DORuverud::AboutDialog"));
        }

        // Quit on the bar's application button ends the event loop with 0.
        PromoMenuBar bar(nullptr);
        QAction* quit = bar.findChild<AppButton*>("AppButton")->menu()->actions().last();
        QCOMPARE(quit->text(), QString("Quit"));
        QTimer::singleShot(0, quit, &QAction::trigger);
        QTimer failSafe;
        connect(&failSafe, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        failSafe.start(10000);
        QCOMPARE(QCoreApplication::exec(), 0);
    }
};

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    TestPromoMenuBar test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_PromoMenuBar.moc"
