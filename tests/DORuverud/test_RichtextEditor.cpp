#include "../common/TestFolder.h"
#include "ColorWidget.h"
#include "ColorWidgetPopup.h"
#include "DialogTestTools.h"
#include "RichtextEditor.h"
#include "TextEdit.h"
#include "TextEditIcons.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QMenu>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTextEdit>
#include <QTextList>

using namespace DialogTestTools;
using namespace DORuverud;

namespace {

const QString sample = QStringLiteral("Grüße aus dem Notenheft");
const QString untitled = QStringLiteral("untitled.txt[*] - Rich Text");

// The action of that menu text below the widget.
QAction* action(QWidget* widget, const QString& text)
{
    for (QAction* action : widget->findChildren<QAction*>()) {
        if (action->text() == text)
            return action;
    }
    qFatal("no action %s", qPrintable(text));
}

QTextEdit* textArea(QWidget* window)
{
    return window->findChild<QTextEdit*>();
}

// Puts the cursor at the position, in the new text if one is given.
void placeCursor(QWidget* window, int position, const QString& text = QString())
{
    if (!text.isNull())
        textArea(window)->setPlainText(text);
    QTextCursor cursor = textArea(window)->textCursor();
    cursor.setPosition(position);
    textArea(window)->setTextCursor(cursor);
}

QTextCharFormat formatAt(QWidget* window, int position)
{
    QTextCursor cursor(textArea(window)->document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

// What the program prints, or "<failed>".
QString output(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("<failed>");
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList pdfLines(const QString& path)
{
    return output("pdftotext", {path, "-"}).remove('\f').split('\n', Qt::SkipEmptyParts);
}

// Answers a question box; any other dialog is rejected, and the caller sees what came.
std::function<void(QWidget*)> answerBox(int button)
{
    return [button](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->button(QMessageBox::StandardButton(button))->click();
        else
            static_cast<QDialog*>(modal)->reject();
    };
}

} // namespace

class TestRichtextEditor : public QObject
{
    Q_OBJECT

private slots:
    void titleAndSaveFollowTheDocument()
    {
        TestFolder folder;
        TextEdit window;
        window.show();
        QCOMPARE(window.windowTitle(), untitled);
        QVERIFY(!window.isWindowModified() && !action(&window, "&Save")->isEnabled());
        QTest::keyClicks(textArea(&window), "draft");
        QVERIFY(window.isWindowModified() && action(&window, "&Save")->isEnabled());
        // WHEN Save As names a missing folder, THEN the document stays modified
        whenModal(fileDialogAnswer(folder.path("missing/notes"), true));
        QVERIFY(!window.slotFileSaveAs());
        QCOMPARE(window.windowTitle(), untitled);
        QVERIFY(window.isWindowModified() && action(&window, "&Save")->isEnabled());
        // AND New, Open and Quit ask first; Cancel keeps the text and the window
        for (const char* entry : {"&New", "&Open...", "&Quit"}) {
            ModalAnswer question(answerBox(QMessageBox::Cancel));
            action(&window, entry)->trigger();
            QVERIFY2(question.shown == "QMessageBox", entry);
        }
        QVERIFY(window.isVisible());
        QCOMPARE(textArea(&window)->toPlainText(), QString("draft"));
        // WHEN saved under a name, THEN the title names the file and Save waits for a change
        whenModal(fileDialogAnswer(folder.path("first"), true));
        action(&window, "&Save")->trigger();
        QCOMPARE(window.windowTitle(), QString("first.odt[*] - Rich Text"));
        QVERIFY(!window.isWindowModified() && !action(&window, "&Save")->isEnabled());
        // AND a later change may be discarded on closing
        QTest::keyClicks(textArea(&window), "!");
        ModalAnswer discard(answerBox(QMessageBox::Discard));
        QVERIFY(window.close());
    }

    void savedAsAndReadBack_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("bare name becomes OpenDocument") << "notes"
                                                        << "notes.odt";
        QTest::newRow("capital HTML stays HTML") << "notes.HTML"
                                                 << "notes.HTML";
        QTest::newRow("txt becomes OpenDocument") << "notes.txt"
                                                  << "notes.txt.odt";
    }

    void savedAsAndReadBack()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        TestFolder folder;
        const QString path = folder.path(written);
        TextEdit window;
        textArea(&window)->setPlainText(sample);
        whenModal(fileDialogAnswer(folder.path(typed), true));
        QVERIFY(window.slotFileSaveAs());
        QCOMPARE(folder.files(), QStringList {written});
        if (written.endsWith(".odt")) {
            QCOMPARE(output("unzip", {"-p", path, "mimetype"}),
                QString("application/vnd.oasis.opendocument.text"));
            QVERIFY(output("unzip", {"-p", path, "content.xml"}).contains(sample));
            return;
        }
        TextEdit reader;
        whenModal(fileDialogAnswer(path, true));
        reader.slotFileOpen();
        QCOMPARE(textArea(&reader)->toPlainText(), sample);
    }

    void plainTextReadAndWrittenBack()
    {
        // GIVEN a text file with a zero byte, where reading stops
        TestFolder folder;
        const QString path = folder.write("notes.txt", QByteArray("keep\0lost", 9));
        TextEdit window;
        whenModal(fileDialogAnswer(path, true));
        window.slotFileOpen();
        QCOMPARE(textArea(&window)->toPlainText(), QString("keep"));
        QCOMPARE(window.windowTitle(), QString("notes.txt[*] - Rich Text"));
        // WHEN edited and saved, THEN it is plain text under the same name
        QTest::keyClicks(textArea(&window), "A ");
        QVERIFY(window.slotFileSave());
        QCOMPARE(folder.read("notes.txt"), QByteArray("A keep"));
    }

    void pdfExportAndPreviewPrintTheText()
    {
        TestFolder folder;
        TextEdit window;
        textArea(&window)->setPlainText(sample);
        whenModal(fileDialogAnswer(folder.path("report"), true));
        action(&window, "&Export PDF...")->trigger();
        QCOMPARE(pdfLines(folder.path("report.pdf")), QStringList({sample, "1"}));
        // The preview, printed to a PDF file instead of a printer
        ModalAnswer preview([&folder](QWidget* modal) {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(modal);
            QVERIFY(dialog);
            QTRY_VERIFY(dialog->findChild<QPrintPreviewWidget*>()->pageCount() > 0);
            dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog->printer()->setOutputFileName(folder.path("preview.pdf"));
            dialog->findChild<QPrintPreviewWidget*>()->print();
            dialog->reject();
        });
        action(&window, "Print Preview...")->trigger();
        QCOMPARE(pdfLines(folder.path("preview.pdf")), QStringList({sample, "1"}));
    }

    void togglesApplyToTheWordAndBack_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("bold") << "&Bold";
        QTest::newRow("italic") << "&Italic";
        QTest::newRow("underline") << "&Underline";
    }

