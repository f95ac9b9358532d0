// gallery folders: a folder tree, the thumbnails of the chosen folder and a
// preview of the chosen picture, as a picture browser puts them together.
#include "App.h"
#include "DirView.h"
#include "GalleryPages.h"
#include "IconView.h"
#include "ListWidgetItem.h"
#include "PreviewArea.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QSplitter>
#include <QVBoxLayout>

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
        // The first pictures show once the page is up.
        const QString start = DORuverud::App::theApp()->bundleResourcePath();
        folder->setText(start);
        QMetaObject::invokeMethod(
            icons, [icons, preview, start] { showFirst(icons, preview, start); },
            Qt::QueuedConnection);
    }

private:
    // Loads the folder and previews its first picture, unless the page closed meanwhile.
    static void showFirst(
        DORuverud::IconView* icons, ZEReruzo::PreviewArea* preview, const QString& folder)
    {
        QPointer<DORuverud::IconView> alive(icons);
        icons->addItems(folder);
        if (!alive || icons->count() == 0)
            return;
        icons->setCurrentRow(0);
        preview->displayItem(static_cast<DORuverud::ListWidgetItem*>(icons->item(0))->fullPath());
    }
};

GalleryPages::Entry entry("folders", [] { return new FoldersPage; });

} // namespace

#include "FoldersGallery.moc"
