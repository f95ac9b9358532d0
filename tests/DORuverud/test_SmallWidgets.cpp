#include "../../examples/gallery/GalleryPages.h"
#include "AdvancedLabel.h"
#include "AniSwitch.h"
#include "App.h"
#include "CheckButton.h"
#include "ComboProgress.h"
#include "CommunityButton.h"
#include "DateInfo.h"
#include "DateWidget.h"
#include "DialogTestTools.h"
#include "EmailEdit.h"
#include "RadioBox.h"
#include "RegExps.h"
#include "ScreenLocker.h"
#include "SearchFilter.h"
#include "UltraRadioBox.h"
#include "UltraRadioBoxPopup.h"
#include "VisibleChildren.h"

#include <QBitmap>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>

#include <memory>

using namespace DORuverud;

namespace {

QPushButton* part(QWidget& widget, const QString& name)
{
    return widget.findChild<QPushButton*>(name);
}

// Object names of the popup's visible buttons, top to bottom, each label by its text.
QStringList popupRows(UltraRadioBoxPopup* popup)
{
    QStringList rows;
    for (QPushButton* button : popup->findChildren<QPushButton*>()) {
        if (button->isVisibleTo(popup))
            rows << (button->objectName() == "PushButton" ? button->text() : button->objectName());
    }
    return rows;
}

// A 120 x 30 switch, built and settled in its initial state.
void build(AniSwitch& ani, bool showIcon, bool on)
{
    ani.resize(120, 30);
    ani.show();
    ani.init(showIcon, on);
    QCoreApplication::processEvents();
}

void hover(QWidget* widget, bool in)
{
    QEvent event(in ? QEvent::Enter : QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

// Pure white pixels inside the rectangle.
int whitePixels(const QImage& image, const QRect& rect)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += image.pixel(x, y) == qRgb(255, 255, 255);
    return count;
}

// Pixels that differ between the two images inside the rectangle.
int differences(const QImage& one, const QImage& other, const QRect& rect)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += one.pixel(x, y) != other.pixel(x, y);
    return count;
}

// Pixels of a light background colour: high and nearly grey.
bool isLight(QRgb pixel)
{
    return qMin(qMin(qRed(pixel), qGreen(pixel)), qBlue(pixel)) >= 200;
}

QImage picture(QWidget* widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

// The small widgets of the kit. The screen locker grabs keyboard and mouse:
// main() keeps this test offscreen.
class TestSmallWidgets : public QObject
{
    Q_OBJECT

private slots:
    void radioBoxKeepsLastClickedChecked()
    {
        // GIVEN a box of three added buttons and a checked button placed inside by other means
        RadioBox box(QBoxLayout::TopToBottom);
        QList<QPushButton*> buttons;
        for (int i = 0; i < 3; ++i) {
            buttons << new QPushButton(QString::number(i));
            box.addButton(buttons.last());
        }
        buttons << new QPushButton(&box);
        buttons.last()->setCheckable(true);
        buttons.last()->setChecked(true);
        box.show();
        // WHEN buttons are clicked, the last of them twice, THEN only that one is checked
        for (int i : {1, 2, 2})
            QTest::mouseClick(buttons.at(i), Qt::LeftButton);
        QList<bool> checked;
        for (QPushButton* button : buttons)
            checked << button->isChecked();
        QCOMPARE(checked, QList<bool>({false, false, true, false}));
    }

    void ultraRadioBoxOffersTheOtherChoices()
    {
        // GIVEN a selector of four choices
        QWidget window;
        auto* box = new UltraRadioBox(&window);
        QList<QPushButton*> buttons;
        for (const QString& name : QStringList({"first", "second", "third", "fourth"})) {
            buttons << new QPushButton;
            buttons.last()->setObjectName(name);
            box->addButton(buttons.last(), name + " label");
        }
        window.show();
        auto* popup = box->findChild<UltraRadioBoxPopup*>();
        QSignalSpy clicked(box, &UltraRadioBox::buttonClicked);
        // WHEN a press opens the popup under the box and the third label is clicked
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(popup->pos(), box->mapToGlobal(QPoint(0, box->height())));
        for (QPushButton* label : popup->findChildren<QPushButton*>("PushButton")) {
            if (label->text() == "third label")
                QTest::mouseClick(label, Qt::LeftButton);
        }
        // THEN the third is the choice, and the closed popup lists the other three
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(box->currentButton(), buttons.at(2));
        QVERIFY(buttons.at(2)->isChecked() && popup->isHidden());
        QCOMPARE(popupRows(popup),
            QStringList(
                {"first", "first label", "second", "second label", "fourth", "fourth label"}));
        // AND a hidden choice leaves the list with its label
        box->setVisibleButton(buttons.at(1), false);
        QCOMPARE(popupRows(popup), QStringList({"first", "first label", "fourth", "fourth label"}));
    }

    void popupOpacityFollowsTheSetting_data()
    {
        QTest::addColumn<QVariant>("setting");
        QTest::addColumn<double>("opacity");
        QTest::newRow("default 35") << QVariant() << 0.95;
        QTest::newRow("50") << QVariant(50) << 0.8;
        QTest::newRow("130 is fully transparent") << QVariant(130) << 0.0;
        QTest::newRow("30 is opaque") << QVariant(30) << 1.0;
    }

    void popupOpacityFollowsTheSetting()
    {
        QFETCH(QVariant, setting);
        QFETCH(double, opacity);
        const QString key = "TransparencyParameters/UltraRadioPopups";
        if (setting.isValid())
            App::theApp()->setSettingsValue(key, setting);
        else
            App::theApp()->settings()->remove(QCoreApplication::applicationName() + "/" + key);
        UltraRadioBox box;
        box.addButton(new QPushButton, "only");
        box.show();
        QTest::mouseClick(&box, Qt::LeftButton);
        // Window opacity is kept in 1/255 steps.
        QVERIFY(qAbs(box.findChild<UltraRadioBoxPopup*>()->windowOpacity() - opacity) < 0.005);
    }

    void dateSelectorStartsAndClearsBlank()
    {
        // GIVEN a selector whose newest year is five years ahead
        DateWidget widget(5);
        const QList<QComboBox*> lists = widget.findChildren<QComboBox*>();
        const auto state = [&] {
            return QList<int>({widget.day(), widget.month(), widget.year(), lists.at(0)->count()});
        };
        // THEN it starts at day 1 of January, of a blank year before 131 years
        QCOMPARE(state(), QList<int>({1, 1, -1, 31}));
        QCOMPARE(lists.at(1)->itemText(11), ZAruri::DateInfo::monthName(12));
        const int newest = QDate::currentDate().year() + 5;
        QCOMPARE(lists.at(2)->count(), 1 + 131);
        QCOMPARE(lists.at(2)->itemText(0), QString());
        QCOMPARE(lists.at(2)->itemText(1), QString::number(newest));
        QCOMPARE(lists.at(2)->itemText(131), QString::number(newest - 130));
        // WHEN a date is set and then cleared, THEN it is as it started, without a signal
        widget.setYear(2009);
        widget.setMonth(2);
        widget.setDay(28);
        QSignalSpy changed(&widget, &DateWidget::dataChanged);
        widget.clear();
        QCOMPARE(state(), QList<int>({1, 1, -1, 31}));
        QCOMPARE(changed.size(), 0);
    }

    void dateSettersSelectAndSignalOnce_data()
    {
        QTest::addColumn<QString>("setter");
        QTest::addColumn<int>("value");
        QTest::addColumn<QList<int>>("date");
        QTest::addColumn<int>("signals");
        QTest::newRow("year 0 keeps the blank") << "year" << 0 << QList<int>({1, 1, -1}) << 0;
        QTest::newRow("year not listed, none") << "year" << 1700 << QList<int>({1, 1, -1}) << 1;
        QTest::newRow("day 0 selects day 1") << "day" << 0 << QList<int>({1, 1, -1}) << 0;
        QTest::newRow("day 40 selects none") << "day" << 40 << QList<int>({0, 1, -1}) << 1;
        QTest::newRow("month 0 selects January") << "month" << 0 << QList<int>({1, 1, -1}) << 0;
    }

    void dateSettersSelectAndSignalOnce()
    {
        QFETCH(QString, setter);
        QFETCH(int, value);
        DateWidget widget(0);
        QSignalSpy changed(&widget, &DateWidget::dataChanged);
        setter == "year"      ? widget.setYear(value)
            : setter == "day" ? widget.setDay(value)
                              : widget.setMonth(value);
        QTEST(QList<int>({widget.day(), widget.month(), widget.year()}), "date");
        QTEST(int(changed.size()), "signals");
    }

    void dayListFollowsTheMonthOf2008_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("days");
        QTest::newRow("February of a leap year") << 2008 << 2 << 29;
        QTest::newRow("February of 2009 keeps the 29th") << 2009 << 2 << 29;
        QTest::newRow("April") << 2009 << 4 << 30;
    }

    void dayListFollowsTheMonthOf2008()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        DateWidget widget(-10);
        widget.setYear(year);
        widget.setDay(31);
        widget.setMonth(month);
        QTEST(widget.findChild<QComboBox*>()->count(), "days");
        QTEST(widget.day(), "days"); // a day beyond the month becomes its last
    }

