#include "AdvancedLabel.h"

#include "ImageProcess.h"

#include <QImage>
#include <QPainter>

namespace DORuverud {

AdvancedLabel::AdvancedLabel(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(16, 16);
}

void AdvancedLabel::setText(const QString& text)
{
    m_strText = text;
    repaint();
}

void AdvancedLabel::setBackgroundPixmap(const QPixmap& pixmap)
{
    m_backgroundPixmap = pixmap;
    repaint();
}

void AdvancedLabel::setMargin(int margin)
{
    m_nMargin = margin;
    repaint();
}

void AdvancedLabel::mousePressEvent(QMouseEvent* event)
{
    emit clicked();
    QWidget::mousePressEvent(event);
}

void AdvancedLabel::enterEvent(QEvent* event)
{
    m_bHovered = true;
    setCursor(Qt::PointingHandCursor);
    QWidget::enterEvent(event);
    repaint();
}

void AdvancedLabel::leaveEvent(QEvent* event)
{
    m_bHovered = false;
    setCursor(Qt::ArrowCursor);
    QWidget::leaveEvent(event);
    repaint();
}

// The background scaled into the margins; brightened and made opaque while hovered.
QImage AdvancedLabel::picture() const
{
    const QImage scaled = m_backgroundPixmap.toImage().scaled(width() - 2 * m_nMargin,
        height() - 2 * m_nMargin, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (!m_bHovered || scaled.isNull())
        return scaled;
    // The image model reads any format as four bytes a pixel, converting first.
    DAvuroD::ImageProcess process(scaled);
    process.brightness(30);
    QImage bright(scaled.size(), QImage::Format_RGB32);
    for (int y = 0; y < bright.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(bright.scanLine(y));
        for (int x = 0; x < bright.width(); ++x)
            line[x] = 0xFF000000u | QRgb(process.getPixel(x, y));
    }
    return bright;
}

void AdvancedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!m_backgroundPixmap.isNull())
        painter.drawImage(m_nMargin, m_nMargin, picture());
    if (m_strText.isEmpty())
        return;
    QFont font(QStringLiteral("Courier"), 9, QFont::Bold, false);
    painter.setFont(font);
    painter.drawText(rect(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_strText);
}

} // namespace DORuverud
