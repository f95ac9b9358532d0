// Pastes the rich-text editor checks as they would stand before they go in.
#include "RichtextTestTools.h"

using namespace DialogTestTools;
using namespace DORuverud;
using namespace EditorTestTools;
using namespace HostileHtml;
using namespace RichtextTestTools;

class TestTextEditPasteBounds : public QObject
{
    Q_OBJECT

private slots:
    // A paste or a drop meets the bounds of a file: refused with a message, the text kept.
    void hostilePastesAreRefused()
    {
        TextEdit window;
        textArea(&window)->setPlainText(sample);
        auto* mime = new QMimeData;
        mime->setHtml(QString::fromLatin1(nestedTables(5000)));
        mime->setText(QStringLiteral("x"));
        QApplication::clipboard()->setMimeData(mime);
        QString message;
        const auto readAndReject = [&message](QWidget* modal) {
            if (auto* messageBox = qobject_cast<QMessageBox*>(modal))
                message = messageBox->text();
            static_cast<QDialog*>(modal)->reject();
        };
        ModalAnswer box(readAndReject);
        action(&window, "&Paste")->trigger();
        settled(&window);
        QVERIFY2(message.contains(pageRefused), qPrintable(message));
        QCOMPARE(textArea(&window)->toPlainText(), sample);
        // A plain line longer than the layout can break is refused too; a fair one goes in
        QApplication::clipboard()->setText(QString(1 << 20, 'x'));
        message.clear();
        ModalAnswer again(readAndReject);
        action(&window, "&Paste")->trigger();
        QVERIFY2(message.contains("without a place to break"), qPrintable(message));
        QApplication::clipboard()->setText(QStringLiteral("fair"));
        action(&window, "&Paste")->trigger();
        QVERIFY(textArea(&window)->toPlainText().contains("fair"));
    }

    void pastesAreCheckedAsTheyWouldStand_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("offered");
        QTest::addColumn<QString>("reason");
        const QString qrichtext = "application/x-qrichtext";
        QTest::newRow("30 nested tables as Qt's rich text")
            << sample.toUtf8() << qrichtext << nestedTables(30) << pageRefused;
        QTest::newRow("100,000 nested divs as Qt's rich text")
            << sample.toUtf8() << qrichtext
            << repeated("<div>", 100000) + "x" + repeated("</div>", 100000) << pageRefused;
        QTest::newRow("1 MiB line as Qt's rich text")
            << sample.toUtf8() << qrichtext << repeated("x", 1 << 20) << pageRefused;
        QTest::newRow("12 nested tables into the innermost of 12")
            << nestedTables(12) << "text/html" << nestedTables(12) << pageRefused;
        QTest::newRow("a run joining the run at the cursor") << repeated("x",
            20000) << "text/plain" << repeated("x", 20000) << "without a place to break";
        QTest::newRow("lines that with those of the document pass the bound")
            << QByteArray("<p>a</p><p>b</p>") << "text/plain"
            << QByteArray(plainLinesOfWork() - 1, '\n') << "lines";
        // (In a line of its own: in the line of the other, it would add nothing.
        // Past the height it holds, Qt's layout may stall: refused for its time
        // or its height.)
        QTest::newRow("a picture that with the document passes the height bound")
            << QByteArray("<p><img src=\"a.png\" width=\"16\" height=\"5000000\">x</p>")
            << "text/html"
            << QByteArray("<p>a</p><p><img src=\"a.png\" width=\"16\" height=\"4000000\"></p>")
            << pageRefused;
        QTest::newRow("lines of 60,000-pixel letters")
            << sample.toUtf8() << "text/html"
            << "<p style=\"font-size: 60000px\">" + repeated("x<br>", 200) << pageRefused;
    }

    // Whatever the editor would insert is checked where it would stand, before it goes in.
    void pastesAreCheckedAsTheyWouldStand()
    {
        QFETCH(QByteArray, document);
        QFETCH(QString, format);
        QFETCH(QByteArray, offered);
        QFETCH(QString, reason);
        // GIVEN the cursor on the first x of a document, if it has one
        TextEdit window;
        textArea(&window)->setHtml(QString::fromUtf8(document));
        const QTextCursor x = textArea(&window)->document()->find("x");
        placeCursor(&window, x.isNull() ? 0 : x.selectionStart());
        const QString before = textArea(&window)->toHtml();
        // WHEN the offer is pasted, beside a plain "x"
        auto* offer = new QMimeData;
        offer->setText("x");
        offer->setData(format, offered);
        qint64 milliseconds = 0;
        const QString message = pasteAnswered(&window, offer, &milliseconds);
        // THEN it is refused within the page helper's limits, says why and leaves the document
        QVERIFY2(message.startsWith("The text was not inserted.\n") && message.contains(reason),
            qPrintable(message));
        QVERIFY2(milliseconds < waitBoundMs(3000), qPrintable(QString::number(milliseconds)));
        QCOMPARE(textArea(&window)->toHtml(), before);
    }

    void qtRichTextIsInsertedOnceChecked()
    {
        TextEdit window;
        auto* offer = new QMimeData;
        offer->setText("plain");
        offer->setData("application/x-qrichtext", "<b>bold</b>");
        qint64 milliseconds = 0;
        QCOMPARE(pasteAnswered(&window, offer, &milliseconds), QString());
        QCOMPARE(textArea(&window)->toPlainText(), QString("bold"));
        QCOMPARE(formatAt(&window, 0).fontWeight(), int(QFont::Bold));
    }
};

QTEST_MAIN(TestTextEditPasteBounds)
#include "test_TextEditPasteBounds.moc"
