#include "AniSwitch.h"
#include "App.h"
#include "CheckButton.h"
#include "CommunityButton.h"
#include "KitPictures.h"
#include "MenuButton.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QMenu>
#include <QPropertyAnimation>
#include <QtTest>

using namespace DORuverud;

namespace {

// Catches what the desktop would open.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    UrlCatcher()
    {
        for (const char* scheme : {"http", "https"})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlCatcher() override
    {
        for (const char* scheme : {"http", "https"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url)
    {
        opened << url;
    }
};

QPushButton* part(AniSwitch& ani, const char* name)
{
    return ani.findChild<QPushButton*>(name);
}

// A switch of 120 x 30, built and settled in its initial state.
void build(AniSwitch& ani, bool showIcon, bool on)
{
    ani.resize(120, 30);
    ani.show();
    ani.init(showIcon, on);
    QCoreApplication::processEvents();
}

} // namespace

class TestButtonsAndSwitches : public QObject
{
    Q_OBJECT

private slots:
    void checkButtonReportsEachChange_data()
    {
        QTest::addColumn<QList<bool>>("states");
        QTest::addColumn<int>("ons");
        QTest::addColumn<int>("offs");
        QTest::newRow("checked once") << QList<bool> {true} << 1 << 0;
        QTest::newRow("the same state again is silent") << QList<bool> {true, true} << 1 << 0;
        QTest::newRow("checked and unchecked") << QList<bool> {true, false} << 1 << 1;
        QTest::newRow("unchecked when unchecked") << QList<bool> {false} << 0 << 0;
    }

    void checkButtonReportsEachChange()
    {
        QFETCH(QList<bool>, states);
        CheckButton button;
        QVERIFY(button.isCheckable() && !button.isChecked());
        QSignalSpy ons(&button, &CheckButton::onClicked);
        QSignalSpy offs(&button, &CheckButton::offClicked);
        for (bool state : states)
            button.setChecked(state);
        QTEST(int(ons.size()), "ons");
        QTEST(int(offs.size()), "offs");
        // A click by the user reports too.
        const int before = ons.size() + offs.size();
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(ons.size() + offs.size(), before + 1);
    }

    void switchBeforeInitIsInert()
    {
        AniSwitch ani;
        QSignalSpy toggled(&ani, &AniSwitch::toggled);
        ani.setOn(true);
        QVERIFY(!ani.isChecked());
        QCOMPARE(toggled.size(), 0);
        QVERIFY(ani.children().isEmpty());
    }

    void switchStartsInItsInitialState_data()
    {
        QTest::addColumn<bool>("showIcon");
        QTest::addColumn<bool>("on");
        QTest::addColumn<QSize>("handle");
        QTest::newRow("off with icon") << true << false << QSize(45, 30);
        QTest::newRow("on with icon") << true << true << QSize(45, 30);
        QTest::newRow("on without icon") << false << true << QSize(60, 30);
    }

    void switchStartsInItsInitialState()
    {
        QFETCH(bool, showIcon);
        QFETCH(bool, on);
        QFETCH(QSize, handle);
        AniSwitch ani;
        ani.resize(120, 30);
        ani.show();
        QSignalSpy toggled(&ani, &AniSwitch::toggled);
        ani.init(showIcon, on);
        // The machine starts on the next pass of the event loop.
        QVERIFY(!ani.isChecked());
        QCoreApplication::processEvents();
        QCOMPARE(ani.isChecked(), on);
        QCOMPARE(toggled.size(), int(on));
        QCOMPARE(part(ani, "AniSwitchHandler")->size(), handle);
        QCOMPARE(part(ani, "AniSwitchHandler")->pos(), QPoint(on ? handle.width() : 0, 0));
        QCOMPARE(part(ani, "AniSwitchIcon")->isVisible(), showIcon);
        // A second init builds nothing more.
        ani.init(!showIcon, !on);
        QCoreApplication::processEvents();
        QCOMPARE(ani.findChildren<QPushButton*>().size(), 4);
        QCOMPARE(ani.isChecked(), on);
    }

    void switchChanges_data()
    {
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("after");
        QTest::newRow("handle click turns on") << false << "AniSwitchHandler" << true;
        QTest::newRow("handle click turns off") << true << "AniSwitchHandler" << false;
        QTest::newRow("icon click turns on") << false << "AniSwitchIcon" << true;
        QTest::newRow("off area turns on") << false << "AniSwitchOffArea" << true;
        QTest::newRow("on area turns off") << true << "AniSwitchOnArea" << false;
        QTest::newRow("on area leaves off off") << false << "AniSwitchOnArea" << false;
        QTest::newRow("off area leaves on on") << true << "AniSwitchOffArea" << true;
        QTest::newRow("setOn(true) on an on switch") << true << "setOn" << true;
        QTest::newRow("setOn(true) on an off switch") << false << "setOn" << true;
    }

    void switchChanges()
    {
        QFETCH(bool, on);
        QFETCH(QString, action);
        QFETCH(bool, after);
        AniSwitch ani;
        build(ani, true, on);
        QSignalSpy toggled(&ani, &AniSwitch::toggled);
        if (action == "setOn")
            ani.setOn(true);
        else
            part(ani, qPrintable(action))->click();
        QCOMPARE(ani.isChecked(), after);
        QCOMPARE(toggled.size(), int(after != on));
        if (after != on)
            QCOMPARE(toggled.at(0).at(0).toBool(), after);
        QPushButton* handle = part(ani, "AniSwitchHandler");
        QTRY_COMPARE(handle->pos(), QPoint(after ? handle->width() : 0, 0));
    }

    void handleSlidesIn400Ms()
    {
        AniSwitch ani;
        build(ani, true, false);
        for (auto* animation : ani.findChildren<QPropertyAnimation*>())
            QCOMPARE(animation->duration(), 400);
        QPushButton* handle = part(ani, "AniSwitchHandler");
        QElapsedTimer clock;
        clock.start();
        handle->click();
        QCOMPARE(handle->pos(), QPoint(0, 0));
        QTRY_COMPARE(handle->pos(), QPoint(45, 0));
        QVERIFY(clock.elapsed() >= 400);
    }

    void communityMenuOpensSetAddresses()
    {
        // GIVEN a community button with three of five addresses set
        UrlCatcher catcher;
        CommunityButton button;
        button.setFaceBook("https://social.example/page");
        button.setXing("https://work.example/pro file");
        button.setMoiMir("http://world.example/me");
        QStringList texts;
        for (QAction* action : button.menu()->actions()) {
            texts << (action->isSeparator() ? "-" : action->text());
            QVERIFY(action->isSeparator() || !action->icon().isNull());
        }
        QCOMPARE(
            texts, QStringList({"Share", "-", "FaceBook", "YouTube", "Twitter", "Xing", "MoiMir"}));
        // WHEN every network entry is chosen
        for (QAction* action : button.menu()->actions().mid(2))
            action->trigger();
        // THEN the set addresses open, read tolerantly, and the others open nothing
        QCOMPARE(catcher.opened,
            QList<QUrl>({QUrl("https://social.example/page"),
                QUrl("https://work.example/pro%20file"), QUrl("http://world.example/me")}));
    }

    void kitPicturesExist()
    {
        for (const QString& name :
            KitPictures::communityIcons() + QStringList {KitPictures::searchIcon()})
            QVERIFY2(!QPixmap(":/" + name).isNull(), qPrintable(name));
    }

    void menuButtonWritesInItsLowerHalf()
    {
        MenuButton button("Go");
        QPushButton plain("Go");
        for (QPushButton* each : {static_cast<QPushButton*>(&button), &plain})
            each->resize(80, 41);
        const QImage written = button.grab().toImage();
        const QImage bare = plain.grab().toImage();
        int inBand = 0;
        for (int y = 0; y < 41; ++y) {
            for (int x = 0; x < 80; ++x) {
                if (written.pixel(x, y) == bare.pixel(x, y))
                    continue;
                QVERIFY2(y >= 20 && y < 40, qPrintable(QString("row %1").arg(y)));
                ++inBand;
            }
        }
        QVERIFY(inBand > 20);
    }
};

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    TestButtonsAndSwitches test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ButtonsAndSwitches.moc"
