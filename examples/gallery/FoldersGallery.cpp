// gallery folders: a folder tree, the thumbnails of the chosen folder and a
// preview of the chosen picture, as a picture browser puts them together.
#include "App.h"
#include "DirView.h"
#include "GalleryPages.h"
#include "IconView.h"
#include "ListWidgetItem.h"
#include "PreviewArea.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

#include <memory>

namespace {

class FoldersPage : public QWidget
{
    Q_OBJECT

public:
    FoldersPage()
    {
        setWindowTitle(tr("Folders"));
        auto* dirs = new DORuverud::DirView;
        auto* icons = new DORuverud::IconView;
        auto* preview = new ZEReruzo::PreviewArea;
        icons->setMinimumWidth(330);
        preview->setMinimumSize(360, 270);
        auto* folder = new QLabel(this);
        auto* splitter = new QSplitter(this);
        splitter->addWidget(dirs);
        splitter->addWidget(icons);
        splitter->addWidget(preview);
        splitter->setSizes({260, 400, 420});
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(folder);
        layout->addWidget(splitter, 1);
        resize(1100, 620);

        connect(dirs, &DORuverud::DirView::showContent, folder, &QLabel::setText);
        connect(dirs, &DORuverud::DirView::showContent, icons, &DORuverud::IconView::addItems);
        connect(dirs, &DORuverud::DirView::showItem, preview, &ZEReruzo::PreviewArea::displayItem);
        connect(
            icons, &DORuverud::IconView::showItem, preview, &ZEReruzo::PreviewArea::displayItem);
        // The first pictures show once the page is up; the tree shows where they are.
        const QString start = QDir(DORuverud::App::theApp()->bundleResourcePath()).absolutePath();
        folder->setText(start);
        dirs->setCurrentFolder(start);
        QMetaObject::invokeMethod(
            icons, [icons, start] { icons->addItems(start); }, Qt::QueuedConnection);
        previewFirstPicture(icons, preview);
    }

private:
    // Shows the first thumbnail of the first folder in the preview once it arrives.
    static void previewFirstPicture(DORuverud::IconView* icons, ZEReruzo::PreviewArea* preview)
    {
        auto arrival = std::make_shared<QMetaObject::Connection>();
        *arrival = connect(
            icons->model(), &QAbstractItemModel::rowsInserted, preview, [icons, preview, arrival] {
                disconnect(*arrival);
                icons->setCurrentRow(0);
                preview->displayItem(
                    static_cast<DORuverud::ListWidgetItem*>(icons->item(0))->fullPath());
            });
    }
};

GalleryPages::Entry entry("folders", [] { return new FoldersPage; });

} // namespace

#include "FoldersGallery.moc"
