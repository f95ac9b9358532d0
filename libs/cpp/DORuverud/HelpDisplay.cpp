#include "HelpDisplay.h"

#include <QPainter>

namespace DORuverud {

HelpDisplay::HelpDisplay(QWidget* parent)
    : QFrame(parent)
{
}

void HelpDisplay::setSlide(const QString& path)
{
    m_slide = path;
    update();
}

void HelpDisplay::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_slide.isEmpty())
        return;
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(rect());
    const QImage picture
        = QImage(m_slide).scaled(size() * 2, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (picture.isNull())
        return;
    const int w = picture.width();
    const int h = picture.height();
    const QRect target(qAbs(width() - w / 2) / 2, qAbs(height() - h / 2) / 2, w / 2, h / 2);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture, picture.rect());
}

} // namespace DORuverud
