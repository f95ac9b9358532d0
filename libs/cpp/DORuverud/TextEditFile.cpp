// The file commands of TextEdit: new, open, save, print, preview and PDF.
#include "TextEdit.h"

#include "FileDialog.h"
#include "KeptLayout.h"
#include "LayoutThread.h"
#include "PictureAddresses.h"
#include "TextEditArea.h"
#include "TextEditDocument.h"
#include "TextEditReader.h"
#include "TrialQueue.h"
#include "WholeFile.h"

#include <QApplication>
#include <QBuffer>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocumentWriter>
#include <QTextEdit>
#include <QThread>
#include <QUrl>

#include <future>

namespace {

QByteArray digestOf(const QByteArray& content)
{
    return QCryptographicHash::hash(content, QCryptographicHash::Sha256);
}

// The digest of what a regular file holds, as far as the editor reads.
QByteArray digestOfFile(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QFile::ReadOnly))
        return QByteArray();
    return digestOf(file.read(TextEditReader::maxFileSize + 1));
}

// Built on the layout thread as the text area shows it, as the reader set
// it there, and laid out there at the width of its viewport.
std::unique_ptr<TextEditDocument> built(TextEditReader& reader, QTextOption::WrapMode wrap,
    int viewportWidth, const std::shared_ptr<PageTrial::Cancel>& cancel)
{
    std::unique_ptr<TextEditDocument> document = reader.takeDocument();
    if (cancel->isCancelled())
        return nullptr;
    KeptLayout::prepare(document.get(), wrap);
    KeptLayout::layOut(document.get(), viewportWidth);
    // As it stands now, the helper holds it: a layout given tells of a change.
    if (reader.isRich())
        document->setHelperCopy(reader.helperCopy());
    document->moveToThread(QCoreApplication::instance()->thread());
    return document;
}

} // namespace

bool TextEdit::load(const QString& path)
{
    if (!QFile::exists(path))
        return false;
    QFile file(path);
    // A pipe or a device would keep the window waiting for its end.
    if (!QFileInfo(path).isFile()) {
        refuseFile(path, tr("It is not a regular file."),
            tr("You can save what it gives as a file and open that instead."));
        return false;
    }
    if (!file.open(QFile::ReadOnly)) {
        refuseFile(path, file.errorString(), tr("You can open a copy you may read instead."));
        return false;
    }
    // The font a style sheet gives, too.
    m_textEdit->ensurePolished();
    tryFile(path, file.read(TextEditReader::maxFileSize + 1));
    return true;
}

void TextEdit::tryFile(const QString& path, const QByteArray& content)
{
    const QFont font = LayoutThread::unshared(m_textEdit->font(), m_textEdit->logicalDpiY());
    const int width = m_textEdit->narrowestTextWidth();
    const int viewportWidth = m_textEdit->viewport()->width();
    const QTextOption::WrapMode wrap = m_textEdit->wordWrapMode();
    m_textEdit->trials()->begin(tr("Laying out %1...").arg(QFileInfo(path).fileName()),
        [this, path, content, font, width, viewportWidth, wrap](
            const std::shared_ptr<PageTrial::Cancel>& cancel) -> TrialQueue::Finish {
            // Beside the trial, where a thread is to be had: a page of
            // megabytes takes tens of milliseconds.
            std::future<QByteArray> digesting
                = std::async(std::launch::async | std::launch::deferred, digestOf, content);
            const auto reader = std::make_shared<TextEditReader>(
                content, path, font, TextEditReader::Side::Program, width, cancel);
            auto document = std::make_shared<std::unique_ptr<TextEditDocument>>();
            if (reader->refusal().isEmpty() && !reader->isCancelled())
                *document = built(*reader, wrap, viewportWidth, cancel);
            return [this, path, reader, document, digest = digesting.get()] {
                opened(path, *reader, std::move(*document), digest);
            };
        });
}

// Shown as it was built, with its pictures and line ends.
void TextEdit::opened(const QString& path, const TextEditReader& reader,
    std::unique_ptr<TextEditDocument> document, const QByteArray& digest)
{
    if (!reader.refusal().isEmpty()) {
        refuseFile(path, reader.refusal(), reader.instead());
        return;
    }
    if (!document)
        return;
    m_fileIsHtml = reader.isRich();
    m_fileForm = reader.form();
    showDocument(document.release());
    m_textEdit->moveCursor(QTextCursor::Start);
    // Typed in the document's own format, not in that of the one before.
    m_textEdit->setCurrentCharFormat(QTextCharFormat());
    m_fileDigest = digest;
    setCurrentFileName(path);
}

void TextEdit::refuseFile(const QString& path, const QString& refusal, const QString& instead)
{
    QMessageBox::warning(this, tr("Open File..."),
        tr("%1 was not opened.").arg(QFileInfo(path).fileName()) + '\n' + refusal + '\n' + instead);
}

// However often it is asked for during a trial, the window closes once after it.
bool TextEdit::mayClose(QWidget* window)
{
    if (m_closeHeld)
        return false;
    m_closeHeld = held([this, window] {
        m_closeHeld = false;
        window->close();
    });
    return !m_closeHeld && maybeSave();
}

