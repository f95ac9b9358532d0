// Files the rich-text editor opens within its bounds, and those it refuses
// with the reason, the document kept.
#include "RichtextTestTools.h"

using namespace DialogTestTools;
using namespace DORuverud;
using namespace EditorTestTools;
using namespace HostileHtml;
using namespace RichtextTestTools;

class TestTextEditBounds : public QObject
{
    Q_OBJECT

private slots:
    void pipeIsRefusedWithoutWaiting()
    {
        TestFolder folder;
        const QString path = folder.path("pipe.html");
        QCOMPARE(QProcess::execute("mkfifo", {path}), 0);
        TextEdit window;
        textArea(&window)->setPlainText(sample);
        QVERIFY(openAnswered(&window, path).contains("not a regular file"));
        QCOMPARE(textArea(&window)->toPlainText(), sample);
        QCOMPARE(window.windowTitle(), untitled);
    }

    void picturesOfAFileAreReadWithinBounds()
    {
        // GIVEN an HTML file whose style sheets and pictures name a pipe, a device
        // and a picture
        TestFolder folder;
        const QString pipe = folder.path("pipe.png");
        QCOMPARE(QProcess::execute("mkfifo", {pipe}), 0);
        QImage(8, 4, QImage::Format_RGB32).save(folder.path("small.png"));
        const QString html
            = QString("<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"%1\">"
                      "<link rel=\"stylesheet\" type=\"text/css\" href=\"/dev/zero\"></head><body>"
                      "<p>x<img src=\"%1\"><img src=\"/dev/zero\"><img src=\"%2\"></p>")
                  .arg(pipe, folder.path("small.png"));
        // WHEN opened, THEN it opens at once; only the picture shows
        TextEdit window;
        window.show();
        const auto pictureSize = [&window, &folder] {
            return textArea(&window)
                ->document()
                ->resource(QTextDocument::ImageResource, QUrl(folder.path("small.png")))
                .value<QImage>()
                .size();
        };
        QCOMPARE(openAnswered(&window, folder.write("pictures.html", html.toUtf8())), QString());
        QCOMPARE(pictureSize(), QSize(8, 4));
        // AND a file opened again shows its pictures as they are now
        QImage(2, 2, QImage::Format_RGB32).save(folder.path("small.png"));
        QCOMPARE(openAnswered(&window, folder.path("pictures.html")), QString());
        QCOMPARE(pictureSize(), QSize(2, 2));
    }

    void ownOpenDocumentIsRefusedAndKept()
    {
        // GIVEN an OpenDocument file written by the editor
        TestFolder folder;
        TextEdit writer;
        textArea(&writer)->setPlainText(sample);
        whenModal(fileDialogAnswer(folder.path("notes.odt"), true));
        QVERIFY(writer.slotFileSaveAs());
        const QByteArray written = folder.read("notes.odt");
        // WHEN a fresh window and the writer open it, THEN both say why and keep their documents
        TextEdit fresh;
        for (TextEdit* window : {&fresh, &writer}) {
            const QString title = window->windowTitle();
            const QString text = textArea(window)->toPlainText();
            QVERIFY(openAnswered(window, folder.path("notes.odt")).contains("zip file"));
            QCOMPARE(window->windowTitle(), title);
            QCOMPARE(textArea(window)->toPlainText(), text);
            QVERIFY(!window->isWindowModified());
        }
        // AND a save in the fresh window asks for a name: the file stays as it was
        QTest::keyClicks(textArea(&fresh), "x");
        ModalAnswer saveAs(fileDialogAnswer(QString(), false));
        QVERIFY(!fresh.slotFileSave());
        QCOMPARE(saveAs.shown, QString("QFileDialog"));
        QCOMPARE(folder.read("notes.odt"), written);
        // AND the writer saves its own text there again
        QVERIFY(writer.slotFileSave());
        QVERIFY(output("unzip", {"-p", folder.path("notes.odt"), "content.xml"}).contains(sample));
        QVERIFY(!QApplication::overrideCursor());
    }

