#include "../common/GuiStalls.h"
#include "../common/MissingSign.h"
#include "../common/PeakMemory.h"
#include "../common/RunawayBound.h"
#include "../common/TestFolder.h"
#include "../graphics/HostilePicture.h"
#include "../graphics/HostileSvg.h"
#include "DirView.h"
#include "IconView.h"
#include "ListWidgetItem.h"
#include "PictureLoader.h"
#include "PreviewArea.h"

#include <QApplication>
#include <QDrag>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QMenu>
#include <QMimeData>
#include <QTreeView>
#include <QtTest>

using namespace DORuverud;

namespace {

QString fullPath(IconView& view, int row)
{
    return static_cast<ListWidgetItem*>(view.item(row))->fullPath();
}

QStringList texts(IconView& view)
{
    QStringList names;
    for (int row = 0; row < view.count(); ++row)
        names << view.item(row)->text();
    return names;
}

// Waits until the view's pictures are all in; false when that hangs.
bool loaded(IconView& view)
{
    return QTest::qWaitFor(
        [&] { return !view.findChild<DAvuroD::PictureLoader*>(); }, waitBoundMs(2500));
}

// Clicks the thumbnail of that name, as a user chooses a picture.
void clickItem(IconView& view, const QString& name)
{
    QListWidgetItem* item = view.findItems(name, Qt::MatchExactly).value(0);
    QTest::mouseClick(
        view.viewport(), Qt::LeftButton, Qt::NoModifier, view.visualItemRect(item).center());
}

// Lets a test start a drag.
class DraggingIconView : public IconView
{
public:
    using IconView::startDrag;
};

} // namespace

