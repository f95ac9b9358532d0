#include "IconView.h"

#include "ListWidgetItem.h"
#include "MissingPicture.h"
#include "PictureLoader.h"
#include "Thumbnail.h"
#include "Trace.h"

#include <QDataStream>
#include <QDir>
#include <QDrag>
#include <QDragMoveEvent>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QPointer>

namespace DORuverud {

namespace {

const QString puzzleFormat = QStringLiteral("image/x-puzzle-piece");
const QSize thumbnailSize(80, 80);

// The pixmap, then the location, as QDataStream writes them.
QByteArray puzzlePiece(const QPixmap& pixmap, const QPoint& location)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << pixmap << location;
    return bytes;
}

} // namespace

IconView::IconView(QWidget* parent)
    : QListWidget(parent)
{
    setViewMode(QListView::IconMode);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setAlternatingRowColors(false);
    setDragEnabled(true);
    setIconSize(QSize(80, 80));
    setSpacing(10);
    // Thousands of thumbnails are laid out a batch at a time between events.
    setLayoutMode(QListView::Batched);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    m_pMenu = new QMenu(this);
    m_pMenu->addAction(tr("&Open In Separate View"), this, &IconView::slotSeparateView);
    m_pMenu->addAction(QStringLiteral("&Empty2"));
    m_pMenu->setWindowOpacity(0.6);
    connect(this, &QListWidget::itemClicked, this, &IconView::slotItemClicked);
    connect(this, &QListWidget::itemDoubleClicked, this, &IconView::slotItemDoubleClicked);
    // clear() is not virtual; its model reset is what every clear goes through.
    connect(model(), &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        ++m_nGeneration;
        stopLoading();
    });
}

// The model clears its items when QListWidget deletes it, after this object is gone.
IconView::~IconView()
{
    disconnect(model(), nullptr, this, nullptr);
}

void IconView::addItems(const QString& folder)
{
    clear();
    m_strFolder = folder;
    const QDir dir(folder);
    QStringList paths;
    for (const QString& name :
        dir.entryList(QStringList(QStringLiteral("*.*")), QDir::Files, QDir::NoSort))
        paths << dir.absoluteFilePath(name);
    if (paths.isEmpty())
        return;
    m_nLoaded = 0;
    m_pLoader = new DAvuroD::PictureLoader(this);
    connect(m_pLoader, &DAvuroD::PictureLoader::pictureLoaded, this, &IconView::addPicture);
    connect(m_pLoader, &DAvuroD::PictureLoader::finished, this, &IconView::stopLoading);
    m_pLoader->start(paths, thumbnailSize);
}

void IconView::stopLoading()
{
    if (!m_pLoader)
        return;
    m_pLoader->cancel();
    // It may be handing over the picture that led here.
    m_pLoader->deleteLater();
    m_pLoader = nullptr;
}

void IconView::addPicture(int, const QString& path, const QImage& picture, const QString& refusal)
{
    if (picture.isNull() && refusal.isEmpty())
        return;
    const int w = thumbnailSize.width();
    const int h = thumbnailSize.height();
    addPiece(picture.isNull() ? ZEReruzo::MissingPicture::thumbnail(w, h)
                              : ZEReruzo::Thumbnail(w, h, QPixmap::fromImage(picture)),
        QPoint(0, m_nLoaded++), path);
    item(count() - 1)->setToolTip(ZEReruzo::MissingPicture::text(refusal));
}

// The item is complete before it joins the view: each change of an item in
// the view would lay out the whole view again.
void IconView::addPiece(QPixmap pixmap, QPoint location, const QString& path)
{
    auto* item = new ListWidgetItem(nullptr, 0);
    item->setIcon(QIcon(pixmap));
    item->setText(QFileInfo(path).baseName());
    item->setFullPath(path);
    item->setBackground(QBrush(Qt::darkGray));
    item->setData(Qt::UserRole, pixmap);
    item->setData(Qt::UserRole + 1, location);
    item->setFlags(
        Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled | Qt::ItemIsEnabled);
    addItem(item);
}

void IconView::refresh()
{
    addItems(m_strFolder);
}

void IconView::slotItemClicked(QListWidgetItem* item)
{
    emit showItem(static_cast<ListWidgetItem*>(item)->fullPath());
}

void IconView::slotItemDoubleClicked(QListWidgetItem* item)
{
    emit showViewerItem(static_cast<ListWidgetItem*>(item)->fullPath());
}

void IconView::slotSeparateView()
{
    auto* item = static_cast<ListWidgetItem*>(currentItem());
    if (!item)
        return;
    qCDebug(ZAruri::lcTrace) << "$$$$$$$$$$$$$$$$";
    qCDebug(ZAruri::lcTrace) << "####:" << item->fullPath();
    emit showInSeparateView(item->fullPath());
}

void IconView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        m_pMenu->exec(event->globalPos());
    QAbstractItemView::mousePressEvent(event);
}

void IconView::dragMoveEvent(QDragMoveEvent* event)
{
    if (!event->mimeData()->hasFormat(puzzleFormat)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void IconView::dropEvent(QDropEvent* event)
{
    event->ignore();
}

void IconView::startDrag(Qt::DropActions)
{
    QListWidgetItem* item = currentItem();
    if (!item)
        return;
    const QPixmap pixmap = item->data(Qt::UserRole).value<QPixmap>();
    auto* data = new QMimeData;
    data->setData(puzzleFormat, puzzlePiece(pixmap, item->data(Qt::UserRole + 1).toPoint()));
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(pixmap);
    drag->setHotSpot(QPoint(pixmap.width() / 2, pixmap.height() / 2));
    const quint64 generation = m_nGeneration;
    QPointer<IconView> self(this);
    const Qt::DropAction action = drag->exec(Qt::MoveAction);
    // The drag runs an event loop of its own, in which the items may have gone.
    if (action == Qt::MoveAction && self && m_nGeneration == generation)
        delete takeItem(row(item));
}

} // namespace DORuverud
