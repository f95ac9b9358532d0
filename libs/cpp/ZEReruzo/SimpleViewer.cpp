#include "SimpleViewer.h"

#include "MissingPicture.h"
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

void SimpleViewer::readPicture()
{
    m_strRefusal.clear();
    m_picture = DAvuroD::PictureReader::readStretched(m_strPath, size(), &m_strRefusal);
    m_pictureSize = size();
    if (m_picture.isNull() && m_strRefusal.isEmpty() && !m_strPath.isEmpty())
        m_strRefusal = MissingPicture::unreadable();
    setToolTip(MissingPicture::text(m_strRefusal));
}

void SimpleViewer::paintEvent(QPaintEvent*)
{
    // Decoded at the size it is painted at.
    if (m_pictureSize != size())
        readPicture();
    QPainter painter(this);
    if (!m_strRefusal.isEmpty()) {
        painter.drawPixmap(0, 0, MissingPicture::thumbnail(width(), height(), m_strRefusal));
        return;
    }
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
