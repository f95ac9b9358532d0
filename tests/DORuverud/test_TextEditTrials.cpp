// The editor's trials as its user meets them, with input as the window
// system delivers it: what the user does while a page or a paste is tried,
// before and after the progress dialog shows, waits its turn and then acts
// as it would have then, or is refused where the user sees it; Escape and
// Cancel end the trial under way and only it; the progress dialog says what
// it tries and does not flash. The page helper is a fake one that takes a
// page once the test lets it (fake-page-helper, "gated"), so that a trial
// lasts as long as the test needs.
#include "../common/HostileHtml.h"
#include "../common/RunawayBound.h"
#include "../common/TestFolder.h"
#include "../common/ThreadTime.h"
#include "DialogTestTools.h"
#include "EditorTestTools.h"
#include "HelperGate.h"
#include "RichtextEditor.h"
#include "TextEdit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QMainWindow>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QTextEdit>
#include <qpa/qwindowsysteminterface.h>

using namespace DialogTestTools;
using namespace DORuverud;
using namespace EditorTestTools;
using namespace HelperGate;

namespace {

enum class Trial { Paste, Open };
enum class Act {
    TypedKeys,
    SecondPaste,
    Drop,
    Escape,
    CloseRequest,
    TwoCloseRequests,
    MenuKey,
    CutAndPaste,
    Save,
    OpenAnother,
    Quit
};

QTextEdit* textArea(QWidget* window)
{
    return window->findChild<QTextEdit*>();
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

    // Pastes "first", or opens page.html ("page"), through the keyboard.
    void begin(Trial trial)
    {
        if (trial == Trial::Paste) {
            paste(gated("<p>first</p>"));
        } else {
            page = folder.write("page.html", gated("<p>page</p>"));
            whenModal(fileDialogAnswer(page, true));
            QTest::keyClick(textArea(&window), Qt::Key_O, Qt::ControlModifier);
            // As the window system gives the window back once the file dialog went.
            QApplication::setActiveWindow(&window);
        }
        QVERIFY(trialsOf(&window)->isTrying());
    }

    // Pastes the HTML through the keyboard.
    void paste(const QByteArray& html)
    {
        offer(html);
        QTest::keyClick(textArea(&window), Qt::Key_V, Qt::ControlModifier);
    }

    // The trial goes on until the dialog shows; the user clicks into the
    // editor again, where a window manager would not have left it.
    void untilTheDialogShows()
    {
        QTRY_VERIFY_WITH_TIMEOUT(progressOf(&window), waitBoundMs(1000));
        QVERIFY(trialsOf(&window)->isTrying());
        QApplication::setActiveWindow(&window);
    }

    void release()
    {
        QVERIFY(releaseGate());
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

// Drags what is offered onto the text area and drops it: whether the area
// took the drag and the drop, as a copy.
QPair<bool, bool> dropped(QTextEdit* area, const QMimeData* dragged)
{
    const QPoint at = area->cursorRect().center();
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area->viewport(), &enter);
    QDragMoveEvent move(at, actions, dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area->viewport(), &move);
    QDropEvent drop(at, actions, dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area->viewport(), &drop);
    return {enter.isAccepted() && move.isAccepted(),
        drop.isAccepted() && drop.dropAction() == Qt::CopyAction};
}

QPair<bool, bool> dropped(QTextEdit* area, const QByteArray& html = "<b>dropped</b>")
{
    QMimeData dragged;
    dragged.setHtml(QString::fromUtf8(html));
    return dropped(area, &dragged);
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

// How long a progress dialog last showed, from its own show to its hide,
// which also comes as it is deleted.
class ShownFor : public QObject
{
public:
    ShownFor()
    {
        qApp->installEventFilter(this);
    }

    qint64 ms() const
    {
        return m_ms;
    }

    // Since the dialog showed, while it shows.
    qint64 msShowing() const
    {
        return m_shown.elapsed();
    }

protected:
    // Only a dialog's events are looked at: those posted from other threads
    // go to other objects.
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (qobject_cast<QProgressDialog*>(object) && event->type() == QEvent::Show) {
            m_dialog = object;
            m_shown.start();
        } else if (object == m_dialog
            && (event->type() == QEvent::Hide || event->type() == QEvent::Destroy)) {
            m_ms = m_shown.elapsed();
            m_dialog = nullptr;
        }
        return false;
    }

private:
    const QObject* m_dialog = nullptr;
    QElapsedTimer m_shown;
    qint64 m_ms = -1;
};

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
            {"a close request", Act::CloseRequest}, {"two close requests", Act::TwoCloseRequests},
            {"the menu key", Act::MenuKey}, {"all cut and pasted back", Act::CutAndPaste},
            {"Ctrl+S", Act::Save}, {"Ctrl+O", Act::OpenAnother}, {"Ctrl+Q", Act::Quit}};
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
    // and Quit ask about unsaved changes as usual, once however often the
    // window was asked to close; a drop is refused as the
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
        case Act::TwoCloseRequests:
            requestClose(&window);
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
        case Act::CutAndPaste:
            QTest::keyClick(area, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(area, Qt::Key_X, Qt::ControlModifier);
            QTest::keyClick(area, Qt::Key_V, Qt::ControlModifier);
            break;
        case Act::MenuKey: {
            // Its context menu comes to the area itself; one shown is closed.
            QTimer::singleShot(0, [&took] {
                if (QWidget* menu = QApplication::activePopupWidget()) {
                    took = true;
                    menu->close();
                }
            });
            QContextMenuEvent menu(QContextMenuEvent::Keyboard, area->cursorRect().center(),
                area->viewport()->mapToGlobal(area->cursorRect().center()));
            QCoreApplication::sendEvent(area, &menu);
            QCoreApplication::processEvents();
            break;
        }
        }
        // Nothing acted on the document or the window during the trial.
        QVERIFY(window.isVisible());
        QVERIFY(!took);
        QCOMPARE(answers.shown, QStringList());
        // Escape ended the trial, which waits no more.
        if (Act(act) != Act::Escape)
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
        case Act::TwoCloseRequests:
            // The changes discarded, no question comes again.
            QVERIFY(!window.isVisible());
            QCOMPARE(answers.shown, pasted ? QStringList({question}) : QStringList());
            QCOMPARE(scene.folder.read("notes.html"), QByteArray("<p>A</p>"));
            break;
        case Act::Save:
            // The paste saved with the document; an Open saves nothing, the page unedited.
            QVERIFY(scene.folder.read("notes.html").contains("first") == pasted);
            if (!pasted)
                QCOMPARE(scene.folder.read("page.html"), gated("<p>page</p>"));
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
        case Act::MenuKey:
            break;
        case Act::CutAndPaste:
            // What was cut came back, not what the clipboard held before.
            QCOMPARE(text, pasted ? QString("Afirst") : QString("page"));
            break;
        }
        if (Act(act) != Act::Escape && Act(act) != Act::OpenAnother && window.isVisible())
            QVERIFY2(text.contains(tried), qPrintable(text));
        QCOMPARE(anotherOpens(scene.folder), QString("final"));
    }

    void cancelEndsOnlyItsOwnTrial_data()
    {
        QTest::addColumn<bool>("cancelFirst");
        QTest::newRow("the paste under way cancelled, the one held after it goes on") << true;
        QTest::newRow("the paste begun after another cancelled") << false;
    }

    // GIVEN a paste under trial and a second one held behind it
    // WHEN one of them is cancelled, by Escape or by the dialog's Cancel
    // THEN only that one goes, the other lands, nothing says the program is
    // ending, and a page opens after
    void cancelEndsOnlyItsOwnTrial()
    {
        QFETCH(bool, cancelFirst);
        Scene scene;
        Answers answers(QMessageBox::Discard, scene.folder.write("after.html", "<p>after</p>"));
        scene.paste(gated("<p>first</p>"));
        scene.paste(gated("<p>second</p>"));
        if (cancelFirst) {
            QString first;
            QVERIFY(QTest::qWaitFor(
                [&first] { return !(first = atTheGateNow()).isEmpty(); }, waitBoundMs(1000)));
            QTest::keyClick(textArea(&scene.window), Qt::Key_Escape);
            // Its helper ends before the next trial is let go: until then it
            // still waits at the gate.
            QTRY_VERIFY_WITH_TIMEOUT(!atTheGate(first), waitBoundMs(1000));
        } else {
            scene.release();
            QTRY_VERIFY_WITH_TIMEOUT(scene.text().contains("first"), waitBoundMs(1000));
            scene.untilTheDialogShows();
            click(progressOf(&scene.window), "Cancel");
        }
        // The second one is tried now, or nothing is.
        QCOMPARE(trialsOf(&scene.window)->isTrying(), cancelFirst);
        QVERIFY(scene.window.findChildren<QProgressDialog*>().size() <= 1);
        // The second one waits at the gate, or nothing does.
        if (cancelFirst)
            scene.release();
        settled(&scene.window);
        QCOMPARE(scene.text(), cancelFirst ? QString("Asecond") : QString("Afirst"));
        // AND a page opens in the window
        scene.window.slotFileOpen();
        settled(&scene.window);
        QCOMPARE(scene.text(), QString("after"));
        for (const QString& shown : qAsConst(answers.shown))
            QVERIFY2(!shown.contains("ending"), qPrintable(shown));
    }

    // GIVEN a paste under trial and a second one held behind it
    // WHEN the user holds Escape down, so that it repeats
    // THEN only the paste under way is cancelled, and the second one lands
    void heldEscapeCancelsOnlyTheTrialUnderWay()
    {
        Scene scene;
        scene.paste(gated("<p>first</p>"));
        scene.paste(gated("<p>second</p>"));
        QString first;
        QVERIFY(QTest::qWaitFor(
            [&first] { return !(first = atTheGateNow()).isEmpty(); }, waitBoundMs(1000)));
        textArea(&scene.window)->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), textArea(&scene.window));
        for (const bool repeated : {false, true, true}) {
            QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::SynchronousDelivery>(
                scene.window.windowHandle(), QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier,
                QString(), repeated);
        }
        QVERIFY(trialsOf(&scene.window)->isTrying());
        // The cancelled paste's helper ends before the second is let go.
        QTRY_VERIFY_WITH_TIMEOUT(!atTheGate(first), waitBoundMs(1000));
        scene.release();
        settled(&scene.window);
        QCOMPARE(scene.text(), QString("Asecond"));
    }

    // GIVEN a paste into a window whose document the helper has no copy of,
    // waiting behind a page another window opens
    // WHEN the paste is cancelled and the window's document replaced
    // THEN the paste's work, once it comes, reads the document that went no
    // more: the page opens, and the window shows what replaced it
    void cancelledPasteReadsItsDocumentNoMore()
    {
        Scene scene;
        TextEdit second;
        second.show();
        QTextEdit* area = textArea(&second);
        QTest::keyClicks(area, "typed");
        scene.begin(Trial::Open);
        QVERIFY(QTest::qWaitFor([] { return !atTheGateNow().isEmpty(); }, waitBoundMs(1000)));
        offer("<p>pasted</p>");
        QTest::keyClick(area, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(trialsOf(&second)->isTrying());
        // Escape in the window of the paste.
        QApplication::setActiveWindow(&second);
        area->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), area);
        QTest::keyClick(area, Qt::Key_Escape);
        QVERIFY(!trialsOf(&second)->isTrying());
        QVERIFY(trialsOf(&scene.window)->isTrying());
        second.setHtml("<p>replaced</p>");
        scene.release();
        settled(&scene.window);
        QCOMPARE(scene.text(), QString("page"));
        settled(&second);
        QCOMPARE(area->toPlainText(), QString("replaced"));
        QCOMPARE(anotherOpens(scene.folder), QString("final"));
    }

    // GIVEN a window of 50,000 paragraphs, which travel with a paste as the
    // helper keeps no copy of them
    // WHEN the paste is cancelled while its trial reads them
    // THEN the window goes on at once; a key typed meanwhile lands once the
    // reading ended, and the paste does not
    void cancelWaitsNotForTheReadingOfItsDocument()
    {
        TestFolder folder;
        const HelperInPlace helper(folder, "gated");
        TextEdit window;
        window.show();
        QTextEdit* area = textArea(&window);
        area->setHtml(QString::fromUtf8(HostileHtml::repeated("<p>word word word</p>", 50000)));
        const QString before = area->toPlainText();
        area->moveCursor(QTextCursor::End);
        offer("<p>pasted</p>");
        QTest::keyClick(area, Qt::Key_V, Qt::ControlModifier);
        // The trial's thread reads the document now, for longer than this.
        QTest::qWait(50);
        const ThreadTime escape;
        QTest::keyClick(area, Qt::Key_Escape);
        QTest::keyClick(area, Qt::Key_Z);
        QVERIFY2(escape.elapsedMs() < runawayBoundMs(25),
            qPrintable(QString::number(escape.elapsedMs())));
        QVERIFY(!progressOf(&window));
        settled(&window);
        QCOMPARE(area->toPlainText(), before + "z");
    }

    void progressSaysWhatIsTried_data()
    {
        QTest::addColumn<QString>("tried");
        QTest::addColumn<QString>("label");
        QTest::newRow("a paste") << "paste"
                                 << "Laying out the document with the paste...";
        QTest::newRow("a drop") << "drop"
                                << "Laying out the document with the drop...";
        QTest::newRow("a page") << "page"
                                << "Laying out page.html...";
    }

    // GIVEN a paste, a drop or a page tried past half a second
    // THEN the progress dialog says what is tried, and its Cancel ends the
    // trial, what was tried left out; a drop was taken as a copy, so that its
    // source keeps it
    void progressSaysWhatIsTried()
    {
        QFETCH(QString, tried);
        QFETCH(QString, label);
        Scene scene;
        const QByteArray html = gated("<p>tried</p>");
        if (tried == "paste") {
            scene.paste(html);
        } else if (tried == "drop") {
            QCOMPARE(dropped(textArea(&scene.window), html), qMakePair(true, true));
        } else {
            scene.begin(Trial::Open);
        }
        scene.untilTheDialogShows();
        QCOMPARE(progressOf(&scene.window)->labelText(), label);
        click(progressOf(&scene.window), "Cancel");
        QVERIFY(!trialsOf(&scene.window)->isTrying());
        QVERIFY(!progressOf(&scene.window));
        QCOMPARE(scene.text(), QString("A"));
    }

    // GIVEN a trial that ends just after the progress dialog showed
    // THEN the dialog stays, without Cancel, until it showed half a second,
    // so that it does not flash; a trial that ends sooner shows none
    void progressDoesNotFlash()
    {
        Scene scene;
        bool shown = false;
        QTimer watch;
        QObject::connect(
            &watch, &QTimer::timeout, [&] { shown = shown || progressOf(&scene.window); });
        watch.start(1);
        // A trial of no wait: its dialog never shows, as long as it ends in time.
        QElapsedTimer sinceBegun;
        sinceBegun.start();
        scene.paste("<p>soon</p>");
        settled(&scene.window);
        if (sinceBegun.elapsed() < TrialWait::dialogDelayMs)
            QVERIFY(!shown);
        // A trial that ends just after its dialog showed
        const ShownFor dialog;
        scene.paste(gated("<p>late</p>"));
        scene.untilTheDialogShows();
        scene.release();
        settled(&scene.window);
        if (dialog.msShowing() < TrialWait::dialogLeastShownMs / 2) {
            QVERIFY(progressOf(&scene.window));
            QVERIFY(!buttonCaptioned(progressOf(&scene.window), "Cancel"));
        }
        QTRY_VERIFY_WITH_TIMEOUT(!progressOf(&scene.window), waitBoundMs(1000));
        QVERIFY2(dialog.ms() >= TrialWait::dialogLeastShownMs - 20,
            qPrintable(QString::number(dialog.ms())));
        QVERIFY(scene.text().endsWith("late"));
    }

    // GIVEN the compact editor in a window, a paste under trial
    // WHEN the window manager asks the window to close
    // THEN it closes after the trial, once the question about the unsaved
    // paste was answered
    void holderWindowClosesAfterTheTrial()
    {
        TestFolder folder;
        const HelperInPlace helper(folder, "gated");
        const QString notes = folder.write("notes.html", "<p>A</p>");
        QMainWindow holder;
        auto* editor = new RichtextEditor;
        holder.setCentralWidget(editor);
        holder.show();
        QCOMPARE(messageAfterFileDialog(notes,
                     [editor] {
                         editor->findChild<TextEdit*>()->slotFileOpen();
                         settled(editor);
                     }),
            QString());
        textArea(editor)->moveCursor(QTextCursor::End);
        offer(gated("<p>first</p>"));
        editor->findChild<TextEdit*>()->slotPaste();
        Answers answers(QMessageBox::Save, QString());
        requestClose(&holder);
        QVERIFY(holder.isVisible());
        QCOMPARE(answers.shown, QStringList());
        QVERIFY(releaseGate());
        settled(editor);
        QVERIFY(!holder.isVisible());
        QCOMPARE(answers.shown.size(), 1);
        QVERIFY(folder.read("notes.html").contains("first"));
    }

    // GIVEN a page opened, tried by a helper that takes a paste only into
    // the document it keeps
    // WHEN pasted into, once and again, THEN each paste lands in the
    // document the helper holds, the document sent to it no more; WHEN
    // typed into, THEN the next paste sends the document with it
    void helperHoldsTheDocumentItTried()
    {
        TestFolder folder;
        const HelperInPlace helper(folder, "keeper");
        TextEdit window;
        window.show();
        QCOMPARE(messageAfterFileDialog(folder.write("notes.html", "<p>A</p>"),
                     [&window] {
                         window.slotFileOpen();
                         settled(&window);
                     }),
            QString());
        textArea(&window)->moveCursor(QTextCursor::End);
        const auto pasted = [&window](const QByteArray& html) {
            offer(html);
            return messageRejectedDuring([&window] {
                window.slotPaste();
                settled(&window);
            });
        };
        QCOMPARE(pasted("<p>first</p>"), QString());
        QCOMPARE(pasted("<p>second</p>"), QString());
        QCOMPARE(textArea(&window)->toPlainText(), QString("Afirstsecond"));
        QTest::keyClicks(textArea(&window), "typed");
        QVERIFY(pasted("<p>third</p>").contains("the document travelled"));
    }

    // Text from an input method waits as keys do.
    void inputMethodTextWaitsItsTurn()
    {
        Scene scene;
        scene.begin(Trial::Paste);
        QInputMethodEvent composing("ü", {});
        QApplication::sendEvent(textArea(&scene.window), &composing);
        QInputMethodEvent committed;
        committed.setCommitString("über");
        QApplication::sendEvent(textArea(&scene.window), &committed);
        QCOMPARE(scene.text(), QString("A"));
        scene.release();
        settled(&scene.window);
        QCOMPARE(scene.text(), QString("Afirstüber"));
    }

    void refusalsSayWhatToDoInstead_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("instead");
        const QString browser = "You can open it in a web browser instead.";
        QTest::newRow("a page nested too deeply")
            << "deep.html" << HostileHtml::nestedTables(5000) << "open" << browser;
        QTest::newRow("a page larger than 4 MiB")
            << "large.html" << QByteArray(5 << 20, 'x') << "open" << browser;
        QTest::newRow("a text of more lines than the editor lays out")
            << "lines.txt" << QByteArray(4 << 20, '\n') << "open"
            << "You can open it in a text editor instead.";
        QTest::newRow("a zip file") << "notes.odt" << QByteArray("PK\x03\x04 zipped") << "open"
                                    << "You can open it in a word processor instead.";
        QTest::newRow("a pipe") << "pipe.html" << QByteArray() << "open"
                                << "You can save what it gives as a file and open that instead.";
        QTest::newRow("a paste of a run too long")
            << QString() << QByteArray(1 << 20, 'x') << "paste"
            << "You can paste a smaller part of it instead.";
        QTest::newRow("a rich paste nested too deeply")
            << QString() << HostileHtml::nestedTables(5000) << "rich paste"
            << "You can paste a smaller part of it instead.";
        QTest::newRow("a drop of a run too long") << QString() << QByteArray(1 << 20, 'x') << "drop"
                                                  << "You can drop a smaller part of it instead.";
    }

    // GIVEN what the editor refuses, opened, pasted or dropped
    // THEN the message says why, then what the user can do instead
    void refusalsSayWhatToDoInstead()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, how);
        QFETCH(QString, instead);
        TestFolder folder;
        TextEdit window;
        window.show();
        QTextEdit* area = textArea(&window);
        QString message;
        if (how == "open") {
            const QString path = folder.path(name);
            if (name == "pipe.html")
                QCOMPARE(QProcess::execute("mkfifo", {path}), 0);
            else
                folder.write(name, content);
            message = messageAfterFileDialog(path, [&window] {
                window.slotFileOpen();
                settled(&window);
            });
        } else if (how == "drop") {
            QMimeData dragged;
            dragged.setText(QString::fromLatin1(content));
            message = messageRejectedDuring([&] { dropped(area, &dragged); });
        } else {
            auto* offered = new QMimeData;
            how == "paste" ? offered->setText(QString::fromLatin1(content))
                           : offered->setHtml(QString::fromLatin1(content));
            QApplication::clipboard()->setMimeData(offered);
            message = messageRejectedDuring([&window] {
                window.slotPaste();
                settled(&window);
            });
        }
        const QStringList lines = message.split('\n');
        QVERIFY2(lines.size() >= 3, qPrintable(message));
        QCOMPARE(lines.last(), instead);
        QCOMPARE(area->toPlainText(), QString());
    }
};

QTEST_MAIN(TestTextEditTrials)
#include "test_TextEditTrials.moc"
