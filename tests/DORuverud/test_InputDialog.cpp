#include "App.h"
#include "InputDialog.h"

#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

using DORuverud::InputDialog;

namespace {

void whenModal(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(0, [action]() {
        QTRY_VERIFY(QApplication::activeModalWidget());
        action(QApplication::activeModalWidget());
    });
}

void click(QWidget* dialog, const QString& caption)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == caption) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    QFAIL(qPrintable("no button " + caption));
}

} // namespace

class TestInputDialog : public QObject
{
    Q_OBJECT

private slots:
    void pagesFollowType();
    void getTextReturnsTypedText();
    void getTextAfterCancel();
    void getIntegerClamps_data();
    void getIntegerClamps();
    void getIntegerCancel();
};

void TestInputDialog::pagesFollowType()
{
    InputDialog dialog("Label", nullptr, nullptr, false, InputDialog::Text);
    QCOMPARE(dialog.objectName(), QString("InputDialog"));
    QCOMPARE(dialog.type(), InputDialog::Text);
    QVERIFY(dialog.stringWidget()->isVisibleTo(&dialog));
    QVERIFY(!dialog.valueWidget()->isVisibleTo(&dialog));
    QCOMPARE(dialog.stringWidget()->height(), 32);

    dialog.setType(InputDialog::Integer);
    QCOMPARE(dialog.type(), InputDialog::Integer);
    QVERIFY(dialog.valueWidget()->isVisibleTo(&dialog));

    // Other values are only stored.
    dialog.setType(InputDialog::Type(7));
    QCOMPARE(int(dialog.type()), 7);
    QVERIFY(dialog.valueWidget()->isVisibleTo(&dialog));
}

void TestInputDialog::getTextReturnsTypedText()
{
    QPointer<QWidget> seen;
    whenModal([&seen](QWidget* modal) {
        seen = modal;
        QCOMPARE(modal->windowTitle(), QString("Name"));
        auto* dialog = qobject_cast<InputDialog*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->stringWidget()->text(), QString("old"));
        dialog->stringWidget()->clear();
        QTest::keyClicks(dialog->stringWidget(), "Autumn set");
        click(modal, "Ok");
    });
    const QString text
        = InputDialog::getText(nullptr, "Name", "Favourite name:", QLineEdit::Normal, "old");
    QCOMPARE(text, QString("Autumn set"));
    QVERIFY(seen.isNull());
}

void TestInputDialog::getTextAfterCancel()
{
    bool ok = true;
    whenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<InputDialog*>(modal);
        QCOMPARE(dialog->stringWidget()->echoMode(), QLineEdit::Password);
        QTest::keyClicks(dialog->stringWidget(), "xy");
        click(modal, "Cancel");
    });
    const QString text
        = InputDialog::getText(nullptr, "Name", "Label", QLineEdit::Password, "ab", &ok);
    QCOMPARE(text, QString("abxy"));
    QCOMPARE(ok, false);
}

void TestInputDialog::getIntegerClamps_data()
{
    QTest::addColumn<int>("initial");
    QTest::addColumn<int>("shown");
    QTest::newRow("inside range") << 150 << 150;
    QTest::newRow("above maximum") << 250 << 200;
    QTest::newRow("below minimum") << 20 << 100;
}

void TestInputDialog::getIntegerClamps()
{
    QFETCH(int, initial);
    QFETCH(int, shown);
    bool ok = false;
    int seenValue = -1;
    whenModal([&seenValue](QWidget* modal) {
        seenValue = qobject_cast<InputDialog*>(modal)->valueWidget()->value();
        click(modal, "Ok");
    });
    const int value
        = InputDialog::getInteger(nullptr, "Tempo", "Beats:", initial, 100, 200, 5, &ok);
    QCOMPARE(seenValue, shown);
    QCOMPARE(value, shown);
    QCOMPARE(ok, true);
}

void TestInputDialog::getIntegerCancel()
{
    bool ok = true;
    whenModal([](QWidget* modal) {
        QSpinBox* spin = qobject_cast<InputDialog*>(modal)->valueWidget();
        spin->setValue(180);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    const int value = InputDialog::getInteger(nullptr, "Tempo", "Beats:", 150, 100, 200, 1, &ok);
    QCOMPARE(value, 180);
    QCOMPARE(ok, false);
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestInputDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_InputDialog.moc"