    void dateListsHoldTheirLongestEntry_data()
    {
        QTest::addColumn<int>("pointSize");
        QTest::addColumn<QString>("styleSheet");
        QTest::newRow("the application's font") << 0 << QString();
        QTest::newRow("a larger font once shown") << 20 << QString();
        QTest::newRow("a style sheet once shown")
            << 0 << "QComboBox { font-size: 26px; padding: 2px 14px; }";
    }

    void dateListsHoldTheirLongestEntry()
    {
        QFETCH(int, pointSize);
        QFETCH(QString, styleSheet);
        // GIVEN a selector showing its longest month
        DateWidget widget(0);
        widget.setMonth(9);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        // WHEN its font or style changes while shown
        if (pointSize > 0)
            widget.setFont(QFont(widget.font().family(), pointSize));
        widget.setStyleSheet(styleSheet);
        // THEN each list is as wide as its entries need
        const auto cut = [&widget] {
            QStringList lists;
            for (QComboBox* list : widget.findChildren<QComboBox*>()) {
                if (list->width() < list->minimumSizeHint().width())
                    lists << QStringLiteral("%1: %2 < %3")
                                 .arg(list->currentText())
                                 .arg(list->width())
                                 .arg(list->minimumSizeHint().width());
            }
            return lists.join(QStringLiteral(", "));
        };
        QTRY_COMPARE(cut(), QString());
    }

