#include "ScreenMeasurer.h"

#include "Common.h"
#include "Os.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

namespace DORuverud {

namespace {

QFont timesBold(int points)
{
    return QFont(QStringLiteral("Times"), points, QFont::Bold, false);
}

// Line height of the font, 0 for a size below one point.
int lineHeight(int points)
{
    return points >= 1 ? QFontMetrics(timesBold(points)).height() : 0;
}

} // namespace

ScreenMeasurer::ScreenMeasurer(QWidget* parent)
    : ScreenCropper(parent)
{
}

void ScreenMeasurer::retranslateUi() { }

// A shown ruler's display follows the new picture at the next resize or
// recreatePix2(). A hidden one takes the new picture at once; one that its
// owner has not sized takes the screen's geometry too, which a full-screen
// show without a window manager would not give it.
void ScreenMeasurer::grabScreen()
{
    m_selecting = false;
    m_grabPixmap = Common::grabScreen();
    if (!isVisible()) {
        if (!testAttribute(Qt::WA_Resized))
            coverScreen();
        recreatePix2();
    }
    emit done();
    repaint();
    setFocus(Qt::OtherFocusReason);
    setCursor(Qt::CrossCursor);
    holdCrossCursor();
}

// Leaving full screen first makes the next full-screen show a resize.
void ScreenMeasurer::slotClose()
{
    releaseCrossCursor();
    showNormal();
    hide();
    emit doQuit();
}

void ScreenMeasurer::mouseMoveEvent(QMouseEvent* event)
{
    if (m_selecting) {
        m_selection.setBottomRight(event->pos());
        repaint();
    }
    QWidget::mouseMoveEvent(event);
}

// The last rectangle stays on screen until the next repaint.
void ScreenMeasurer::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    m_selecting = false;
}

void ScreenMeasurer::enterEvent(QEvent*)
{
    holdCrossCursor();
}

void ScreenMeasurer::leaveEvent(QEvent*)
{
    releaseCrossCursor();
}

void ScreenMeasurer::changeEvent(QEvent* event)
{
    QFrame::changeEvent(event);
}

// The picture unscaled in the middle: one grab pixel per widget pixel.
void ScreenMeasurer::paintEvent(QPaintEvent*)
{
    const int w = width();
    const int h = height();
    const QPixmap& picture = m_displayPixmap;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(71, 71, 71));
    painter.drawRect(QRect(QPoint(0, 0), QPoint(w, h)));
    painter.drawPixmap(QRectF((w - picture.width()) / 2, (h - picture.height()) / 2,
                           picture.width(), picture.height()),
        picture, QRectF(picture.rect()));
    if (m_selecting)
        drawMeasure(painter);
    else
        drawMessageBox(painter, 24, 3.5);
}

// The size in the rectangle, in the largest font that fits it, or above it.
void ScreenMeasurer::drawMeasure(QPainter& painter) const
{
    const QRect area = spanned(m_selection);
    painter.setPen(selectionPen());
    painter.setBrush(selectionBrush());
    painter.drawRect(area);
    painter.setRenderHint(QPainter::Antialiasing, true);

    const double k = m_measuringScale / Os::scaleFactor();
    const QString text
        = QStringLiteral("%1x%2").arg(int(area.width() * k)).arg(int(area.height() * k));
    const int points = fittingPoints(text, area.size());
    if (points >= 1 && lineHeight(points) >= 9) {
        painter.setFont(timesBold(points));
        painter.drawText(area, Qt::AlignCenter, text);
    } else {
        drawCaption(painter, text);
    }
}

// Sized by the width, or by the height when that is too low; then no wider
// than the rectangle, so that no digit is cut off. Below 1: no font fits.
int ScreenMeasurer::fittingPoints(const QString& text, const QSize& area)
{
    int points = int(area.width() / 4.5);
    if (points >= 1 && lineHeight(points) > area.height())
        points = int(area.height() / 1.5);
    const auto advance
        = [&text](int size) { return QFontMetrics(timesBold(size)).horizontalAdvance(text); };
    if (points >= 1 && advance(points) > area.width())
        points = points * area.width() / advance(points);
    while (points >= 1 && advance(points) > area.width())
        --points;
    return points;
}

// Above the corner where the drag began.
void ScreenMeasurer::drawCaption(QPainter& painter, const QString& text) const
{
    const QFont font = timesBold(13);
    const QFontMetrics metrics(font);
    const int left = m_selection.left();
    const int top = m_selection.top();
    painter.setFont(font);
    painter.setPen(Qt::NoPen);
    painter.drawRect(QRect(QPoint(left - 2, top - 3 - metrics.height()),
        QPoint(left + metrics.horizontalAdvance(text) + 1, top)));
    painter.setPen(selectionPen());
    painter.drawText(QPoint(left, top - 3), text);
}

} // namespace DORuverud
