#include "ChordBaseView.h"

#include "App.h"
#include "ChordFiles.h"

#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QFile>
#include <QImageReader>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QUrl>

namespace VADirur {

namespace {

// The picture at the path scaled to fit the target, decoded at that size.
QImage fittedPicture(const QString& path, const QSize& target)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isEmpty() || target.isEmpty())
        return QImage();
    reader.setScaledSize(size.scaled(target, Qt::KeepAspectRatio));
    return reader.read();
}

} // namespace

ChordBaseView::ChordBaseView(QWidget* parent)
    : QWidget(parent)
{
    setToolTip(tr("Drag&Drop this picture to any editor"));
}

void ChordBaseView::setInstrumentName(const QString& name)
{
    instrumentName = name;
}

void ChordBaseView::setChordTabAndName(int index, const QVector<int>& tab, const QString& name)
{
    chordIndex = index;
    chordName = name;
    chordTab = tab;
    update();
}

QString ChordBaseView::pianoTabToCode() const
{
    return ChordFiles::pitchClassCode(chordTab);
}

void ChordBaseView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(rect());
}

// The picture is decoded at the size it is drawn, and kept at that size in the pixmap
// cache, so that going back to a chord decodes nothing; no full-size copy is made or kept.
void ChordBaseView::drawPicture(QPainter* painter, const QString& fileName)
{
    const qreal ratio = DORuverud::App::theApp()->devicePixelRatio();
    const QSize target(int(width() * ratio), int(height() * ratio));
    const QString path = QStringLiteral(":/") + DORuverud::App::theApp()->resourceOffset()
        + ChordFiles::pictureFolder() + fileName;
    const QString key = path + QLatin1Char('@') + QString::number(target.width()) + QLatin1Char('x')
        + QString::number(target.height());
    if (key != m_pictureKey) {
        m_pictureKey = key;
        if (!QPixmapCache::find(key, &m_picture)) {
            m_picture = QPixmap::fromImage(fittedPicture(path, target));
            QPixmapCache::insert(key, m_picture);
        }
    }
    if (m_picture.isNull())
        return;
    const qreal w = m_picture.width() / ratio;
    const qreal h = m_picture.height() / ratio;
    painter->drawPixmap(
        QRect(int((width() - w) * 0.5), int((height() - h) * 0.5), int(w), int(h)), m_picture);
}

// A hidden view keeps no picture; the next paint decodes it again.
void ChordBaseView::hideEvent(QHideEvent* event)
{
    m_picture = QPixmap();
    m_pictureKey.clear();
    QWidget::hideEvent(event);
}

// A name wider than the view is set smaller, so that it shows whole.
QFont ChordBaseView::titleFont() const
{
    QFont titleFont(font());
    int size = height() / 7 + 7;
    titleFont.setPixelSize(size);
    const int room = width() - 2 * qMax(2, height() / 40);
    const int advance = QFontMetrics(titleFont).horizontalAdvance(chordName);
    if (advance <= room)
        return titleFont;
    size = qMax(1, size * qMax(room, 0) / advance);
    titleFont.setPixelSize(size);
    while (size > 1 && QFontMetrics(titleFont).horizontalAdvance(chordName) > room)
        titleFont.setPixelSize(--size);
    return titleFont;
}

int ChordBaseView::drawTitle(QPainter* painter)
{
    return drawTitle(painter, titleFont());
}

int ChordBaseView::drawTitle(QPainter* painter, const QFont& font)
{
    painter->setFont(font);
    painter->setPen(QPen(Qt::black, height() / 50));
    painter->drawText(rect(), Qt::AlignHCenter | Qt::AlignTop, chordName);
    return QFontMetrics(font).height();
}

void ChordBaseView::drawNameBox(QPainter* painter)
{
    const QFont font = titleFont();
    const QFontMetrics metrics(font);
    const int textWidth = metrics.horizontalAdvance(chordName);
    painter->save();
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(255, 255, 255, 220));
    painter->drawRect((width() - textWidth) / 2, 0, textWidth, metrics.height());
    painter->restore();
    drawTitle(painter, font);
}

void ChordBaseView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragStartPosition = event->pos();
    QWidget::mousePressEvent(event);
}

void ChordBaseView::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton)
        && (event->pos() - dragStartPosition).manhattanLength() > QApplication::startDragDistance())
        startDrag();
    QWidget::mouseMoveEvent(event);
}

void ChordBaseView::startDrag()
{
    const QString path
        = QDir(DORuverud::App::theApp()->workDirectory()).filePath(QStringLiteral("Chord.png"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    QPixmap pixmap(size());
    render(&pixmap, QPoint(), QRegion(), DrawWindowBackground | DrawChildren);
    pixmap.save(&file, "PNG");
    file.close();

    QMimeData* mimeData = new QMimeData;
    mimeData->setUrls({QUrl(QStringLiteral("file://") + path)});
    QDrag* drag = new QDrag(this);
    drag->setMimeData(mimeData);
    drag->setPixmap(pixmap.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    drag->exec(Qt::CopyAction);
}

} // namespace VADirur
