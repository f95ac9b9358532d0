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
}

DirView::~DirView() = default;

void DirView::resizeEvent(QResizeEvent* event)
{
    m_pTree->resize(event->size());
    m_pTree->header()->resizeSection(0, event->size().width());
    QWidget::resizeEvent(event);
}

void DirView::slotTreeViewClicked(const QModelIndex& index)
{
    if (index.row() == -1 || index.column() != 0)
        return;
    const QString path = m_pModel->filePath(index);
    if (QFileInfo(path).isDir())
        emit showContent(path);
    else
        emit showItem(path);
}

} // namespace DORuverud
