#include "SimpleViewer.h"

#include <QPainter>
#include <QPixmap>

namespace ZEReruzo {

SimpleViewer::SimpleViewer(QWidget* parent)
    : QWidget(parent)
{
}

void SimpleViewer::slotSetItem(QString str)
{
    m_strPath = str;
}

void SimpleViewer::paintEvent(QPaintEvent*)
{
    const QPixmap picture(m_strPath);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(Qt::darkGray, Qt::SolidPattern));
    painter.drawRect(rect());
    if (!picture.isNull())
        painter.drawPixmap(
            0, 0, picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void SimpleViewer::resizeEvent(QResizeEvent* event)
{
    repaint();
    QWidget::resizeEvent(event);
}

} // namespace ZEReruzo