    void linesBeyondTheBoundAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("lines");
        const QString refused = "It has more lines than this editor can lay out.";
        const QString tall = "It is taller than this editor can lay out.";
        QTest::newRow("4 MiB of line feeds")
            << "feeds.txt" << QByteArray(4 << 20, '\n') << refused << 0;
        QTest::newRow("line separators one past the work bound")
            << "separators.txt" << repeated("\xe2\x80\xa8", lineBreaksOfWork + 1) << refused << 0;
        QTest::newRow("CR LF lines one past the bound")
            << "lines.txt" << repeated("x\r\n", plainLinesAtTheBound()) << plainLinesRefusal() << 0;
        QTest::newRow("600,000 HTML paragraphs")
            << "lines.html" << repeated("<p>x", 600000) << pageRefused << 0;
        QTest::newRow("600,000 HTML line breaks")
            << "lines.html" << repeated("x<br>", 600000) << pageRefused << 0;
        QTest::newRow("preformatted HTML")
            << "lines.html"
            << "<pre>" + QByteArray(1000000, '\n') + "x</pre>" << pageRefused << 0;
        QTest::newRow("line feeds referred to in preformatted HTML")
            << "lines.html"
            << "<pre>" + repeated("&#x0A;", 600000) + "x</pre>" << pageRefused << 0;
        QTest::newRow("100,000 lines")
            << "lines.txt" << repeated("A line of a log.\n", 100000) << QString() << 100001;
        QTest::newRow("1 MiB of two-letter lines")
            << "lines.txt" << repeated("ab\n", (1 << 20) / 3) << QString() << (1 << 20) / 3 + 1;
        QTest::newRow("lines up to the bound")
            << "lines.txt" << repeated("x\n", plainLinesAtTheBound() - 1) << QString()
            << plainLinesAtTheBound();
    }

    // A text of more lines than the layout can take in a few seconds is
    // refused, and says why; one within the bound opens.
    void linesBeyondTheBoundAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        TestFolder folder;
        TextEdit window;
        window.show();
        textArea(&window)->setPlainText(sample);
        const QString message = openAnswered(&window, folder.write(name, content));
        if (!reason.isEmpty()) {
            QVERIFY2(message.contains('\n') && message.contains(reason), qPrintable(message));
            QCOMPARE(textArea(&window)->toPlainText(), sample);
            QCOMPARE(window.windowTitle(), untitled);
            return;
        }
        QCOMPARE(message, QString());
        QTEST(textArea(&window)->document()->blockCount(), "lines");
        QCOMPARE(window.windowTitle(), name + "[*] - Rich Text");
        QVERIFY(window.slotFileSave());
        QCOMPARE(folder.read(name), content);
    }

    void filesWithinTheBoundsOpen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QChar>("letter");
        QTest::addColumn<int>("count");
        QTest::newRow("12 nested tables")
            << QString("fine.html") << nestedTables(12) << QChar('x') << 1;
        // Rows few enough to lay out within the helper's limits in a sanitizer
        // build beside other tests too.
        QTest::newRow("60 x 60 table")
            << QString("fine.html") << table(60, 60) << QChar('c') << 60 * 60;
        QTest::newRow("200,000-character paragraph of words")
            << QString("fine.txt") << repeated("word ", 40000) << QChar('w') << 40000;
        QTest::newRow("200,000 CJK characters in one paragraph")
            << QString("fine.html")
            << "<meta charset=\"utf-8\">" + QString(200000, QChar(0x6f22)).toUtf8() << QChar(0x6f22)
            << 200000;
        QTest::newRow("longest run") << QString("fine.txt") << repeated("x", UnbrokenRun::maxLength)
                                     << QChar('x') << UnbrokenRun::maxLength;
        QTest::newRow("1,000 nested divs")
            << QString("fine.html") << repeated("<div>", 1000) + "x" + repeated("</div>", 1000)
            << QChar('x') << 1;
        // Few enough to lay out within the helper's limits in a sanitizer build too.
        QTest::newRow("20,000 unclosed paragraphs")
            << QString("fine.html") << repeated("<p>x", 20000) << QChar('x') << 20000;
        QTest::newRow("Latin-1 HTML")
            << QString("fine.html") << QByteArray("<html><meta charset=\"iso-8859-1\">\xfc")
            << QChar(0xfc) << 1;
        QTest::newRow("3 MiB of text lines")
            << QString("fine.txt") << repeated("0123456789abcde\n", 3 << 16) << QChar('e')
            << (3 << 16);
        QTest::newRow("7,000 lines of 1000-pixel letters")
            << QString("fine.html") << "<p style=\"font-size: 1000px\">" + repeated("x<br>", 7000)
            << QChar('x') << 7000;
        QTest::newRow("800 paragraphs 10,000 pixels apart")
            << QString("fine.html") << repeated("<p style=\"margin-top: 10000px\">x</p>", 800)
            << QChar('x') << 800;
        QTest::newRow("12 nested tables with 1000-pixel padding")
            << QString("fine.html")
            << nestedTables(12).replace("<table>", "<table cellpadding=1000>") << QChar('x') << 1;
        QTest::newRow("a heading spanning 100 columns above 80 rows")
            << QString("fine.html")
            << "<table><tr><th colspan=100>Chords" + repeated("<tr><td>c", 80) + "</table>"
            << QChar('c') << 80;
        QTest::newRow("500 fonts")
            << QString("fine.html") << fontFamilies(500) << QChar('x') << 500;
        QTest::newRow("pictures in 10 nested tables")
            << QString("fine.html") << nestedTables(10).replace("x", repeated("<img>", 100))
            << QChar(0xfffc) << 100;
        QTest::newRow("a run one past the bound of plain text, after words")
            << QString("fine.html") << "some words " + repeated("7", UnbrokenRun::maxLength + 1)
            << QChar('7') << UnbrokenRun::maxLength + 1;
        QTest::newRow("1,000 pictures")
            << QString("fine.html") << "<p>" + repeated("<img src=\"a.png\">", 1000)
            << QChar(0xfffc) << 1000;
        QTest::newRow("a margin leaving each 300-pixel letter a line of its own")
            << QString("fine.html")
            << "<p style=\"margin-left: 1000000px; font-size: 300px\">" + repeated("x", 30000)
            << QChar('x') << 30000;
        QTest::newRow("10 lists of 1,000 items")
            << QString("fine.html") << repeated("<ul>" + repeated("<li>x", 1000) + "</ul>", 10)
            << QChar('x') << 10000;
    }

    void filesWithinTheBoundsOpen()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QChar, letter);
        TestFolder folder;
        TextEdit window;
        window.show();
        QCOMPARE(openAnswered(&window, folder.write(name, content)), QString());
        QCOMPARE(window.windowTitle(), name + "[*] - Rich Text");
        QTEST(int(textArea(&window)->toPlainText().count(letter)), "count");
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(TestTextEditBounds)
#include "test_TextEditBounds.moc"
