#include "NoteEditDragPreview.h"

#include "App.h"
#include "ImageNoteFiles.h"
#include "ImageNotePictures.h"
#include "Trace.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace DORuverud {

namespace {

constexpr int DragNameCount = 32;

} // namespace

NoteEditDragPreview::NoteEditDragPreview(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(60, 50);
}

void NoteEditDragPreview::slotSetPixmap(const QPixmap& pixmap)
{
    m_pixmap = pixmap;
    update();
}

// Scaled again only for another picture or size.
QPixmap NoteEditDragPreview::scaledPicture()
{
    if (m_pixmap.isNull())
        return QPixmap();
    if (m_scaledFrom != m_pixmap.cacheKey() || m_scaled.size() != size()) {
        m_scaled = m_pixmap.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_scaledFrom = m_pixmap.cacheKey();
    }
    return m_scaled;
}

void NoteEditDragPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawPixmap(0, 0, scaledPicture());
    const QRect band(QPoint(0, 0), QPoint(width() - 1, 14));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 127));
    painter.drawRect(band);
    painter.setPen(Qt::white);
    painter.drawText(band, Qt::AlignHCenter | Qt::AlignVCenter, tr("Drag"));
    const QPixmap glass(QStringLiteral(":/") + ImageNotePictures::glass());
    painter.drawPixmap(rect(), glass, glass.rect());
}

void NoteEditDragPreview::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragStart = event->pos();
    QWidget::mousePressEvent(event);
}

void NoteEditDragPreview::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton)
        && (event->pos() - m_dragStart).manhattanLength() > QApplication::startDragDistance())
        startDrag();
    QWidget::mouseMoveEvent(event);
}

void NoteEditDragPreview::startDrag()
{
    const QString fileName = writeDragFile();
    if (fileName.isEmpty())
        return;
    auto* mimeData = new QMimeData;
    mimeData->setUrls({QUrl::fromLocalFile(fileName)});
    auto* drag = new QDrag(this);
    drag->setMimeData(mimeData);
    drag->setPixmap(scaledPicture());
    drag->exec(Qt::CopyAction);
}

// A name that cannot be written, wholly, gives way to the next numbered one.
QString NoteEditDragPreview::writeDragFile() const
{
    if (m_pixmap.isNull())
        return QString();
    const QString stem = App::theApp()->workDirectory() + QStringLiteral("ZivoRirEdavDrag");
    for (int n = 0; n < DragNameCount; ++n) {
        const QString fileName
            = stem + (n ? QString::number(n) : QString()) + QStringLiteral(".png");
        if (ImageNoteFiles::savePng(m_pixmap, fileName).isEmpty())
            return fileName;
        qCDebug(ZAruri::lcTrace) << "cannot write" << fileName;
    }
    return QString();
}

} // namespace DORuverud
