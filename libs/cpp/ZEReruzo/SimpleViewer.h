#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>

namespace ZEReruzo {

// Paints one picture file stretched over the whole widget, on a dark-gray
// ground that shows alone when the file does not load. A picture that
// PictureReader refuses shows as missing, with the reason, which is the
// widget's tool tip too. The picture is read at the first paint after
// slotSetItem(), at the widget's size, and kept for the paints after it
// until the size changes.
class SimpleViewer : public QWidget
{
    Q_OBJECT

public:
    explicit SimpleViewer(QWidget* parent = nullptr);

public slots:
    // Only stores the path; the next paint shows it.
    void slotSetItem(QString str);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Reads the path at the widget's size.
    void readPicture();

    QString m_strPath;
    // The picture read for the path at that size; an invalid size before it is read.
    QImage m_picture;
    QSize m_pictureSize;
    // Why the picture read is refused; empty when it is not.
    QString m_strRefusal;
};

} // namespace ZEReruzo
