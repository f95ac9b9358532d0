#include "DialogTestTools.h"
#include "TextEdit.h"
#include "TextEditIcons.h"
#include "TextEditTestTools.h"

#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>

using namespace DialogTestTools;
using namespace TextEditTestTools;

namespace {

const QString sample = QStringLiteral("Grüße aus dem Notenheft");

std::function<void(QWidget*)> answerBox(QMessageBox::StandardButton button)
{
    return [button](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        box->button(button)->click();
    };
}

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class TestTextEdit : public QObject
{
    Q_OBJECT

private slots:
    void titleAndSaveFollowTheDocument()
    {
        QTemporaryDir folder;
        TextEdit window;
        window.show();
        // GIVEN a new window: untitled, unmodified, nothing to save
        QCOMPARE(window.windowTitle(), QString("untitled.txt[*] - Rich Text"));
        QVERIFY(!window.isWindowModified());
        QVERIFY(!action(&window, "&Save")->isEnabled());
        // WHEN the user types, THEN the marker shows and Save is offered
        QTest::keyClicks(textArea(&window), "x");
        QVERIFY(window.isWindowModified());
        QVERIFY(action(&window, "&Save")->isEnabled());
        // WHEN saved under a name, THEN both go and the title names the file
        whenModal(fileDialogAnswer(folder.filePath("first"), true));
        action(&window, "&Save")->trigger();
        QCOMPARE(window.windowTitle(), QString("first.odt[*] - Rich Text"));
        QVERIFY(!window.isWindowModified());
        QVERIFY(!action(&window, "&Save")->isEnabled());
        // AND the next Save writes there without asking
        QTest::keyClicks(textArea(&window), "y");
        ModalAnswer none(fileDialogAnswer(QString(), false));
        QVERIFY(window.slotFileSave());
        QCOMPARE(none.shown, QString());
        QVERIFY(!window.isWindowModified());
    }

    void saveAsNamesAndFormats_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("bare name becomes OpenDocument") << "notes"
                                                        << "notes.odt";
        QTest::newRow("capital HTML stays HTML") << "notes.HTML"
                                                 << "notes.HTML";
        QTest::newRow("htm stays HTML") << "notes.htm"
                                        << "notes.htm";
        QTest::newRow("txt becomes OpenDocument") << "notes.txt"
                                                  << "notes.txt.odt";
    }

