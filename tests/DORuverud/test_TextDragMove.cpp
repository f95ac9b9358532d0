// Drag-moves within the rich-text and the style-sheet editors. A drop reports
// its drag's source only while a drag is on, which needs a display's drag and
// drop: this test runs on a virtual X display.
#include "CssDoc.h"
#include "DialogTestTools.h"
#include "EditorTestTools.h"
#include "TextEdit.h"

#include <QClipboard>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QTextEdit>

using namespace DialogTestTools;
using namespace EditorTestTools;
using namespace DORuverud;

namespace {

// What a drag out of the text area carries.
struct Access : QTextEdit
{
    using QTextEdit::createMimeDataFromSelection;
};

// The rich-text editor or the style-sheet editor, and its text area.
struct Editor
{
    explicit Editor(bool rich)
        : window(rich ? static_cast<QWidget*>(&richWindow) : &sheet)
        , area(rich ? richWindow.findChild<QTextEdit*>() : &sheet)
    {
    }
    // Shows the window; whether it came up on the display.
    bool shown()
    {
        window->show();
        return QTest::qWaitForWindowExposed(window);
    }
    TextEdit richWindow;
    CssDoc sheet {nullptr};
    QWidget* window;
    QTextEdit* area;
};

// The title and the text of the message box that the action shows, rejected;
// empty when none came.
QString messageAfter(const std::function<void()>& action)
{
    QString message;
    ModalAnswer box([&message](QWidget* modal) {
        message = modal->windowTitle() + ": " + static_cast<QMessageBox*>(modal)->text();
        static_cast<QDialog*>(modal)->reject();
    });
    action();
    return message;
}

// Drags the text between start and end to the position, as a move within the
// text area: the drop comes while the area's own drag is on. Returns the title
// and text of the message box that followed, or an empty text when none came;
// a rich-text editor, whose drop is tried after it came, is let go on until
// it tried it.
QString dragMove(QTextEdit* area, int start, int end, int position, QWidget* rich)
{
    QTextCursor cursor = area->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    area->setTextCursor(cursor);
    QTextCursor target(area->document());
    target.setPosition(position);
    const QPoint at = area->cursorRect(target).center();
    QMimeData* (QTextEdit::*mimeData)() const = &Access::createMimeDataFromSelection;
    auto* drag = new QDrag(area->viewport());
    drag->setMimeData((area->*mimeData)());
    QTimer::singleShot(0, [&] {
        QDragEnterEvent enter(at, Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area->viewport(), &enter);
        QDropEvent drop(at, Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
        drop.setDropAction(Qt::MoveAction);
        QVERIFY(drop.source() == area->viewport());
        QApplication::sendEvent(area->viewport(), &drop);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(area->viewport(), &escape);
    });
    return messageAfter([&] {
        drag->exec(Qt::MoveAction);
        if (rich)
            settled(rich);
    });
}

} // namespace

class TestTextDragMove : public QObject
{
    Q_OBJECT

private slots:
    void moveIsCheckedAsItWouldStand_data()
    {
        QTest::addColumn<bool>("rich");
        QTest::addColumn<QString>("document");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("moved");
        const QString runs = QString(20000, 'a') + ' ' + QString(20000, 'b');
        for (const bool rich : {true, false}) {
            const QByteArray editor = rich ? "rich text: " : "style sheet: ";
            // Plain text is refused by its runs; rich text is tried by the page
            // helper, which lays out runs of this length at once.
            QTest::newRow(editor + "a run onto the run before it")
                << rich << runs << 20001 << 40001 << 20000
                << (rich ? QString(20000, 'a') + QString(20000, 'b') + ' ' : QString());
            QTest::newRow(editor + "a run onto the run after it")
                << rich << runs << 0 << 20000 << 40001
                << (rich ? ' ' + QString(20000, 'b') + QString(20000, 'a') : QString());
            QTest::newRow(editor + "a word to the end of its line")
                << rich << "one two three" << 0 << 4 << 13 << "two threeone ";
        }
    }

    // Moved text that would be refused where it lands stays where it was.
    void moveIsCheckedAsItWouldStand()
    {
        QFETCH(bool, rich);
        QFETCH(QString, document);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(int, position);
        QFETCH(QString, moved);
        // GIVEN the document in the editor's text area
        Editor editor(rich);
        QTextEdit* area = editor.area;
        QVERIFY(editor.shown());
        area->setPlainText(document);
        const QString before = area->toHtml();
        const int undoSteps = area->document()->availableUndoSteps();
        // WHEN the text is drag-moved within it
        const QString message
            = dragMove(area, start, end, position, rich ? editor.window : nullptr);
        // THEN it moves, or a refusal says why and leaves the document as it was
        if (!moved.isNull()) {
            QCOMPARE(message, QString());
            QCOMPARE(area->toPlainText(), moved);
            return;
        }
        QVERIFY2(message.startsWith("Drop: The text was not inserted.\n")
                && message.contains("without a place to break"),
            qPrintable(message));
        QCOMPARE(area->toHtml(), before);
        QCOMPARE(area->document()->availableUndoSteps(), undoSteps);
    }

    void refusalsAreTitledAfterTheAction_data()
    {
        QTest::addColumn<bool>("rich");
        QTest::newRow("rich text") << true;
        QTest::newRow("style sheet") << false;
    }

    // A drop from elsewhere is refused as a drop, a paste as a paste.
    void refusalsAreTitledAfterTheAction()
    {
        QFETCH(bool, rich);
        Editor editor(rich);
        QTextEdit* area = editor.area;
        QVERIFY(editor.shown());
        area->setPlainText("words");
        QMimeData run;
        run.setText(QString(1 << 20, 'x'));
        // WHEN a run too long to lay out is dropped from another program
        const QPoint at = area->cursorRect().center();
        const QString dropped = messageAfter([&] {
            QDragEnterEvent enter(at, Qt::CopyAction, &run, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(area->viewport(), &enter);
            QDropEvent drop(at, Qt::CopyAction, &run, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(area->viewport(), &drop);
        });
        // AND pasted
        QApplication::clipboard()->setText(run.text());
        const QString pasted = messageAfter([area] { area->paste(); });
        // THEN each is refused under its own name, the text kept
        QVERIFY2(dropped.startsWith("Drop: The text was not inserted.\n"), qPrintable(dropped));
        QVERIFY2(pasted.startsWith("Paste: The text was not inserted.\n"), qPrintable(pasted));
        QCOMPARE(area->toPlainText(), QString("words"));
    }
};

QTEST_MAIN(TestTextDragMove)
#include "test_TextDragMove.moc"