bool TextEdit::maybeSave()
{
    if (!m_textEdit->document()->isModified() || m_fileName.startsWith(QLatin1String(":/")))
        return true;
    const QMessageBox::StandardButton answer = QMessageBox::warning(this, tr("Application"),
        tr("The document has been modified.\nDo you want to save your changes?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Save)
        return slotFileSave();
    return true;
}

void TextEdit::setCurrentFileName(const QString& fileName)
{
    m_fileName = fileName;
    m_textEdit->document()->setModified(false);
    const QString shownName
        = fileName.isEmpty() ? QStringLiteral("untitled.txt") : QFileInfo(fileName).fileName();
    setWindowTitle(tr("%1[*] - %2").arg(shownName, tr("Rich Text")));
    setWindowModified(false);
}

void TextEdit::slotFileNew()
{
    if (held([this] { slotFileNew(); }) || !maybeSave())
        return;
    m_textEdit->clear();
    // clear() keeps the typing format of the old cursor.
    m_textEdit->setCurrentCharFormat(QTextCharFormat());
    // Saved as a new document, not in the form of the file before.
    m_fileIsHtml = false;
    m_fileForm = PlainTextForm();
    m_fileDigest.clear();
    m_textEdit->document()->setBaseUrl(QUrl());
    setCurrentFileName(QString());
}

void TextEdit::slotFileOpen()
{
    if (held([this] { slotFileOpen(); }) || !maybeSave())
        return;
    const QString path = DORuverud::FileDialog::getOpenFileName(
        this, tr("Open File..."), QString(), tr("HTML-Files (*.htm *.html);;All Files (*)"));
    if (!path.isEmpty())
        load(path);
}

bool TextEdit::write(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QByteArray format = suffix == QLatin1String("odt") ? "ODF"
        : suffix == QLatin1String("htm") || suffix == QLatin1String("html") || m_fileIsHtml
        ? "HTML"
        : "plaintext";
    QByteArray content;
    QString error = encode(format, path, &content);
    if (error.isEmpty())
        error = ZAruri::WholeFile::write(path, content);
    if (!error.isEmpty()) {
        QMessageBox::warning(this, tr("Save as..."),
            tr("%1 was not saved.").arg(QFileInfo(path).fileName()) + '\n' + error);
        return false;
    }
    m_textEdit->document()->setModified(false);
    m_fileDigest = digestOf(content);
    return true;
}

QString TextEdit::encode(const QByteArray& format, const QString& path, QByteArray* content) const
{
    const QTextDocument* document = m_textEdit->document();
    if (format == "plaintext")
        return m_fileForm.encode(*document, content);
    // OpenDocument holds the pictures themselves.
    const std::unique_ptr<QTextDocument> moved = format == "HTML"
        ? PictureAddresses::movedTo(*document, QFileInfo(path).absolutePath())
        : nullptr;
    QBuffer buffer(content);
    return QTextDocumentWriter(&buffer, format).write(moved ? moved.get() : document)
        ? QString()
        : tr("The document cannot be written in that form.");
}

// Held, it saves the document as it is once the trial ended.
bool TextEdit::slotFileSave()
{
    if (held([this] { slotFileSave(); }))
        return false;
    if (m_fileName.isEmpty())
        return slotFileSaveAs();
    // Unedited since it was opened or saved, or with its edits undone, a file
    // still holding what was read or written then keeps its bytes.
    if (!m_textEdit->document()->isModified() && !m_fileDigest.isEmpty()
        && digestOfFile(m_fileName) == m_fileDigest)
        return true;
    return write(m_fileName);
}

bool TextEdit::slotFileSaveAs()
{
    if (held([this] { slotFileSaveAs(); }))
        return false;
    QString path = DORuverud::FileDialog::getSaveFileName(this, tr("Save as..."), QString(),
        tr("ODF files (*.odt);;HTML-Files (*.htm *.html);;All Files (*)"));
    if (path.isEmpty())
        return false;
    const bool known = path.endsWith(QLatin1String(".odt"), Qt::CaseInsensitive)
        || path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive)
        || path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
    if (!known)
        path += QLatin1String(".odt");
    // The new name only once the document is written there.
    if ((!known && !DORuverud::FileDialog::mayReplace(this, path)) || !write(path))
        return false;
    setCurrentFileName(path);
    return true;
}

void TextEdit::slotFilePrint()
{
    if (held([this] { slotFilePrint(); }))
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (m_textEdit->textCursor().hasSelection())
        dialog.addEnabledOption(QAbstractPrintDialog::PrintSelection);
    dialog.setWindowTitle(tr("Print Document"));
    if (dialog.exec() == QDialog::Accepted)
        m_textEdit->print(&printer);
}

void TextEdit::slotFilePrintPreview()
{
    if (held([this] { slotFilePrintPreview(); }))
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &TextEdit::printPreview);
    preview.exec();
}

void TextEdit::printPreview(QPrinter* printer)
{
    m_textEdit->print(printer);
}

void TextEdit::slotFilePrintPdf()
{
    if (held([this] { slotFilePrintPdf(); }))
        return;
    QString path = DORuverud::FileDialog::getSaveFileName(
        this, QStringLiteral("Export PDF"), QString(), QStringLiteral("*.pdf"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1String(".pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    m_textEdit->document()->print(&printer);
}
