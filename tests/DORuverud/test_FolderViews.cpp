#include "DirView.h"
#include "IconView.h"
#include "ListWidgetItem.h"

#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QFileSystemModel>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

using namespace DORuverud;

namespace {

void writePicture(const QString& path, const QColor& colour = Qt::red)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(path, "PNG"));
}

void writeText(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
}

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

// Exposes the drag and drop handlers.
class DraggingIconView : public IconView
{
public:
    using IconView::dragMoveEvent;
    using IconView::dropEvent;
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
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("item");
        QTest::newRow("folder shows its content") << "sub"
                                                  << "sub"
                                                  << "";
        QTest::newRow("file shows the item") << "notes.txt"
                                             << ""
                                             << "notes.txt";
        QTest::newRow("outside the rows nothing") << ""
                                                  << ""
                                                  << "";
    }

    void dirViewReportsClicks()
    {
        QFETCH(QString, target);
        QFETCH(QString, content);
        QFETCH(QString, item);
        // GIVEN a tree showing a folder with a sub-folder and a file
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("sub");
        writeText(dir.filePath("notes.txt"));
        DirView view;
        view.resize(300, 2000);
        view.show();
        auto* tree = view.findChild<QTreeView*>();
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        QCOMPARE(tree->size(), view.size());
        QVERIFY(tree->isColumnHidden(1) && tree->isColumnHidden(2) && tree->isColumnHidden(3));
        const QModelIndex index = model->index(dir.filePath(target.isEmpty() ? "sub" : target));
        tree->scrollTo(index);
        QTRY_VERIFY(tree->visualRect(index).isValid());
        const QPoint below(10, tree->viewport()->height() - 2);
        QVERIFY(!tree->indexAt(below).isValid());
        QSignalSpy contents(&view, &DirView::showContent);
        QSignalSpy items(&view, &DirView::showItem);
        // WHEN the user clicks
        const QPoint at = target.isEmpty() ? below : tree->visualRect(index).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        // THEN
        QCOMPARE(contents.size(), int(!content.isEmpty()));
        QCOMPARE(items.size(), int(!item.isEmpty()));
        if (!content.isEmpty())
            QCOMPARE(contents.at(0).at(0).toString(), dir.filePath(content));
        if (!item.isEmpty())
            QCOMPARE(items.at(0).at(0).toString(), dir.filePath(item));
    }

    void iconViewListsLoadablePicturesWithDots()
    {
        // GIVEN five files, three of them loadable pictures with a dot in the name
        QTemporaryDir dir;
        writePicture(dir.filePath("one.png"));
        writePicture(dir.filePath("photo.small.png"));
        writePicture(dir.filePath("three.bmp"));
        writePicture(dir.filePath("nodot"));
        writeText(dir.filePath("broken.png"));
        QDir(dir.path()).mkdir("folder.png");
        // WHEN the view loads the folder
        IconView view;
        view.addItems(dir.path());
        // THEN the pictures are listed by base name, at locations in listing order
        QCOMPARE(view.count(), 3);
        QStringList names = texts(view);
        names.sort();
        QCOMPARE(names, QStringList({"one", "photo", "three"}));
        for (int row = 0; row < view.count(); ++row) {
            QListWidgetItem* item = view.item(row);
            QCOMPARE(item->data(Qt::UserRole + 1).toPoint(), QPoint(0, row));
            QCOMPARE(QFileInfo(fullPath(view, row)).baseName(), item->text());
            QVERIFY(QFileInfo(fullPath(view, row)).isAbsolute());
            QCOMPARE(item->data(Qt::UserRole).value<QPixmap>().size(), QSize(80, 80));
            QCOMPARE(int(item->flags()), 0x27);
            QCOMPARE(item->background().color(), QColor(Qt::darkGray));
        }
    }

    void iconViewEmptyAndRefreshed()
    {
        IconView view;
        view.addItems("/nonexistent/folder");
        QCOMPARE(view.count(), 0);
        QTemporaryDir dir;
        writeText(dir.filePath("readme.txt"));
        view.addItems(dir.path());
        QCOMPARE(view.count(), 0);
        // A picture added on disk shows after refresh().
        writePicture(dir.filePath("new.png"));
        view.refresh();
        QCOMPARE(texts(view), QStringList({"new"}));
    }

    void iconViewReportsPaths()
    {
        QTemporaryDir dir;
        writePicture(dir.filePath("a.png"));
        writePicture(dir.filePath("b.png"), Qt::blue);
        IconView view;
        view.resize(400, 300);
        view.show();
        view.addItems(dir.path());
        QSignalSpy shown(&view, &IconView::showItem);
        QSignalSpy viewer(&view, &IconView::showViewerItem);
        QSignalSpy separate(&view, &IconView::showInSeparateView);
        const QPoint first = view.visualItemRect(view.item(0)).center();
        const QPoint second = view.visualItemRect(view.item(1)).center();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(shown.takeFirst().at(0).toString(), fullPath(view, 0));
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(viewer.takeFirst().at(0).toString(), fullPath(view, 0));
        // A right-click on the second item opens the menu for the first, the current one.
        QTimer::singleShot(0, [] {
            QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QCOMPARE(menu->actions().at(1)->text(), QString("&Empty2"));
            menu->actions().at(0)->trigger();
            menu->close();
        });
        QTest::mousePress(view.viewport(), Qt::RightButton, {}, second);
        QCOMPARE(separate.size(), 1);
        QCOMPARE(separate.at(0).at(0).toString(), fullPath(view, 0));
        QCOMPARE(view.currentRow(), 1);
    }

    void dragCarriesPuzzlePiece()
    {
        QTemporaryDir dir;
        writePicture(dir.filePath("a.png"));
        writePicture(dir.filePath("b.png"), Qt::blue);
        DraggingIconView view;
        view.addItems(dir.path());
        // No current item, no drag.
        view.startDrag(Qt::MoveAction);
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
        QCOMPARE(stream.status(), QDataStream::Ok);
        QVERIFY(stream.atEnd());
        QCOMPARE(pixmap.toImage(), view.item(1)->data(Qt::UserRole).value<QPixmap>().toImage());
        QCOMPARE(location, QPoint(0, 1));
        // The location is written last: x then y, big-endian.
        QCOMPARE(bytes.right(8), QByteArray::fromHex("0000000000000001"));
    }

    void dropsAreRefused_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("puzzle piece is accepted as a move") << "image/x-puzzle-piece" << true;
        QTest::newRow("plain text is ignored") << "text/plain" << false;
    }

    void dropsAreRefused()
    {
        QFETCH(QString, format);
        QFETCH(bool, accepted);
        DraggingIconView view;
        QMimeData data;
        data.setData(format, "x");
        QDragMoveEvent move(
            QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        move.ignore();
        view.dragMoveEvent(&move);
        QCOMPARE(move.isAccepted(), accepted);
        if (accepted)
            QCOMPARE(move.dropAction(), Qt::MoveAction);
        QDropEvent drop(QPointF(5, 5), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        view.dropEvent(&drop);
        QVERIFY(!drop.isAccepted());
        QCOMPARE(view.count(), 0);
    }

    void newerLoadStopsTheRunningOne_data()
    {
        QTest::addColumn<QString>("interruption");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("a second folder is loaded") << "addItems" << QStringList({"second"});
        QTest::newRow("the view is cleared") << "clear" << QStringList();
        QTest::newRow("the view is deleted") << "delete" << QStringList();
    }

    void newerLoadStopsTheRunningOne()
    {
        QFETCH(QString, interruption);
        QFETCH(QStringList, left);
        // GIVEN a folder of several pictures and another of one
        QTemporaryDir first;
        for (int i = 0; i < 4; ++i)
            writePicture(first.filePath(QString("first%1.png").arg(i)));
        QTemporaryDir second;
        writePicture(second.filePath("second.png"));
        QPointer<IconView> view = new IconView;
        // WHEN an event queued before the load interrupts it
        QTimer::singleShot(0, view, [&] {
            if (interruption == "addItems")
                view->addItems(second.path());
            else if (interruption == "clear")
                view->clear();
            else
                delete view;
        });
        view->addItems(first.path());
        // THEN nothing of the first folder is appended afterwards
        QCOMPARE(view ? texts(*view) : QStringList(), left);
        delete view;
    }
};

QTEST_MAIN(TestFolderViews)

#include "test_FolderViews.moc"
