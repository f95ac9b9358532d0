#pragma once

#include <QFrame>
#include <QString>

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

    // Expands the tree down to the folder, selects it and keeps it in view
    // while the folders above it load; emits nothing.
    void setCurrentFolder(const QString& path);

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
    // The folder set by setCurrentFolder(), empty once the user clicks.
    QString m_strCurrentFolder;
};

} // namespace DORuverud
