#include "ImageNoteWorkArea.h"

#include "App.h"
#include "DrawTools.h"
#include "FileDialog.h"
#include "ImageNoteFiles.h"
#include "ImageNoteHistory.h"
#include "ImageNotePictures.h"
#include "NoteEditWidget.h"
#include "Trace.h"

#include <QDateTime>
#include <QFileInfo>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTextEdit>
#include <QTimer>
#include <QtMath>

#include <cmath>

namespace DORuverud {

namespace {

constexpr int BlurRadius = 10;
constexpr int TextReturnMs = 100;
// Shorter drags open a box of the default size.
constexpr int SmallDrag = 101;
const QSize defaultTextBox(220, 90);

QColor fillColor(QColor colour)
{
    colour.setAlpha(200);
    return colour;
}

// Relative luminance of an sRGB channel value, and back.
qreal linear(qreal value)
{
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

qreal gamma(qreal luminance)
{
    return luminance <= 0.0031308 ? luminance * 12.92
                                  : 1.055 * std::pow(luminance, 1 / 2.4) - 0.055;
}

// Black behind a light ink, white behind a dark one, just opaque enough that
// the ink keeps a contrast of 4.5 to 1 over any picture (the least for easy
// reading), or as much as the ink allows.
QColor veilFor(const QColor& ink)
{
    constexpr qreal Contrast = 4.5;
    const qreal luminance = 0.2126 * linear(ink.redF()) + 0.7152 * linear(ink.greenF())
        + 0.0722 * linear(ink.blueF());
    // Black and white contrast alike with an ink of this luminance.
    const bool light = luminance > std::sqrt(1.05 * 0.05) - 0.05;
    // The backdrop's luminance at the contrast wanted: under a black veil the
    // worst picture is white, under a white one black.
    const qreal backdrop
        = light ? (luminance + 0.05) / Contrast - 0.05 : Contrast * (luminance + 0.05) - 0.05;
    const qreal opacity
        = backdrop <= 0 || backdrop >= 1 ? 1.0 : (light ? 1 - gamma(backdrop) : gamma(backdrop));
    QColor veil = light ? QColor(Qt::black) : QColor(Qt::white);
    veil.setAlpha(qCeil(opacity * 255));
    return veil;
}

// A line of odd width centred on the pixels' edges leaves a half-covered
// pixel on either side; centred on their middles it covers whole pixels.
void alignToPixels(QPainter& painter)
{
    if (qMax(1, qRound(painter.pen().widthF())) % 2 == 1)
        painter.translate(0.5, 0.5);
}

// Over the pixels from one corner to the other and no more, the outline as
// wide as the pen inside them, so that a click marks one pixel. A solid
// outline is filled where it lies, with whole pixels at its corners; dashes
// run along its middle as Qt draws them on a line.
void drawRectangle(QPainter& painter, const QRect& corners)
{
    const QRect pixels = corners.normalized();
    QPen pen = painter.pen();
    const int width = qMax(1, qRound(pen.widthF()));
    if (painter.brush().style() != Qt::NoBrush)
        painter.fillRect(pixels, painter.brush());
    if (pen.style() != Qt::SolidLine) {
        const qreal half = width / 2.0;
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(pixels).adjusted(half, half, -half, -half));
        return;
    }
    QPainterPath outline;
    outline.addRect(pixels);
    const QRect inside = pixels.adjusted(width, width, -width, -width);
    if (!inside.isEmpty())
        outline.addRect(inside);
    painter.fillPath(outline, pen.brush());
}

} // namespace

ImageNoteWorkArea::ImageNoteWorkArea(QWidget* parent)
    : QWidget(parent)
    , m_textBox(new NoteEditWidget(this))
    , m_history(new ImageNoteHistory(this))
{
    m_textBox->setAutoFillBackground(true);
    m_textBox->hide();
    connect(m_textBox, &NoteEditWidget::cancelClicked, this, &ImageNoteWorkArea::slotEditCanceled);
    connect(m_textBox, &NoteEditWidget::okClicked, this, &ImageNoteWorkArea::slotEditAccepted);
    applyToTextEdit();
}

// Composed again only when the layer changed since the last time.
QPixmap ImageNoteWorkArea::pixContent()
{
    if (!m_composed.isNull() && m_composedLayer != m_layer.cacheKey()) {
        QPainter painter(&m_composed);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawPixmap(0, 0, m_pixmap);
        painter.drawPixmap(0, 0, m_layer);
        m_composedLayer = m_layer.cacheKey();
    }
    return m_composed;
}

bool ImageNoteWorkArea::isDirty() const
{
    return m_dirty;
}

// The note shows in its colour over the picture, as it will be drawn, behind
// a veil that keeps it readable: the box's background, seen through the
// translucent text field.
void ImageNoteWorkArea::applyToTextEdit()
{
    m_textBox->textEdit()->setStyleSheet(
        QStringLiteral("QTextEdit{color: %1; background: rgba(10, 10, 10, 5);}")
            .arg(m_color.name()));
    QPalette palette = m_textBox->palette();
    palette.setColor(QPalette::Window, veilFor(m_color));
    m_textBox->setPalette(palette);
}

void ImageNoteWorkArea::slotSetPixmap(const QPixmap& pixmap)
{
    m_dirty = true;
    m_pixmap = pixmap;
    m_blurSource = QImage();
    m_composed = pixmap;
    setFixedSize(pixmap.size());
    // An opaque picture that fills the area hides all beneath it: nothing
    // under the area is painted first.
    setAttribute(Qt::WA_OpaquePaintEvent,
        !pixmap.isNull() && !pixmap.hasAlphaChannel() && pixmap.devicePixelRatio() == 1.0);
    m_layer = QPixmap(pixmap.size());
    m_layer.fill(QColor(0, 0, 0, 0));
    m_history->clear(m_layer.size());
    emit redoAvailable(false);
    emit undoAvailable(false);
    update();
}

void ImageNoteWorkArea::slotSetMode(const Mode& mode)
{
    m_mode = mode;
}

void ImageNoteWorkArea::slotSetColor(const QColor& colour)
{
    m_color = colour;
    applyToTextEdit();
}

void ImageNoteWorkArea::slotSetFont(const QFont& font)
{
    m_font = font;
    applyToTextEdit();
}

void ImageNoteWorkArea::slotSetThikness(const int& thickness)
{
    m_thickness = thickness;
}

void ImageNoteWorkArea::slotSetDashLine(bool dashed)
{
    m_dashed = dashed;
}

void ImageNoteWorkArea::slotSave()
{
    App* app = App::theApp();
    const QString defaultName = QStringLiteral("/EditedScreenShot_")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss"))
        + QStringLiteral(".png");
    const QString fileName = FileDialog::getSaveFileName(
        this, tr("Save Picture"), app->saveDirPath() + defaultName, QStringLiteral("*.png"));
    if (fileName.isEmpty())
        return;
    // An open note goes in as if accepted. The area's children are the
    // editor's controls: none goes in.
    if (hasOpenNote())
        acceptText();
    QPixmap picture(size());
    render(&picture, QPoint(0, 0), QRegion(), QWidget::DrawWindowBackground);
    if (ImageNoteFiles::savePng(picture, fileName).isEmpty())
        m_dirty = false;
    else
        QMessageBox::warning(
            this, tr("Save Picture"), tr("%1 was not saved.").arg(QFileInfo(fileName).fileName()));
    app->setSaveDirPath(fileName);
}

void ImageNoteWorkArea::slotUndo()
{
    restore(m_history->undo());
    emit undoAvailable(m_history->canUndo());
    emit redoAvailable(m_history->canRedo());
}

void ImageNoteWorkArea::slotRedo()
{
    restore(m_history->redo());
    emit redoAvailable(m_history->canRedo());
    emit undoAvailable(m_history->canUndo());
}

// A null layer is no step: nothing changes.
void ImageNoteWorkArea::restore(const QImage& layer)
{
    if (layer.isNull())
        return;
    m_layer = QPixmap::fromImage(layer);
    m_dirty = true;
    update();
    emit changed();
}

// One step of the history: the step is drawn on the layer, and the layer as
// it was goes to the undo side. A step that changes no pixel is none.
void ImageNoteWorkArea::commit(const std::function<void(QPainter&)>& draw)
{
    QPainter layer(&m_layer);
    layer.setRenderHint(QPainter::Antialiasing);
    draw(layer);
    layer.end();
    if (!m_history->commit(m_layer.toImage()))
        return;
    m_dirty = true;
    emit undoAvailable(true);
    emit changed();
    update();
}

void ImageNoteWorkArea::slotEditCanceled()
{
    if (!qobject_cast<QWidget*>(sender()))
        return;
    m_textBox->textEdit()->clear();
    closeTextBox(TextCancelled);
}

void ImageNoteWorkArea::slotEditAccepted()
{
    if (!qobject_cast<QWidget*>(sender()))
        return;
    acceptText();
    closeTextBox(TextAccepted);
}

// A note placed and neither accepted nor cancelled: shown, or hidden by
// another tool with its text kept.
bool ImageNoteWorkArea::hasOpenNote() const
{
    return !m_textBox->isHidden() || !m_textBox->textEdit()->document()->isEmpty();
}

void ImageNoteWorkArea::acceptText()
{
    commit([this](QPainter& layer) { drawAcceptedText(layer); });
    m_textBox->hideAll();
    update();
}

void ImageNoteWorkArea::closeTextBox(Mode mode)
{
    m_textBox->hideAll();
    m_mode = mode;
    update();
    QTimer::singleShot(TextReturnMs, this, &ImageNoteWorkArea::slotSwitchToEdit);
}

void ImageNoteWorkArea::slotSwitchToEdit()
{
    m_mode = Text;
}

// Pen, Eraser, Highlighter and the values that draw as Pen.
bool ImageNoteWorkArea::isFreehand() const
{
    return m_mode < Rectangle || m_mode > TextAccepted;
}

// Every segment of a stroke is kept as it comes, so that moves between two
// paints leave no gap.
void ImageNoteWorkArea::moveTo(const QPoint& position)
{
    m_previousPoint = m_currentPoint;
    m_currentPoint = position;
    if (m_pressed && isFreehand())
        m_segments.append({m_previousPoint, m_currentPoint});
}

// While a button is held only the part that the preview changes is painted
// again: the last preview's place and the new one's.
void ImageNoteWorkArea::updatePreview()
{
    const QRect span = isFreehand() ? QRect(m_previousPoint, m_currentPoint) : spanned();
    // Wide enough for the eraser's pen and the arrow's head.
    const int margin = qMax(m_thickness * 10, 30) + 2;
    const QRect bounds = span.normalized().adjusted(-margin, -margin, margin, margin);
    update(bounds | m_previewBounds);
    m_previewBounds = bounds;
}

// A press outside an open note accepts it: the next note, or the drawing,
// starts where the user pressed.
void ImageNoteWorkArea::mousePressEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) {
        if (hasOpenNote())
            acceptText();
        m_pressed = true;
        m_pressPoint = event->pos();
        m_currentPoint = event->pos();
        moveTo(event->pos());
        m_previewBounds = QRect();
        updatePreview();
    }
    QWidget::mousePressEvent(event);
}

