// The rich-text editor's window and its compact form: its commands, the
// files it saves and reads back in their own encodings and forms, and the
// questions it asks before a document goes.
#include "RichtextTestTools.h"

using namespace DialogTestTools;
using namespace DORuverud;
using namespace EditorTestTools;
using namespace HostileHtml;
using namespace RichtextTestTools;

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
        // WHEN Save As names a missing folder, THEN it says so and the document stays modified
        bool saved = true;
        const QString message = messageAfterFileDialog(
            folder.path("missing/notes"), [&window, &saved] { saved = window.slotFileSaveAs(); });
        QVERIFY(!saved);
        QVERIFY2(message.startsWith("notes.odt was not saved."), qPrintable(message));
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
        settled(&reader);
        QCOMPARE(textArea(&reader)->toPlainText(), sample);
    }

    void saveAsAsksBeforeReplacingUnderAnAddedSuffix()
    {
        TestFolder folder;
        folder.write("notes.odt", "kept");
        TextEdit window;
        textArea(&window)->setPlainText(sample);
        // WHEN Save As gets "notes" and the question is not answered Yes, THEN nothing is written
        bool saved = true;
        const QString question = messageAfterFileDialog(
            folder.path("notes"), [&window, &saved] { saved = window.slotFileSaveAs(); });
        QVERIFY2(question.startsWith("notes.odt already exists."), qPrintable(question));
        QVERIFY(!saved);
        QCOMPARE(folder.read("notes.odt"), QByteArray("kept"));
        QCOMPARE(window.windowTitle(), untitled);
        // AND answered Yes, the file is replaced
        std::unique_ptr<ModalAnswer> yes;
        whenModal([&folder, &yes](QWidget* modal) {
            fileDialogAnswer(folder.path("notes"), true)(modal);
            yes = std::make_unique<ModalAnswer>(answerBox(QMessageBox::Yes));
        });
        QVERIFY(window.slotFileSaveAs());
        QVERIFY(folder.read("notes.odt").startsWith("PK"));
    }

    void plainTextIsShownWholeOrRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("edited");
        const QString text = QStringLiteral("Grüße\naus dem Notenheft\n");
        const QString typed = "A " + text;
        QTest::newRow("text with a zero byte")
            << QByteArray("keep\0lost", 9) << QString() << QByteArray();
        QTest::newRow("text with a stray zero byte at an even length")
            << QByteArray("keep these words\0and lose these", 32) << QString() << QByteArray();
        QTest::newRow("UTF-16 without a byte-order mark")
            << utf16(text, false) << text << utf16(typed, false);
        QTest::newRow("big-endian UTF-16 without a byte-order mark")
            << utf16(text, true) << text << utf16(typed, true);
        QTest::newRow("UTF-16 with a byte-order mark")
            << "\xff\xfe" + utf16(text, false) << text << "\xff\xfe" + utf16(typed, false);
        QTest::newRow("UTF-32 with a value beyond Unicode")
            << QByteArray("\xff\xfe\x00\x00\x60\x40\x01\x75", 8) << QString() << QByteArray();
        QTest::newRow("UTF-8 with a byte-order mark")
            << "\xef\xbb\xbf" + text.toUtf8() << text << "\xef\xbb\xbf" + typed.toUtf8();
        QTest::newRow("short text with one zero byte")
            << QByteArray("abc\0def\n", 8) << QString() << QByteArray();
        QTest::newRow("UTF-16 of fewer than 16 characters without a byte-order mark")
            << utf16("Hello, world\n", false) << QString() << QByteArray();
        QTest::newRow("a character the document takes for a paragraph's end")
            << QByteArray("one\xef\xb7\x90two") << QString() << QByteArray();
    }

    // A text file is shown whole and written back in its own encoding, or refused.
    void plainTextIsShownWholeOrRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, shown);
        TestFolder folder;
        const QString path = folder.write("notes.txt", content);
        TextEdit window;
        // WHEN opened, THEN it shows whole, or a refusal says why
        const QString message = openAnswered(&window, path);
        QVERIFY2(
            shown.isNull() == message.contains("neither HTML nor plain text"), qPrintable(message));
        QCOMPARE(textArea(&window)->toPlainText(), shown.isNull() ? QString() : shown);
        // AND saved, the file stays as it was: written back alike, or not named at all
        ModalAnswer saveAs(fileDialogAnswer(QString(), false));
        QCOMPARE(window.slotFileSave(), !shown.isNull());
        QCOMPARE(folder.read("notes.txt"), content);
        // AND an edit is written in the file's encoding
        if (shown.isNull())
            return;
        QTest::keyClicks(textArea(&window), "A ");
        QVERIFY(window.slotFileSave());
        QTEST(folder.read("notes.txt"), "edited");
    }

    void textFileComesBackByteForByte_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("codec");
        QTest::addColumn<bool>("byteOrderMark");
        QTest::addColumn<QString>("edited");
        const QStringList lines = {QStringLiteral("Am7\u00a0D7 \u2013 Gmaj7"),
            QStringLiteral("Cmaj7\u2028F\u266fm7"), QString(), QStringLiteral("Tempo 72")};
        const auto file = [&lines](const QString& end, bool last) {
            return lines.join(end) + (last ? end : QString());
        };
        const auto withNew = [&lines](const QString& end, bool last) {
            return lines.first() + end + "new" + end + lines.mid(1).join(end)
                + (last ? end : QString());
        };
        const QString separator(QChar(QChar::ParagraphSeparator));
        for (const auto& [name, end] :
            QList<QPair<QString, QString>> {{"CR LF", "\r\n"}, {"LF", "\n"}, {"CR", "\r"}}) {
            for (const auto& [encoding, codec, mark] :
                QList<std::tuple<QString, QByteArray, bool>> {{"UTF-8", "UTF-8", false},
                    {"UTF-16", "UTF-16LE", true},
                    {"big-endian UTF-16 without a byte-order mark", "UTF-16BE", false}})
                QTest::newRow(qPrintable(name + " file in " + encoding))
                    << file(end, true) << codec << mark << withNew(end, true);
        }
        QTest::newRow("CR LF file in UTF-8 with a byte-order mark")
            << file("\r\n", true) << QByteArray("UTF-8") << true << withNew("\r\n", true);
        QTest::newRow("CR LF file whose last line has no line end")
            << file("\r\n", false) << QByteArray("UTF-8") << false << withNew("\r\n", false);
        QTest::newRow("paragraph separators")
            << file(separator, true) << QByteArray("UTF-8") << false << withNew(separator, true);
        QTest::newRow("line ends mixed, mostly CR LF")
            << "one\r\ntwo\nthree\r\nfour\rfive\n\rsix\r\n"
            << QByteArray("UTF-8") << false << "one\r\nnew\r\ntwo\nthree\r\nfour\rfive\n\rsix\r\n";
        QTest::newRow("line ends mixed evenly, the first met wins")
            << "one\ntwo\r\nthree" << QByteArray("UTF-8") << false << "one\nnew\ntwo\r\nthree";
    }

    // Open and Save without an edit write the file's bytes again; an edit
    // writes the file's own line end.
    void textFileComesBackByteForByte()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, codec);
        QFETCH(bool, byteOrderMark);
        QFETCH(QString, edited);
        TestFolder folder;
        const QByteArray content = encoded(text, codec, byteOrderMark);
        const QString path = folder.write("notes.txt", content);
        TextEdit window;
        QCOMPARE(openAnswered(&window, path), QString());
        // The document shows the no-break space and the line break inside a paragraph
        const QString shown = textArea(&window)->document()->toRawText();
        for (const QChar kept : {QChar(QChar::Nbsp), QChar(QChar::LineSeparator)})
            QCOMPARE(shown.count(kept), text.count(kept));
        QVERIFY(window.slotFileSave());
        QCOMPARE(folder.read("notes.txt"), content);
        // AND a new line after the first one ends as the file's lines do
        placeCursor(&window, textArea(&window)->document()->begin().length() - 1);
        QTest::keyClick(textArea(&window), Qt::Key_Return);
        QTest::keyClicks(textArea(&window), "new");
        QVERIFY(window.slotFileSave());
        QCOMPARE(folder.read("notes.txt"), encoded(edited, codec, byteOrderMark));
    }

    // Where the local encoding is Latin-1, a text in UTF-8 is still read as UTF-8.
    void utf8TextUnderAnotherLocalEncoding()
    {
        QTextCodec* local = QTextCodec::codecForLocale();
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
        TestFolder folder;
        const QByteArray content("caf\xc3\xa9 \xe2\x82\xac"
                                 "5\n");
        const QString path = folder.write("notes.txt", content);
        TextEdit window;
        const QString refusal = openAnswered(&window, path);
        const QString shown = textArea(&window)->toPlainText();
        const bool saved = window.slotFileSave();
        QTextCodec::setCodecForLocale(local);
        QCOMPARE(refusal, QString());
        QCOMPARE(shown, QStringLiteral("caf\u00e9 \u20ac5\n"));
        QVERIFY(saved);
        QCOMPARE(folder.read("notes.txt"), content);
    }

    void htmlKeepsItsCharactersThroughSaves_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("shown");
        const QString cafe = QStringLiteral("caf\u00e9 \u20ac5");
        QTest::newRow("UTF-8 HTML without a charset") << "notes.html"
                                                      << QByteArray("<p>caf\xc3\xa9 \xe2\x82\xac"
                                                                    "5</p>")
                                                      << cafe;
        QTest::newRow("UTF-8 page without a charset or a suffix")
            << "notes"
            << QByteArray("<!DOCTYPE html><p>caf\xc3\xa9 \xe2\x82\xac"
                          "5</p>")
            << cafe;
        QTest::newRow("Latin-1 HTML without a charset")
            << "notes.htm" << QByteArray("<p>caf\xe9 5</p>") << QStringLiteral("caf\u00e9 5");
        QTest::newRow("HTML declaring Windows-1252")
            << "notes.html"
            << QByteArray("<html><head><meta charset=\"windows-1252\"></head>"
                          "<p>caf\xe9 \x80"
                          "5</p>")
            << cafe;
        const QString quoted = QStringLiteral("\u201cq\u201d");
        QTest::newRow("UTF-8 page whose script and text name another charset")
            << "notes.html"
            << QByteArray(
                   "<html><head><meta name=\"author\" content=\"Ann\">"
                   "<script>var old = \"charset='koi8-r'\";</script></head>"
                   "<p>caf\xc3\xa9 \xe2\x82\xac"
                   "5</p><p>Put charset='koi8-r' in old pages, \xe2\x80\x9cq\xe2\x80\x9d</p>")
            << cafe + "\nPut charset='koi8-r' in old pages, " + quoted;
        QTest::newRow("page declaring UTF-16 in ASCII bytes")
            << "notes.html"
            << QByteArray("<html><head><meta http-equiv=\"Content-Type\" "
                          "content=\"text/html; charset=utf-16\"></head>"
                          "<p>caf&eacute; &euro;5</p><p>Plain words, &ldquo;q&rdquo;</p>")
            << cafe + "\nPlain words, " + quoted;
        QTest::newRow("page declaring ISO-8859-1 holding Windows-1252 bytes")
            << "notes.htm"
            << QByteArray("<html><head><meta charset=\"iso-8859-1\"></head>"
                          "<p>caf\xe9 \x80"
                          "5</p><p>Latin words, \x93q\x94</p>")
            << cafe + "\nLatin words, " + quoted;
    }

    // Saved with an edit as UTF-8 that says so, and read back as the same
    // text, twice over.
    void htmlKeepsItsCharactersThroughSaves()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, shown);
        TestFolder folder;
        const QString path = folder.write(name, content);
        for (int round = 0; round < 2; ++round) {
            TextEdit window;
            QCOMPARE(openAnswered(&window, path), QString());
            QCOMPARE(textArea(&window)->toPlainText(), shown);
            QTest::keyClick(textArea(&window), Qt::Key_Space);
            QTest::keyClick(textArea(&window), Qt::Key_Backspace);
            QVERIFY(window.slotFileSave());
            const QByteArray saved = folder.read(name);
            QCOMPARE(QString::fromUtf8(saved).count(QRegularExpression("<meta[^>]*charset=")), 1);
            QVERIFY2(saved.contains("charset=UTF-8"), saved.constData());
            for (const QString& paragraph : shown.split('\n'))
                QVERIFY2(saved.contains(paragraph.toUtf8()), saved.constData());
        }
    }

    void pagesAreReadInTheEncodingBrowsersTake_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("shown");
        const QByteArray text("<p>caf\xe9</p>");
        const QString latin = QStringLiteral("caf\u00e9");
        const QString cyrillic = QStringLiteral("caf\u0418");
        QTest::newRow("meta in a comment") << "<!-- <meta charset=koi8-r> -->" + text << latin;
        QTest::newRow("meta after a comment")
            << "<!-- charset=iso-8859-1 --><meta charset=koi8-r>" + text << cyrillic;
        QTest::newRow("meta in an attribute value")
            << "<a title='<meta charset=koi8-r>'>" + text << latin;
        QTest::newRow("meta after 1,024 bytes")
            << "<p>" + QByteArray(1024, ' ') + "<meta charset=koi8-r>" + text << latin;
        QTest::newRow("content without http-equiv")
            << "<meta content=\"text/html; charset=koi8-r\">" + text << latin;
        QTest::newRow("content with http-equiv")
            << "<META HTTP-EQUIV=content-type CONTENT='text/html;charset=KOI8-R'>" + text
            << cyrillic;
        QTest::newRow("first of two charset attributes")
            << "<meta charset=koi8-r charset=iso-8859-1>" + text << cyrillic;
        QTest::newRow("unknown label, then a known one")
            << "<meta charset=klingon><meta charset=' koi8-r '>" + text << cyrillic;
        QTest::newRow("label of another name") << "<meta charset=cskoi8r>" + text << cyrillic;
        QTest::newRow("meta closed by a slash") << "<meta/charset='koi8-r'/>" + text << cyrillic;
        QTest::newRow("slash read into an unquoted label")
            << "<meta charset=koi8-r/>" + text << latin;
        QTest::newRow("x-user-defined as Windows-1252")
            << QByteArray("<meta charset=x-user-defined><p>\x80</p>") << QStringLiteral("\u20ac");
        QTest::newRow("byte-order mark before the meta")
            << QByteArray("\xef\xbb\xbf<meta charset=koi8-r><p>caf\xc3\xa9</p>") << latin;
        const QString chinese = QStringLiteral("\u4e2d\u6587 text");
        QTest::newRow("HZ-GB-2312")
            << QByteArray("<meta charset=\"hz-gb-2312\"><p>~{VPND~} text</p>") << chinese;
        QTest::newRow("ISO-2022-KR")
            << QByteArray("\x1b$)C<meta charset=\"iso-2022-kr\"><p>\x0e>H3g\x0f hello</p>")
            << QStringLiteral("\uc548\ub155 hello");
        QTest::newRow("ISO-2022-CN")
            << QByteArray("<meta charset=\"iso-2022-cn\"><p>\x1b$)A\x0eVPND\x0f text</p>")
            << chinese;
        QTest::newRow("UTF-8 with a stray Latin-1 byte")
            << QByteArray(
                   "<meta charset=\"utf-8\"><p>caf\xe9 au lait</p><p>D\xc3\xa9j\xc3\xa0 vu</p>")
            << QStringLiteral("caf\ufffd au lait\nD\u00e9j\u00e0 vu");
        QTest::newRow("UTF-8 cut short in a character")
            << QByteArray("<meta charset=\"utf-8\"><p>caf\xc3") << QStringLiteral("caf\ufffd");
    }

    // Only the <meta> elements the HTML standard's prescan finds declare a
    // charset; a page is read with Qt's codec for it, even where browsers show
    // none of its text, and a byte that is no text in it shows as U+FFFD.
    void pagesAreReadInTheEncodingBrowsersTake()
    {
        QFETCH(QByteArray, page);
        TestFolder folder;
        TextEdit window;
        QCOMPARE(openAnswered(&window, folder.write("page.html", page)), QString());
        QTEST(textArea(&window)->toPlainText(), "shown");
    }

    void fileNameSaysWhatTheFileIs_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("page");
        QTest::newRow("markup in a .txt file")
            << "tag.txt" << QByteArray("Use <b> for bold\n") << "Use <b> for bold\n"
            << false;
        QTest::newRow("markup in a .TXT file") << "TAG.TXT" << QByteArray("<p>Use <b> for bold</p>")
                                               << "<p>Use <b> for bold</p>" << false;
        QTest::newRow("a page in a .txt file")
            << "page.txt" << QByteArray("<!DOCTYPE html><p>x</p>") << "<!DOCTYPE html><p>x</p>"
            << false;
        QTest::newRow("plain words in a .htm file")
            << "notes.htm" << QByteArray("one\ntwo  three") << "one two three" << true;
        QTest::newRow("plain words in an .xhtml file")
            << "notes.xhtml" << QByteArray("one\ntwo") << "one two" << true;
        const QByteArray heading = "<h1 align=\"center\">Chord Book</h1>\n\nPlay *slowly*.\n";
        QTest::newRow("README.md beginning with an HTML heading")
            << "README.md" << heading << QString::fromUtf8(heading) << false;
        const QByteArray anchor = "<a name=\"top\"/>\n# Notes\n";
        QTest::newRow("Markdown beginning with an anchor")
            << "notes.md" << anchor << QString::fromUtf8(anchor) << false;
        const QByteArray index = "searchIndex = {\"a\":\"<span class=\\\"k\\\">fn</span>\"};\n";
        QTest::newRow("search index of spans in strings")
            << "search-index.js" << index << QString::fromUtf8(index) << false;
        QTest::newRow("XML") << "fonts.conf"
                             << QByteArray("<?xml version=\"1.0\"?>\n<fontconfig/>\n")
                             << "<?xml version=\"1.0\"?>\n<fontconfig/>\n"
                             << false;
        QTest::newRow("tag of another name than html")
            << "notes" << QByteArray("<htmlish>x\n") << "<htmlish>x\n"
            << false;
        QTest::newRow("page after white space and comments")
            << "page" << QByteArray(" \n<!-- a -->\r\n<!-- b -->\t<!doctype HTML><p>x</p>") << "x"
            << true;
        QTest::newRow("page of capital letters")
            << "PAGE" << QByteArray("<HTML><P>x</P></HTML>") << "x" << true;
        QTest::newRow("page after a byte-order mark")
            << "page.php" << QByteArray("\xef\xbb\xbf<html lang=\"en\"><p>x") << "x" << true;
    }

    // A file is a page when its name or its beginning says so; else it is
    // plain text and keeps its bytes when saved with an edit. Without an
    // edit, every file keeps its bytes.
    void fileNameSaysWhatTheFileIs()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, page);
        TestFolder folder;
        TextEdit window;
        QCOMPARE(openAnswered(&window, folder.write(name, content)), QString());
        QTEST(textArea(&window)->toPlainText(), "shown");
        QVERIFY(window.slotFileSave());
        QCOMPARE(folder.read(name), content);
        // AND with an edit, a page is written as HTML, plain text as it was with the edit
        QTest::keyClicks(textArea(&window), "A ");
        QVERIFY(window.slotFileSave());
        if (page) {
            QVERIFY(folder.read(name).startsWith("<!DOCTYPE HTML"));
            return;
        }
        QCOMPARE(folder.read(name), "A " + content);
    }

    void textSavedInAnUnmarkedUtf16FileReadsBack_data()
    {
        QTest::addColumn<bool>("bigEndian");
        QTest::newRow("little-endian") << false;
        QTest::newRow("big-endian") << true;
    }

    // Text without Latin letters leaves no zero bytes to show UTF-16 by.
    void textSavedInAnUnmarkedUtf16FileReadsBack()
    {
        QFETCH(bool, bigEndian);
        const QString chinese = QStringLiteral("你好世界，这是笔记");
        TestFolder folder;
        const QString path = folder.write("notes.txt", utf16(sample, bigEndian));
        TextEdit window;
        QCOMPARE(openAnswered(&window, path), QString());
        // WHEN its text is replaced by Chinese and saved
        textArea(&window)->selectAll();
        textArea(&window)->textCursor().insertText(chinese);
        QVERIFY(window.slotFileSave());
        // THEN the file reads back as that text
        TextEdit reader;
        QCOMPARE(openAnswered(&reader, path), QString());
        QCOMPARE(textArea(&reader)->toPlainText(), chinese);
    }

    void savedInTheFormItWasRead_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("plain text without a suffix") << "README" << QByteArray("keep words");
        QTest::newRow("markup in a .txt file") << "notes.txt" << QByteArray("<b>keep</b> words");
        QTest::newRow("markup in a .md file") << "notes.md" << QByteArray("<b>keep</b> words");
        QTest::newRow("page in a .md file")
            << "notes.md" << QByteArray("<!DOCTYPE html><b>keep</b> words");
    }

    // A file saved under its own name reads back as it was shown.
    void savedInTheFormItWasRead()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        TestFolder folder;
        TextEdit window;
        QCOMPARE(openAnswered(&window, folder.write(name, content)), QString());
        const QString shown = textArea(&window)->toHtml();
        QTest::keyClicks(textArea(&window), "A ");
        QTest::keyClick(textArea(&window), Qt::Key_Backspace);
        QTest::keyClick(textArea(&window), Qt::Key_Backspace);
        QVERIFY(window.slotFileSave());
        TextEdit reader;
        QCOMPARE(openAnswered(&reader, folder.path(name)), QString());
        QCOMPARE(textArea(&reader)->toHtml(), shown);
    }

    void failedSaveSaysSoAndKeepsTheDocument()
    {
        // GIVEN an opened, edited file whose name became a folder meanwhile
        TestFolder folder;
        TextEdit window;
        window.show();
        QCOMPARE(openAnswered(&window, folder.write("notes.html", "<p>kept</p>")), QString());
        QTest::keyClicks(textArea(&window), "more ");
        QVERIFY(QFile::remove(folder.path("notes.html")));
        QVERIFY(QDir(folder.path()).mkdir("notes.html"));
        // WHEN saved, THEN it says so and the document stays modified
        QString message;
        {
            ModalAnswer box([&message](QWidget* modal) {
                message = static_cast<QMessageBox*>(modal)->text();
                static_cast<QDialog*>(modal)->reject();
            });
            QVERIFY(!window.slotFileSave());
        }
        QVERIFY2(message.startsWith("notes.html was not saved."), qPrintable(message));
        QVERIFY(window.isWindowModified());
        // AND closing with Save keeps the window after saying so again
        QStringList boxes;
        QTimer answers;
        QObject::connect(&answers, &QTimer::timeout, [&boxes] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || (!boxes.isEmpty() && boxes.last() == box->text()))
                return;
            boxes << box->text();
            if (box->button(QMessageBox::Save))
                box->button(QMessageBox::Save)->click();
            else
                box->reject();
        });
        answers.start(10);
        QVERIFY(!window.close());
        QCOMPARE(boxes.size(), 2);
        QVERIFY2(boxes.last().startsWith("notes.html was not saved."), qPrintable(boxes.last()));
        QVERIFY(window.isVisible());
        QCOMPARE(textArea(&window)->toPlainText(), QString("more kept"));
    }

    void fullDiskKeepsTheFileAndSaysWhy_data()
    {
        QTest::addColumn<int>("added");
        QTest::addColumn<int>("limit");
        QTest::newRow("small document, nothing fits") << 5 << 0;
        QTest::newRow("large document, part fits") << (1 << 20) << 65536;
    }

    void fullDiskKeepsTheFileAndSaysWhy()
    {
        QFETCH(int, added);
        QFETCH(int, limit);
        // GIVEN notes.html of 1,824 bytes, opened and edited
        TestFolder folder;
        const QByteArray old = "<p>" + repeated("Some notes", 181) + "</p>\n";
        TextEdit window;
        QCOMPARE(openAnswered(&window, folder.write("notes.html", old)), QString());
        textArea(&window)->textCursor().insertText(
            QString::fromLatin1(repeated("more ", added / 5)));
        // WHEN saved onto a full disk, in a child whose message box a timer answers
        const QString seen = onFullDisk(rlim_t(limit), [&window] {
            QString message;
            ModalAnswer box([&message](QWidget* modal) {
                message = static_cast<QMessageBox*>(modal)->text();
                static_cast<QDialog*>(modal)->reject();
            });
            const bool saved = window.slotFileSave();
            return QString("saved %1, modified %2: %3")
                .arg(saved)
                .arg(window.isWindowModified())
                .arg(message);
        });
        // THEN it says why, the document stays modified, so closing asks, and the file stays
        const QString said = "saved 0, modified 1: notes.html was not saved.\n";
        QVERIFY2(seen.startsWith(said) && seen.size() > said.size(), qPrintable(seen));
        QCOMPARE(folder.read("notes.html"), old);
        QCOMPARE(folder.files(), QStringList {"notes.html"});
    }

    void holderWindowAsksBeforeClosing_data()
    {
        QTest::addColumn<bool>("ownWindow");
        QTest::newRow("main window holding the editor") << false;
        QTest::newRow("editor as a window of its own") << true;
    }

    void holderWindowAsksBeforeClosing()
    {
        QFETCH(bool, ownWindow);
        QMainWindow holder;
        auto* editor = new RichtextEditor;
        if (!ownWindow)
            holder.setCentralWidget(editor);
        QWidget* window = ownWindow ? static_cast<QWidget*>(editor) : &holder;
        window->show();
        QTest::keyClicks(textArea(editor), "draft");
        // WHEN closed and the question is cancelled, THEN window and text stay
        ModalAnswer cancel(answerBox(QMessageBox::Cancel));
        QVERIFY(!window->close());
        QCOMPARE(cancel.shown, QString("QMessageBox"));
        QVERIFY(window->isVisible());
        QCOMPARE(textArea(editor)->toPlainText(), QString("draft"));
        // WHEN the changes are discarded, THEN it closes
        ModalAnswer discard(answerBox(QMessageBox::Discard));
        QVERIFY(window->close());
        QCOMPARE(discard.shown, QString("QMessageBox"));
        if (ownWindow)
            delete editor;
    }

    void quitClosesTheWindowHoldingTheEditor_data()
    {
        QTest::addColumn<bool>("ownWindow");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("answered Save") << false << int(QMessageBox::Save) << true;
        QTest::newRow("answered Cancel") << false << int(QMessageBox::Cancel) << false;
        QTest::newRow("editor as a window of its own, answered Save")
            << true << int(QMessageBox::Save) << true;
    }

    void quitClosesTheWindowHoldingTheEditor()
    {
        QFETCH(bool, ownWindow);
        QFETCH(int, answer);
        QFETCH(bool, closed);
        // GIVEN a window holding the compact editor with a file opened and edited
        TestFolder folder;
        const QString path = folder.write("notes.txt", "draft\n");
        QMainWindow holder;
        auto* editor = new RichtextEditor(&holder);
        if (ownWindow)
            editor->setWindowFlag(Qt::Window);
        else
            holder.setCentralWidget(editor);
        QWidget* window = editor->window();
        window->show();
        QCOMPARE(openAnswered(editor, path), QString());
        QTest::keyClicks(textArea(editor), "more ");
        // WHEN File > Quit is answered
        ModalAnswer question(answerBox(answer));
        action(editor, "&Quit")->trigger();
        QCOMPARE(question.shown, QString("QMessageBox"));
        // THEN Save writes the file and closes the window; Cancel keeps both
        QCOMPARE(window->isVisible(), !closed);
        QVERIFY(textArea(editor)->isVisibleTo(window));
        QCOMPARE(folder.read("notes.txt"), QByteArray(closed ? "more draft\n" : "draft\n"));
        QCOMPARE(textArea(editor)->toPlainText(), QString("more draft\n"));
    }

    void newTypesInTheDefaultFormat()
    {
        // GIVEN the cursor in a bold heading
        TextEdit window;
        textArea(&window)->setHtml("<h1>Heading</h1>");
        placeCursor(&window, 3);
        QVERIFY(action(&window, "&Bold")->isChecked());
        // WHEN New starts a document and text is typed
        ModalAnswer discard(answerBox(QMessageBox::Discard));
        action(&window, "&New")->trigger();
        QTest::keyClicks(textArea(&window), "plain");
        // THEN it takes the document's default format
        QCOMPARE(formatAt(&window, 0).properties(), QTextCharFormat().properties());
        QVERIFY(!action(&window, "&Bold")->isChecked());
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

    void panelLeavesTheKeyboardWithTheText()
    {
        // GIVEN the editor shown, typing in its text
        RichtextEditor editor;
        editor.show();
        QApplication::setActiveWindow(&editor);
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        textArea(&editor)->setFocus();
        // WHEN the panel's buttons are clicked, THEN the keys still go to the
        // text, Escape among them
        for (const char* button : {"TextPaste", "EditorTextBold"}) {
            QTest::mouseClick(editor.findChild<QPushButton*>(button), Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), textArea(&editor));
        }
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
