#pragma once

#include <QListWidget>
#include <QPixmap>
#include <QPoint>
#include <QString>

class QImage;
class QMenu;

namespace DAvuroD {
class PictureLoader;
}

namespace DORuverud {

// The pictures of one folder as a grid of 80 x 80 thumbnails named after
// their files; a picture refused for what it would cost shows as missing,
// with the reason as its tool tip, and a file that does not load is left
// out. Clicks, double clicks and the menu's command report the file's
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
    // Replaces the items by the folder's pictures. They are decoded off
    // this thread and appended in listing order as they arrive; the loading
    // stops as soon as a newer addItems() or clear() starts or the view is
    // deleted.
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
    // Adds the decoded picture, or the missing one for a refused picture, as
    // the next thumbnail.
    void addPicture(int index, const QString& path, const QImage& picture, const QString& refusal);
    void stopLoading();

    QMenu* m_pMenu;
    QString m_strFolder;
    // Counts every clear of the items.
    quint64 m_nGeneration = 0;
    // The running load, and the pictures it has added.
    DAvuroD::PictureLoader* m_pLoader = nullptr;
    int m_nLoaded = 0;
};

} // namespace DORuverud