class TestFolderViews : public QObject
{
    Q_OBJECT

private slots:
    void dirViewReportsClicks_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("contents");
        QTest::addColumn<int>("items");
        QTest::newRow("folder shows its content") << "sub" << 1 << 0;
        QTest::newRow("file shows the item") << "notes.txt" << 0 << 1;
        QTest::newRow("outside the rows nothing") << "" << 0 << 0;
    }

    void dirViewReportsClicks()
    {
        QFETCH(QString, target);
        // GIVEN a tree of the whole file system, scrolled to a folder with a sub-folder and a file
        TestFolder folder;
        QDir(folder.path()).mkdir("sub");
        folder.write("notes.txt", "text");
        DirView view;
        view.resize(300, 2000);
        view.show();
        auto* tree = view.findChild<QTreeView*>();
        QVERIFY(tree->isColumnHidden(1) && tree->isColumnHidden(2) && tree->isColumnHidden(3));
        const QString path = folder.path(target.isEmpty() ? "sub" : target);
        const QModelIndex index = qobject_cast<QFileSystemModel*>(tree->model())->index(path);
        tree->scrollTo(index);
        QTRY_VERIFY(tree->visualRect(index).isValid());
        const QPoint below(10, tree->viewport()->height() - 2);
        QVERIFY(!tree->indexAt(below).isValid());
        QSignalSpy contents(&view, &DirView::showContent);
        QSignalSpy items(&view, &DirView::showItem);
        // WHEN the user clicks, THEN the path is reported as a folder's content or as an item
        const QPoint at = target.isEmpty() ? below : tree->visualRect(index).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTEST(int(contents.size()), "contents");
        QTEST(int(items.size()), "items");
        for (const QSignalSpy* spy : {&contents, &items})
            QVERIFY(spy->isEmpty() || spy->at(0).at(0).toString() == path);
    }

    void dirViewShowsCurrentFolder()
    {
        // GIVEN a folder deep below the root, and the tree of the whole file system
        TestFolder folder;
        const QString deep = folder.path("one/two/three/four");
        QVERIFY(QDir().mkpath(deep));
        DirView view;
        view.resize(300, 400);
        view.show();
        auto* tree = view.findChild<QTreeView*>();
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        QSignalSpy contents(&view, &DirView::showContent);
        QSignalSpy items(&view, &DirView::showItem);
        // WHEN it is made the current folder
        view.setCurrentFolder(deep);
        // THEN every folder above it is expanded, it is selected and in view, and nothing is
        // emitted
        const QModelIndex index = model->index(deep);
        QCOMPARE(model->filePath(tree->currentIndex()), deep);
        QVERIFY(tree->selectionModel()->isSelected(index));
        for (QModelIndex above = index.parent(); above.isValid(); above = above.parent())
            QVERIFY2(tree->isExpanded(above), qPrintable(model->filePath(above)));
        QTRY_VERIFY(tree->visualRect(index).top() >= 0
            && tree->visualRect(index).bottom() < tree->viewport()->height());
        QVERIFY(contents.isEmpty() && items.isEmpty());
        // AND a folder that does not exist changes nothing
        view.setCurrentFolder("/nonexistent/folder");
        QCOMPARE(model->filePath(tree->currentIndex()), deep);
    }

    void iconViewListsLoadablePicturesWithDots()
    {
        // GIVEN three loadable pictures with a dot in the name, and other entries
        TestFolder folder;
        for (const char* name : {"one.png", "photo.small.png", "three.bmp", "nodot"})
            folder.writePicture(name, Qt::red);
        folder.write("broken.png", "not a picture");
        QDir(folder.path()).mkdir("folder.png");
        // WHEN the view loads the folder
        IconView view;
        view.addItems(folder.path());
        QVERIFY(loaded(view));
        // THEN the pictures are listed by base name, at locations in listing order
        QStringList names = texts(view);
        names.sort();
        QCOMPARE(names, QStringList({"one", "photo", "three"}));
        for (int row = 0; row < view.count(); ++row) {
            QCOMPARE(view.item(row)->data(Qt::UserRole + 1).toPoint(), QPoint(0, row));
            QCOMPARE(QFileInfo(fullPath(view, row)).baseName(), view.item(row)->text());
            QVERIFY(QFileInfo(fullPath(view, row)).isAbsolute());
        }
        // AND a picture added on disk shows after refresh(); a missing folder lists nothing
        folder.writePicture("new.png", Qt::red);
        view.refresh();
        QVERIFY(loaded(view));
        QCOMPARE(view.count(), 4);
        view.addItems("/nonexistent/folder");
        QCOMPARE(view.count(), 0);
    }

    void iconViewReportsPaths()
    {
        TestFolder folder;
        folder.writePicture("a.png", Qt::red);
        folder.writePicture("b.png", Qt::blue);
        IconView view;
        view.resize(400, 300);
        view.show();
        view.addItems(folder.path());
        QVERIFY(loaded(view));
        QSignalSpy shown(&view, &IconView::showItem);
        QSignalSpy viewer(&view, &IconView::showViewerItem);
        QSignalSpy separate(&view, &IconView::showInSeparateView);
        const QPoint first = view.visualItemRect(view.item(0)).center();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(shown.takeFirst().at(0).toString(), fullPath(view, 0));
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(viewer.takeFirst().at(0).toString(), fullPath(view, 0));
        // A right-click on the second item opens the menu for the first, the current one.
        QTimer::singleShot(0, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QCOMPARE(menu->actions().at(1)->text(), QString("&Empty2"));
            menu->actions().at(0)->trigger();
            menu->close();
        });
        const QPoint second = view.visualItemRect(view.item(1)).center();
        QTest::mousePress(view.viewport(), Qt::RightButton, {}, second);
        QCOMPARE(separate.size(), 1);
        QCOMPARE(separate.at(0).at(0).toString(), fullPath(view, 0));
    }

    void dragCarriesPuzzlePiece()
    {
        TestFolder folder;
        folder.writePicture("a.png", Qt::red);
        folder.writePicture("b.png", Qt::blue);
        DraggingIconView view;
        view.addItems(folder.path());
        QVERIFY(loaded(view));
        view.startDrag(Qt::MoveAction); // no current item, no drag
        QVERIFY(!view.findChild<QDrag*>());
        view.setCurrentRow(1);
        view.startDrag(Qt::CopyAction);
        // The drag goes later; its data stay readable until then.
        auto* drag = view.findChild<QDrag*>();
        QVERIFY(drag);
        QCOMPARE(drag->hotSpot(), QPoint(40, 40));
        QByteArray bytes = drag->mimeData()->data("image/x-puzzle-piece");
        QDataStream stream(&bytes, QIODevice::ReadOnly);
        QPixmap pixmap;
        QPoint location;
        stream >> pixmap >> location;
        QVERIFY(stream.status() == QDataStream::Ok && stream.atEnd());
        QCOMPARE(pixmap.toImage(), view.item(1)->data(Qt::UserRole).value<QPixmap>().toImage());
        QCOMPARE(location, QPoint(0, 1));
        // The location is written last: x then y, big-endian.
        QCOMPARE(bytes.right(8), QByteArray::fromHex("0000000000000001"));
    }

    void newerLoadStopsTheRunningOne_data()
    {
        QTest::addColumn<QString>("interruption");
        QTest::addColumn<bool>("afterFirstPicture");
        QTest::addColumn<QStringList>("left");
        for (const bool after : {false, true}) {
            const char* when = after ? " after the first picture" : " before any picture";
            QTest::addRow("a second folder is loaded%s", when)
                << "addItems" << after << QStringList({"second"});
            QTest::addRow("the view is cleared%s", when) << "clear" << after << QStringList();
            QTest::addRow("the view is deleted%s", when) << "delete" << after << QStringList();
        }
    }

    void newerLoadStopsTheRunningOne()
    {
        QFETCH(QString, interruption);
        QFETCH(bool, afterFirstPicture);
        // GIVEN a folder of many pictures and another of one
        TestFolder first;
        for (int i = 0; i < 300; ++i)
            first.writePicture(QString("first%1.png").arg(i), Qt::red, 160, 120);
        TestFolder second;
        second.writePicture("second.png", Qt::red);
        QPointer<IconView> view = new IconView;
        // WHEN the load is interrupted by a later event, before or after its first picture
        const auto interrupt = [&] {
            if (interruption == "addItems")
                view->addItems(second.path());
            else if (interruption == "clear")
                view->clear();
            else
                delete view;
        };
        bool queued = false;
        const auto queueInterruption = [&] {
            if (!std::exchange(queued, true))
                QTimer::singleShot(0, view, interrupt);
        };
        if (afterFirstPicture)
            connect(view->model(), &QAbstractItemModel::rowsInserted, view, queueInterruption);
        else
            queueInterruption();
        view->addItems(first.path());
        // THEN once every decoding is done, nothing of the first folder is appended
        QVERIFY(QTest::qWaitFor([&] { return !view || view->count() < 300; }, waitBoundMs(2500)));
        QVERIFY(
            QTest::qWaitFor([&] { return !view || !view->findChild<DAvuroD::PictureLoader*>(); },
                waitBoundMs(2500)));
        QThreadPool::globalInstance()->waitForDone();
        QTest::qWait(100);
        QTEST(view ? texts(*view) : QStringList(), "left");
        delete view;
    }

    void manyPicturesLoadWhileTheGuiThreadRuns()
    {
        // GIVEN a folder of 2,000 small pictures in a shown view
        TestFolder folder;
        for (int i = 0; i < 2000; ++i)
            folder.writePicture(QString("p%1.png").arg(i), QColor::fromHsv(i % 360, 200, 200));
        IconView view;
        view.resize(600, 400);
        view.show();
        // WHEN they load, THEN the call returns before any is in, and a timer on the GUI
        // thread fires while some are in and others are not yet, never waiting long
        // (bench_pictureviews measures how long)
        int ticksWhileLoading = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] {
            if (view.count() > 0 && view.count() < 2000)
                ++ticksWhileLoading;
        });
        ticker.start(5);
        GuiStalls stalls;
        stalls.start();
        view.addItems(folder.path());
        stalls.mark();
        QCOMPARE(view.count(), 0);
        QVERIFY(loaded(view));
        ticker.stop();
        QVERIFY(ticksWhileLoading > 0);
        QVERIFY2(stalls.longestMs() < runawayBoundMs(50),
            qPrintable(QString::number(stalls.longestMs())));
        // AND every thumbnail arrives, in listing order
        const QStringList names
            = QDir(folder.path()).entryList(QStringList("*.*"), QDir::Files, QDir::NoSort);
        QCOMPARE(view.count(), 2000);
        for (int row = 0; row < view.count(); ++row) {
            QCOMPARE(QFileInfo(fullPath(view, row)).fileName(), names.at(row));
            QCOMPARE(view.item(row)->data(Qt::UserRole + 1).toPoint(), QPoint(0, row));
        }
    }

    void hugePictureShowsAsMissingQuickly_data()
    {
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<QString>("size");
        QTest::newRow("514 KB claiming 23000 x 23000 pixels") << hugePicture() << "23000 x 23000";
        QTest::newRow("16-bit colour one row beyond the bound")
            << hugePicture(QSize(8192, 8193), true, 16) << "8192 x 8193";
    }

    void hugePictureShowsAsMissingQuickly()
    {
        QFETCH(QByteArray, picture);
        QFETCH(QString, size);
        // GIVEN a picture beyond the bound beside a small one and a file that is no picture
        TestFolder folder;
        folder.write("huge.png", picture);
        folder.writePicture("small.png", Qt::red);
        folder.write("broken.png", "not a picture");
        const qint64 peakBefore = peakMemoryKiB();
        QElapsedTimer clock;
        clock.start();
        // WHEN the view loads the folder
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refused picture .*huge.png"));
        IconView view;
        view.addItems(folder.path());
        QVERIFY(loaded(view));
        // THEN the small one shows, and the huge one as missing, soon and never decoded,
        // telling why; the file that is no picture is left out
        QStringList names = texts(view);
        names.sort();
        QCOMPARE(names, QStringList({"huge", "small"}));
        QVERIFY2(clock.elapsed() < waitBoundMs(500), qPrintable(QString::number(clock.elapsed())));
        const qint64 growth = peakMemoryKiB() - peakBefore;
        QVERIFY2(growth < 32 * 1024, qPrintable(QString("%1 KiB").arg(growth)));
        const QListWidgetItem* huge = view.findItems("huge", Qt::MatchExactly).value(0);
        const QString tip = huge->toolTip();
        QVERIFY2(
            tip.contains(size + " pixels") && tip.contains("more than 512 MiB"), qPrintable(tip));
        QVERIFY(view.findItems("small", Qt::MatchExactly).value(0)->toolTip().isEmpty());
        // AND its tile is the missing picture's sign in the middle of the thumbnails' ground,
        // at the next location
        const QImage tile = huge->data(Qt::UserRole).value<QPixmap>().toImage();
        QCOMPARE(tile.size(), QSize(80, 80));
        QCOMPARE(tile.pixelColor(40, 40), QColor(Qt::darkGray));
        const MissingSign shown(tile);
        QVERIFY2(shown.signInTheMiddle(), qPrintable(shown.describe()));
        const QColor frame = tile.pixelColor(shown.sign.topLeft());
        QVERIFY2(frame.lightness() > QColor(Qt::darkGray).lightness(), qPrintable(frame.name()));
        QCOMPARE(huge->data(Qt::UserRole + 1).toPoint(), QPoint(0, view.row(huge)));
    }

    void previewShowsRefusedPictureAsMissing_data()
    {
        QTest::addColumn<QImage::Format>("format");
        QTest::addColumn<int>("side");
        QTest::newRow("16-bit colour 8200 x 8200") << QImage::Format_RGBA64 << 8200;
        QTest::newRow("grey 10400 x 10400") << QImage::Format_Grayscale8 << 10400;
        QTest::newRow("8-bit colour with alpha 11586 x 11586") << QImage::Format_ARGB32 << 11586;
    }

    void previewShowsRefusedPictureAsMissing()
    {
        QFETCH(QImage::Format, format);
        QFETCH(int, side);
        // GIVEN the thumbnails of a small picture and of a file whose header claims a picture
        // past the bound, beside a preview of the picture chosen, as a picture browser has them
        TestFolder folder;
        folder.writePicture("small.png", Qt::red);
        folder.write("refused.png", claimingPicture(format, QSize(side, side)));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refused picture .*refused.png"));
        IconView view;
        ZEReruzo::PreviewArea preview;
        connect(&view, &IconView::showItem, &preview, &ZEReruzo::PreviewArea::displayItem);
        view.resize(300, 200);
        preview.resize(360, 270);
        view.show();
        view.addItems(folder.path());
        QVERIFY(loaded(view));
        // WHEN the user chooses the small picture, then the refused one
        clickItem(view, "small");
        QCOMPARE(preview.grab().toImage().pixelColor(180, 135), QColor(Qt::red));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refused picture .*refused.png"));
        clickItem(view, "refused");
        // THEN the preview shows the missing sign with the reason under it and nothing of the
        // small picture; the reason is its tool tip, as it is the tile's
        const QImage painted = preview.grab().toImage();
        const MissingSign shown(painted, painted.rect().adjusted(2, 2, -2, -2));
        QVERIFY2(shown.signInTheMiddle() && shown.textUnderSign(), qPrintable(shown.describe()));
        QCOMPARE(shown.count(Qt::red), 0);
        const QListWidgetItem* tile = view.findItems("refused", Qt::MatchExactly).value(0);
        const QString claim = QString("Not shown: %1 x %1 pixels").arg(side);
        QVERIFY2(tile->toolTip().startsWith(claim), qPrintable(tile->toolTip()));
        QCOMPARE(preview.toolTip(), tile->toolTip());
    }

    void largePhotographGetsAThumbnail()
    {
        // GIVEN a 12000 x 9000 photograph beside a small file claiming 23000 x 23000 pixels
        TestFolder folder;
        QVERIFY(writePhotograph(folder.path("camera.jpg")));
        folder.write("huge.png", hugePicture());
        if (!resetPeakMemory())
            QSKIP("The peak memory cannot be reset here.");
        const qint64 peakBefore = peakMemoryKiB();
        // WHEN the view loads the folder
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refused picture .*huge.png"));
        IconView view;
        view.addItems(folder.path());
        QVERIFY(loaded(view));
        // THEN the photograph has its thumbnail, in less than 150 MB, and the huge one shows
        // as missing
        QStringList names = texts(view);
        names.sort();
        QCOMPARE(names, QStringList({"camera", "huge"}));
        const QImage thumbnail = view.findItems("camera", Qt::MatchExactly)
                                     .value(0)
                                     ->data(Qt::UserRole)
                                     .value<QPixmap>()
                                     .toImage();
        const QColor corner = thumbnail.pixelColor(2, 12);
        QVERIFY2(corner.red() > 150 && corner.blue() < 100, qPrintable(corner.name()));
        const qint64 growth = peakMemoryKiB() - peakBefore;
        QVERIFY2(growth < 150 * 1024, qPrintable(QString("%1 KiB").arg(growth)));
    }

    // Drawings are drawn by the drawing processes, the GUI thread never waiting on one.
    void drawingsGetThumbnailsWhileTheGuiThreadRuns()
    {
        // GIVEN a folder of 16 x 16 icons and one drawing that its process takes long over
        TestFolder folder;
        for (int i = 0; i < 40; ++i)
            folder.write(QString("icon%1.svg").arg(i, 2, 10, QChar('0')), HostileSvg::dashedIcon());
        folder.write("slow.svg", HostileSvg::manyAttributes());
        IconView view;
        view.resize(600, 400);
        view.show();
        GuiStalls stalls;
        stalls.start();
        // WHEN the view loads the folder
        view.addItems(folder.path());
        stalls.mark();
        QVERIFY(loaded(view));
        // THEN each icon has its thumbnail, drawn as large as the thumbnail, the slow
        // drawing perhaps none, and the GUI thread never waited long
        QVERIFY(view.count() >= 40);
        for (int row = 0; row < view.count(); ++row) {
            if (view.item(row)->text() == "slow")
                continue;
            const QImage thumbnail = view.item(row)->data(Qt::UserRole).value<QPixmap>().toImage();
            QVERIFY(
                thumbnail.pixelColor(thumbnail.width() / 2, thumbnail.height() / 2).red() > 200);
        }
        QVERIFY2(stalls.longestMs() < runawayBoundMs(50),
            qPrintable(QString::number(stalls.longestMs())));
    }
};

QTEST_MAIN(TestFolderViews)

#include "test_FolderViews.moc"
