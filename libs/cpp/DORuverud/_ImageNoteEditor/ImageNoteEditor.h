#pragma once

#include <QFrame>

class QAction;
class QHBoxLayout;
class QMenu;
class QPushButton;
class QScrollArea;

namespace DORuverud {

class ImageNoteWorkArea;
class NoteEditDragPreview;

// The screenshot annotation window: the work area in a scroll area, a column
// of tools under a drag preview, and a row with colour, thickness, Undo,
// Redo, Save and Quit. A host gives it pictures and answers
// doNewScreenShot(). GUI thread only.
class ImageNoteEditor : public QFrame
{
    Q_OBJECT

public:
    explicit ImageNoteEditor(QWidget* parent = nullptr);

signals:
    void changed();
    void shown();
    // The user asked for a new screenshot; the window has hidden itself.
    void doNewScreenShot();

public slots:
    // Sizes the window to the picture, within two thirds of the desktop.
    void slotSetPixmap(const QPixmap& pixmap);

protected:
    // A dirty picture asks first and keeps the window in any case.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void slotNewScreenShot();
    // A dirty picture asks first; the application ends unless the user stays.
    void slotQuit();
    void slotChanged();
    void slotSetThikness(QAction* action);
    void slotSetDashLine(bool dashed);
    void slotSetDrawTool(QAction* action);
    void slotSetFont();
    void slotAbout();
    void slotSetPenTool();
    void slotSetEraserTool();
    void slotSetHighlighterTool();
    void slotSetRectangleTool();
    void slotSetFilledRectangleTool();
    void slotSetOvalTool();
    void slotSetBlurRectangleTool();
    void slotSetFilledOvalTool();
    void slotSetLineTool();
    void slotSetArrowTool();
    void slotSetTextTool();

private:
    QPushButton* createFlatButton(const QString& objectName, const QString& toolTip);
    QHBoxLayout* createTopRow();
    QLayout* createColorAndThickness();
    QLayout* createUndoRedo();
    QLayout* createSaveAndQuit();
    QMenu* createThicknessMenu(QWidget* parent);
    void createToolColumn();
    void createToolMenu();
    int ask(const QString& text, int buttons);
    int askToSave();

    ImageNoteWorkArea* m_workArea;
    QScrollArea* m_scrollArea;
    QFrame* m_toolFrame;
    NoteEditDragPreview* m_dragPreview;
};

} // namespace DORuverud
