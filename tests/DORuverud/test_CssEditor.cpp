#include "../common/FullDisk.h"
#include "App.h"
#include "CssDoc.h"
#include "CssEditor.h"
#include "CssSheetReader.h"
#include "CssSyntaxHighlighter.h"
#include "DialogTestTools.h"
#include "UnbrokenRun.h"

#include <QClipboard>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCodec>
#include <QTextDocument>
#include <QTextLayout>

#include <sys/stat.h>

using namespace DialogTestTools;
using namespace DORuverud;

namespace {

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// Each line of the document as one letter per character:
// '.' uncoloured, 'g' dark gray, 'G' green, 'c' cyan, 'w' white.
QStringList colourMap(const QTextDocument& document)
{
    const QMap<QRgb, QChar> letters {{QColor(Qt::darkGray).rgb(), 'g'},
        {QColor(Qt::green).rgb(), 'G'}, {QColor(Qt::cyan).rgb(), 'c'},
        {QColor(Qt::white).rgb(), 'w'}};
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString line(block.length() - 1, '.');
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            const QChar letter = letters.value(range.format.foreground().color().rgb(), '?');
            for (int i = range.start; i < range.start + range.length && i < line.size(); ++i)
                line[i] = letter;
        }
        lines << line;
    }
    return lines;
}

// Loads path into the editor through its Open dialog; the text of the
// message box that followed, or an empty text when none came.
QString loadAnswered(CssDoc* doc, const QString& path)
{
    return messageAfterFileDialog(path, [doc] { doc->slotLoad(); });
}

// Rules without a line break or a space, as a minifier writes them.
QByteArray minifiedSheet(int size)
{
    QByteArray sheet;
    for (int i = 0; sheet.size() < size; ++i)
        sheet += "QLabel#name" + QByteArray::number(i) + "{color:red;background:#102030}";
    return sheet;
}

QByteArray sheetOfSize(int size)
{
    QByteArray sheet;
    while (sheet.size() < size)
        sheet += "QLabel#name { color: red; background: #102030; }\n";
    return sheet.left(size - 1) + '\n';
}

} // namespace

