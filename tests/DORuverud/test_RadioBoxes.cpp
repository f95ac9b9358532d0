#include "App.h"
#include "RadioBox.h"
#include "UltraRadioBox.h"
#include "UltraRadioBoxPopup.h"

#include <QPushButton>
#include <QtTest>

using namespace DORuverud;

namespace {

QPushButton* choice(const QString& name, const QColor& colour)
{
    auto* button = new QPushButton;
    button->setObjectName(name);
    button->setFixedSize(40, 30);
    button->setPalette(QPalette(colour));
    return button;
}

// Object names of the popup's visible buttons, top to bottom, each with its label.
QStringList popupRows(UltraRadioBoxPopup* popup)
{
    QStringList rows;
    for (QPushButton* button : popup->findChildren<QPushButton*>()) {
        if (button->isVisibleTo(popup))
            rows << (button->objectName() == "PushButton" ? button->text() : button->objectName());
    }
    return rows;
}

} // namespace

class TestRadioBoxes : public QObject
{
    Q_OBJECT

private slots:
    void radioBoxKeepsLastClickedChecked()
    {
        // GIVEN a box of three added buttons and one checked button placed inside by other means
        RadioBox box(QBoxLayout::TopToBottom);
        QList<QPushButton*> buttons;
        for (int i = 0; i < 3; ++i) {
            buttons << new QPushButton(QString::number(i));
            box.addButton(buttons.last());
        }
        auto* stranger = new QPushButton(&box);
        stranger->setCheckable(true);
        stranger->setChecked(true);
        QVERIFY(buttons.at(0)->isCheckable());
        QCOMPARE(box.palette().brush(QPalette::Window).color(), QColor(Qt::green));
        // WHEN buttons are clicked, one of them twice
        box.show();
        QTest::mouseClick(buttons.at(1), Qt::LeftButton);
        QTest::mouseClick(buttons.at(2), Qt::LeftButton);
        QTest::mouseClick(buttons.at(2), Qt::LeftButton);
        // THEN only the last clicked is checked
        QList<bool> checked;
        for (QPushButton* button : buttons + QList<QPushButton*> {stranger})
            checked << button->isChecked();
        QCOMPARE(checked, QList<bool>({false, false, true, false}));
    }

    void ultraRadioBoxOffersTheOtherChoices()
    {
        // GIVEN a selector of four choices
        QWidget window;
        auto* box = new UltraRadioBox(&window);
        box->move(20, 30);
        const QStringList names = {"first", "second", "third", "fourth"};
        const QList<QColor> colours = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
        QList<QPushButton*> buttons;
        for (int i = 0; i < names.size(); ++i) {
            buttons << choice(names.at(i), colours.at(i));
            box->addButton(buttons.last(), names.at(i) + " label");
        }
        window.show();
        auto* popup = box->findChild<UltraRadioBoxPopup*>();
        QCOMPARE(box->size(), QSize(40, 30));
        QVERIFY(!box->currentButton());
        // Before any choice the face is the last added button, also under the mouse.
        const QImage face = box->grab().toImage();
        QCOMPARE(face.pixelColor(5, 5), buttons.last()->grab().toImage().pixelColor(5, 5));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(box, &enter);
        QCOMPARE(box->grab().toImage(), face);

        // WHEN a press opens the popup under the box
        QSignalSpy actions(box, &UltraRadioBox::actionPerformed);
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(popup->isVisible());
        QCOMPARE(popup->pos(), box->mapToGlobal(QPoint(0, 30)));
        QCOMPARE(actions.size(), 1);
        // AND the third label is clicked
        QSignalSpy clicked(box, &UltraRadioBox::buttonClicked);
        QPushButton* label = nullptr;
        for (QPushButton* candidate : popup->findChildren<QPushButton*>())
            label = candidate->text() == "third label" ? candidate : label;
        QTest::mouseClick(label, Qt::LeftButton);

        // THEN the third is the choice, the popup is closed and lists the other three
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(box->currentButton(), buttons.at(2));
        QVERIFY(buttons.at(2)->isChecked());
        QVERIFY(popup->isHidden());
        QCOMPARE(box->toolTip(), QString("third label"));
        QCOMPARE(popupRows(popup),
            QStringList(
                {"first", "first label", "second", "second label", "fourth", "fourth label"}));
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(popup->isVisible());
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(popup->isHidden());
        QCOMPARE(actions.size(), 3);

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
        QTest::newRow("200 stays transparent") << QVariant(200) << 0.0;
        QTest::newRow("30 is opaque") << QVariant(30) << 1.0;
        QTest::newRow("0 stays opaque") << QVariant(0) << 1.0;
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
        box.addButton(choice("only", Qt::red), "only");
        auto* popup = box.findChild<UltraRadioBoxPopup*>();
        QVERIFY(qAbs(popup->windowOpacity() - 0.6) < 0.005);
        box.show();
        QTest::mouseClick(&box, Qt::LeftButton);
        // Window opacity is kept in 1/255 steps.
        QVERIFY2(qAbs(popup->windowOpacity() - opacity) < 0.005,
            qPrintable(QString::number(popup->windowOpacity())));
    }
};

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    TestRadioBoxes test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_RadioBoxes.moc"