    void saveAsNamesAndFormats()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QTemporaryDir folder;
        const QString path = folder.filePath(written);
        TextEdit window;
        window.show();
        textArea(&window)->setPlainText(sample);
        whenModal(fileDialogAnswer(folder.filePath(typed), true));
        QVERIFY(window.slotFileSaveAs());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList {written});
        if (written.endsWith(".odt")) {
            QCOMPARE(output("unzip", {"-p", path, "mimetype"}),
                QString("application/vnd.oasis.opendocument.text"));
            QVERIFY(output("unzip", {"-p", path, "content.xml"}).contains(sample));
        } else {
            QVERIFY(fileContent(path).startsWith("<!DOCTYPE HTML"));
            TextEdit reader;
            whenModal(fileDialogAnswer(path, true));
            reader.show();
            reader.slotFileOpen();
            QCOMPARE(textArea(&reader)->toPlainText(), sample);
        }
    }

    void openDecidesByContent_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("bold");
        QTest::newRow("HTML in a txt file opens formatted")
            << QByteArray("<b>loud</b>") << "loud" << true;
        QTest::newRow("plain text stops at a zero byte")
            << QByteArray("keep\0lost", 9) << "keep" << false;
    }

    void openDecidesByContent()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, text);
        QFETCH(bool, bold);
        // GIVEN a file named notes.txt
        QTemporaryDir folder;
        const QString path = folder.filePath("notes.txt");
        writeFile(path, content);
        TextEdit window;
        window.show();
        whenModal(fileDialogAnswer(path, true));
        window.slotFileOpen();
        QCOMPARE(textArea(&window)->toPlainText(), text);
        QTextCursor first(textArea(&window)->document());
        first.movePosition(QTextCursor::NextCharacter);
        QCOMPARE(first.charFormat().font().bold(), bold);
        QCOMPARE(window.windowTitle(), QString("notes.txt[*] - Rich Text"));
        // WHEN edited and saved, THEN it is written back as plain text under that name
        QTest::keyClicks(textArea(&window), "A ");
        QVERIFY(window.slotFileSave());
        QCOMPARE(QString::fromUtf8(fileContent(path)), "A " + text);
    }

    void openingAVanishedFileChangesNothing()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("gone.html");
        TextEdit window;
        window.show();
        textArea(&window)->setPlainText(sample);
        textArea(&window)->document()->setModified(false);
        // The file is chosen, then goes before it is read.
        whenModal([path](QWidget* modal) {
            writeFile(path, "<p>gone</p>");
            fileDialogAnswer(path, true)(modal);
            QFile::remove(path);
        });
        window.slotFileOpen();
        QCOMPARE(textArea(&window)->toPlainText(), sample);
        QCOMPARE(window.windowTitle(), QString("untitled.txt[*] - Rich Text"));
    }

    void exportPdf_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("bare name gets pdf") << "report"
                                            << "report.pdf";
        QTest::newRow("any suffix is kept") << "report.txt"
                                            << "report.txt";
    }

    void exportPdf()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QTemporaryDir folder;
        TextEdit window;
        window.show();
        textArea(&window)->setPlainText(sample);
        whenModal(fileDialogAnswer(folder.filePath(typed), true));
        action(&window, "&Export PDF...")->trigger();
        QVERIFY(fileContent(folder.filePath(written)).startsWith("%PDF"));
        QCOMPARE(pdfLines(folder.filePath(written)), QStringList({sample, "1"}));
    }

    void failedSaveAsKeepsTheDocumentModified()
    {
        // GIVEN an edited untitled document
        QTemporaryDir folder;
        TextEdit window;
        window.show();
        QTest::keyClicks(textArea(&window), "draft");
        // WHEN Save As names a folder that does not exist, THEN it fails
        whenModal(fileDialogAnswer(folder.filePath("missing/notes"), true));
        QVERIFY(!window.slotFileSaveAs());
        // AND the document is still modified under its old name
        QCOMPARE(window.windowTitle(), QString("untitled.txt[*] - Rich Text"));
        QVERIFY(window.isWindowModified());
        QVERIFY(action(&window, "&Save")->isEnabled());
        // AND New still asks; Cancel keeps the text
        ModalAnswer question(answerBox(QMessageBox::Cancel));
        window.slotFileNew();
        QCOMPARE(question.shown, QString("QMessageBox"));
        QCOMPARE(textArea(&window)->toPlainText(), QString("draft"));
    }

    void unsavedChangesAreAskedFor_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("kept");
        QTest::newRow("open, cancelled") << "open" << int(QMessageBox::Cancel) << true;
        QTest::newRow("open, discarded") << "open" << int(QMessageBox::Discard) << false;
        QTest::newRow("close, cancelled") << "close" << int(QMessageBox::Cancel) << true;
        QTest::newRow("close, discarded") << "close" << int(QMessageBox::Discard) << false;
        QTest::newRow("new, discarded") << "new" << int(QMessageBox::Discard) << false;
    }

    void unsavedChangesAreAskedFor()
    {
        QFETCH(QString, command);
        QFETCH(int, answer);
        QFETCH(bool, kept);
        QTemporaryDir folder;
        const QString other = folder.filePath("other.html");
        writeFile(other, "<p>other</p>");
        TextEdit window;
        window.show();
        QTest::keyClicks(textArea(&window), "draft");
        // WHEN the command would replace the document, THEN the question comes first
        ModalAnswer question([other, answer, command](QWidget* modal) {
            answerBox(QMessageBox::StandardButton(answer))(modal);
            if (command == "open" && answer == QMessageBox::Discard)
                whenModal(fileDialogAnswer(other, true));
        });
        if (command == "open")
            window.slotFileOpen();
        else if (command == "new")
            window.slotFileNew();
        else
            QCOMPARE(window.close(), !kept);
        QCOMPARE(question.shown, QString("QMessageBox"));
        if (command == "close")
            QCOMPARE(window.isVisible(), kept);
        else
            QCOMPARE(textArea(&window)->toPlainText() == "draft", kept);
    }

    void printDialogOffersTheSelection_data()
    {
        QTest::addColumn<bool>("selection");
        QTest::newRow("with a selection") << true;
        QTest::newRow("without one") << false;
    }

    void printDialogOffersTheSelection()
    {
        QFETCH(bool, selection);
        TextEdit window;
        window.show();
        textArea(&window)->setPlainText(sample);
        if (selection)
            textArea(&window)->selectAll();
        ModalAnswer dialog([selection](QWidget* modal) {
            auto* print = qobject_cast<QPrintDialog*>(modal);
            QVERIFY(print);
            QCOMPARE(print->windowTitle(), QString("Print Document"));
            QCOMPARE(print->testOption(QAbstractPrintDialog::PrintSelection), selection);
            print->reject();
        });
        action(&window, "&Print...")->trigger();
        QCOMPARE(dialog.shown, QString("QPrintDialog"));
    }

    void previewPrintsTheDocument()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("preview.pdf");
        TextEdit window;
        window.show();
        textArea(&window)->setPlainText(sample);
        // The preview, printed to a PDF file instead of a printer
        ModalAnswer dialog([path](QWidget* modal) {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(modal);
            QVERIFY(preview);
            QTRY_VERIFY(preview->findChild<QPrintPreviewWidget*>()->pageCount() > 0);
            preview->printer()->setOutputFormat(QPrinter::PdfFormat);
            preview->printer()->setOutputFileName(path);
            preview->findChild<QPrintPreviewWidget*>()->print();
            preview->reject();
        });
        action(&window, "Print Preview...")->trigger();
        QCOMPARE(pdfLines(path), QStringList({sample, "1"}));
    }

    void iconsFallBackToOwnPictures()
    {
        for (const QString& name : TextEditIcons::names())
            QCOMPARE(QImage(TextEditIcons::folder() + "/" + name).size(), QSize(32, 32));
        TextEdit window;
        int withIcon = 0;
        for (QAction* action : window.findChildren<QAction*>()) {
            if (action->icon().isNull())
                continue;
            QVERIFY2(!action->icon().pixmap(32).isNull(), qPrintable(action->text()));
            ++withIcon;
        }
        QCOMPARE(withIcon, 19); // Print and Print Preview share a picture; the colour swatch
    }
};

QTEST_MAIN(TestTextEdit)

#include "test_TextEdit.moc"
