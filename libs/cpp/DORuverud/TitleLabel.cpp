#include "TitleLabel.h"

#include <QMouseEvent>

namespace DORuverud {

TitleLabel::TitleLabel(QWidget* parent)
    : QLabel(parent)
{
}

TitleLabel::~TitleLabel()
{
    delete m_decoration;
}

void TitleLabel::setDecoration(QWidget* decoration, const QPoint& offset)
{
    if (decoration != m_decoration) {
        delete m_decoration;
        m_decoration = decoration;
    }
    m_decorationOffset = offset;
    if (m_decoration)
        m_decoration->setWindowFlags(Qt::ToolTip);
}

void TitleLabel::placeDecoration()
{
    if (m_decoration)
        m_decoration->move(mapToGlobal(m_decorationOffset));
}

void TitleLabel::mousePressEvent(QMouseEvent* event)
{
    m_pressPosition = event->localPos().toPoint();
    QLabel::mousePressEvent(event);
}

void TitleLabel::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() != Qt::NoButton && parentWidget()) {
        parentWidget()->move(event->globalPos() - m_pressPosition);
        placeDecoration();
    }
    QLabel::mouseMoveEvent(event);
}

void TitleLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    placeDecoration();
}

void TitleLabel::showEvent(QShowEvent* event)
{
    QLabel::showEvent(event);
    if (m_decoration)
        m_decoration->show();
}

void TitleLabel::hideEvent(QHideEvent* event)
{
    if (m_decoration)
        m_decoration->hide();
    QLabel::hideEvent(event);
}

} // namespace DORuverud
