#include "PictureFiles.h"
#include "PreviewArea.h"
#include "SimpleViewer.h"
#include "Thumbnail.h"
#include "Viewer.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QtTest>

using namespace ZEReruzo;

namespace {

const QColor darkGray(Qt::darkGray);

QColor pixelAt(const QPixmap& pixmap, int x, int y)
{
    return pixmap.toImage().pixelColor(x, y);
}

QPixmap solid(int w, int h, const QColor& colour)
{
    QPixmap pixmap(w, h);
    pixmap.fill(colour);
    return pixmap;
}

// The path the area shows, as its edit command reports it.
QString shownPath(PreviewArea& area)
{
    QSignalSpy edit(&area, &PreviewArea::editItem);
    area.slotEditItem();
    return edit.isEmpty() ? QString() : edit.at(0).at(0).toString();
}

QStringList actionTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

} // namespace

class TestImageViewer : public QObject
{
    Q_OBJECT

private slots:
    void thumbnailCentresPicture_data()
    {
        QTest::addColumn<QPixmap>("thumbnail");
        QTest::addColumn<QRect>("picture");
        const QPixmap wide = solid(200, 100, Qt::red);
        QTest::newRow("wide pixmap, bands above and below")
            << QPixmap(Thumbnail(100, 100, wide)) << QRect(0, 25, 100, 50);
        QTest::newRow("wide image")
            << QPixmap(Thumbnail(100, 100, wide.toImage())) << QRect(0, 25, 100, 50);
        QTest::newRow("tall pixmap, bands at the sides")
            << QPixmap(Thumbnail(100, 100, solid(50, 200, Qt::red))) << QRect(37, 0, 25, 100);
        QTest::newRow("small picture grows to fit")
            << QPixmap(Thumbnail(80, 80, solid(10, 20, Qt::red))) << QRect(20, 0, 40, 80);
        Thumbnail direct(100, 100);
        direct.init(solid(400, 100, Qt::red));
        QTest::newRow("init with a larger picture") << QPixmap(direct) << QRect(0, 37, 100, 25);
    }

    void thumbnailCentresPicture()
    {
        QFETCH(QPixmap, thumbnail);
        QFETCH(QRect, picture);
        QCOMPARE(pixelAt(thumbnail, picture.left(), picture.top()), QColor(Qt::red));
        QCOMPARE(pixelAt(thumbnail, picture.right(), picture.bottom()), QColor(Qt::red));
        if (picture.top() > 0) {
            QCOMPARE(pixelAt(thumbnail, picture.left(), picture.top() - 1), darkGray);
            QCOMPARE(pixelAt(thumbnail, picture.right(), picture.bottom() + 1), darkGray);
        } else {
            QCOMPARE(pixelAt(thumbnail, picture.left() - 1, picture.top()), darkGray);
            QCOMPARE(pixelAt(thumbnail, picture.right() + 1, picture.bottom()), darkGray);
        }
    }

    void previewMenuReportsCommands()
    {
        PreviewArea area;
        auto* menu = area.findChild<QMenu*>();
        QCOMPARE(actionTexts(menu), QStringList({"&Edit", "&Operations", "&Empty2"}));
        QMenu* operations = menu->actions().at(1)->menu();
        QCOMPARE(actionTexts(operations),
            QStringList({"&Rotate", "&Negate", "&Contrast/Brightnes/Intensity"}));
        QCOMPARE(menu->windowOpacity(), operations->windowOpacity());
        QVERIFY(qAbs(menu->windowOpacity() - 0.6) < 0.01);

        // Before any file the edit command carries an empty path.
        QCOMPARE(shownPath(area), QString(""));

        const QString path = m_files.write("a.png", Qt::red);
        area.displayItem(path);
        QSignalSpy operate(&area, &PreviewArea::operateItem);
        QSignalSpy rotate(&area, &PreviewArea::rotateItem);
        QSignalSpy negate(&area, &PreviewArea::negateItem);
        for (QAction* action : operations->actions())
            action->trigger();
        QCOMPARE(operate.size(), 3);
        QCOMPARE(operate.at(1), QVariantList({path, "&Negate"}));
        QCOMPARE(rotate.size() + negate.size(), 0);
    }

    void previewKeepsPictureWhenFileDoesNotLoad()
    {
        // GIVEN an area showing a red picture
        PreviewArea area;
        area.resize(60, 40);
        const QString red = m_files.write("red.png", Qt::red);
        area.displayItem(red);
        const QImage before = area.grab().toImage();
        QCOMPARE(before.pixelColor(30, 20), QColor(Qt::red));
        // WHEN a missing file is asked for
        area.displayItem(m_files.path("missing.png"));
        // THEN the picture and the path stay
        QCOMPARE(area.grab().toImage(), before);
        QCOMPARE(shownPath(area), red);
        // AND refresh() shows the same file again
        area.refresh();
        QCOMPARE(shownPath(area), red);
        QCOMPARE(area.pixmap().size(), QSize(60, 40));
    }