class TestCssEditor : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        qApp->setStyleSheet(QString());
    }

    void applyAndReset()
    {
        // GIVEN a style sheet typed into the editor
        CssEditor editor(nullptr);
        CssDoc* doc = editor.findChild<CssDoc*>();
        const QString sheet = "QPushButton#Probe { min-width: 77px; }";
        doc->setPlainText(sheet);
        // WHEN it is applied, THEN the whole application takes it
        editor.slotApply();
        QCOMPARE(qApp->styleSheet(), sheet);
        QPushButton probe;
        probe.setObjectName("Probe");
        probe.ensurePolished();
        QVERIFY(probe.minimumWidth() >= 77);
        // WHEN it is reset, the application has no style sheet and the text stays
        editor.slotReset();
        QCOMPARE(qApp->styleSheet(), QString());
        QCOMPARE(doc->toPlainText(), sheet);
        // AND an empty text applied leaves none either
        doc->clear();
        qApp->setStyleSheet(sheet);
        editor.slotApply();
        QCOMPARE(qApp->styleSheet(), QString());
    }

    void saveAndLoadRoundTrip()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("look.qss");
        const QString sheet = "QLabel { color: red; }\n/* \u00fcn\u00efc\u00f6d\u00e9 */\n";
        CssEditor writer(nullptr);
        writer.show();
        CssDoc* doc = writer.findChild<CssDoc*>();
        doc->setPlainText(sheet);
        // GIVEN no path yet: Save asks for one, and a cancelled dialog writes nothing
        whenModal(fileDialogAnswer(path, false));
        doc->slotSave();
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
        // WHEN a name is chosen, THEN the text is written
        whenModal(fileDialogAnswer(path, true));
        doc->slotSave();
        QCOMPARE(QString::fromUtf8(fileContent(path)), sheet);
        QCOMPARE(writer.windowTitle(), path);

        // WHEN another editor loads the file, THEN it shows the same text, titled with the path
        CssEditor reader(nullptr);
        reader.show();
        whenModal(fileDialogAnswer(path, true));
        reader.findChild<CssDoc*>()->slotLoad();
        QCOMPARE(reader.findChild<CssDoc*>()->toPlainText(), sheet);
        QCOMPARE(reader.windowTitle(), path);

        // AND the next Save asks no more
        ModalAnswer none(fileDialogAnswer(QString(), false));
        doc->setPlainText("QLabel {}");
        doc->slotSave();
        QCOMPARE(none.shown, QString());
        QCOMPARE(fileContent(path), QByteArray("QLabel {}"));
    }

    void failedSaveSaysSoAndKeepsTheName()
    {
        QTemporaryDir folder;
        CssEditor editor(nullptr);
        editor.show();
        CssDoc* doc = editor.findChild<CssDoc*>();
        doc->setPlainText("QLabel {}");
        const QString title = editor.windowTitle();
        // WHEN Save As names a missing folder, THEN it says so and names nothing
        const QString message = messageAfterFileDialog(
            folder.filePath("missing/look.qss"), [doc] { doc->slotSaveAs(); });
        QVERIFY2(message.startsWith("look.qss was not saved."), qPrintable(message));
        QCOMPARE(editor.windowTitle(), title);
        // AND the next Save asks for a name again
        ModalAnswer again(fileDialogAnswer(QString(), false));
        doc->slotSave();
        QCOMPARE(again.shown, QString("QFileDialog"));
    }

    void unsavedTextIsAskedFor_data()
    {
        QTest::addColumn<bool>("closing");
        QTest::newRow("before Open") << false;
        QTest::newRow("before the window closes") << true;
    }

    void unsavedTextIsAskedFor()
    {
        QFETCH(bool, closing);
        // GIVEN a typed text
        CssEditor editor(nullptr);
        editor.show();
        CssDoc* doc = editor.findChild<CssDoc*>();
        QTest::keyClicks(doc, "QLabel {}");
        const auto answer = [](QMessageBox::StandardButton button) {
            return [button](QWidget* modal) {
                if (auto* box = qobject_cast<QMessageBox*>(modal))
                    box->button(button)->click();
                else
                    static_cast<QDialog*>(modal)->reject();
            };
        };
        const auto act = [&] { closing ? void(editor.close()) : doc->slotLoad(); };
        // WHEN the question is cancelled, THEN nothing else opens and the text stays
        {
            ModalAnswer cancelled(answer(QMessageBox::Cancel));
            act();
            QCOMPARE(cancelled.shown, QString("QMessageBox"));
        }
        QVERIFY(editor.isVisible());
        QCOMPARE(doc->toPlainText(), QString("QLabel {}"));
        // WHEN the text is discarded, THEN the window closes, or Open shows its file dialog
        std::unique_ptr<ModalAnswer> fileDialog;
        ModalAnswer discarded([&](QWidget* modal) {
            answer(QMessageBox::Discard)(modal);
            fileDialog = std::make_unique<ModalAnswer>(fileDialogAnswer(QString(), false));
        });
        act();
        QCOMPARE(discarded.shown, QString("QMessageBox"));
        QCOMPARE(editor.isVisible(), !closing);
        if (!closing)
            QCOMPARE(fileDialog->shown, QString("QFileDialog"));
    }

    void loadRefusesWhatItCannotShow_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("refused");
        const QByteArray zip = QByteArray("PK\x03\x04\x14\x00\x00\x00\x08\x00", 10) + "mimetype";
        QTest::newRow("zip file") << zip << true;
        QTest::newRow("zero byte") << QByteArray("QLabel {}\0 /* tail */", 22) << true;
        QTest::newRow("escape character") << QByteArray("QLabel { color: \x1b[31m; }") << true;
        if (QTextCodec::codecForLocale()->mibEnum() == 106) {
            QTest::newRow("not UTF-8") << QByteArray("QLabel { color: \xff\xfe; }") << true;
            QTest::newRow("cut UTF-8") << QByteArray("QLabel {} /* \xc3") << true;
        }
        QTest::newRow("half of a surrogate pair in UTF-16")
            << QByteArray("\xff\xfe{\0}\0\x00\xd8\n\0", 10) << true;
        QTest::newRow("UTF-32 value beyond Unicode")
            << QByteArray("\xff\xfe\0\0{\0\0\0\0\0\x11\0}\0\0\0", 16) << true;
        QTest::newRow("UTF-32 value that wraps to a pair")
            << QByteArray("\xff\xfe\0\0{\0\0\0\0\0\x01\x04}\0\0\0", 16) << true;
        const int size = CssSheetReader::maxFileSize;
        QTest::newRow("largest file") << sheetOfSize(size) << false;
        QTest::newRow("a byte beyond") << sheetOfSize(size + 1) << true;
        const int run = UnbrokenRun::maxLength;
        QTest::newRow("longest line, one word") << QByteArray(run, 'a') + "\n{}" << false;
        QTest::newRow("a character beyond") << "{}\n" + QByteArray(run + 1, 'a') << true;
        QTest::newRow("300 KB minified on one line") << minifiedSheet(300000) << false;
        QTest::newRow("a comment of 15,000 lines of a number") << "/*\n"
                + QByteArray("12\n").repeated(15000) + "*/\n" << false;
    }

    void loadRefusesWhatItCannotShow()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, refused);
        QTemporaryDir folder;
        const QString mine = folder.filePath("mine.qss");
        const QString other = folder.filePath("other.qss");
        for (const auto& file :
            {qMakePair(mine, QByteArray("QLabel { color: red; }")), qMakePair(other, content)}) {
            QFile out(file.first);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file.second) == file.second.size());
        }
        // GIVEN an editor that holds a style sheet of its own
        CssEditor editor(nullptr);
        editor.show();
        CssDoc* doc = editor.findChild<CssDoc*>();
        QCOMPARE(loadAnswered(doc, mine), QString());

        // WHEN the other file is opened
        const QString message = loadAnswered(doc, other);

        // THEN a refused file is named and why, and the editor keeps its own file
        QCOMPARE(message.startsWith("other.qss was not opened.\n"), refused);
        QCOMPARE(doc->toPlainText(),
            refused ? QString("QLabel { color: red; }")
                    : QTextCodec::codecForLocale()->toUnicode(content));
        QCOMPARE(editor.windowTitle(), refused ? mine : other);
        // AND Save writes only to the file it holds
        doc->slotSave();
        QCOMPARE(fileContent(other), content);
    }

    void unchangedSheetSavesItsOwnBytes_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QString sheet = QString::fromUtf8("QLabel {\n content: \"\u00a0\u00fc\u97f3\";\n}\n");
        QTest::newRow("UTF-16 with byte-order mark")
            << QTextCodec::codecForName("UTF-16LE")->fromUnicode(sheet);
        QTest::newRow("UTF-8 with byte-order mark") << "\xef\xbb\xbf" + sheet.toUtf8();
        QTest::newRow("CR LF lines") << sheet.toUtf8().replace("\n", "\r\n");
        QTest::newRow("CR LF and LF lines") << QByteArray("a {}\r\nb {}\nc {}\r\n");
        QTest::newRow("line separator") << QString("a {}\u2028b {}").toUtf8();
    }

    // Opened and saved without an edit, a style sheet keeps its bytes.
    void unchangedSheetSavesItsOwnBytes()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir folder;
        const QString path = folder.filePath("look.qss");
        QVERIFY(writeFile(path, content));
        CssEditor editor(nullptr);
        CssDoc* doc = editor.findChild<CssDoc*>();
        QCOMPARE(loadAnswered(doc, path), QString());
        QFile::remove(path);
        doc->slotSave();
        QCOMPARE(fileContent(path), content);
    }

    void oneLineSheetOpensAndApplies()
    {
        // GIVEN a minified sheet of 300 KB on one line, ending in a rule for a probe
        QTemporaryDir folder;
        const QString path = folder.filePath("minified.qss");
        const QByteArray sheet = minifiedSheet(300000) + "QPushButton#Probe{min-width:77px}";
        QVERIFY(writeFile(path, sheet));
        CssEditor editor(nullptr);
        editor.show();
        CssDoc* doc = editor.findChild<CssDoc*>();
        // WHEN opened and applied, THEN it shows coloured and the application takes it
        QCOMPARE(loadAnswered(doc, path), QString());
        QCOMPARE(doc->toPlainText().toUtf8(), sheet);
        QCOMPARE(colourMap(*doc->document()).first().right(5), QString("GGGGG"));
        editor.slotApply();
        QPushButton probe;
        probe.setObjectName("Probe");
        probe.ensurePolished();
        QVERIFY(probe.minimumWidth() >= 77);
    }

    void pasteMeetsTheBoundsOfALine()
    {
        // GIVEN a line of 20,000 letters with the cursor at its end
        CssEditor editor(nullptr);
        CssDoc* doc = editor.findChild<CssDoc*>();
        doc->setPlainText(QString(20000, 'a'));
        doc->moveCursor(QTextCursor::End);
        // WHEN as many are pasted, THEN the paste says why and leaves the text
        QApplication::clipboard()->setText(QString(20000, 'a'));
        QString message;
        {
            ModalAnswer box([&message](QWidget* modal) {
                message = static_cast<QMessageBox*>(modal)->text();
                static_cast<QDialog*>(modal)->reject();
            });
            doc->paste();
        }
        QVERIFY2(message.startsWith("The text was not inserted.\n")
                && message.contains("without a place to break"),
            qPrintable(message));
        QCOMPARE(doc->toPlainText(), QString(20000, 'a'));
        // AND rich text goes in as its plain text
        auto* offer = new QMimeData;
        offer->setHtml("<b>QLabel {}</b>");
        offer->setText("QLabel {}");
        QApplication::clipboard()->setMimeData(offer);
        doc->clear();
        doc->paste();
        QCOMPARE(doc->toPlainText(), QString("QLabel {}"));
        QTextCursor letter(doc->document());
        letter.setPosition(1);
        QVERIFY(letter.charFormat().fontWeight() != QFont::Bold);
    }

    void fullDiskKeepsTheFileAndSaysWhy()
    {
        // GIVEN a loaded, changed style sheet
        QTemporaryDir folder;
        const QString path = folder.filePath("look.qss");
        const QByteArray old = sheetOfSize(1824);
        QVERIFY(writeFile(path, old));
        CssEditor editor(nullptr);
        CssDoc* doc = editor.findChild<CssDoc*>();
        QCOMPARE(loadAnswered(doc, path), QString());
        doc->textCursor().insertText("QLabel {}\n");
        // WHEN saved onto a full disk, in a child whose message box a timer answers
        const QString seen = onFullDisk(0, [doc] {
            QString message;
            ModalAnswer box([&message](QWidget* modal) {
                message = static_cast<QMessageBox*>(modal)->text();
                static_cast<QDialog*>(modal)->reject();
            });
            doc->slotSave();
            return QString("modified %1: %2").arg(doc->document()->isModified()).arg(message);
        });
        // THEN it says why, the text stays modified and the file as it was
        const QString said = "modified 1: look.qss was not saved.\n";
        QVERIFY2(seen.startsWith(said) && seen.size() > said.size(), qPrintable(seen));
        QCOMPARE(fileContent(path), old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList {"look.qss"});
    }

    void sheetReaderRefusesWhatIsNoFileUnread_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("folder") << QDir::tempPath();
        QTest::newRow("endless device") << "/dev/zero";
        QTest::newRow("pipe without a writer") << "pipe";
        QTest::newRow("missing file") << "missing.qss";
    }

    // A pipe without a writer would block the open for ever.
    void sheetReaderRefusesWhatIsNoFileUnread()
    {
        QFETCH(QString, path);
        QTemporaryDir folder;
        const QString pipe = folder.filePath("pipe");
        QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const CssSheetReader sheet = CssSheetReader::fromFile(QDir(folder.path()).filePath(path));
        QCOMPARE(sheet.refusal(), QString("It is not a file that can be read."));
        QCOMPARE(sheet.text(), QString());
    }

    void highlighterColoursByRange_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("colours");
        QTest::newRow("plain words stay uncoloured") << "abc xyz" << QStringList {"......."};
        QTest::newRow("hash in a colour value greens the rest")
            << "color: #ff0000;" << QStringList {".....w.GGGGGGGG"};
        QTest::newRow("object-name selector")
            << "QPushButton#name" << QStringList {"...........GGGGG"};
        QTest::newRow("line comment wins over a later block comment")
            << "a // x /* y" << QStringList {"..ggggggggg"};
        QTest::newRow("block comment within a line")
            << "a /* b */ c" << QStringList {"..ggggggg.."};
        QTest::newRow("slash star slash is a whole comment") << "/*/x" << QStringList {"ggg."};
        QTest::newRow("digits are cyan, even inside words") << "h1 12px" << QStringList {".c.cc.."};
        QTest::newRow("double-quoted string") << "url(\"a.png\")" << QStringList {"...wcccccccw"};
        QTest::newRow("escaped quote keeps the string open")
            << "\"a\\\"b\" x" << QStringList {"cccccc.."};
        QTest::newRow("comment marker inside a string is text")
            << "\"//\" a" << QStringList {"cccc.."};
        QTest::newRow("keywords inside longer words")
            << "interval republic" << QStringList {"www........wwwwww"};
        QTest::newRow("arrow and shift are one keyword") << "a->b<<c" << QStringList {".ww.ww."};
    }

    void highlighterColoursByRange()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, colours);
        QTextDocument document;
        auto* highlighter = new CssSyntaxHighlighter(&document);
        document.setPlainText(text);
        highlighter->rehighlight();
        QCOMPARE(colourMap(document), colours);
    }

    void highlighterCarriesOpenElementsAcrossLines()
    {
        // GIVEN a comment and a string that stay open across lines
        QTextDocument document;
        document.documentLayout(); // edits reach the highlighter only through a layout
        auto* highlighter = new CssSyntaxHighlighter(&document);
        document.setPlainText("a /* b\n\nc */ d\n\"e\nf\" g");
        highlighter->rehighlight();
        // THEN the lines between are coloured
        QCOMPARE(colourMap(document), (QStringList {"..gggg", "", "gggg..", "cc", "cc.."}));
        // WHEN the comment is closed on its first line, THEN the following lines lose its colour
        QTextCursor cursor(document.begin());
        cursor.movePosition(QTextCursor::EndOfBlock);
        cursor.insertText(" */");
        QCOMPARE(colourMap(document).mid(0, 3), (QStringList {"..ggggggg", "", "..ww.."}));
    }
};

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    TestCssEditor test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_CssEditor.moc"
