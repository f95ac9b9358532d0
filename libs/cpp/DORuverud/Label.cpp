#include "Label.h"

#include "App.h"

#include <QPainter>

namespace DORuverud {

Label::Label(QWidget* parent)
    : QLabel(parent)
{
}

void Label::setMode(Mode mode)
{
    m_mode = mode;
}

void Label::setRetinaPixmap(const QPixmap& pixmap)
{
    m_retinaPixmap = pixmap;
    update();
}

void Label::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (m_retinaPixmap.isNull())
        return;
    QPainter painter(this);
    const qreal ratio = App::theApp()->devicePixelRatio();
    const QSize target(int(width() * ratio), int(height() * ratio));
    const bool fit = m_mode == Fit;
    const QPixmap scaled = m_retinaPixmap.scaled(target,
        fit ? Qt::KeepAspectRatio : Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    const qreal drawnWidth = scaled.width() / ratio;
    const qreal drawnHeight = scaled.height() / ratio;
    QRect drawn(0, 0, int(drawnWidth), int(drawnHeight));
    if (fit)
        drawn.moveTopLeft(
            QPoint(int((width() - drawnWidth) * 0.5), int((height() - drawnHeight) * 0.5)));
    painter.drawPixmap(drawn, scaled, scaled.rect());
}

} // namespace DORuverud
