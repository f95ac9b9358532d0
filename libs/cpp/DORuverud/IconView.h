#pragma once

#include <QListWidget>
#include <QPixmap>
#include <QPoint>
#include <QString>

class QMenu;

namespace DORuverud {

// The pictures of one folder as a grid of 80 x 80 thumbnails named after
// their files. Clicks, double clicks and the menu's command report the file's
// path; a thumbnail can be dragged away as "image/x-puzzle-piece".
class IconView : public QListWidget
{
    Q_OBJECT

public:
    explicit IconView(QWidget* parent = nullptr);
    ~IconView() override;

    // One thumbnail item; location goes to Qt::UserRole + 1.
    void addPiece(QPixmap pixmap, QPoint location, const QString& path);
    // Loads the stored folder again.
    void refresh();

public slots:
    // Replaces the items by the folder's pictures. Pending events are
    // processed before each file; the loading stops as soon as a newer
    // addItems() or clear() starts or the view is deleted.
    virtual void addItems(const QString& folder);

signals:
    void showItem(QString path);
    void showViewerItem(QString path);
    void showInSeparateView(QString path);

protected slots:
    void slotItemClicked(QListWidgetItem* item);
    void slotItemDoubleClicked(QListWidgetItem* item);
    void slotSeparateView();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    // Adds the picture unless it does not load; true when added.
    bool addPicture(const QString& path, int counter);

    QMenu* m_pMenu;
    QString m_strFolder;
    // Counts every clear of the items; a loading loop ends when it changes.
    quint64 m_nGeneration = 0;
};

} // namespace DORuverud
