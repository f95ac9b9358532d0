#include "CssDoc.h"

#include "CssSheetReader.h"
#include "CssSyntaxHighlighter.h"
#include "FileDialog.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTextStream>

namespace DORuverud {

CssDoc::CssDoc(QWidget* parent)
    : QTextEdit(parent)
{
    new CssSyntaxHighlighter(document());
    applyOwnPalette();
}

void CssDoc::applyOwnPalette()
{
    document()->setDefaultFont(QFont(QStringLiteral("Lucida Console"), 12, QFont::Normal, false));
    setStyleSheet(QStringLiteral("QTextEdit{background: #000060; color: yellow;}"));
}

void CssDoc::slotLoad()
{
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
    m_currentFilePath = path;
    emit changeWindowTitle(path);
}

void CssDoc::slotSave()
{
    if (m_currentFilePath.isEmpty()) {
        slotSaveAs();
        return;
    }
    QFile file(m_currentFilePath);
    if (!file.open(QIODevice::WriteOnly))
        return;
    QTextStream out(&file);
    out << toPlainText();
    out.flush();
    file.close();
    emit changeWindowTitle(m_currentFilePath);
}

void CssDoc::slotSaveAs()
{
    const QString path = FileDialog::getSaveFileName(this, m_currentFilePath, QString(), QString());
    if (path.isEmpty())
        return;
    m_currentFilePath = path;
    slotSave();
}

} // namespace DORuverud