void ImageNoteWorkArea::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) {
        m_pressed = true;
        moveTo(event->pos());
        updatePreview();
    }
    QWidget::mouseMoveEvent(event);
}

// Only the left button draws. The step ends with its release.
void ImageNoteWorkArea::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        moveTo(event->pos());
        finishEdit();
        update();
    }
    QWidget::mouseReleaseEvent(event);
}

// The text tool places its box; the drawing tools commit their step.
void ImageNoteWorkArea::finishEdit()
{
    if (m_mode == Text) {
        placeTextBox();
    } else if (m_mode != TextCancelled && m_mode != TextAccepted) {
        commit([this](QPainter& layer) { drawTool(layer); });
        m_segments.clear();
    }
}

// Painting draws what is on screen and changes nothing else, so that a
// grab or render() of the area adds no step.
void ImageNoteWorkArea::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter screen(this);
    screen.setRenderHint(QPainter::Antialiasing);
    const QRect hidden = hiddenByBlur();
    if (!hidden.isEmpty())
        screen.setClipRegion(QRegion(rect()).subtracted(hidden));
    screen.drawPixmap(0, 0, m_pixmap);
    paintTool(screen);
}

// A held blur covers its area with the opaque pixels of an opaque picture:
// nothing need be drawn under them.
QRect ImageNoteWorkArea::hiddenByBlur() const
{
    if (m_mode != BlurRectangle || !m_pressed || m_pixmap.hasAlphaChannel())
        return QRect();
    return spanned().normalized() & m_pixmap.rect();
}

