#pragma once

#include <QColor>
#include <QWidget>

class QPushButton;

namespace DORuverud {

// A row of small flat buttons and a colour chooser for a rich-text editor.
// It only emits one signal per command; the buttons take their look from the
// style sheet through their object names.
class EditorPanel : public QWidget
{
    Q_OBJECT

public:
    explicit EditorPanel(QWidget* parent = nullptr);

signals:
    void fileOpen();
    void fileSave();
    void fileSaveAs();
    void filePrint();
    void filePrintPreview();
    void filePrintPdf();
    void undo();
    void redo();
    void cut();
    void copy();
    void paste();
    void textBold();
    void textUnderline();
    void textItalic();
    void textColor();
    void textAlignLeft();
    void textAlignCenter();
    void textAlignRight();
    void textAlignJustify();
    void colorChanged(QColor colour);

private slots:
    void slotFileOpen();
    void slotFileSave();
    void slotFileSaveAs();
    void slotFilePrint();
    void slotFilePrintPreview();
    void slotFilePrintPdf();
    void slotUndo();
    void slotRedo();
    void slotCut();
    void slotCopy();
    void slotPaste();
    void slotTextBold();
    void slotTextUnderline();
    void slotTextItalic();
    void slotTextColor();
    void slotTextAlignLeft();
    void slotTextAlignCenter();
    void slotTextAlignRight();
    void slotTextAlignJustify();

private:
    using Slot = void (EditorPanel::*)();

    QPushButton* createButton(const QString& objectName, const QString& toolTip);
    QPushButton* createButton(const QString& objectName, const QString& toolTip, Slot slot);
    QPushButton* createFileButton();
    QWidget* createColorChooser();
    // Groups left to right, with a stretch between two groups.
    void layOut(const QList<QWidgetList>& groups);
};

} // namespace DORuverud
