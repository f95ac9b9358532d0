#include "ColorWidget.h"

#include "ColorWidgetPopup.h"

#include <QPainter>
#include <QRadialGradient>

namespace DORuverud {

ColorWidget::ColorWidget(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_MouseTracking);
    setMinimumSize(10, 10);
    m_popup = new ColorWidgetPopup(this, Qt::ToolTip);
    m_popup->hide();
    m_popup->setWindowOpacity(1.0);
    connect(m_popup, &ColorWidgetPopup::colorChanged, this, &ColorWidget::slotColorChanged);
}

QColor ColorWidget::color() const
{
    return m_color;
}

void ColorWidget::setColor(const QColor& colour)
{
    m_color = colour;
    update();
}

void ColorWidget::setOpacity(float opacity)
{
    m_popup->setWindowOpacity(opacity);
}

void ColorWidget::slotColorChanged(const QColor& colour)
{
    m_color = colour;
    repaint();
    emit colorChanged(colour);
}

void ColorWidget::mousePressEvent(QMouseEvent* event)
{
    m_popup->move(mapToGlobal(QPoint(0, 0)) + QPoint(0, height()));
    m_popup->setVisible(m_popup->isHidden());
    QWidget::mousePressEvent(event);
}

void ColorWidget::paintEvent(QPaintEvent*)
{
    const int w = width();
    const int h = height();
    QPainter painter(this);
    painter.setBrush(m_color);
    painter.drawRect(0, 0, w - 1, h - 1);

    // A glossy highlight in the top-left corner.
    QRadialGradient gloss(QPointF(5, 5), w / 2, QPointF(5, 5));
    gloss.setColorAt(0.0, Qt::white);
    gloss.setColorAt(1.0, Qt::gray);
    painter.setOpacity(0.5);
    painter.setBrush(gloss);
    painter.drawRect(0, 0, w - 1, h - 1);
    painter.setOpacity(1.0);

    // The drop-down arrow.
    painter.setBrush(Qt::white);
    painter.translate(w - 10, h - 8);
    const QPoint arrow[] = {QPoint(0, 0), QPoint(8, 0), QPoint(4, 4)};
    painter.drawPolygon(arrow, 3, Qt::OddEvenFill);
}

} // namespace DORuverud
