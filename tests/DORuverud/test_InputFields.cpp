#include "EmailEdit.h"
#include "RegExps.h"
#include "SearchFilter.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace DORuverud;

namespace {

QPushButton* button(QWidget& widget, const char* name)
{
    return widget.findChild<QPushButton*>(name);
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

} // namespace

class TestInputFields : public QObject
{
    Q_OBJECT

private slots:
    void emailButtonsFollowTheAddress_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("valid");
        QTest::newRow("address with dotted local part") << "jo.ann@mail.example.org" << true;
        QTest::newRow("numeric last label") << "me@host.123" << true;
        QTest::newRow("one-letter last label") << "me@host.x" << false;
        QTest::newRow("no at sign") << "me.example.org" << false;
        QTest::newRow("doubled at sign") << "me@@example.org" << false;
        QTest::newRow("blank after the address") << "me@example.org " << false;
    }

    void emailButtonsFollowTheAddress()
    {
        QFETCH(QString, typed);
        QFETCH(bool, valid);
        EmailEdit edit;
        QPushButton* card = button(edit, "CardEditButton");
        QPushButton* mail = button(edit, "EmailEditButton");
        QCOMPARE(card->toolTip(), QString("Send an ecard"));
        QCOMPARE(mail->toolTip(), QString("Send an email"));
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
        QCOMPARE(edit.text(), typed);
        QCOMPARE(card->isEnabled(), valid);
        QCOMPARE(mail->isEnabled(), valid);
    }

    void emailSetTextAndRequests()
    {
        EmailEdit edit;
        edit.setText("ann@example.org");
        QVERIFY(button(edit, "EmailEditButton")->isEnabled());
        // The same text again: no signal, buttons as they were.
        QSignalSpy changed(&edit, &EmailEdit::textChanged);
        edit.setText("ann@example.org");
        QCOMPARE(changed.size(), 0);
        QVERIFY(button(edit, "CardEditButton")->isEnabled());
        QSignalSpy mails(&edit, &EmailEdit::sendEmail);
        QSignalSpy cards(&edit, &EmailEdit::sendECard);
        QTest::mouseClick(button(edit, "EmailEditButton"), Qt::LeftButton);
        QTest::mouseClick(button(edit, "CardEditButton"), Qt::LeftButton);
        QCOMPARE(mails.takeFirst().at(0).toString(), QString("ann@example.org"));
        QCOMPARE(cards.takeFirst().at(0).toString(), QString("ann@example.org"));
        edit.setText("ann@example");
        QCOMPARE(changed.size(), 1);
        QVERIFY(!button(edit, "EmailEditButton")->isEnabled());
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
        // A dark line with yellow text, and a plain line edit of the same look
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
        const QImage drawn = search->grab().toImage();
        // The hint's place, inside the frame.
        QTEST(whitePixels(drawn, QRect(4, 4, 96, 16)) > 10, "hint");
        // The magnifier's square at the right end, inside the frames.
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
        QPushButton* clear = button(*search, "SearchFilterDel");
        QCOMPARE(search->toolTip(), QString("Search Filter"));
        QCOMPARE(clear->size(), QSize(16, 16));
        QVERIFY(clear->isHidden());
        // Typing shows it; deleting the last character hides it.
        QTest::keyClick(search, Qt::Key_A);
        QVERIFY(!clear->isHidden());
        QTest::keyClick(search, Qt::Key_Backspace);
        QVERIFY(clear->isHidden());
        // Clicking it empties the line.
        QTest::keyClicks(search, "ab");
        QTest::mouseClick(clear, Qt::LeftButton);
        QVERIFY(search->text().isEmpty() && clear->isHidden());
        // So does Escape.
        QTest::keyClicks(search, "cd");
        QTest::keyClick(search, Qt::Key_Escape);
        QVERIFY(search->text().isEmpty() && clear->isHidden());
    }
};

QTEST_MAIN(TestInputFields)

#include "test_InputFields.moc"
