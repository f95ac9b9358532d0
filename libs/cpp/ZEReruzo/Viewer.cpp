#include "Viewer.h"

#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

namespace ZEReruzo {

Viewer::Viewer(QWidget* parent)
    : PreviewArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    m_pTimer = new QTimer(this);
    connect(m_pTimer, &QTimer::timeout, this, &Viewer::slotTimeOut);
    m_pMenu->clear();
    m_pMenu->addAction(tr("&Slide show"), this, &Viewer::slotSlideShow);
}

void Viewer::slotSetItems(QList<QString> strLst)
{
    m_lstItems = strLst;
    const int shown = m_lstItems.indexOf(m_strPath);
    m_nPosition = shown < 0 ? m_lstItems.size() : shown;
}

void Viewer::slotSlideShow()
{
    if (m_pTimer->isActive())
        m_pTimer->stop();
    else
        m_pTimer->start(5000);
}

void Viewer::slotShowNext()
{
    step(1);
}

void Viewer::slotShowPrevious()
{
    step(-1);
}

void Viewer::slotTimeOut()
{
    step(-1);
}

void Viewer::step(int direction)
{
    const int count = m_lstItems.size();
    if (count == 0)
        return;
    // With no position, on goes to the first entry and back to the last.
    if (m_nPosition >= count)
        m_nPosition = direction > 0 ? 0 : count - 1;
    else
        m_nPosition = (m_nPosition + direction + count) % count;
    displayItem(m_lstItems.at(m_nPosition));
}

void Viewer::stopSlideShow()
{
    m_pTimer->stop();
}

void Viewer::mousePressEvent(QMouseEvent* event)
{
    stopSlideShow();
    PreviewArea::mousePressEvent(event);
}

void Viewer::mouseDoubleClickEvent(QMouseEvent* event)
{
    stopSlideShow();
    emit hideMe();
    PreviewArea::mouseDoubleClickEvent(event);
}

void Viewer::keyPressEvent(QKeyEvent* event)
{
    stopSlideShow();
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_PageDown:
        slotShowPrevious();
        break;
    case Qt::Key_PageUp:
        slotShowNext();
        break;
    case Qt::Key_Escape:
        emit hideMe();
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

} // namespace ZEReruzo
