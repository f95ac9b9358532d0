// The editor's trials as its user meets them, with input as the window
// system delivers it: what the user does while a page or a paste is tried,
// before and after the progress dialog shows, waits its turn and then acts
// as it would have then, or is refused where the user sees it; Escape and
// Cancel end the trial under way and only it; the progress dialog says what
// it tries and does not flash. The page helper is a fake one that takes a
// page once the test lets it (fake-page-helper, "gated"), so that a trial
// lasts as long as the test needs.
#include "../common/TestFolder.h"
#include "DialogTestTools.h"
#include "EditorTestTools.h"
#include "TextEdit.h"

#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QTextEdit>
#include <qpa/qwindowsysteminterface.h>

using namespace DialogTestTools;
using namespace EditorTestTools;

namespace {

enum class Trial { Paste, Open };
enum class Act { TypedKeys, SecondPaste, Drop, Escape, CloseRequest, Save, OpenAnother, Quit };

QTextEdit* textArea(QWidget* window)
{
    return window->findChild<QTextEdit*>();
}

// A page or a paste whose trial lasts until the file at the gate exists.
QByteArray gated(const QByteArray& html, const QString& gate)
{
    return "<!--gate:" + gate.toUtf8() + ";-->" + html;
}

void offer(const QByteArray& html)
{
    auto* offered = new QMimeData;
    offered->setHtml(QString::fromUtf8(html));
    QApplication::clipboard()->setMimeData(offered);
}

// Answers every dialog that comes while it lives: a question with the
// button given, a file dialog with the path given, any other message with
// Ok; and keeps the texts of the message boxes.
class Answers
{
public:
    Answers(QMessageBox::StandardButton button, const QString& path)
    {
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this, button, path] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                shown << "file dialog";
                fileDialogAnswer(path, true)(dialog);
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                shown << box->text();
                box->button(box->button(button) ? button : QMessageBox::Ok)->click();
            }
        });
        m_poll.start();
    }

    QStringList shown;

private:
    QTimer m_poll;
};

// A window that opened notes.html ("A"), the cursor at its end, beside a
// page helper that waits at the gate.
class Scene
{
public:
    Scene()
        : helper(folder, "gated")
    {
        notes = folder.write("notes.html", "<p>A</p>");
        other = folder.write("other.html", "<p>other</p>");
        window.resize(800, 600);
        window.show();
        QApplication::setActiveWindow(&window);
        const QString message = messageAfterFileDialog(notes, [this] {
            window.slotFileOpen();
            settled(&window);
        });
        QCOMPARE(message, QString());
        textArea(&window)->moveCursor(QTextCursor::End);
        // Its shortcuts answer in the active window.
        QApplication::setActiveWindow(&window);
        QTRY_COMPARE(QApplication::activeWindow(), &window);
    }

    QString gate() const
    {
        return folder.path("gate");
    }

    // Pastes "first", or opens page.html ("page"), through the keyboard.
    void begin(Trial trial)
    {
        if (trial == Trial::Paste) {
            offer(gated("<p>first</p>", gate()));
            QTest::keyClick(textArea(&window), Qt::Key_V, Qt::ControlModifier);
        } else {
            page = folder.write("page.html", gated("<p>page</p>", gate()));
            whenModal(fileDialogAnswer(page, true));
            QTest::keyClick(textArea(&window), Qt::Key_O, Qt::ControlModifier);
            // As the window system gives the window back once the file dialog went.
            QApplication::setActiveWindow(&window);
        }
        QVERIFY(trialsOf(&window)->isTrying());
    }

    // The trial goes on until the dialog shows; the user clicks into the
    // editor again, where a window manager would not have left it.
    void untilTheDialogShows()
    {
        QTRY_VERIFY(progressOf(&window));
        QVERIFY(trialsOf(&window)->isTrying());
        QApplication::setActiveWindow(&window);
    }

