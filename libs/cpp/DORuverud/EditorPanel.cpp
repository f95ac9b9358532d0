#include "EditorPanel.h"

#include "ColorWidget.h"
#include "Common.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>

namespace DORuverud {

EditorPanel::EditorPanel(QWidget* parent)
    : QWidget(parent)
{
    setMaximumHeight(28);
    QWidget* file = createFileButton();
    QWidget* bold = createButton("EditorTextBold", tr("Bold"), &EditorPanel::slotTextBold);
    QWidget* underline
        = createButton("EditorTextUnderline", tr("Underline"), &EditorPanel::slotTextUnderline);
    QWidget* italic = createButton("EditorTextItalic", tr("Italic"), &EditorPanel::slotTextItalic);
    QWidget* colour = createColorChooser();
    QWidget* left
        = createButton("EditorTextAlignLeft", tr("Align Left"), &EditorPanel::slotTextAlignLeft);
    QWidget* center
        = createButton("TextAlignCenter", tr("Align Center"), &EditorPanel::slotTextAlignCenter);
    QWidget* right
        = createButton("TextAlignRight", tr("Align Right"), &EditorPanel::slotTextAlignRight);
    QWidget* justify
        = createButton("TextAlignJustify", tr("Align Justify"), &EditorPanel::slotTextAlignJustify);
    QWidget* undo = createButton("TextUndo", tr("Undo"), &EditorPanel::slotUndo);
    QWidget* redo = createButton("TextRedo", tr("Redo"), &EditorPanel::slotRedo);
    QWidget* cut = createButton("TextCut", tr("Cut"), &EditorPanel::slotCut);
    QWidget* copy = createButton("TextCopy", tr("Copy"), &EditorPanel::slotCopy);
    QWidget* paste = createButton("TextPaste", tr("Paste"), &EditorPanel::slotPaste);
    layOut({{file}, {bold, italic, underline}, {colour}, {undo, redo}, {cut, copy, paste},
        {left, center, right, justify}});
}

void EditorPanel::layOut(const QList<QWidgetList>& groups)
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(3, 3, 3, 3);
    row->setSpacing(0);
    for (const QWidgetList& group : groups) {
        if (row->count())
            row->addStretch(1);
        for (QWidget* widget : group)
            row->addWidget(widget);
    }
    setLayout(row);
}

QWidget* EditorPanel::createColorChooser()
{
    auto* chooser = new ColorWidget;
    chooser->setFixedSize(24, 24);
    // As a tool bar's, the keyboard stays with the editor.
    chooser->setFocusPolicy(Qt::NoFocus);
    chooser->setOpacity(0.8f);
    chooser->setColor(Qt::white);
    connect(chooser, &ColorWidget::colorChanged, this, &EditorPanel::colorChanged);
    return chooser;
}

QPushButton* EditorPanel::createButton(const QString& objectName, const QString& toolTip)
{
    auto* button = new QPushButton;
    Common::extend(button, objectName, toolTip);
    button->setFixedSize(24, 24);
    button->setFlat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QPushButton* EditorPanel::createButton(const QString& objectName, const QString& toolTip, Slot slot)
{
    QPushButton* button = createButton(objectName, toolTip);
    connect(button, &QPushButton::clicked, this, slot);
    return button;
}

QPushButton* EditorPanel::createFileButton()
{
    QPushButton* button = createButton("EditorFile", tr("File"));
    auto* menu = new QMenu(button);
    menu->addAction(tr("Open..."), this, &EditorPanel::slotFileOpen);
    menu->addAction(tr("Save"), this, &EditorPanel::slotFileSave);
    menu->addAction(tr("Save As..."), this, &EditorPanel::slotFileSaveAs);
    menu->addAction(tr("Print..."), this, &EditorPanel::slotFilePrint);
    menu->addAction(tr("Print Preview..."), this, &EditorPanel::slotFilePrintPreview);
    menu->addAction(tr("Create PDF"), this, &EditorPanel::slotFilePrintPdf);
    button->setMenu(menu);
    return button;
}

void EditorPanel::slotFileOpen()
{
    emit fileOpen();
}

void EditorPanel::slotFileSave()
{
    emit fileSave();
}

void EditorPanel::slotFileSaveAs()
{
    emit fileSaveAs();
}

void EditorPanel::slotFilePrint()
{
    emit filePrint();
}

void EditorPanel::slotFilePrintPreview()
{
    emit filePrintPreview();
}

void EditorPanel::slotFilePrintPdf()
{
    emit filePrintPdf();
}

void EditorPanel::slotUndo()
{
    emit undo();
}

void EditorPanel::slotRedo()
{
    emit redo();
}

void EditorPanel::slotCut()
{
    emit cut();
}

void EditorPanel::slotCopy()
{
    emit copy();
}

void EditorPanel::slotPaste()
{
    emit paste();
}

void EditorPanel::slotTextBold()
{
    emit textBold();
}

void EditorPanel::slotTextUnderline()
{
    emit textUnderline();
}

void EditorPanel::slotTextItalic()
{
    emit textItalic();
}

void EditorPanel::slotTextColor()
{
    emit textColor();
}

void EditorPanel::slotTextAlignLeft()
{
    emit textAlignLeft();
}

void EditorPanel::slotTextAlignCenter()
{
    emit textAlignCenter();
}

void EditorPanel::slotTextAlignRight()
{
    emit textAlignRight();
}

void EditorPanel::slotTextAlignJustify()
{
    emit textAlignJustify();
}

} // namespace DORuverud
