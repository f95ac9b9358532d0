#include "DirView.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QResizeEvent>
#include <QTreeView>

namespace DORuverud {

DirView::DirView(QWidget* parent)
    : QFrame(parent)
    , m_pModel(new QFileSystemModel)
    , m_pTree(new QTreeView(this))
{
    setMinimumSize(180, 100);
    m_pModel->setRootPath(QStringLiteral("/"));
    m_pTree->setModel(m_pModel.get());
    m_pTree->setWindowTitle(tr("Dir View"));
    for (int column = 1; column <= 3; ++column)
        m_pTree->hideColumn(column);
    connect(m_pTree, &QTreeView::clicked, this, &DirView::slotTreeViewClicked);
    // The folders load, and are sorted, in the background; each folder on the way
    // and each sort moves the current folder.
    const auto keepInView = [this] {
        if (!m_strCurrentFolder.isEmpty())
            m_pTree->scrollTo(m_pTree->currentIndex(), QAbstractItemView::PositionAtCenter);
    };
    connect(m_pModel.get(), &QFileSystemModel::directoryLoaded, this, keepInView);
    connect(m_pModel.get(), &QFileSystemModel::layoutChanged, this, keepInView);
}

DirView::~DirView() = default;

void DirView::setCurrentFolder(const QString& path)
{
    const QModelIndex index = m_pModel->index(path);
    if (!index.isValid())
        return;
    for (QModelIndex above = index.parent(); above.isValid(); above = above.parent())
        m_pTree->expand(above);
    m_pTree->setCurrentIndex(index);
    m_pTree->scrollTo(index, QAbstractItemView::PositionAtCenter);
    m_strCurrentFolder = m_pModel->filePath(index);
}

void DirView::resizeEvent(QResizeEvent* event)
{
    m_pTree->resize(event->size());
    m_pTree->header()->resizeSection(0, event->size().width());
    QWidget::resizeEvent(event);
}

void DirView::slotTreeViewClicked(const QModelIndex& index)
{
    m_strCurrentFolder.clear();
    if (index.row() == -1 || index.column() != 0)
        return;
    const QString path = m_pModel->filePath(index);
    if (QFileInfo(path).isDir())
        emit showContent(path);
    else
        emit showItem(path);
}

} // namespace DORuverud
