#include "CssDoc.h"

#include "CssSheetReader.h"
#include "CssSyntaxHighlighter.h"
#include "FileDialog.h"
#include "InsertionGuard.h"
#include "InsertionParagraph.h"
#include "WholeFile.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>

namespace DORuverud {

CssDoc::CssDoc(QWidget* parent)
    : QTextEdit(parent)
    , m_insertionGuard(new InsertionGuard(
          this, [this](const QMimeData* source, const QTextCursor& at, const QTextCursor& moved) {
              return insertionRefusal(source, at, moved);
          }))
{
    new CssSyntaxHighlighter(document());
    applyOwnPalette();
}

void CssDoc::applyOwnPalette()
{
    document()->setDefaultFont(QFont(QStringLiteral("Lucida Console"), 12, QFont::Normal, false));
    setStyleSheet(QStringLiteral("QTextEdit{background: #000060; color: yellow;}"));
}

bool CssDoc::maybeSave()
{
    if (!document()->isModified())
        return true;
    const QMessageBox::StandardButton answer = QMessageBox::warning(this, tr("Style sheet"),
        tr("The style sheet has been modified.\nDo you want to save your changes?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save)
        slotSave();
    return answer == QMessageBox::Discard
        || (answer == QMessageBox::Save && !document()->isModified());
}

void CssDoc::slotLoad()
{
    if (!maybeSave())
        return;
    const QString path = FileDialog::getOpenFileName(this, QString(), QString(), QString());
    if (path.isEmpty())
        return;
    const CssSheetReader sheet = CssSheetReader::fromFile(path);
    if (!sheet.refusal().isEmpty()) {
        QMessageBox::warning(this, tr("Open"),
            tr("%1 was not opened.").arg(QFileInfo(path).fileName()) + '\n' + sheet.refusal());
        return;
    }
    setPlainText(sheet.text());
    m_form = sheet.form();
    m_form.markLineEnds(sheet.text(), document());
    document()->setModified(false);
    m_currentFilePath = path;
    emit changeWindowTitle(path);
}

void CssDoc::slotSave()
{
    if (m_currentFilePath.isEmpty())
        slotSaveAs();
    else
        write(m_currentFilePath);
}

void CssDoc::slotSaveAs()
{
    const QString path = FileDialog::getSaveFileName(this, m_currentFilePath, QString(), QString());
    if (!path.isEmpty())
        write(path);
}

void CssDoc::insertFromMimeData(const QMimeData* source)
{
    const QString text = source->text();
    if (!m_insertionGuard->refusedWithMessage(insertionRefusal(source, textCursor(), QTextCursor()))
        && !text.isNull())
        insertPlainText(text);
}

// Why the line the text joins is more than the text area can lay out, if it
// is.
InsertionGuard::Refusal CssDoc::insertionRefusal(
    const QMimeData* source, const QTextCursor& at, const QTextCursor& moved) const
{
    const InsertionParagraph paragraph(at, moved);
    const QString why
        = CssSheetReader::layoutRefusal(paragraph.before() + source->text() + paragraph.after());
    return why.isEmpty() ? InsertionGuard::Refusal() : InsertionGuard::Refusal(why);
}

// In the form of the file last loaded, in one piece; the file is named only
// once it is written there.
void CssDoc::write(const QString& path)
{
    QByteArray bytes;
    QString error = m_form.encode(*document(), &bytes);
    if (error.isEmpty())
        error = ZAruri::WholeFile::write(path, bytes);
    if (!error.isEmpty()) {
        QMessageBox::warning(this, tr("Save"),
            tr("%1 was not saved.").arg(QFileInfo(path).fileName()) + '\n' + error);
        return;
    }
    m_currentFilePath = path;
    document()->setModified(false);
    emit changeWindowTitle(path);
}

} // namespace DORuverud
