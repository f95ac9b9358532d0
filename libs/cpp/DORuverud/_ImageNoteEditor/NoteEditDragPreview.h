#pragma once

#include <QPixmap>
#include <QWidget>

namespace DORuverud {

// A small picture of the annotated image under a "Drag" band and a glass
// sheen; dragging it offers the picture as a PNG file in the work folder.
// GUI thread only.
class NoteEditDragPreview : public QWidget
{
    Q_OBJECT

public:
    explicit NoteEditDragPreview(QWidget* parent);

    // Writes the picture into the work folder and drags that file. Starts no
    // drag when the picture is empty or no file name can be written.
    void startDrag();

public slots:
    void slotSetPixmap(const QPixmap& pixmap);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The first of the drag names that takes the whole picture, or empty.
    QString writeDragFile() const;
    QPixmap scaledPicture();

    QPixmap m_pixmap;
    QPoint m_dragStart {0, 0};
    QPixmap m_scaled;
    qint64 m_scaledFrom = 0;
};

} // namespace DORuverud
