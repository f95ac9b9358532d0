#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace DORuverud {

// A clickable picture with an optional caption at the top. The picture is
// brightened while the mouse is over the label.
class AdvancedLabel : public QWidget
{
    Q_OBJECT

public:
    explicit AdvancedLabel(QWidget* parent = nullptr);

    // Each setter repaints at once.
    void setText(const QString& text);
    void setBackgroundPixmap(const QPixmap& pixmap);
    // Space around the picture, in pixels.
    void setMargin(int margin);

signals:
    // Any mouse button; before the press reaches QWidget.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QImage picture() const;

    QString m_strText;
    QPixmap m_backgroundPixmap;
    int m_nMargin = 0;
    bool m_bHovered = false;
};

} // namespace DORuverud