    void checkButtonReportsEachChange_data()
    {
        QTest::addColumn<QList<bool>>("states");
        QTest::addColumn<int>("ons");
        QTest::addColumn<int>("offs");
        QTest::newRow("the same state again is silent") << QList<bool> {true, true} << 1 << 0;
        QTest::newRow("checked and unchecked") << QList<bool> {true, false} << 1 << 1;
        QTest::newRow("unchecked when unchecked") << QList<bool> {false} << 0 << 0;
    }

    void checkButtonReportsEachChange()
    {
        QFETCH(QList<bool>, states);
        CheckButton button;
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
        QVERIFY(!ani.isChecked() && toggled.isEmpty() && ani.children().isEmpty());
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
        // The state comes on the next pass of the event loop.
        QVERIFY(!ani.isChecked());
        QCoreApplication::processEvents();
        QCOMPARE(ani.isChecked(), on);
        QCOMPARE(toggled.size(), int(on));
        QCOMPARE(part(ani, "AniSwitchHandler")->geometry(),
            QRect(QPoint(on ? handle.width() : 0, 0), handle));
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
        QTest::newRow("setOn(true) on an on switch") << true << "setOn" << true;
        QTest::newRow("setOn(true) on an off switch") << false << "setOn" << true;
    }

    // A change slides the handle over in 400 ms.
    void switchChanges()
    {
        QFETCH(bool, on);
        QFETCH(QString, action);
        QFETCH(bool, after);
        AniSwitch ani;
        build(ani, true, on);
        QSignalSpy toggled(&ani, &AniSwitch::toggled);
        QPushButton* handle = part(ani, "AniSwitchHandler");
        const QPoint start = handle->pos();
        QElapsedTimer clock;
        clock.start();
        action == "setOn" ? ani.setOn(true) : part(ani, action)->click();
        QCOMPARE(ani.isChecked(), after);
        QCOMPARE(toggled, after == on ? QList<QVariantList>() : QList<QVariantList>({{after}}));
        QCOMPARE(handle->pos(), start);
        QTRY_COMPARE(handle->pos(), QPoint(after ? handle->width() : 0, 0));
        QVERIFY(after == on || clock.elapsed() >= 400);
    }

