#pragma once

#include "HeldCursor.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPair>
#include <QPixmap>
#include <QWidget>

#include <functional>

class QCursor;

namespace DORuverud {

class ImageNoteHistory;
class NoteEditWidget;

// The drawing surface of the annotation editor: a picture with a transparent
// layer over it that the tools draw on. A step is drawn on the layer where it
// ends (the mouse release, an accepted text) and can be undone and redone; one
// that changes no pixel is none, and painting changes nothing. A press outside
// an open note accepts it before the tool starts there. slotSave() writes the
// picture with its layer as a PNG file, an open note accepted first. GUI
// thread only.
class ImageNoteWorkArea : public QWidget
{
    Q_OBJECT

public:
    // The tool. Any other value draws as Pen.
    enum Mode : int {
        Pen = 0,
        Eraser = 1,
        Highlighter = 2,
        Rectangle = 3,
        FilledRectangle = 4,
        BlurRectangle = 5,
        Oval = 6,
        FilledOval = 7,
        Line = 8,
        Arrow = 9,
        Text = 10,
        // Passing states of the text tool after Cancel and Accept.
        TextCancelled = 11,
        TextAccepted = 12
    };
    Q_ENUM(Mode)

    explicit ImageNoteWorkArea(QWidget* parent);

    // The picture with the layer over it.
    QPixmap pixContent();
    // Something on the picture is not saved.
    bool isDirty() const;
    // The text box's text takes the current colour.
    void applyToTextEdit();
    // A line from the press point with a solid head at the current point.
    void drawArrow(QPainter* painter);

signals:
    // The layer changed through a step, an undo or a redo.
    void changed();
    void undoAvailable(bool available);
    void redoAvailable(bool available);

public slots:
    // A new picture with an empty layer and no undo steps.
    void slotSetPixmap(const QPixmap& pixmap);
    // The cursor follows at the next entry of the pointer.
    void slotSetMode(const Mode& mode);
    void slotSetColor(const QColor& colour);
    void slotSetFont(const QFont& font);
    void slotSetThikness(const int& thickness);
    void slotSetDashLine(bool dashed);
    // Asks for a file name; a note still open goes in as if accepted. The
    // dirty flag clears only when the file was written whole.
    void slotSave();
    void slotUndo();
    void slotRedo();

private slots:
    void slotEditCanceled();
    void slotEditAccepted();
    void slotSwitchToEdit();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool isFreehand() const;
    void moveTo(const QPoint& position);
    void updatePreview();
    void finishEdit();
    void commit(const std::function<void(QPainter&)>& draw);
    QPen standardPen() const;
    QRect spanned() const;
    QRect hiddenByBlur() const;
    void showLayer(QPainter& screen) const;
    void paintTool(QPainter& screen);
    void drawTool(QPainter& painter);
    void drawSegments(QPainter& painter) const;
    void drawShape(QPainter& painter);
    void drawBlurred(QPainter& painter);
    void paintText(QPainter& screen);
    void placeTextBox();
    bool hasOpenNote() const;
    void acceptText();
    void drawAcceptedText(QPainter& layer);
    void closeTextBox(Mode mode);
    void restore(const QImage& layer);
    QCursor toolCursor() const;

    QPixmap m_pixmap;
    // The picture as the blur reads it, made at its first blur.
    QImage m_blurSource;
    QPixmap m_layer;
    QPixmap m_composed;
    QPoint m_previousPoint {0, 0};
    QPoint m_currentPoint {0, 0};
    QPoint m_pressPoint {0, 0};
    Mode m_mode = Pen;
    QColor m_color = Qt::yellow;
    QFont m_font;
    int m_thickness = 1;
    bool m_dashed = false;
    bool m_pressed = false;
    NoteEditWidget* m_textBox;
    ImageNoteHistory* m_history;
    QList<QPair<QPoint, QPoint>> m_segments;
    bool m_dirty = true;
    HeldCursor m_cursor;
    QRect m_previewBounds;
    qint64 m_composedLayer = 0;
};

} // namespace DORuverud