    void togglesApplyToTheWordAndBack()
    {
        QFETCH(QString, entry);
        // GIVEN "alpha beta" with the cursor in "beta"
        TextEdit window;
        placeCursor(&window, 8, "alpha beta");
        const QFont plain = formatAt(&window, 6).font();
        // WHEN chosen, THEN only "beta" changes, and the entry shows checked there only
        action(&window, entry)->trigger();
        QVERIFY(formatAt(&window, 6).font() != plain);
        QCOMPARE(formatAt(&window, 9).font(), formatAt(&window, 6).font());
        QCOMPARE(formatAt(&window, 0).font(), plain);
        placeCursor(&window, 2);
        QVERIFY(!action(&window, entry)->isChecked());
        placeCursor(&window, 8);
        QVERIFY(action(&window, entry)->isChecked());
        // WHEN chosen again, THEN "beta" is plain again
        action(&window, entry)->trigger();
        QCOMPARE(formatAt(&window, 6).font(), plain);
    }

    void sizeBoxTakesOnlyPositiveNumbers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qreal>("size");
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("zero") << "0" << 0.0;
        QTest::newRow("negative") << "-2" << 0.0;
        QTest::newRow("fraction") << "10.5" << 10.5;
    }

    void sizeBoxTakesOnlyPositiveNumbers()
    {
        QFETCH(QString, typed);
        TextEdit window;
        placeCursor(&window, 8, "alpha beta");
        textArea(&window)->selectAll();
        auto* combo = window.findChild<QComboBox*>("comboSize");
        combo->lineEdit()->setText(typed);
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QTEST(formatAt(&window, 0).fontPointSize(), "size");
    }

    void fontAndAlignmentFollowTheCursor()
    {
        TextEdit window;
        textArea(&window)->setHtml("<p><span style=\"font-family:'DejaVu Serif'; font-size:20pt\">"
                                   "big</span><span style=\"font-size:15pt\">odd</span></p>"
                                   "<p>centred</p><p>right</p>");
        placeCursor(&window, 1);
        QCOMPARE(window.findChild<QFontComboBox*>()->currentText(), QString("DejaVu Serif"));
        QCOMPARE(window.findChild<QComboBox*>("comboSize")->currentText(), QString("20"));
        placeCursor(&window, 6); // 15 is none of the listed sizes
        QCOMPARE(window.findChild<QComboBox*>("comboSize")->currentIndex(), -1);
        placeCursor(&window, 8);
        window.slotTextAlignCenter();
        placeCursor(&window, 17);
        window.slotTextAlignRight();
        for (const auto& [position, entry] : QList<QPair<int, QString>> {
                 {1, "&Left"}, {8, "C&enter"}, {17, "&Right"}, {2, "&Left"}}) {
            placeCursor(&window, position);
            QVERIFY2(action(&window, entry)->isChecked(), qPrintable(entry));
        }
    }

    void listStylesInOneUndoStep_data()
    {
        QTest::addColumn<bool>("inList");
        QTest::addColumn<int>("styleIndex");
        QTest::addColumn<int>("listStyle");
        QTest::addColumn<int>("listIndent");
        QTest::addColumn<int>("blockIndent");
        QTest::newRow("decimal on a paragraph indented by 2")
            << false << 4 << int(QTextListFormat::ListDecimal) << 3 << 0;
        QTest::newRow("square inside a list keeps its indent")
            << true << 3 << int(QTextListFormat::ListSquare) << 1 << 0;
        QTest::newRow("unknown index means disc")
            << false << 12 << int(QTextListFormat::ListDisc) << 3 << 0;
        QTest::newRow("standard leaves the list, in place") << true << 0 << 0 << 0 << 1;
    }

    void listStylesInOneUndoStep()
    {
        QFETCH(bool, inList);
        QFETCH(int, styleIndex);
        TextEdit window;
        QTextEdit* area = textArea(&window);
        area->setPlainText("item");
        QTextCursor cursor = area->textCursor();
        if (inList)
            cursor.createList(QTextListFormat::ListDisc);
        QTextBlockFormat indented = cursor.blockFormat();
        indented.setIndent(inList ? 0 : 2);
        cursor.setBlockFormat(indented);
        const QString before = area->toHtml();
        window.textStyle(styleIndex);
        QTextList* list = area->textCursor().currentList();
        QTEST(list ? int(list->format().style()) : 0, "listStyle"); // styles are negative
        QTEST(list ? list->format().indent() : 0, "listIndent");
        QTEST(area->textCursor().blockFormat().indent(), "blockIndent");
        area->undo();
        QCOMPARE(area->toHtml(), before);
    }

    void pasteFollowsTheClipboard()
    {
        QApplication::clipboard()->setText("some text");
        TextEdit window;
        QVERIFY(action(&window, "&Paste")->isEnabled());
        QApplication::clipboard()->clear();
        QTRY_VERIFY(!action(&window, "&Paste")->isEnabled());
        QApplication::clipboard()->setText("again");
        QTRY_VERIFY(action(&window, "&Paste")->isEnabled());
    }

    void iconsFallBackToOwnPictures()
    {
        for (const QString& name : TextEditIcons::names())
            QCOMPARE(QImage(TextEditIcons::folder() + "/" + name).size(), QSize(32, 32));
        TextEdit window;
        int withIcon = 0;
        for (QAction* action : window.findChildren<QAction*>()) {
            QVERIFY(action->icon().isNull() || !action->icon().pixmap(32).isNull());
            withIcon += !action->icon().isNull();
        }
        QCOMPARE(withIcon, 19); // Print and Print Preview share a picture; the colour swatch
    }

    // Rows are named after the button.
    void panelButtonsActAsTheMenuEntries_data()
    {
        QTest::addColumn<QString>("entry");
        for (const auto& [button, entry] :
            QList<QPair<QString, QString>> {{"EditorTextBold", "&Bold"},
                {"EditorTextItalic", "&Italic"}, {"EditorTextUnderline", "&Underline"},
                {"EditorTextAlignLeft", "&Left"}, {"TextAlignCenter", "C&enter"},
                {"TextAlignRight", "&Right"}, {"TextAlignJustify", "&Justify"},
                {"TextUndo", "&Undo"}, {"TextCut", "Cu&t"}, {"TextPaste", "&Paste"}})
            QTest::newRow(qPrintable(button)) << entry;
    }

    void panelButtonsActAsTheMenuEntries()
    {
        QFETCH(QString, entry);
        // GIVEN two editors alike: a word selected and an edit to undo
        QString results[2];
        for (int byButton = 0; byButton < 2; ++byButton) {
            QApplication::clipboard()->setText("pasted");
            RichtextEditor editor;
            placeCursor(&editor, 8, "alpha beta gamma");
            textArea(&editor)->textCursor().insertText("x");
            QTextCursor cursor = textArea(&editor)->textCursor();
            cursor.select(QTextCursor::WordUnderCursor);
            textArea(&editor)->setTextCursor(cursor);
            // WHEN one clicks the button and the other chooses the entry, THEN both end alike
            if (byButton)
                QTest::mouseClick(
                    editor.findChild<QPushButton*>(QTest::currentDataTag()), Qt::LeftButton);
            else
                action(&editor, entry)->trigger();
            results[byButton] = editor.html() + QApplication::clipboard()->text();
        }
        QCOMPARE(results[1], results[0]);
    }

    // Rows are named after the panel's entry.
    void panelFileMenuOpensTheEditorsDialogs_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("Open...") << "&Open...";
        QTest::newRow("Save") << "&Save"; // of an untitled text: Save As
        QTest::newRow("Save As...") << "Save &As...";
        QTest::newRow("Print...") << "&Print...";
        QTest::newRow("Print Preview...") << "Print Preview...";
        QTest::newRow("Create PDF") << "&Export PDF...";
    }

    void panelFileMenuOpensTheEditorsDialogs()
    {
        QFETCH(QString, entry);
        RichtextEditor editor;
        editor.show();
        QTest::keyClicks(textArea(&editor), "x"); // Save is offered; Open does not ask
        textArea(&editor)->document()->setModified(entry != "&Open...");
        QWidget* panelMenu = editor.findChild<QPushButton*>("EditorFile")->menu();
        QStringList titles;
        for (QAction* command :
            {action(panelMenu, QTest::currentDataTag()), action(&editor, entry)}) {
            ModalAnswer answer([&titles](QWidget* modal) {
                titles << modal->windowTitle();
                static_cast<QDialog*>(modal)->reject();
            });
            command->trigger();
        }
        QCOMPARE(titles.size(), 2);
        QCOMPARE(titles.first(), titles.last());
    }

    void chooserColoursTheWord_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("light orange in the first row") << 0 << 2 << QColor(255, 224, 192);
        QTest::newRow("pure red") << 2 << 1 << QColor(255, 0, 0);
        QTest::newRow("black at the foot of the grey ramp") << 5 << 0 << QColor(0, 0, 0);
        QTest::newRow("last cell") << 5 << 7 << QColor(64, 0, 64);
    }

    void chooserColoursTheWord()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QColor, colour);
        // GIVEN a swatch of 48 colours over black text
        RichtextEditor editor;
        editor.show();
        placeCursor(&editor, 8, "alpha beta gamma");
        auto* swatch = editor.findChild<ColorWidget*>();
        auto* popup = swatch->findChild<ColorWidgetPopup*>();
        QCOMPARE(popup->findChildren<QPushButton*>().size(), 48);
        QSignalSpy picked(swatch, &ColorWidget::colorChanged);
        // WHEN a press opens the popup under it and the cell is clicked
        QTest::mouseClick(swatch, Qt::LeftButton);
        QCOMPARE(popup->pos(), swatch->mapToGlobal(QPoint(0, swatch->height())));
        auto* grid = static_cast<QGridLayout*>(popup->layout());
        QTest::mouseClick(grid->itemAtPosition(row, column)->widget(), Qt::LeftButton);
        // THEN the colour is emitted, the popup closes, the word and the Color entry take it
        QCOMPARE(picked.count(), 1);
        QCOMPARE(picked.at(0).at(0).value<QColor>(), colour);
        QVERIFY(popup->isHidden());
        QCOMPARE(formatAt(&editor, 9).foreground().color(), colour);
        QCOMPARE(formatAt(&editor, 2).foreground().color(), QColor(Qt::black));
        QCOMPARE(
            action(&editor, "&Color...")->icon().pixmap(16).toImage().pixelColor(8, 8), colour);
        // AND the mouse leaving an open popup closes it
        QTest::mouseClick(swatch, Qt::LeftButton);
        QEvent enter(QEvent::Enter), leave(QEvent::Leave);
        QApplication::sendEvent(popup, &enter);
        QApplication::sendEvent(popup, &leave);
        QVERIFY(popup->isHidden());
    }
};

QTEST_MAIN(TestRichtextEditor)

#include "test_RichtextEditor.moc"