    void communityMenuOpensSetAddresses()
    {
        // GIVEN a community button with three of five addresses set
        DialogTestTools::UrlCatcher catcher;
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
        // WHEN every network entry is chosen, THEN the set addresses open, read tolerantly
        for (QAction* action : button.menu()->actions().mid(2))
            action->trigger();
        QCOMPARE(catcher.urls,
            QList<QUrl>({QUrl("https://social.example/page"),
                QUrl("https://work.example/pro%20file"), QUrl("http://world.example/me")}));
    }

    void labelBrightensPictureWhileHovered_data()
    {
        QTest::addColumn<QImage>("picture");
        QTest::addColumn<QColor>("plain");
        QTest::addColumn<QColor>("bright");
        QImage rgb(8, 6, QImage::Format_RGB888);
        rgb.fill(QColor(100, 50, 20));
        QTest::newRow("24-bit picture") << rgb << QColor(100, 50, 20) << QColor(130, 80, 50);
        QImage gray(8, 6, QImage::Format_Grayscale8);
        gray.fill(QColor(240, 240, 240));
        QTest::newRow("8-bit gray picture clamps at 255")
            << gray << QColor(240, 240, 240) << QColor(Qt::white);
        QImage mono(8, 6, QImage::Format_Mono);
        mono.fill(0);
        QTest::newRow("1-bit picture") << mono << QColor(Qt::black) << QColor(30, 30, 30);
    }

    void labelBrightensPictureWhileHovered()
    {
        QFETCH(QImage, picture);
        QFETCH(QColor, plain);
        QFETCH(QColor, bright);
        // GIVEN a 100 x 60 label with margin 5: the picture fills 90 x 50 at (5, 5)
        AdvancedLabel label;
        label.resize(100, 60);
        label.setMargin(5);
        label.setBackgroundPixmap(
            picture.depth() == 1 ? QBitmap::fromImage(picture) : QPixmap::fromImage(picture));
        QCOMPARE(label.grab().toImage().pixelColor(5, 5), plain);
        QCOMPARE(label.grab().toImage().pixelColor(94, 54), plain);
        QVERIFY(label.grab().toImage().pixelColor(95, 55) != plain);
        // WHEN the mouse enters, it is brightened; when it leaves, plain again
        hover(&label, true);
        QCOMPARE(label.grab().toImage().pixelColor(50, 30), bright);
        QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
        hover(&label, false);
        QCOMPARE(label.grab().toImage().pixelColor(50, 30), plain);
        // AND any button's press is a click
        QSignalSpy clicked(&label, &AdvancedLabel::clicked);
        QTest::mousePress(&label, Qt::RightButton);
        QCOMPARE(clicked.size(), 1);
    }