    void release()
    {
        folder.write("gate", "");
    }

    QString text() const
    {
        return textArea(const_cast<TextEdit*>(&window))->toPlainText();
    }

    TestFolder folder;
    HelperInPlace helper;
    TextEdit window;
    QString notes;
    QString other;
    QString page;
};

// Drags rich text onto the text area and drops it: whether the area took
// the drag and the drop.
QPair<bool, bool> dropped(QTextEdit* area)
{
    QMimeData dragged;
    dragged.setHtml("<b>dropped</b>");
    const QPoint at = area->cursorRect().center();
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area->viewport(), &enter);
    QDragMoveEvent move(at, actions, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area->viewport(), &move);
    QDropEvent drop(at, actions, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area->viewport(), &drop);
    return {enter.isAccepted() && move.isAccepted(), drop.isAccepted()};
}

// A close request from the window manager.
void requestClose(QWidget* window)
{
    QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(
        window->windowHandle());
}

// Whether what the helper tries is taken: a new window opens a page.
QString anotherOpens(TestFolder& folder)
{
    const QString path = folder.write("final.html", "<p>final</p>");
    TextEdit window;
    window.show();
    const QString message = messageAfterFileDialog(path, [&window] {
        window.slotFileOpen();
        settled(&window);
    });
    return message.isEmpty() ? textArea(&window)->toPlainText() : message;
}

} // namespace

class TestTextEditTrials : public QObject
{
    Q_OBJECT

private slots:
    void actsDuringATrialWaitTheirTurn_data()
    {
        QTest::addColumn<int>("trial");
        QTest::addColumn<bool>("afterDialog");
        QTest::addColumn<int>("act");
        const QList<QPair<QByteArray, Act>> acts = {{"typed keys", Act::TypedKeys},
            {"a second paste", Act::SecondPaste}, {"a drop", Act::Drop}, {"Escape", Act::Escape},
            {"a close request", Act::CloseRequest}, {"Ctrl+S", Act::Save},
            {"Ctrl+O", Act::OpenAnother}, {"Ctrl+Q", Act::Quit}};
        for (const auto& [trialName, trial] :
            QList<QPair<QByteArray, Trial>> {{"paste", Trial::Paste}, {"open", Trial::Open}}) {
            for (const bool afterDialog : {false, true}) {
                for (const auto& [actName, act] : acts) {
                    QTest::newRow(actName + " during a " + trialName
                        + (afterDialog ? ", the dialog shown" : ", before the dialog"))
                        << int(trial) << afterDialog << int(act);
                }
            }
        }
    }

