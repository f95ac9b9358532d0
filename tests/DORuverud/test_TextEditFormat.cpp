#include "TextEdit.h"
#include "TextEditTestTools.h"

#include <QClipboard>
#include <QComboBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QTextBlock>
#include <QTextList>

using namespace TextEditTestTools;

namespace {

// The character format at a position of the document.
QTextCharFormat formatAt(QTextEdit* area, int position)
{
    QTextCursor cursor(area->document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

void placeCursor(QTextEdit* area, int position)
{
    QTextCursor cursor = area->textCursor();
    cursor.setPosition(position);
    area->setTextCursor(cursor);
}

// "alpha beta" with the cursor inside "beta".
void prepare(TextEdit& window)
{
    textArea(&window)->setPlainText("alpha beta");
    placeCursor(textArea(&window), 8);
}

} // namespace

class TestTextEditFormat : public QObject
{
    Q_OBJECT

private slots:
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
        const auto isOn = [entry](const QTextCharFormat& format) {
            return entry == "&Bold"  ? format.fontWeight() == 75
                : entry == "&Italic" ? format.fontItalic()
                                     : format.fontUnderline();
        };
        TextEdit window;
        prepare(window);
        QTextEdit* area = textArea(&window);
        // WHEN the entry is chosen with the cursor in "beta", THEN only that word changes
        action(&window, entry)->trigger();
        QVERIFY(isOn(formatAt(area, 6)) && isOn(formatAt(area, 9)));
        QVERIFY(!isOn(formatAt(area, 0)));
        QVERIFY(isOn(area->currentCharFormat()));
        // AND the entry shows checked in the word, unchecked outside it
        placeCursor(area, 2);
        QVERIFY(!action(&window, entry)->isChecked());
        placeCursor(area, 8);
        QVERIFY(action(&window, entry)->isChecked());
        // WHEN chosen again, THEN the word is plain again
        action(&window, entry)->trigger();
        QVERIFY(!isOn(formatAt(area, 6)));
        QCOMPARE(formatAt(area, 6).fontWeight(), int(QFont::Normal));
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
        QFETCH(qreal, size);
        TextEdit window;
        prepare(window);
        textArea(&window)->selectAll();
        auto* combo = window.findChild<QComboBox*>("comboSize");
        combo->lineEdit()->setText(typed);
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QCOMPARE(formatAt(textArea(&window), 0).fontPointSize(), size);
    }

    void familyAndSizeFollowTheCursor()
    {
        TextEdit window;
        textArea(&window)->setHtml(
            "<span style=\"font-family:'DejaVu Serif'; font-size:20pt\">big</span>"
            "<span style=\"font-size:15pt\">odd</span>");
        placeCursor(textArea(&window), 1);
        QCOMPARE(window.findChild<QFontComboBox*>()->currentText(), QString("DejaVu Serif"));
        QCOMPARE(window.findChild<QComboBox*>("comboSize")->currentText(), QString("20"));
        // A size among none of the standard ones selects no entry.
        placeCursor(textArea(&window), 5);
        QCOMPARE(window.findChild<QComboBox*>("comboSize")->currentIndex(), -1);
    }

    void listStylesInOneUndoStep_data()
    {
        QTest::addColumn<bool>("startInList");
        QTest::addColumn<int>("styleIndex");
        QTest::addColumn<int>("listStyle");
        QTest::addColumn<int>("listIndent");
        QTest::addColumn<int>("blockIndent");
        QTest::newRow("decimal on a paragraph indented by 2")
            << false << 4 << int(QTextListFormat::ListDecimal) << 3 << 0;
        QTest::newRow("square inside a list keeps its indent")
            << true << 3 << int(QTextListFormat::ListSquare) << 1 << 0;
        QTest::newRow("upper roman")
            << false << 8 << int(QTextListFormat::ListUpperRoman) << 3 << 0;
        QTest::newRow("unknown index means disc")
            << false << 12 << int(QTextListFormat::ListDisc) << 3 << 0;
        QTest::newRow("standard leaves the list, in place") << true << 0 << 0 << 0 << 1;
    }

    void listStylesInOneUndoStep()
    {
        QFETCH(bool, startInList);
        QFETCH(int, styleIndex);
        QFETCH(int, listStyle);
        QFETCH(int, listIndent);
        QFETCH(int, blockIndent);
        TextEdit window;
        QTextEdit* area = textArea(&window);
        area->setPlainText("item");
        QTextCursor cursor = area->textCursor();
        if (startInList)
            cursor.createList(QTextListFormat::ListDisc);
        QTextBlockFormat indented = cursor.blockFormat();
        indented.setIndent(startInList ? 0 : 2);
        cursor.setBlockFormat(indented);
        const QString before = area->toHtml();
        // WHEN a style is chosen
        window.textStyle(styleIndex);
        // THEN the paragraph is in a list of that style, or in none
        QTextList* list = area->textCursor().currentList();
        QCOMPARE(list ? int(list->format().style()) : 0, listStyle); // styles are negative
        QCOMPARE(list ? list->format().indent() : 0, listIndent);
        QCOMPARE(area->textCursor().blockFormat().indent(), blockIndent);
        // AND one undo takes it all back
        area->undo();
        QCOMPARE(area->toHtml(), before);
    }

    void alignmentFollowsTheCursor()
    {
        TextEdit window;
        QTextEdit* area = textArea(&window);
        area->setPlainText("left\ncentred\nright");
        placeCursor(area, 6);
        window.slotTextAlignCenter();
        placeCursor(area, 15);
        window.slotTextAlignRight();
        const QList<QPair<int, QString>> checked
            = {{1, "&Left"}, {6, "C&enter"}, {15, "&Right"}, {2, "&Left"}};
        for (const auto& [position, entry] : checked) {
            placeCursor(area, position);
            QVERIFY2(action(&window, entry)->isChecked(), qPrintable(entry));
        }
        QCOMPARE(
            area->document()->findBlockByNumber(1).blockFormat().alignment(), Qt::AlignHCenter);
    }

    void colourAppliesAndShows_data()
    {
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QColor>("shown");
        QTest::newRow("red") << QColor(Qt::red) << QColor(Qt::red);
        QTest::newRow("invalid changes nothing") << QColor() << QColor(Qt::black);
    }

    void colourAppliesAndShows()
    {
        QFETCH(QColor, colour);
        QFETCH(QColor, shown);
        TextEdit window;
        prepare(window);
        window.slotColorChanged(colour);
        QCOMPARE(formatAt(textArea(&window), 7).foreground().color(), shown);
        QCOMPARE(formatAt(textArea(&window), 2).foreground().color(), QColor(Qt::black));
        const QImage icon = action(&window, "&Color...")->icon().pixmap(16).toImage();
        QCOMPARE(icon.pixelColor(8, 8), shown);
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

    void formatMenuFollowsTheLayoutDirection_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("left to right")
            << int(Qt::LeftToRight) << QStringList {"&Left", "C&enter", "&Right", "&Justify"};
        QTest::newRow("right to left")
            << int(Qt::RightToLeft) << QStringList {"&Right", "C&enter", "&Left", "&Justify"};
    }

    void formatMenuFollowsTheLayoutDirection()
    {
        QFETCH(int, direction);
        QFETCH(QStringList, entries);
        QApplication::setLayoutDirection(Qt::LayoutDirection(direction));
        TextEdit window;
        QApplication::setLayoutDirection(Qt::LeftToRight);
        QStringList texts;
        for (QAction* entry : window.menuBar()->actions().at(2)->menu()->actions())
            texts << entry->text();
        QCOMPARE(texts,
            QStringList({"&Bold", "&Italic", "&Underline", ""}) + entries
                + QStringList({"", "&Color..."}));
    }
};

QTEST_MAIN(TestTextEditFormat)

#include "test_TextEditFormat.moc"