    void previewDoubleClickShowsItem()
    {
        PreviewArea area;
        area.displayItem(m_files.write("b.png", Qt::blue));
        QSignalSpy show(&area, &PreviewArea::showItem);
        QTest::mouseDClick(&area, Qt::MiddleButton);
        QCOMPARE(show.size(), 0);
        QTest::mouseDClick(&area, Qt::LeftButton);
        QCOMPARE(show.size(), 1);
        QCOMPARE(show.at(0).at(0).toString(), m_files.path("b.png"));
    }

    void viewerKeys_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("hidden");
        QTest::newRow("page up wraps to the first") << QList<int> {Qt::Key_PageUp} << "a" << 0;
        QTest::newRow("page down goes back") << QList<int> {Qt::Key_PageDown} << "b" << 0;
        QTest::newRow("space goes back twice")
            << QList<int> {Qt::Key_Space, Qt::Key_Space} << "a" << 0;
        QTest::newRow("back and on again")
            << QList<int> {Qt::Key_PageDown, Qt::Key_PageUp} << "c" << 0;
        QTest::newRow("escape asks to be hidden") << QList<int> {Qt::Key_Escape} << "c" << 1;
        QTest::newRow("other keys do nothing") << QList<int> {Qt::Key_A, Qt::Key_Down} << "c" << 0;
    }

    void viewerKeys()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QString, shown);
        QFETCH(int, hidden);
        // GIVEN the list a, b, c with c shown
        Viewer viewer;
        setUpList(viewer);
        QSignalSpy hide(&viewer, &Viewer::hideMe);
        // WHEN the keys are pressed
        for (int key : keys)
            QTest::keyClick(&viewer, Qt::Key(key));
        // THEN
        QCOMPARE(shownPath(viewer), m_files.path(shown + ".png"));
        QCOMPARE(hide.size(), hidden);
    }

    void slideShowStepsBackUntilAnyInput()
    {
        Viewer viewer;
        setUpList(viewer);
        auto* timer = viewer.findChild<QTimer*>();
        QCOMPARE(actionTexts(viewer.findChild<QMenu*>()), QStringList({"&Slide show"}));
        viewer.slotSlideShow();
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 5000);
        QStringList seen;
        for (int tick = 0; tick < 4; ++tick) {
            QMetaObject::invokeMethod(timer, "timeout");
            seen << QFileInfo(shownPath(viewer)).baseName();
        }
        QCOMPARE(seen, QStringList({"b", "a", "c", "b"}));
        // A key that does nothing else still stops it; so does a mouse press.
        QTest::keyClick(&viewer, Qt::Key_A);
        QVERIFY(!timer->isActive());
        viewer.slotSlideShow();
        QTest::mouseDClick(&viewer, Qt::LeftButton);
        QVERIFY(!timer->isActive());
        // A second start-stop stops it as well.
        viewer.slotSlideShow();
        viewer.slotSlideShow();
        QVERIFY(!timer->isActive());
    }

    void viewerStepsSafelyOffTheList()
    {
        Viewer viewer;
        // An empty list: stepping shows nothing.
        viewer.slotShowNext();
        viewer.slotShowPrevious();
        QCOMPARE(shownPath(viewer), QString(""));
        // The shown path is not in the list: on goes to the first entry, back to the last.
        const QString x = m_files.write("x.png", Qt::gray);
        viewer.displayItem(x);
        const QList<QString> list = {m_files.write("a.png", Qt::red),
            m_files.write("b.png", Qt::green), m_files.write("c.png", Qt::blue)};
        viewer.slotSetItems(list);
        viewer.slotShowNext();
        QCOMPARE(shownPath(viewer), list.first());
        viewer.displayItem(x);
        viewer.slotSetItems(list);
        viewer.slotShowPrevious();
        QCOMPARE(shownPath(viewer), list.last());
    }

    void simpleViewerStretchesPicture_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("picture over the whole widget") << "green.png" << QColor(Qt::green);
        QTest::newRow("missing file leaves the ground") << "none.png" << darkGray;
    }

    void simpleViewerStretchesPicture()
    {
        QFETCH(QString, file);
        QFETCH(QColor, colour);
        m_files.write("green.png", Qt::green, 4, 3);
        SimpleViewer viewer;
        viewer.resize(90, 50);
        viewer.slotSetItem(m_files.path(file));
        const QImage painted = viewer.grab().toImage();
        QCOMPARE(painted.pixelColor(0, 0), colour);
        QCOMPARE(painted.pixelColor(89, 49), colour);
    }

private:
    void setUpList(Viewer& viewer)
    {
        const QList<QString> list = {m_files.write("a.png", Qt::red),
            m_files.write("b.png", Qt::green), m_files.write("c.png", Qt::blue)};
        viewer.displayItem(list.last());
        viewer.slotSetItems(list);
    }

    PictureFiles m_files;
};

QTEST_MAIN(TestImageViewer)

#include "test_ImageViewer.moc"