    // GIVEN notes.html open, and a paste of "first", or an Open of a page,
    // under trial
    // WHEN the user acts, before the progress dialog shows or once it shows,
    // and the trial then ends
    // THEN what the user did acts as it would have after the trial: keys
    // and a second paste land in order after the paste, or at the start of
    // the page opened; Save writes the document with the paste; Open, Close
    // and Quit ask about unsaved changes as usual; a drop is refused as the
    // drag shows, its source keeping its text; Escape ends the trial at once,
    // the document as it was; and the helper works on
    void actsDuringATrialWaitTheirTurn()
    {
        QFETCH(int, trial);
        QFETCH(bool, afterDialog);
        QFETCH(int, act);
        Scene scene;
        TextEdit& window = scene.window;
        QTextEdit* area = textArea(&window);
        scene.begin(Trial(trial));
        // Save a modified document when closing, and discard it when quitting or opening.
        Answers answers(
            Act(act) == Act::CloseRequest ? QMessageBox::Save : QMessageBox::Discard, scene.other);
        if (afterDialog)
            scene.untilTheDialogShows();
        else
            QVERIFY(!progressOf(&window));
        bool took = false;
        switch (Act(act)) {
        case Act::TypedKeys:
            QTest::keyClicks(area, "hello");
            break;
        case Act::SecondPaste:
            offer("<p>second</p>");
            QTest::keyClick(area, Qt::Key_V, Qt::ControlModifier);
            break;
        case Act::Drop: {
            const QPair<bool, bool> drop = dropped(area);
            took = drop.first || drop.second;
            break;
        }
        case Act::Escape:
            QTest::keyClick(area, Qt::Key_Escape);
            QVERIFY(!trialsOf(&window)->isTrying());
            QVERIFY(!progressOf(&window));
            break;
        case Act::CloseRequest:
            requestClose(&window);
            break;
        case Act::Save:
            QTest::keyClick(area, Qt::Key_S, Qt::ControlModifier);
            break;
        case Act::OpenAnother:
            QTest::keyClick(area, Qt::Key_O, Qt::ControlModifier);
            break;
        case Act::Quit:
            QTest::keyClick(area, Qt::Key_Q, Qt::ControlModifier);
            break;
        }
        // Nothing acted on the document or the window during the trial.
        QVERIFY(window.isVisible());
        QVERIFY(!took);
        QCOMPARE(answers.shown, QStringList());
        scene.release();
        settled(&window);
        const QString text = scene.text();
        const bool pasted = Trial(trial) == Trial::Paste;
        const QString tried = pasted ? "first" : "page";
        const QString question
            = "The document has been modified.\nDo you want to save your changes?";
        switch (Act(act)) {
        case Act::TypedKeys:
            QVERIFY2(pasted ? text.endsWith("firsthello") || text.endsWith("first\nhello")
                            : text.startsWith("hellopage"),
                qPrintable(text));
            break;
        case Act::SecondPaste:
            QVERIFY2(text.indexOf("second") > (pasted ? text.indexOf("first") : -1)
                    && (pasted || text.indexOf("second") < text.indexOf("page")),
                qPrintable(text));
            break;
        case Act::Drop:
            QVERIFY2(text.contains(tried) && !text.contains("dropped"), qPrintable(text));
            break;
        case Act::Escape:
            // The trial left nothing, and the next is tried by a helper that works.
            QCOMPARE(text, QString("A"));
            QCOMPARE(window.windowTitle(), QString("notes.html[*] - Rich Text"));
            scene.release();
            offer("<p>again</p>");
            QTest::keyClick(area, Qt::Key_V, Qt::ControlModifier);
            settled(&window);
            QCOMPARE(scene.text(), QString("Aagain"));
            break;
        case Act::CloseRequest:
            QVERIFY(!window.isVisible());
            QCOMPARE(answers.shown, pasted ? QStringList({question}) : QStringList());
            QCOMPARE(scene.folder.read("notes.html").contains("first"), pasted);
            break;
        case Act::Save:
            // The paste saved with the document; an Open saves nothing, the page unedited.
            QVERIFY(scene.folder.read("notes.html").contains("first") == pasted);
            if (!pasted)
                QCOMPARE(scene.folder.read("page.html"), gated("<p>page</p>", scene.gate()));
            break;
        case Act::OpenAnother:
            QCOMPARE(text, QString("other"));
            QCOMPARE(answers.shown,
                pasted ? QStringList({question, "file dialog"}) : QStringList({"file dialog"}));
            QCOMPARE(scene.folder.read("notes.html"), QByteArray("<p>A</p>"));
            break;
        case Act::Quit:
            QVERIFY(!window.isVisible());
            QCOMPARE(answers.shown, pasted ? QStringList({question}) : QStringList());
            QCOMPARE(scene.folder.read("notes.html"), QByteArray("<p>A</p>"));
            break;
        }
        if (Act(act) != Act::Escape && Act(act) != Act::OpenAnother && window.isVisible())
            QVERIFY2(text.contains(tried), qPrintable(text));
        QCOMPARE(anotherOpens(scene.folder), QString("final"));
    }
};

QTEST_MAIN(TestTextEditTrials)
#include "test_TextEditTrials.moc"