    void progressStripModes_data()
    {
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("labelMode");
        QTest::addColumn<int>("progress");
        QTest::addColumn<bool>("stopped");
        QTest::newRow("fresh strip shows the label")
            << true << QStringList() << true << -1 << false;
        QTest::newRow("progress shows the bar")
            << true << QStringList {"40"} << false << 40 << false;
        QTest::newRow("100 shows the label, the value stays")
            << true << QStringList {"40", "100"} << true << 40 << false;
        QTest::newRow("stop shows the label")
            << true << QStringList {"40", "stop"} << true << 40 << true;
        QTest::newRow("next report clears the stop")
            << true << QStringList {"40", "stop", "50"} << false << 50 << false;
        QTest::newRow("strip not shown keeps the label")
            << false << QStringList {"40"} << true << 40 << false;
    }

    void progressStripModes()
    {
        QFETCH(bool, shown);
        QFETCH(QStringList, steps);
        QFETCH(bool, labelMode);
        ComboProgress strip;
        strip.setVisible(shown);
        QPushButton* stop = part(strip, "ComboProgressStop");
        for (const QString& step : steps)
            step == "stop" ? stop->click() : strip.slotSetProgress(step.toInt());
        QCOMPARE(!strip.label()->isHidden(), labelMode);
        QCOMPARE(strip.findChild<QProgressBar*>()->isHidden(), labelMode);
        QCOMPARE(stop->isHidden(), labelMode);
        QTEST(strip.progress(), "progress");
        QTEST(strip.isStopped(), "stopped");
    }

