#include "ColorWidget.h"
#include "ColorWidgetPopup.h"
#include "DialogTestTools.h"
#include "EditorPanel.h"
#include "RichtextEditor.h"
#include "TextEditTestTools.h"

#include <QClipboard>
#include <QGridLayout>
#include <QMenu>
#include <QPushButton>

using namespace DialogTestTools;
using namespace DORuverud;
using namespace TextEditTestTools;

namespace {

// "alpha beta gamma" with the cursor inside "beta".
void prepare(QWidget* editor)
{
    textArea(editor)->setPlainText("alpha beta gamma");
    QTextCursor cursor = textArea(editor)->textCursor();
    cursor.setPosition(8);
    textArea(editor)->setTextCursor(cursor);
}

QAction* fileEntry(RichtextEditor& editor, const QString& text)
{
    return action(editor.findChild<QPushButton*>("EditorFile")->menu(), text);
}

} // namespace

class TestRichtextEditor : public QObject
{
    Q_OBJECT

private slots:
    void buttonsActAsTheMenuEntries_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("entry");
        QTest::newRow("bold") << "EditorTextBold"
                              << "&Bold";
        QTest::newRow("italic") << "EditorTextItalic"
                                << "&Italic";
        QTest::newRow("underline") << "EditorTextUnderline"
                                   << "&Underline";
        QTest::newRow("left") << "EditorTextAlignLeft"
                              << "&Left";
        QTest::newRow("center") << "TextAlignCenter"
                                << "C&enter";
        QTest::newRow("right") << "TextAlignRight"
                               << "&Right";
        QTest::newRow("justify") << "TextAlignJustify"
                                 << "&Justify";
        QTest::newRow("undo") << "TextUndo"
                              << "&Undo";
        QTest::newRow("cut") << "TextCut"
                             << "Cu&t";
        QTest::newRow("paste") << "TextPaste"
                               << "&Paste";
    }

    void buttonsActAsTheMenuEntries()
    {
        QFETCH(QString, button);
        QFETCH(QString, entry);
        // GIVEN two editors with the same text, one word selected, one edit to undo
        QString results[2];
        for (int byButton = 0; byButton < 2; ++byButton) {
            QApplication::clipboard()->setText("pasted");
            RichtextEditor editor;
            prepare(&editor);
            textArea(&editor)->textCursor().insertText("x");
            QTextCursor cursor = textArea(&editor)->textCursor();
            cursor.select(QTextCursor::WordUnderCursor);
            textArea(&editor)->setTextCursor(cursor);
            // WHEN one clicks the button and the other chooses the entry
            if (byButton)
                QTest::mouseClick(editor.findChild<QPushButton*>(button), Qt::LeftButton);
            else
                action(&editor, entry)->trigger();
            results[byButton] = editor.html() + QApplication::clipboard()->text();
        }
        // THEN both end alike
        QCOMPARE(results[1], results[0]);
    }

    void fileMenuRunsTheEditorsCommands_data()
    {
        QTest::addColumn<QString>("panelEntry");
        QTest::addColumn<QString>("menuEntry");
        QTest::addColumn<QString>("dialogTitle");
        QTest::newRow("open") << "Open..."
                              << "&Open..."
                              << "Open File...";
        QTest::newRow("save of an untitled text") << "Save"
                                                  << "&Save"
                                                  << "Save as...";
        QTest::newRow("save as") << "Save As..."
                                 << "Save &As..."
                                 << "Save as...";
        QTest::newRow("print") << "Print..."
                               << "&Print..."
                               << "Print Document";
        QTest::newRow("preview") << "Print Preview..."
                                 << "Print Preview..."
                                 << "Print Preview";
        QTest::newRow("pdf") << "Create PDF"
                             << "&Export PDF..."
                             << "Export PDF";
    }

    void fileMenuRunsTheEditorsCommands()
    {
        QFETCH(QString, panelEntry);
        QFETCH(QString, menuEntry);
        QFETCH(QString, dialogTitle);
        RichtextEditor editor;
        editor.show();
        QTest::keyClicks(textArea(&editor), "x"); // Save is offered; Open does not ask
        textArea(&editor)->document()->setModified(panelEntry != "Open...");
        for (QAction* entry : {fileEntry(editor, panelEntry), action(&editor, menuEntry)}) {
            QString title;
            ModalAnswer answer([&title](QWidget* modal) {
                title = modal->windowTitle();
                static_cast<QDialog*>(modal)->reject();
            });
            entry->trigger();
            QCOMPARE(title, dialogTitle);
        }
    }

    void fileMenuListsSixEntries()
    {
        RichtextEditor editor;
        QStringList texts;
        for (QAction* entry : editor.findChild<QPushButton*>("EditorFile")->menu()->actions())
            texts << entry->text();
        QCOMPARE(texts,
            QStringList(
                {"Open...", "Save", "Save As...", "Print...", "Print Preview...", "Create PDF"}));
    }

    void chooserColoursTheWord()
    {
        // GIVEN a white swatch over black text
        RichtextEditor editor;
        prepare(&editor);
        auto* swatch = editor.findChild<ColorWidget*>();
        QCOMPARE(swatch->color(), QColor(Qt::white));
        QCOMPARE(textArea(&editor)->currentCharFormat().foreground().color(), QColor(Qt::black));
        // WHEN red is picked
        auto* grid = qobject_cast<QGridLayout*>(swatch->findChild<ColorWidgetPopup*>()->layout());
        QTest::mouseClick(swatch, Qt::LeftButton);
        QTest::mouseClick(grid->itemAtPosition(2, 1)->widget(), Qt::LeftButton);
        // THEN the word under the cursor and the Color entry turn red
        QTextCursor cursor(textArea(&editor)->document());
        cursor.setPosition(9);
        QCOMPARE(cursor.charFormat().foreground().color(), QColor(Qt::red));
        const QImage icon = action(&editor, "&Color...")->icon().pixmap(16).toImage();
        QCOMPARE(icon.pixelColor(8, 8), QColor(Qt::red));
    }

    void noButtonAsksForTheTextColour()
    {
        RichtextEditor editor;
        auto* panel = editor.findChild<EditorPanel*>();
        QSignalSpy asked(panel, &EditorPanel::textColor);
        const auto buttons
            = panel->findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(buttons.size(), 13);
        for (QPushButton* button : buttons) {
            if (!button->menu())
                QTest::mouseClick(button, Qt::LeftButton);
        }
        QCOMPARE(asked.count(), 0);
    }

    void htmlInAndOut()
    {
        RichtextEditor editor;
        QSignalSpy changed(&editor, &RichtextEditor::textChanged);
        editor.setHtml("<p><b>strong</b> words</p>");
        QVERIFY(editor.html().contains("font-weight:600;\">strong</span> words"));
        QTest::keyClicks(textArea(&editor), "ab");
        QCOMPARE(changed.count(), 3);
    }
};

QTEST_MAIN(TestRichtextEditor)

#include "test_RichtextEditor.moc"
