#include "RichtextEditor.h"

#include "EditorPanel.h"
#include "TextEdit.h"

#include <QAction>
#include <QEvent>
#include <QVBoxLayout>

namespace DORuverud {

RichtextEditor::RichtextEditor(QWidget* parent)
    : QWidget(parent)
{
    m_editor = new TextEdit;
    m_panel = new EditorPanel;
    connect(m_editor, &TextEdit::textChanged, this, &RichtextEditor::textChanged);
    connectFileCommands();
    connectTextCommands();

    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(5, 5, 5, 5);
    layout->setSpacing(5);
    layout->addWidget(m_panel);
    layout->addWidget(m_editor);
    setLayout(layout);
    watchWindow();
}

QString RichtextEditor::html() const
{
    return m_editor->html();
}

void RichtextEditor::setHtml(const QString& html)
{
    m_editor->setHtml(html);
}

bool RichtextEditor::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::Show)
        watchWindow();
    return QWidget::event(event);
}

bool RichtextEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched == m_window && !m_editor->mayClose(m_window)) {
        event->ignore();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void RichtextEditor::watchWindow()
{
    if (m_window == window())
        return;
    if (m_window)
        m_window->removeEventFilter(this);
    m_window = window();
    m_window->installEventFilter(this);
}

void RichtextEditor::connectFileCommands()
{
    connect(m_panel, &EditorPanel::fileOpen, m_editor, &TextEdit::slotFileOpen);
    connect(m_panel, &EditorPanel::fileSave, m_editor, &TextEdit::slotFileSave);
    connect(m_panel, &EditorPanel::fileSaveAs, m_editor, &TextEdit::slotFileSaveAs);
    connect(m_panel, &EditorPanel::filePrint, m_editor, &TextEdit::slotFilePrint);
    connect(m_panel, &EditorPanel::filePrintPreview, m_editor, &TextEdit::slotFilePrintPreview);
    connect(m_panel, &EditorPanel::filePrintPdf, m_editor, &TextEdit::slotFilePrintPdf);
    connect(m_panel, &EditorPanel::undo, m_editor, &TextEdit::slotUndo);
    connect(m_panel, &EditorPanel::redo, m_editor, &TextEdit::slotRedo);
    connect(m_panel, &EditorPanel::cut, m_editor, &TextEdit::slotCut);
    connect(m_panel, &EditorPanel::copy, m_editor, &TextEdit::slotCopy);
    connect(m_panel, &EditorPanel::paste, m_editor, &TextEdit::slotPaste);
}

void RichtextEditor::connectTextCommands()
{
    // As the Format menu's entries: the check state flips, then the format follows it.
    connect(m_panel, &EditorPanel::textBold, m_editor->m_actionTextBold, &QAction::trigger);
    connect(m_panel, &EditorPanel::textItalic, m_editor->m_actionTextItalic, &QAction::trigger);
    connect(
        m_panel, &EditorPanel::textUnderline, m_editor->m_actionTextUnderline, &QAction::trigger);
    connect(m_panel, &EditorPanel::colorChanged, m_editor, &TextEdit::slotColorChanged);
    connect(m_panel, &EditorPanel::textAlignLeft, m_editor, &TextEdit::slotTextAlignLeft);
    connect(m_panel, &EditorPanel::textAlignCenter, m_editor, &TextEdit::slotTextAlignCenter);
    connect(m_panel, &EditorPanel::textAlignRight, m_editor, &TextEdit::slotTextAlignRight);
    connect(m_panel, &EditorPanel::textAlignJustify, m_editor, &TextEdit::slotTextAlignJustify);
}

} // namespace DORuverud
