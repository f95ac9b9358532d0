#pragma once

#include <QLabel>
#include <QPixmap>

namespace DORuverud {

// A label that paints a high-resolution pixmap at the screen's pixel ratio,
// over its own content.
class Label : public QLabel
{
    Q_OBJECT

public:
    enum Mode : int { Fit = 0, Fill = 1 };

    explicit Label(QWidget* parent = nullptr);

    // Takes effect at the next repaint.
    void setMode(Mode mode);
    void setRetinaPixmap(const QPixmap& pixmap);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_retinaPixmap;
    Mode m_mode = Fit;
};

} // namespace DORuverud