    void emailButtonsFollowTheAddress_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("valid");
        QTest::newRow("address with dotted local part") << "jo.ann@mail.example.org" << true;
        QTest::newRow("numeric last label") << "me@host.123" << true;
        QTest::newRow("one-letter last label") << "me@host.x" << false;
        QTest::newRow("blank after the address") << "me@example.org " << false;
    }

    void emailButtonsFollowTheAddress()
    {
        QFETCH(QString, typed);
        QFETCH(bool, valid);
        EmailEdit edit;
        QPushButton* card = part(edit, "CardEditButton");
        QPushButton* mail = part(edit, "EmailEditButton");
        QVERIFY(!card->isEnabled() && !mail->isEnabled());
        // Each keystroke is signalled while the buttons still follow the text before it.
        QList<bool> enabledWhenSignalled;
        QList<bool> validBefore;
        connect(&edit, &EmailEdit::textChanged, [&](const QString& text) {
            enabledWhenSignalled << mail->isEnabled();
            validBefore << ZAruri::RegExps::email().exactMatch(text.chopped(1));
        });
        QTest::keyClicks(edit.findChild<QLineEdit*>(), typed);
        QCOMPARE(enabledWhenSignalled.size(), typed.size());
        QCOMPARE(enabledWhenSignalled, validBefore);
        QCOMPARE(card->isEnabled(), valid);
        QCOMPARE(mail->isEnabled(), valid);
        // The buttons send the address.
        QSignalSpy mails(&edit, &EmailEdit::sendEmail);
        QSignalSpy cards(&edit, &EmailEdit::sendECard);
        mail->click();
        card->click();
        QCOMPARE(mails.size() + cards.size(), valid ? 2 : 0);
        QVERIFY(!valid || (mails.at(0).at(0) == typed && cards.at(0).at(0) == typed));
    }

    void emailSetTextTheSameIsSilent()
    {
        EmailEdit edit;
        edit.setText("ann@example.org");
        QSignalSpy changed(&edit, &EmailEdit::textChanged);
        edit.setText("ann@example.org");
        QCOMPARE(changed.size(), 0);
        QVERIFY(part(edit, "CardEditButton")->isEnabled());
        edit.setText("ann@example");
        QCOMPARE(changed.size(), 1);
        QVERIFY(!part(edit, "EmailEditButton")->isEnabled());
    }

    void searchHintAndMagnifier_data()
    {
        QTest::addColumn<bool>("focused");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hint");
        QTest::addColumn<bool>("magnifier");
        QTest::newRow("empty, unfocused") << false << "" << true << true;
        QTest::newRow("empty, focused") << true << "" << false << true;
        QTest::newRow("with text") << false << "abc" << false << false;
    }

    void searchHintAndMagnifier()
    {
        QFETCH(bool, focused);
        QFETCH(QString, text);
        // GIVEN a search line and a plain line edit, both dark with yellow text
        QPalette dark;
        dark.setColor(QPalette::Base, Qt::black);
        dark.setColor(QPalette::Text, Qt::yellow);
        QWidget window;
        auto* search = new SearchFilter(&window);
        auto* plain = new QLineEdit(&window);
        for (QLineEdit* line : {static_cast<QLineEdit*>(search), plain}) {
            line->setPalette(dark);
            line->resize(200, 24);
            line->setText(text);
        }
        plain->move(0, 40);
        window.show();
        QApplication::setActiveWindow(&window);
        (focused ? search : plain)->setFocus();
        QTRY_COMPARE(search->hasFocus(), focused);
        // THEN the white hint shows inside the frame, the magnifier at the right end
        const QImage drawn = search->grab().toImage();
        QTEST(whitePixels(drawn, QRect(4, 4, 96, 16)) > 10, "hint");
        const QRect square(178, 3, 19, 18);
        QTEST(differences(drawn, plain->grab().toImage(), square) > 40, "magnifier");
    }

    void searchClearButton()
    {
        QWidget window;
        auto* search = new SearchFilter(&window);
        window.show();
        QApplication::setActiveWindow(&window);
        search->setFocus();
        QPushButton* clear = part(*search, "SearchFilterDel");
        QVERIFY(clear->isHidden());
        // Typing shows it; deleting the last character hides it.
        QTest::keyClick(search, Qt::Key_A);
        QVERIFY(!clear->isHidden());
        QTest::keyClick(search, Qt::Key_Backspace);
        QVERIFY(clear->isHidden());
        // Clicking it empties the line, and so does Escape.
        QTest::keyClicks(search, "ab");
        QTest::mouseClick(clear, Qt::LeftButton);
        QVERIFY(search->text().isEmpty() && clear->isHidden());
        QTest::keyClicks(search, "cd");
        QTest::keyClick(search, Qt::Key_Escape);
        QVERIFY(search->text().isEmpty() && clear->isHidden());
    }

    void lockerGrabsUntilDeleted()
    {
        // GIVEN a locker: shown, full screen and grabbing from the first tick of its 10 ms timer
        auto* locker = new ScreenLocker;
        auto* unlock = locker->findChild<QPushButton*>();
        QVERIFY(unlock->isHidden());
        locker->showUnlockButton();
        QCOMPARE(locker->findChild<QTimer*>()->interval(), 10);
        QVERIFY(!locker->isVisible());
        QTRY_VERIFY(locker->isVisible());
        QVERIFY(locker->isFullScreen());
        QCOMPARE(QWidget::keyboardGrabber(), unlock);
        QCOMPARE(QWidget::mouseGrabber(), unlock);
        // WHEN hidden and released from outside, THEN it locks again on the next tick
        locker->hide();
        unlock->releaseKeyboard();
        QTRY_VERIFY(locker->isVisible() && QWidget::keyboardGrabber() == unlock);
        // WHEN unlocked, THEN it releases once and signals, and locks again on the next tick
        QSignalSpy unlocked(locker, &ScreenLocker::unlocked);
        QMetaObject::invokeMethod(unlock, "click");
        QCOMPARE(unlocked.size(), 1);
        QVERIFY(!QWidget::keyboardGrabber() && !QWidget::mouseGrabber());
        QTRY_COMPARE(QWidget::keyboardGrabber(), unlock);
        // AND only its deletion ends the lock
        delete locker;
        QVERIFY(!QWidget::keyboardGrabber() && !QWidget::mouseGrabber());
    }

    void childrenShownOrHiddenDepthFirst()
    {
        // GIVEN a window: a (a1, a2), b (b1)
        QWidget window;
        const QStringList tree = {"a", "a1", "a2", "b", "b1"};
        for (const QString& name : tree) {
            QWidget* parent = name.size() == 1 ? &window : window.findChild<QWidget*>(name.left(1));
            auto* widget = new QWidget(parent);
            widget->setObjectName(name);
            widget->installEventFilter(this);
        }
        window.show();
        // WHEN every child is hidden, THEN each went before its own children; the window stays
        setVisibleChildren(&window, false);
        QCOMPARE(m_hidden, tree);
        QVERIFY(window.isVisible() && window.findChild<QWidget*>("b1")->isHidden());
        setVisibleChildren(&window, true);
        QVERIFY(window.findChild<QWidget*>("a2")->isVisible());
    }

    // The example program's page of the kit, styled as a host styles it: each
    // widget's state as its pixels show it.
    void kitPageShowsEachState()
    {
        // GIVEN the page as it opens
        std::unique_ptr<QWidget> page(GalleryPages::create("widgets"));
        QVERIFY(page);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        // THEN one choice of the radio box stands out from the others
        QList<QRgb> choices;
        for (QPushButton* choice : page->findChild<RadioBox*>()->findChildren<QPushButton*>())
            choices << picture(choice).pixel(4, choice->height() / 2);
        QCOMPARE(choices.size(), 3);
        QCOMPARE(QSet<QRgb>(choices.begin(), choices.end()).size(), 2);
        // AND the date's year box shows its year
        auto* year = page->findChild<DateWidget*>()->findChildren<QComboBox*>().at(2);
        const QImage shown = picture(year);
        year->setCurrentIndex(0);
        QVERIFY(differences(shown, picture(year), year->rect()) > 20);
        // AND the switch, on, has its handle at the right end of a track lower than the handle
        auto* ani = page->findChild<AniSwitch*>();
        QTRY_VERIFY(ani->isChecked());
        QVERIFY(switchShows(ani, true));
        ani->setOn(false);
        QTRY_VERIFY(switchShows(ani, false));
        // AND the label's caption stands on a picture without light words of its own
        auto* label = page->findChild<AdvancedLabel*>();
        const QImage plain = picture(label);
        const int caption = QFontMetrics(QFont("Courier", 9, QFont::Bold)).height();
        QVERIFY(whitePixels(plain, QRect(0, 0, label->width(), caption)) > 10);
        int light = 0;
        for (int y = caption; y < label->height() - 4; ++y)
            for (int x = 4; x < label->width() - 4; ++x)
                light += isLight(plain.pixel(x, y));
        QCOMPARE(light, 0);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::HideToParent)
            m_hidden << watched->objectName();
        return false;
    }

private:
    // The handle's middle is light and stands at the end the state names; the
    // track shows at the other end, with the page above and below it.
    static bool switchShows(AniSwitch* ani, bool on)
    {
        QWidget* area = part(*ani, "AniSwitchHandler")->parentWidget();
        const QImage image = picture(area);
        const int middle = area->height() / 2;
        const int quarter = area->width() / 4;
        const QPoint handle(on ? 3 * quarter : quarter, middle);
        const QPoint track(on ? quarter : 3 * quarter, middle);
        return isLight(image.pixel(handle)) && !isLight(image.pixel(track))
            && image.pixel(track.x(), 1) != image.pixel(track)
            && image.pixel(track.x(), area->height() - 2) != image.pixel(track);
    }

    QStringList m_hidden;
};

int main(int argc, char** argv)
{
    // Never on a real display: the locker's grabs would hold it.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv, "Quelmar", "Tessivar");
    TestSmallWidgets test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_SmallWidgets.moc"
