#pragma once

#include <QFrame>

#include <memory>

class QFileSystemModel;
class QModelIndex;
class QTreeView;

namespace DORuverud {

// A folder tree of the whole file system showing names only. A click on a
// folder emits showContent(path), on anything else showItem(path).
class DirView : public QFrame
{
    Q_OBJECT

public:
    explicit DirView(QWidget* parent = nullptr);
    ~DirView() override;

signals:
    void showContent(QString path);
    void showItem(QString path);

protected slots:
    void slotTreeViewClicked(const QModelIndex& index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Released with the frame.
    std::unique_ptr<QFileSystemModel> m_pModel;
    QTreeView* m_pTree;
};

} // namespace DORuverud
