#include "App.h"
#include "DialogTestTools.h"
#include "InputDialog.h"
#include "MessageBox.h"

#include <QPointer>
#include <QPushButton>
#include <QSpinBox>

using namespace DORuverud;
using namespace DialogTestTools;

class TestStandardDialogs : public QObject
{
    Q_OBJECT

private slots:
    void buttonsStandInTableOrder()
    {
        // GIVEN a box with Ok | Cancel | Yes | No, laid out
        MessageBox box(MessageBox::Question, "Title", "Text", 0x400 | 0x400000 | 0x4000 | 0x10000);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        // THEN the buttons read Ok, Cancel, No, Yes from left to right
        QCOMPARE(buttonsLeftToRight(&box), QStringList({"Ok", "Cancel", "No", "Yes"}));
        QCOMPARE(box.objectName(), QString("MessageBox"));
        for (QPushButton* button : box.findChildren<QPushButton*>())
            QCOMPARE(button->objectName(), QString("PushButton"));
        // An icon outside the table shows none.
        QVERIFY(MessageBox::icon(MessageBox::Icon(5)).isNull());
        MessageBox unknown(MessageBox::Icon(5), "Title", "Text", 0x400);
        QVERIFY(!MessageBox::icon(MessageBox::Question).isNull());
    }

    void buttonReturnsItsValue_data()
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

    void buttonReturnsItsValue()
    {
        QFETCH(QString, caption);
        QFETCH(int, value);
        // GIVEN a box with all nine buttons and one unknown bit
        MessageBox box(MessageBox::Information, "Title", "Text",
            0x400 | 0x400000 | 0x10000 | 0x4000 | 0x40000 | 0x80000 | 0x100000 | 0x8000 | 0x20000
                | 0x1);
        QCOMPARE(box.findChildren<QPushButton*>().size(), 9);
        // WHEN the button is clicked, THEN exec() returns its value
        whenModal([caption](QWidget* modal) { click(modal, caption); });
        QCOMPARE(box.exec(), value);
    }

    void escapeAndCloseReturnZero()
    {
        MessageBox box(MessageBox::Warning, "Title", "Text", 0x400 | 0x8000);
        whenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        QCOMPARE(box.exec(), 0);
        whenModal([](QWidget* modal) { modal->close(); });
        QCOMPARE(box.exec(), 0);
    }

    void staticHelpersReturnAndClean_data()
    {
        QTest::addColumn<QString>("helper");
        for (const char* helper : {"critical", "information", "question", "warning"})
            QTest::newRow(helper) << QString(helper);
    }

    void staticHelpersReturnAndClean()
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
            click(modal, "No");
        });
        // THEN the helper returns No and leaves no box behind
        QCOMPARE(helpers.value(helper)(&parent, "Title", "Text", 0x4000 | 0x10000, 0), 0x10000);
        QVERIFY(seen.isNull());
    }

    void inputPagesFollowType()
    {
        InputDialog dialog("Label", nullptr, nullptr, false, InputDialog::Text);
        QVERIFY(!dialog.valueWidget()->isVisibleTo(&dialog));
        dialog.setType(InputDialog::Integer);
        QVERIFY(dialog.valueWidget()->isVisibleTo(&dialog));
        // Other values are only stored.
        dialog.setType(InputDialog::Type(7));
        QCOMPARE(int(dialog.type()), 7);
    }

    void getTextReturnsTheTextAlsoOnCancel()
    {
        for (const bool accept : {true, false}) {
            bool ok = !accept;
            whenModal([accept](QWidget* modal) {
                QTest::keyClicks(qobject_cast<InputDialog*>(modal)->stringWidget(), "xy");
                click(modal, accept ? "Ok" : "Cancel");
            });
            QCOMPARE(InputDialog::getText(nullptr, "Name", "Label", QLineEdit::Normal, "ab", &ok),
                "abxy");
            QCOMPARE(ok, accept);
        }
    }

    void getInteger_data()
    {
        QTest::addColumn<int>("initial");
        QTest::addColumn<int>("typed");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<int>("result");
        QTest::newRow("inside range") << 150 << -1 << true << 150;
        QTest::newRow("above maximum") << 250 << -1 << true << 200;
        QTest::newRow("below minimum") << 20 << -1 << true << 100;
        QTest::newRow("cancel keeps the value") << 150 << 180 << false << 180;
    }

    void getInteger()
    {
        QFETCH(int, initial);
        QFETCH(int, typed);
        QFETCH(bool, accept);
        QFETCH(int, result);
        bool ok = !accept;
        whenModal([typed, accept](QWidget* modal) {
            if (typed >= 0)
                qobject_cast<InputDialog*>(modal)->valueWidget()->setValue(typed);
            accept ? click(modal, "Ok") : QTest::keyClick(modal, Qt::Key_Escape);
        });
        QCOMPARE(
            InputDialog::getInteger(nullptr, "Tempo", "Beats:", initial, 100, 200, 5, &ok), result);
        QCOMPARE(ok, accept);
    }
};

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestStandardDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_StandardDialogs.moc"
