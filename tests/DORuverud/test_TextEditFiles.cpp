// The rich-text editor's files as a user has them: read whole in the editor's
// font, kept as they were unless edited, and pages saved elsewhere still
// showing their pictures.
#include "../common/TestFolder.h"
#include "DialogTestTools.h"
#include "EditorTestTools.h"
#include "TextEdit.h"

#include <QBuffer>
#include <QDir>
#include <QTextBlock>
#include <QTextCodec>
#include <QTextEdit>
#include <QTextLayout>

using namespace DialogTestTools;
using namespace EditorTestTools;

namespace {

QTextEdit* textArea(QWidget* window)
{
    return window->findChild<QTextEdit*>();
}

// Opens the file through the Open dialog; the text of the message box that
// followed, or an empty text when none came.
QString openAnswered(TextEdit* window, const QString& path)
{
    return messageAfterFileDialog(path, [window] {
        window->slotFileOpen();
        settled(window);
    });
}

QByteArray png(const QColor& colour)
{
    QImage picture(24, 24, QImage::Format_RGB32);
    picture.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

// Whether the picture shows a pixel of the colour.
bool shows(const QImage& picture, const QColor& colour)
{
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixelColor(x, y) == colour)
                return true;
        }
    }
    return false;
}

} // namespace

class TestTextEditFiles : public QObject
{
    Q_OBJECT

private slots:
    void filesOfNumbersOpen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("lines");
        QTest::newRow("CSV of 10,000 rows")
            << "rows.csv" << QByteArray("123,45,6\n").repeated(10000) << 10001;
        QByteArray numbers;
        for (int number = 1; number <= 20000; ++number)
            numbers += QByteArray::number(number) + '\n';
        QTest::newRow("one number a line, 20,000 lines") << "numbers" << numbers << 20001;
    }

    // A line end ends a run that the layout cannot break, after a digit too.
    void filesOfNumbersOpen()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        TestFolder folder;
        TextEdit window;
        QCOMPARE(openAnswered(&window, folder.write(name, content)), QString());
        QTEST(textArea(&window)->document()->blockCount(), "lines");
        QVERIFY(window.slotFileSave());
        QCOMPARE(folder.read(name), content);
    }

    // Shown as browsers show it, saved without an edit as it was, and with an
    // edit as the valid UTF-8 of what was shown.
    void strayByteOfAPageShowsAsBrowsersShowIt()
    {
        const QByteArray page = "<meta charset=\"utf-8\"><p>caf\xe9 au lait</p>";
        TestFolder folder;
        const QString path = folder.write("page.html", page);
        TextEdit window;
        QCOMPARE(openAnswered(&window, path), QString());
        QCOMPARE(textArea(&window)->toPlainText(), QStringLiteral("caf\ufffd au lait"));
        QVERIFY(window.slotFileSave());
        QCOMPARE(folder.read("page.html"), page);
        QTest::keyClicks(textArea(&window), "A ");
        QVERIFY(window.slotFileSave());
        const QByteArray saved = folder.read("page.html");
        QVERIFY2(saved.contains("A caf\xef\xbf\xbd au lait"), saved.constData());
        QTextCodec::ConverterState state;
        QTextCodec::codecForName("UTF-8")->toUnicode(saved.constData(), saved.size(), &state);
        QCOMPARE(state.invalidChars, 0);
        TextEdit reader;
        QCOMPARE(openAnswered(&reader, path), QString());
        QCOMPARE(textArea(&reader)->toPlainText(), QStringLiteral("A caf\ufffd au lait"));
    }

    // Saved again, a file nobody edited keeps its bytes, its inode and its
    // time, even where the editor would write it otherwise.
    void saveWithoutAnEditLeavesTheFile()
    {
        TestFolder folder;
        const QByteArray page = "<!DOCTYPE html><html><body><p>words</p></body></html>\n";
        const QString path = folder.write("page.html", page);
        const QFileInfo before(path);
        TextEdit window;
        QCOMPARE(openAnswered(&window, path), QString());
        QVERIFY(window.slotFileSave());
        QCOMPARE(folder.read("page.html"), page);
        const QFileInfo after(path);
        QCOMPARE(after.lastModified(), before.lastModified());
        // AND a document set anew is written, though it shows no edit
        window.setHtml("<p>new words</p>");
        QVERIFY(window.slotFileSave());
        QVERIFY(folder.read("page.html").contains("new words"));
    }

    void editUndoneLeavesTheFile_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("undone");
        QTest::addColumn<int>("redone");
        QTest::addColumn<bool>("kept");
        QTest::newRow("a word typed and undone") << "chord" << 1 << 0 << true;
        QTest::newRow("a letter typed, undone and redone") << "x" << 1 << 1 << false;
        QTest::newRow("nothing undone") << "x" << 0 << 0 << false;
    }

    // Undone back to what was read, a page is saved as it was read: its own
    // bytes, not Qt's HTML; and after a save, back to what was saved.
    void editUndoneLeavesTheFile()
    {
        QFETCH(QString, typed);
        QFETCH(int, undone);
        QFETCH(int, redone);
        QFETCH(bool, kept);
        TestFolder folder;
        const QByteArray page = "<!DOCTYPE html>\n<html><head><title>Chords</title></head>\n"
                                "<body><h1>Am7</h1><p>A minor seventh: <b>A C E G</b>.</p></body>"
                                "</html>\n";
        const QString path = folder.write("page.html", page);
        TextEdit window;
        window.show();
        QCOMPARE(openAnswered(&window, path), QString());
        QTest::keyClicks(textArea(&window), typed);
        for (int i = 0; i < undone; ++i)
            window.slotUndo();
        for (int i = 0; i < redone; ++i)
            window.slotRedo();
        QVERIFY(window.slotFileSave());
        QCOMPARE(folder.read("page.html") == page, kept);
        if (kept)
            return;
        // AND once saved, an edit undone back to the saved state leaves what was saved
        const QByteArray saved = folder.read("page.html");
        QTest::keyClicks(textArea(&window), "y");
        window.slotUndo();
        QVERIFY(window.slotFileSave());
        QCOMPARE(folder.read("page.html"), saved);
    }

    void saveWritesOverAFileChangedSinceOpened_data()
    {
        QTest::addColumn<QByteArray>("meanwhile");
        QTest::newRow("written over by another program") << QByteArray("<p>theirs</p>");
        QTest::newRow("emptied") << QByteArray();
    }

    // GIVEN an opened page, unedited, that another program changes meanwhile
    // WHEN saved, THEN it holds what the window shows
    void saveWritesOverAFileChangedSinceOpened()
    {
        QFETCH(QByteArray, meanwhile);
        TestFolder folder;
        const QString path = folder.write("page.html", "<p>mine</p>");
        TextEdit window;
        QCOMPARE(openAnswered(&window, path), QString());
        folder.write("page.html", meanwhile);
        QVERIFY(window.slotFileSave());
        QVERIFY2(folder.read("page.html").contains("mine"), folder.read("page.html").constData());
    }

    void pageSavedElsewhereShowsItsPictures_data()
    {
        QTest::addColumn<QString>("savedAs");
        QTest::addColumn<QString>("written");
        QTest::newRow("folder beside it") << "copies/page.html"
                                          << "../site/";
        QTest::newRow("folder below it") << "site/deeper/page.html"
                                         << "../";
        QTest::newRow("folder above it") << "page.html"
                                         << "site/";
        QTest::newRow("same folder") << "site/again.html"
                                     << "";
    }

    // Pictures named relative to the page are named from the new place, the
    // others as they were; nothing is copied.
    void pageSavedElsewhereShowsItsPictures()
    {
        QFETCH(QString, savedAs);
        QFETCH(QString, written);
        // GIVEN a page under a rule, naming pictures beside it, below it, by
        // an absolute path and by a data URL, and a cell background beside it
        TestFolder folder;
        QDir(folder.path()).mkpath("site/icons");
        QDir(folder.path()).mkpath("site/deeper");
        QDir(folder.path()).mkpath("copies");
        QDir(folder.path()).mkpath("elsewhere");
        folder.write("site/picture.png", png(Qt::red));
        folder.write("site/icons/dot.png", png(Qt::green));
        folder.write("site/back.png", png(Qt::magenta));
        const QString absolute = folder.write("elsewhere/absolute.png", png(Qt::blue));
        const QString data = "data:image/png;base64," + png(Qt::yellow).toBase64();
        const QString page
            = "<html><body><hr><p><img src=\"picture.png\"><img src=\"icons/dot.png\">"
              "<img src=\""
            + absolute + "\"><img src=\"" + data
            + "\"></p><table><tr><td background=\"back.png\" width=\"40\" height=\"40\">c</td>"
              "</tr></table></body></html>";
        const QString path = folder.write("site/page.html", page.toUtf8());
        TextEdit window;
        QCOMPARE(openAnswered(&window, path), QString());
        // WHEN saved as a page elsewhere
        whenModal(fileDialogAnswer(folder.path(savedAs), true));
        QVERIFY(window.slotFileSaveAs());
        // THEN it names the pictures from there, nothing else changes and nothing is copied
        const QString saved = QString::fromUtf8(folder.read(savedAs));
        for (const QString& name :
            {written + "picture.png", written + "icons/dot.png", absolute, data})
            QVERIFY2(saved.contains("src=\"" + name + "\""), qPrintable(name));
        QVERIFY2(saved.contains("background=\"" + written + "back.png\""), qPrintable(saved));
        QVERIFY2(saved.contains("<hr />"), qPrintable(saved));
        QCOMPARE(QDir(QFileInfo(folder.path(savedAs)).path()).entryList({"*.png"}, QDir::Files),
            QStringList(
                written.isEmpty() ? QStringList {"back.png", "picture.png"} : QStringList {}));
        QCOMPARE(folder.read("site/page.html"), page.toUtf8());
        // AND reopened there, it shows each picture
        TextEdit reader;
        reader.resize(600, 400);
        reader.show();
        QCOMPARE(openAnswered(&reader, folder.path(savedAs)), QString());
        const QImage shown = textArea(&reader)->viewport()->grab().toImage();
        for (const QColor& colour : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue),
                 QColor(Qt::yellow), QColor(Qt::magenta)})
            QVERIFY2(shows(shown, colour), qPrintable(colour.name()));
    }

    void openKeepsTheEditorsFont_data()
    {
        QTest::addColumn<bool>("styleSheet");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        const QByteArray text = "Am7 D7 Gmaj7\n";
        const QByteArray page = "<html><body><p>Am7 D7 Gmaj7</p></body></html>";
        QTest::newRow("font given, plain text") << false << "notes.txt" << text;
        QTest::newRow("font given, page") << false << "notes.html" << page;
        QTest::newRow("style sheet's font, plain text") << true << "notes.txt" << text;
        QTest::newRow("style sheet's font, page") << true << "notes.html" << page;
    }

    // The text area's font, given or from a style sheet, is the document's
    // after Open, and its text is laid out in it.
    void openKeepsTheEditorsFont()
    {
        QFETCH(bool, styleSheet);
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        TestFolder folder;
        TextEdit window;
        if (styleSheet)
            window.setStyleSheet("QTextEdit { font: 21pt \"DejaVu Serif\"; }");
        else
            textArea(&window)->setFont(QFont("DejaVu Serif", 21));
        window.show();
        QCOMPARE(openAnswered(&window, folder.write(name, content)), QString());
        const QFont font = textArea(&window)->document()->defaultFont();
        QCOMPARE(font.family(), QString("DejaVu Serif"));
        QCOMPARE(font.pointSize(), 21);
        QTextLayout* layout = textArea(&window)->document()->begin().layout();
        QVERIFY(layout->lineCount() > 0);
        QVERIFY2(layout->lineAt(0).height() > 1.5 * QFontMetricsF(QFont()).height(),
            qPrintable(QString::number(layout->lineAt(0).height())));
        // AND so after New
        window.slotFileNew();
        QCOMPARE(textArea(&window)->document()->defaultFont().pointSize(), 21);
    }
};

QTEST_MAIN(TestTextEditFiles)
#include "test_TextEditFiles.moc"
