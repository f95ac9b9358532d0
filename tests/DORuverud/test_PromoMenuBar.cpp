#include "AboutDialog.h"
#include "App.h"
#include "AppButton.h"
#include "AppMenu.h"
#include "MoreAppsButton.h"
#include "PromoMainPage.h"
#include "PromoMenuBar.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace DORuverud;

namespace {

class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    UrlCatcher()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
    }
    ~UrlCatcher() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }
    QStringList urls;

public slots:
    void open(const QUrl& url)
    {
        urls << url.toString();
    }
};

// The visible buttons of the bar, left to right.
QStringList buttonOrder(PromoMenuBar& bar)
{
    bar.layout()->activate();
    QList<QPushButton*> buttons;
    for (QPushButton* button : bar.findChildren<QPushButton*>()) {
        if (button->isVisibleTo(&bar))
            buttons << button;
    }
    std::sort(buttons.begin(), buttons.end(),
        [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    QStringList names;
    for (QPushButton* button : buttons)
        names << button->objectName();
    return names;
}

QStringList entries(QMenu* menu)
{
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("|") : action->text());
    return texts;
}

} // namespace

class TestPromoMenuBar : public QObject
{
    Q_OBJECT

private slots:
    void buttonsInOrder();
    void hidingClosesGaps();
    void linksOpenTheirUrls();
    void moreAppsButtonLinks();
    void appMenuEntries();
    void aboutRunsAndGoes();
    void quitEndsTheEventLoop();
    void promoMainPageOwnsABar();
};

void TestPromoMenuBar::buttonsInOrder()
{
    PromoMenuBar bar(nullptr);
    bar.resize(600, 44);
    QCOMPARE(bar.objectName(), QStringLiteral("MenuBar"));
    QCOMPARE(buttonOrder(bar),
        QStringList({"MoreButton", "IntroButton", "ShareButton", "JoinButton", "MoreAppsButton",
            "AppButton"}));
    for (QPushButton* button : bar.findChildren<QPushButton*>()) {
        QCOMPARE(button->size(), QSize(32, 32));
        QVERIFY(button->isFlat());
    }
    QVERIFY(bar.findChild<QPushButton*>(QStringLiteral("MoreButton"))->menu() == bar.shopMenu());
}

void TestPromoMenuBar::hidingClosesGaps()
{
    PromoMenuBar bar(nullptr);
    bar.resize(600, 44);
    QLabel centre(QStringLiteral("centre"));
    QLabel widget(QStringLiteral("widget"));
    bar.addCenterWidget(&centre);
    bar.addWidget(&widget);
    bar.hideShareButton();
    QCOMPARE(buttonOrder(bar),
        QStringList({"MoreButton", "IntroButton", "JoinButton", "MoreAppsButton", "AppButton"}));
    QPushButton* intro = bar.findChild<QPushButton*>(QStringLiteral("IntroButton"));
    QPushButton* join = bar.findChild<QPushButton*>(QStringLiteral("JoinButton"));
    QCOMPARE(join->x() - intro->x(), 32 + 10);
    QVERIFY(centre.x() < widget.x());
    QVERIFY(widget.x() < intro->x());
    bar.hideIntroButton();
    bar.hideMoreButton();
    bar.hideMoreAppsButton();
    QCOMPARE(buttonOrder(bar), QStringList({"JoinButton", "AppButton"}));
}

void TestPromoMenuBar::linksOpenTheirUrls()
{
    PromoMenuBar bar(nullptr);
    UrlCatcher catcher;
    bar.addMenuAppLink(QPixmap(), QStringLiteral("Tuner"), QStringLiteral("Quelmar Tuner Pro"),
        QStringLiteral("idAbC7"));
    bar.addMenuLink(QPixmap(), QStringLiteral("One"), QStringLiteral("http://quelmar.example/a"));
    bar.addMenuLink(QPixmap(), QStringLiteral("Two"), QStringLiteral("http://quelmar.example/a"));
    bar.addMenuSeparator();
    QAction own(QStringLiteral("Own"), nullptr);
    QSignalSpy ownTriggered(&own, &QAction::triggered);
    bar.addMenuAction(&own);
    QCOMPARE(entries(bar.shopMenu()), QStringList({"Tuner", "One", "Two", "|", "Own"}));

    for (QAction* action : bar.shopMenu()->actions())
        action->trigger();
    QCOMPARE(catcher.urls,
        QStringList({"https://store.example/app/quelmar tuner pro/idAbC7?ls=1&mt=12",
            "http://quelmar.example/a", "http://quelmar.example/a"}));
    QCOMPARE(ownTriggered.count(), 1);
}

void TestPromoMenuBar::moreAppsButtonLinks()
{
    MoreAppsButton button(nullptr);
    UrlCatcher catcher;
    button.addMenuAppLink(
        QPixmap(), QStringLiteral("Notes"), QStringLiteral("Notes"), QStringLiteral("ID9"));
    button.addMenuSeparator();
    button.addMenuLink(QPixmap(), QStringLiteral("Site"), QStringLiteral("http://quelmar.example"));
    QAction own(QStringLiteral("Own"), nullptr);
    button.addMenuAction(&own);
    QCOMPARE(entries(button.menu()), QStringList({"Notes", "|", "Site", "Own"}));
    for (QAction* action : button.menu()->actions())
        action->trigger();
    QCOMPARE(catcher.urls,
        QStringList({"https://store.example/app/notes/ID9?ls=1&mt=12", "http://quelmar.example"}));
}

void TestPromoMenuBar::appMenuEntries()
{
    // The bundle of the tests carries the "independent" marker: no store build.
    QVERIFY(!App::isAppStore());
    AppMenu menu(nullptr);
    QCOMPARE(entries(&menu),
        QStringList({"Share", "Join Us", "More Apps", "Contacts Us", "Support Page", "About", "|",
            "Quit"}));
}

void TestPromoMenuBar::aboutRunsAndGoes()
{
    AppMenu menu(nullptr);
    QAction* about = menu.actions().at(5);
    QCOMPARE(about->text(), QStringLiteral("About"));
    QString shown;
    QTimer::singleShot(0, this, [&shown] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog) {
            shown = QLatin1String(dialog->metaObject()->className());
            dialog->close();
        }
    });
    about->trigger();
    QCOMPARE(shown, QStringLiteral("DORuverud::AboutDialog"));
    for (QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<AboutDialog*>(widget));
}

void TestPromoMenuBar::quitEndsTheEventLoop()
{
    PromoMenuBar bar(nullptr);
    AppButton* appButton = bar.findChild<AppButton*>(QStringLiteral("AppButton"));
    QVERIFY(appButton);
    QAction* quit = appButton->menu()->actions().last();
    QCOMPARE(quit->text(), QStringLiteral("Quit"));
    QTimer::singleShot(0, quit, &QAction::trigger);
    QTimer failSafe;
    failSafe.setSingleShot(true);
    bool timedOut = false;
    connect(&failSafe, &QTimer::timeout, this, [&timedOut] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    failSafe.start(10000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!timedOut);
}

void TestPromoMenuBar::promoMainPageOwnsABar()
{
    PromoMainPage page(nullptr);
    QVERIFY(page.promoMenuBar());
    QVERIFY(!page.layout());
}

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    TestPromoMenuBar test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_PromoMenuBar.moc"
