#include "SimpleViewer.h"

#include "PictureReader.h"

#include <QPainter>

namespace ZEReruzo {

SimpleViewer::SimpleViewer(QWidget* parent)
    : QWidget(parent)
{
}

void SimpleViewer::slotSetItem(QString str)
{
    m_strPath = str;
    m_picture = QImage();
    m_pictureSize = QSize();
}

void SimpleViewer::paintEvent(QPaintEvent*)
{
    // Decoded at the size it is painted at.
    if (m_pictureSize != size()) {
        m_picture = DAvuroD::PictureReader::readStretched(m_strPath, size());
        m_pictureSize = size();
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(Qt::darkGray, Qt::SolidPattern));
    painter.drawRect(rect());
    if (!m_picture.isNull())
        painter.drawImage(0, 0, m_picture);
}

void SimpleViewer::resizeEvent(QResizeEvent* event)
{
    repaint();
    QWidget::resizeEvent(event);
}

} // namespace ZEReruzo