void ImageNoteWorkArea::showLayer(QPainter& screen) const
{
    screen.drawPixmap(0, 0, m_layer);
}

// While a button is held the tool's preview shows over the layer.
void ImageNoteWorkArea::paintTool(QPainter& screen)
{
    if (m_mode == Text || m_mode == TextCancelled || m_mode == TextAccepted) {
        paintText(screen);
        return;
    }
    m_textBox->hideAll();
    if (m_pressed && m_mode == Eraser) {
        QPixmap preview = m_layer.copy();
        QPainter painter(&preview);
        painter.setRenderHint(QPainter::Antialiasing);
        drawTool(painter);
        painter.end();
        screen.drawPixmap(0, 0, preview);
        return;
    }
    showLayer(screen);
    if (m_pressed)
        drawTool(screen);
}

void ImageNoteWorkArea::drawTool(QPainter& painter)
{
    if (m_mode == Eraser) {
        // Transparent lines that replace what lies under them.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.setPen(QPen(QBrush(QColor(0, 0, 0, 0)), m_thickness * 10, Qt::SolidLine,
            Qt::RoundCap, Qt::BevelJoin));
        drawSegments(painter);
    } else if (m_mode == Highlighter) {
        QPen pen(m_color);
        pen.setWidth(m_thickness * 8);
        painter.setPen(pen);
        painter.setOpacity(0.1);
        drawSegments(painter);
    } else if (isFreehand()) {
        QPen pen = standardPen();
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        alignToPixels(painter);
        drawSegments(painter);
    } else {
        drawShape(painter);
    }
}

