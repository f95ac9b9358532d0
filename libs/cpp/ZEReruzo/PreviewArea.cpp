#include "PreviewArea.h"

#include "MissingPicture.h"
#include "PictureReader.h"
#include "Trace.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace ZEReruzo {

PreviewArea::PreviewArea(QWidget* parent)
    : QFrame(parent)
{
    // Painted through the backing store: painting on screen shows nothing on X11.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(30, 30);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(2);
    m_source = Thumbnail(width(), height());
    m_source.fill(Qt::darkGray);
    m_pMenu = new QMenu(this);
    buildMenu();
}

void PreviewArea::buildMenu()
{
    m_pMenu->addAction(tr("&Edit"), this, &PreviewArea::slotEditItem);
    QMenu* operations = m_pMenu->addMenu(tr("&Operations"));
    for (const QString& text : {tr("&Rotate"), tr("&Negate"), tr("&Contrast/Brightnes/Intensity")})
        operations->addAction(text, this, &PreviewArea::slotOperateItem);
    operations->setWindowOpacity(0.6);
    m_pMenu->addAction(tr("&Empty2"));
    m_pMenu->setWindowOpacity(0.6);
}

void PreviewArea::refresh()
{
    displayItem(m_strPath);
}

QPixmap PreviewArea::pixmap() const
{
    return m_view;
}

// The picture is decoded no larger than the area can be shown: its screen's size.
void PreviewArea::displayItem(QString str)
{
    const QScreen* shownOn = screen();
    const QSize bound
        = shownOn ? (shownOn->size() * shownOn->devicePixelRatio()).expandedTo(size()) : QSize();
    if (str.isEmpty())
        return;
    QString refusal;
    const QImage image = DAvuroD::PictureReader::readFitted(str, bound, &refusal);
    if (image.isNull() && refusal.isEmpty()) {
        qCDebug(ZAruri::lcTrace) << tr("Cannot load %1.").arg(str);
        refusal = MissingPicture::unreadable();
    }
    m_strPath = str;
    setRefusal(refusal);
    m_source = Thumbnail(image.width(), image.height(), image);
    makeView();
    update();
}

void PreviewArea::displayPixmap(QPixmap pix)
{
    setRefusal(QString());
    m_source = Thumbnail(pix.width(), pix.height(), pix);
    update();
}

void PreviewArea::setRefusal(const QString& refusal)
{
    m_strRefusal = refusal;
    setToolTip(MissingPicture::text(refusal));
}

void PreviewArea::makeView()
{
    m_view = m_strRefusal.isEmpty() ? Thumbnail(width(), height(), m_source)
                                    : MissingPicture::thumbnail(width(), height(), m_strRefusal);
}

void PreviewArea::slotEditItem()
{
    if (!m_strPath.isNull())
        emit editItem(m_strPath);
}

void PreviewArea::slotOperateItem()
{
    auto* action = qobject_cast<QAction*>(sender());
    if (!m_strPath.isNull() && action)
        emit operateItem(m_strPath, action->text());
}

void PreviewArea::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        m_pMenu->exec(event->globalPos());
}

void PreviewArea::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit showItem(m_strPath);
}

void PreviewArea::paintEvent(QPaintEvent* event)
{
    makeView();
    {
        QPainter painter(this);
        painter.drawPixmap(0, 0, m_view);
    }
    QFrame::paintEvent(event);
}

} // namespace ZEReruzo
