#include "App.h"
#include "MessageBox.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using DORuverud::MessageBox;

namespace {

// Runs action on the modal dialog once it is up.
void whenModal(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(0, [action]() {
        QTRY_VERIFY(QApplication::activeModalWidget());
        action(QApplication::activeModalWidget());
    });
}

QPushButton* buttonCaptioned(QWidget* box, const QString& caption)
{
    const QList<QPushButton*> buttons = box->findChildren<QPushButton*>();
    for (QPushButton* button : buttons) {
        if (button->text() == caption)
            return button;
    }
    return nullptr;
}

QStringList captionsLeftToRight(QWidget* box)
{
    QList<QPushButton*> buttons = box->findChildren<QPushButton*>();
    std::sort(buttons.begin(), buttons.end(),
        [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    QStringList captions;
    for (QPushButton* button : buttons)
        captions << button->text();
    return captions;
}

} // namespace

class TestMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void buttonsStandInTableOrder();
    void buttonReturnsItsValue_data();
    void buttonReturnsItsValue();
    void escapeAndCloseReturnZero();
    void iconOutOfRangeLeavesTextTheRow_data();
    void iconOutOfRangeLeavesTextTheRow();
    void staticHelpersReturnAndClean_data();
    void staticHelpersReturnAndClean();
};

void TestMessageBox::buttonsStandInTableOrder()
{
    // GIVEN a box with Ok | Cancel | Yes | No
    MessageBox box(MessageBox::Question, "Title", "Text", 0x400 | 0x400000 | 0x4000 | 0x10000);
    // WHEN it is laid out
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    // THEN the buttons read Ok, Cancel, No, Yes from left to right
    QCOMPARE(captionsLeftToRight(&box), QStringList({"Ok", "Cancel", "No", "Yes"}));
    QCOMPARE(box.objectName(), QString("MessageBox"));
    QCOMPARE(box.windowTitle(), QString("Title"));
    for (QPushButton* button : box.findChildren<QPushButton*>())
        QCOMPARE(button->objectName(), QString("PushButton"));
}

void TestMessageBox::buttonReturnsItsValue_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("value");
    QTest::newRow("Ok") << "Ok" << 1024;
    QTest::newRow("Cancel") << "Cancel" << 0x400000;
    QTest::newRow("No") << "No" << 0x10000;
    QTest::newRow("Yes") << "Yes" << 16384;
    QTest::newRow("Abort") << "Abort" << 0x40000;
    QTest::newRow("Retry") << "Retry" << 0x80000;
    QTest::newRow("Ignore") << "Ignore" << 0x100000;
    QTest::newRow("YesAll") << "YesAll" << 32768;
    QTest::newRow("NoAll") << "NoAll" << 0x20000;
}

void TestMessageBox::buttonReturnsItsValue()
{
    QFETCH(QString, caption);
    QFETCH(int, value);
    // GIVEN a box with all nine buttons and one unknown bit
    MessageBox box(MessageBox::Information, "Title", "Text",
        0x400 | 0x400000 | 0x10000 | 0x4000 | 0x40000 | 0x80000 | 0x100000 | 0x8000 | 0x20000
            | 0x1);
    QCOMPARE(box.findChildren<QPushButton*>().size(), 9);
    // WHEN the button is clicked
    whenModal([caption](QWidget* modal) {
        QPushButton* button = buttonCaptioned(modal, caption);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    });
    // THEN exec() returns its value
    QCOMPARE(box.exec(), value);
}

void TestMessageBox::escapeAndCloseReturnZero()
{
    MessageBox box(MessageBox::Warning, "Title", "Text", 0x400 | 0x8000);
    whenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    QCOMPARE(box.exec(), 0);

    whenModal([](QWidget* modal) { modal->close(); });
    QCOMPARE(box.exec(), 0);

    // A box without known buttons is still closed by Escape.
    MessageBox bare(MessageBox::Warning, "Title", "Text", 0);
    QVERIFY(bare.findChildren<QPushButton*>().isEmpty());
    whenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    QCOMPARE(bare.exec(), 0);
}

void TestMessageBox::iconOutOfRangeLeavesTextTheRow_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<bool>("hasPixmap");
    QTest::newRow("none 0") << 0 << false;
    QTest::newRow("information") << 1 << true;
    QTest::newRow("warning") << 2 << true;
    QTest::newRow("critical") << 3 << true;
    QTest::newRow("question") << 4 << true;
    QTest::newRow("none 5") << 5 << false;
}

void TestMessageBox::iconOutOfRangeLeavesTextTheRow()
{
    QFETCH(int, icon);
    QFETCH(bool, hasPixmap);
    QCOMPARE(!MessageBox::icon(MessageBox::Icon(icon)).isNull(), hasPixmap);

    MessageBox box(MessageBox::Icon(icon), "Title", "A longer text that wraps", 0x400);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QLabel* iconLabel = nullptr;
    QLabel* textLabel = nullptr;
    for (QLabel* label : box.findChildren<QLabel*>())
        (label->wordWrap() ? textLabel : iconLabel) = label;
    QVERIFY(iconLabel && textLabel);
    QCOMPARE(iconLabel->size().isEmpty(), !hasPixmap);
    QVERIFY(textLabel->wordWrap());
    if (!hasPixmap)
        QVERIFY(textLabel->x() <= 8);
}

void TestMessageBox::staticHelpersReturnAndClean_data()
{
    QTest::addColumn<QString>("helper");
    QTest::newRow("critical") << "critical";
    QTest::newRow("information") << "information";
    QTest::newRow("question") << "question";
    QTest::newRow("warning") << "warning";
}

void TestMessageBox::staticHelpersReturnAndClean()
{
    QFETCH(QString, helper);
    using Helper = int (*)(QWidget*, const QString&, const QString&, int, int);
    const QMap<QString, Helper> helpers {{"critical", &MessageBox::critical},
        {"information", &MessageBox::information}, {"question", &MessageBox::question},
        {"warning", &MessageBox::warning}};
    // GIVEN a parent window
    QWidget parent;
    parent.show();
    // WHEN the helper's box is answered with No
    QPointer<QWidget> seen;
    whenModal([&seen](QWidget* modal) {
        seen = modal;
        QTest::mouseClick(buttonCaptioned(modal, "No"), Qt::LeftButton);
    });
    const int result = helpers.value(helper)(&parent, "Title", "Text", 0x4000 | 0x10000, 0);
    // THEN the helper returns No and leaves no box behind
    QCOMPARE(result, 0x10000);
    QVERIFY(seen.isNull());
    QVERIFY(parent.findChildren<MessageBox*>().isEmpty());
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestMessageBox test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_MessageBox.moc"