QPen ImageNoteWorkArea::standardPen() const
{
    return QPen(QBrush(m_color, Qt::SolidPattern), m_thickness,
        m_dashed ? Qt::DashLine : Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

// A segment of no length is a dot in the shape of the pen's cap; as a line
// Qt would draw it only with square caps.
void ImageNoteWorkArea::drawSegments(QPainter& painter) const
{
    for (const QPair<QPoint, QPoint>& segment : m_segments) {
        if (segment.first == segment.second)
            painter.drawPoint(segment.first);
        else
            painter.drawLine(QLine(segment.first, segment.second));
    }
}

// The rectangle that press and current point span, as given.
QRect ImageNoteWorkArea::spanned() const
{
    return QRect(m_pressPoint, m_currentPoint);
}

void ImageNoteWorkArea::drawShape(QPainter& painter)
{
    if (m_mode == BlurRectangle) {
        drawBlurred(painter);
        return;
    }
    QPen pen = standardPen();
    const QRect normalized = spanned().normalized();
    const bool oval = m_mode == Oval || m_mode == FilledOval;
    // Dashes do not fit round a small oval.
    if (oval && (normalized.width() < 6 || normalized.height() < 6))
        pen.setStyle(Qt::SolidLine);
    if (m_mode == FilledRectangle || m_mode == FilledOval)
        painter.setBrush(fillColor(m_color));
    painter.setPen(pen);
    if (m_mode == Rectangle || m_mode == FilledRectangle) {
        drawRectangle(painter, spanned());
        return;
    }
    alignToPixels(painter);
    if (oval)
        painter.drawEllipse(normalized);
    else if (m_mode == Line)
        painter.drawLine(QLine(m_pressPoint, m_currentPoint));
    else
        drawArrow(&painter);
}

// Only the area is blurred, which gives the same pixels as blurring it
// within the whole picture, at a fraction of the cost. The picture is
// converted to the blur's format once, and the area read where it lies.
void ImageNoteWorkArea::drawBlurred(QPainter& painter)
{
    const QRect area = spanned().normalized() & m_pixmap.rect();
    if (area.isEmpty())
        return;
    if (m_blurSource.isNull())
        m_blurSource = m_pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage part(m_blurSource.constScanLine(area.top()) + area.left() * int(sizeof(QRgb)),
        area.width(), area.height(), m_blurSource.bytesPerLine(), m_blurSource.format());
    QImage blurred
        = DAvuroD::DrawTools::blurred(part, QRect(QPoint(0, 0), area.size()), BlurRadius, false);
    blurred.setDevicePixelRatio(m_blurSource.devicePixelRatio());
    // It covers what paintEvent() left out beneath it.
    painter.setClipping(false);
    painter.drawImage(area.topLeft(), blurred);
}

// An arrow of no length has no direction: it stays a dot without a head.
void ImageNoteWorkArea::drawArrow(QPainter* painter)
{
    const int dx = m_pressPoint.x() - m_currentPoint.x();
    const int dy = m_pressPoint.y() - m_currentPoint.y();
    painter->drawLine(QLine(m_pressPoint, m_currentPoint));
    if (dx == 0 && dy == 0)
        return;
    painter->save();
    QPen pen = painter->pen();
    pen.setStyle(Qt::SolidLine);
    painter->setPen(pen);
    const float len = std::sqrt(float(dx * dx + dy * dy));
    const float c = float(dx) / len;
    painter->translate(m_currentPoint);
    if (dy > 0) {
        painter->rotate(std::acos(c) * 180.0f / 3.14159f);
        painter->drawLine(QLine(0, 0, 30, 12));
        painter->drawLine(QLine(0, 0, 30, -12));
    } else {
        painter->rotate(std::asin(c) * 180.0f / 3.14159f);
        painter->drawLine(QLine(0, 0, -12, -30));
        painter->drawLine(QLine(0, 0, 12, -30));
    }
    painter->restore();
}

void ImageNoteWorkArea::paintText(QPainter& screen)
{
    showLayer(screen);
    if (m_mode != Text)
        return;
    if (m_pressed) {
        alignToPixels(screen);
        screen.drawRect(spanned());
    } else if (m_textBox->isVisible()) {
        screen.setPen(QPen(QBrush(Qt::white), 2, Qt::DashLine, Qt::SquareCap, Qt::BevelJoin));
        screen.drawRect(m_textBox->geometry());
    }
}

// A click or a short drag opens a box of the default size at the press point.
void ImageNoteWorkArea::placeTextBox()
{
    const QRect box = (m_pressPoint - m_currentPoint).manhattanLength() < SmallDrag
        ? QRect(m_pressPoint, defaultTextBox)
        : spanned().normalized();
    m_textBox->setGeometry(box);
    m_textBox->showAll();
}

// In the box's place, whatever the tools did since it opened.
void ImageNoteWorkArea::drawAcceptedText(QPainter& layer)
{
    QTextEdit* field = m_textBox->textEdit();
    layer.setFont(field->currentFont());
    layer.setPen(standardPen());
    layer.drawText(
        m_textBox->geometry().adjusted(3, 3, 0, 0), Qt::TextWordWrap, field->toPlainText());
    field->clear();
}

QCursor ImageNoteWorkArea::toolCursor() const
{
    const QString name = ImageNotePictures::cursor(m_mode);
    if (name.isEmpty()) {
        qCDebug(ZAruri::lcTrace) << "Default";
        return QCursor(Qt::ArrowCursor);
    }
    QImage image(QStringLiteral(":/") + name);
    if (ImageNotePictures::cursorTinted(m_mode))
        image = DAvuroD::DrawTools::colorizeImage(image, QColor(0, 0, 255, 255), m_color);
    return QCursor(QPixmap::fromImage(image), -1, -1);
}

void ImageNoteWorkArea::enterEvent(QEvent* event)
{
    m_cursor.hold(toolCursor());
    QWidget::enterEvent(event);
}

void ImageNoteWorkArea::leaveEvent(QEvent* event)
{
    m_cursor.release();
    QWidget::leaveEvent(event);
}

// A hidden area gets no leave event.
void ImageNoteWorkArea::hideEvent(QHideEvent* event)
{
    m_cursor.release();
    QWidget::hideEvent(event);
}

} // namespace DORuverud
