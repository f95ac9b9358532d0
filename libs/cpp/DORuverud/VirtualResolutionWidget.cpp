#include "VirtualResolutionWidget.h"

#include "Trace.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QVBoxLayout>

namespace DORuverud {

VirtualResolutionWidget::VirtualResolutionWidget(QWidget* parent)
    : QWidget(parent)
{
    m_scene = new QGraphicsScene(0, 0, 800, 800, this);
    m_view = new QGraphicsView(m_scene, this);
    m_view->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    QPalette palette = this->palette();
    palette.setBrush(QPalette::All, backgroundRole(), QBrush(Qt::green));
    setPalette(palette);
}

void VirtualResolutionWidget::setWidget(QWidget* widget)
{
    m_proxy = m_scene->addWidget(widget);
    if (m_virtualSize.isValid())
        slotSetSize(m_virtualSize);
    else
        fit();
}

void VirtualResolutionWidget::slotSetSize(const QSize& size)
{
    m_virtualSize = size;
    if (m_proxy && size.isValid())
        m_proxy->widget()->setFixedSize(size);
    m_scene->setSceneRect(0, 0, size.width(), size.height());
    fit();
}

void VirtualResolutionWidget::slotSetWidth(int width)
{
    slotSetSize(QSize(width, knownSize().height()));
    qCDebug(ZAruri::lcTrace) << "Size1:" << m_virtualSize;
}

void VirtualResolutionWidget::slotSetHeight(int height)
{
    slotSetSize(QSize(knownSize().width(), height));
    qCDebug(ZAruri::lcTrace) << "Size2:" << m_virtualSize;
}

// The virtual size, with the embedded widget's side for a side not set yet.
QSize VirtualResolutionWidget::knownSize() const
{
    if (!m_proxy)
        return m_virtualSize;
    const QSize widget = m_proxy->widget()->size();
    return QSize(m_virtualSize.width() < 0 ? widget.width() : m_virtualSize.width(),
        m_virtualSize.height() < 0 ? widget.height() : m_virtualSize.height());
}

// Stretched across and down independently.
void VirtualResolutionWidget::fit()
{
    if (!m_proxy)
        return;
    m_view->fitInView(m_proxy, Qt::IgnoreAspectRatio);
    m_proxy->setPos(0, 0);
}

void VirtualResolutionWidget::resizeEvent(QResizeEvent* event)
{
    refit();
    QWidget::resizeEvent(event);
}

// At the first show the view is laid out only after the resize event.
void VirtualResolutionWidget::showEvent(QShowEvent* event)
{
    refit();
    QWidget::showEvent(event);
}

void VirtualResolutionWidget::refit()
{
    if (!m_proxy)
        return;
    m_view->fitInView(m_proxy, Qt::IgnoreAspectRatio);
    m_view->ensureVisible(m_proxy, 50, 50);
}

} // namespace DORuverud
