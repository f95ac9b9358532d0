#include "SimpleViewer.h"

#include "PictureReader.h"

#include <QImage>
#include <QPainter>

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
    // Decoded at the size it is painted at.
    const QImage picture = DAvuroD::PictureReader::readStretched(m_strPath, size());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(Qt::darkGray, Qt::SolidPattern));
    painter.drawRect(rect());
    if (!picture.isNull())
        painter.drawImage(0, 0, picture);
}

void SimpleViewer::resizeEvent(QResizeEvent* event)
{
    repaint();
    QWidget::resizeEvent(event);
}

} // namespace ZEReruzo
