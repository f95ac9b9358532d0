#include "../common/MissingSign.h"
#include "../common/PeakMemory.h"
#include "../common/RunawayBound.h"
#include "../common/TestFolder.h"
#include "../common/ThreadTime.h"
#include "../graphics/HostilePicture.h"
#include "../graphics/HostileSvg.h"
#include "../graphics/Warnings.h"
#include "MissingPicture.h"
#include "PreviewArea.h"
#include "SimpleViewer.h"
#include "Thumbnail.h"
#include "Viewer.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QtTest>

#include <sys/stat.h>

using namespace ZEReruzo;

namespace {

QPixmap red(int w, int h)
{
    QPixmap pixmap(w, h);
    pixmap.fill(Qt::red);
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
        texts << action->text();
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
        QTest::newRow("wide pixmap, bands above and below")
            << QPixmap(Thumbnail(100, 100, red(200, 100))) << QRect(0, 25, 100, 50);
        QTest::newRow("tall image, bands at the sides")
            << QPixmap(Thumbnail(100, 100, red(50, 200).toImage())) << QRect(37, 0, 25, 100);
        Thumbnail direct(100, 100);
        direct.init(red(400, 100));
        QTest::newRow("init with a larger picture") << QPixmap(direct) << QRect(0, 37, 100, 25);
    }

    void thumbnailCentresPicture()
    {
        QFETCH(QPixmap, thumbnail);
        QFETCH(QRect, picture);
        const QImage image = thumbnail.toImage();
        const QPoint out = picture.top() > 0 ? QPoint(0, 1) : QPoint(1, 0);
        QCOMPARE(image.pixelColor(picture.topLeft()), QColor(Qt::red));
        QCOMPARE(image.pixelColor(picture.bottomRight()), QColor(Qt::red));
        QCOMPARE(image.pixelColor(picture.topLeft() - out), QColor(Qt::darkGray));
        QCOMPARE(image.pixelColor(picture.bottomRight() + out), QColor(Qt::darkGray));
    }

    void previewReportsItsCommands()
    {
        PreviewArea area;
        area.resize(60, 40);
        QCOMPARE(shownPath(area), QString("")); // before any file
        auto* menu = area.findChild<QMenu*>();
        QCOMPARE(actionTexts(menu), QStringList({"&Edit", "&Operations", "&Empty2"}));
        QMenu* operations = menu->actions().at(1)->menu();
        QCOMPARE(actionTexts(operations),
            QStringList({"&Rotate", "&Negate", "&Contrast/Brightnes/Intensity"}));
        const QString path = m_files.writePicture("a.png", Qt::red);
        area.displayItem(path);
        QSignalSpy operate(&area, &PreviewArea::operateItem);
        operations->actions().at(1)->trigger();
        QCOMPARE(operate.at(0), QVariantList({path, "&Negate"}));
        // Only a left double click asks to show the picture.
        QSignalSpy show(&area, &PreviewArea::showItem);
        QTest::mouseDClick(&area, Qt::MiddleButton);
        QTest::mouseDClick(&area, Qt::LeftButton);
        QCOMPARE(show.size(), 1);
        QCOMPARE(show.at(0).at(0).toString(), path);
        // A file that is not there, or is no picture, shows as missing with the reason,
        // never as the picture before it.
        QCOMPARE(area.grab().toImage().pixelColor(30, 20), QColor(Qt::red));
        for (const QString& unreadable :
            {m_files.path("missing.png"), m_files.write("broken.png", "not a picture")}) {
            area.displayItem(unreadable);
            QCOMPARE(shownPath(area), unreadable);
            QCOMPARE(area.toolTip(), QString("Not shown: the file cannot be read as a picture."));
            const QImage painted = area.grab().toImage();
            const MissingSign shown(painted, painted.rect().adjusted(2, 2, -2, -2));
            QVERIFY2(shown.signInTheMiddle(), qPrintable(shown.describe()));
            QCOMPARE(shown.count(Qt::red), 0);
            area.displayItem(path);
        }
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
        QTest::newRow("escape asks to be hidden") << QList<int> {Qt::Key_Escape} << "c" << 1;
        QTest::newRow("other keys do nothing") << QList<int> {Qt::Key_A, Qt::Key_Down} << "c" << 0;
    }

    void viewerKeys()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QString, shown);
        // GIVEN the list a, b, c with c shown
        Viewer viewer;
        setUpList(viewer);
        QSignalSpy hide(&viewer, &Viewer::hideMe);
        for (int key : keys)
            QTest::keyClick(&viewer, Qt::Key(key));
        QCOMPARE(shownPath(viewer), m_files.path(shown + ".png"));
        QTEST(int(hide.size()), "hidden");
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
    }

    void viewerStepsSafelyOffTheList()
    {
        Viewer viewer;
        // An empty list: stepping shows nothing.
        viewer.slotShowNext();
        viewer.slotShowPrevious();
        QCOMPARE(shownPath(viewer), QString(""));
        // The shown path is not in the list: on goes to the first entry, back to the last.
        const QString x = m_files.writePicture("x.png", Qt::gray);
        for (bool forward : {true, false}) {
            viewer.displayItem(x);
            setUpList(viewer, false);
            forward ? viewer.slotShowNext() : viewer.slotShowPrevious();
            QCOMPARE(shownPath(viewer), m_files.path(forward ? "a.png" : "c.png"));
        }
    }

    void simpleViewerStretchesPicture_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("picture over the whole widget") << "green.png" << QColor(Qt::green);
        QTest::newRow("missing file leaves the ground") << "none.png" << QColor(Qt::darkGray);
    }

    void simpleViewerStretchesPicture()
    {
        QFETCH(QString, file);
        QFETCH(QColor, colour);
        m_files.writePicture("green.png", Qt::green, 4, 3);
        SimpleViewer viewer;
        viewer.resize(90, 50);
        viewer.slotSetItem(m_files.path(file));
        const QImage painted = viewer.grab().toImage();
        QCOMPARE(painted.pixelColor(0, 0), colour);
        QCOMPARE(painted.pixelColor(89, 49), colour);
    }

    void simpleViewerDrawsOnceForEachSize()
    {
        // GIVEN a drawing its helper takes more than its 2 s of processor time over
        const QString path = m_files.write("slow.svg", HostileSvg::manyAttributes());
        SimpleViewer viewer;
        viewer.resize(90, 50);
        viewer.slotSetItem(path);
        // WHEN it is painted three times
        const Warnings warnings;
        QElapsedTimer clock;
        clock.start();
        viewer.grab();
        const qint64 firstMs = clock.restart();
        viewer.grab();
        viewer.grab();
        // THEN it waited once, for the first paint, and showed the missing sign on the ground,
        // the reason in its tool tip
        QVERIFY2(firstMs >= 2000, qPrintable(QString::number(firstMs)));
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(warnings.all().count("Refused picture"), 1);
        const QImage painted = viewer.grab().toImage();
        QCOMPARE(painted.pixelColor(45, 25), QColor(Qt::darkGray));
        const MissingSign shown(painted);
        QVERIFY2(shown.signInTheMiddle(), qPrintable(shown.describe()));
        QVERIFY2(viewer.toolTip().startsWith("Not shown: "), qPrintable(viewer.toolTip()));
        // AND at another size it is read again, given up at once this time
        viewer.resize(60, 40);
        viewer.grab();
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(warnings.all().contains("given up before"), qPrintable(warnings.all()));
    }

    void hugePictureIsRefused_data()
    {
        QTest::addColumn<QString>("widget");
        QTest::newRow("preview area shows it missing") << "preview";
        QTest::newRow("simple viewer shows it missing") << "simple";
    }

    void hugePictureIsRefused()
    {
        QFETCH(QString, widget);
        // GIVEN a 514 KB picture claiming 23000 x 23000 pixels, and widgets showing a red one
        static const QByteArray hugeBytes = hugePicture();
        const QString huge = m_files.write("huge.png", hugeBytes);
        const QString red = m_files.writePicture("red.png", Qt::red);
        Viewer viewer;
        viewer.resize(60, 40);
        viewer.displayItem(red);
        SimpleViewer simple;
        simple.resize(60, 40);
        const qint64 peakBefore = peakMemoryKiB();
        const ThreadTime clock;
        // WHEN the huge one is to be shown
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refused picture .*huge.png"));
        const bool simpleViewer = widget == "simple";
        simpleViewer ? simple.slotSetItem(huge) : viewer.displayItem(huge);
        const QImage painted = simpleViewer ? simple.grab().toImage() : viewer.grab().toImage();
        // THEN it is refused at once, in little memory, and shows as missing, telling why
        QVERIFY2(clock.elapsedMs() < runawayBoundMs(500),
            qPrintable(QString::number(clock.elapsedMs())));
        const qint64 growth = peakMemoryKiB() - peakBefore;
        QVERIFY2(growth < 32 * 1024, qPrintable(QString("%1 KiB").arg(growth)));
        const MissingSign shown(painted, painted.rect().adjusted(2, 2, -2, -2));
        QVERIFY2(shown.signInTheMiddle(), qPrintable(shown.describe()));
        QCOMPARE(shown.count(Qt::red), 0);
        const QString tip = simpleViewer ? simple.toolTip() : viewer.toolTip();
        QVERIFY2(tip.startsWith("Not shown: 23000 x 23000 pixels"), qPrintable(tip));
        if (!simpleViewer)
            QCOMPARE(shownPath(viewer), huge);
    }

    void viewerStepsOntoRefusedPicture_data()
    {
        QTest::addColumn<QImage::Format>("format");
        QTest::addColumn<int>("side");
        QTest::addColumn<QSize>("size");
        QTest::newRow("16-bit colour, small window")
            << QImage::Format_RGBA64 << 8200 << QSize(240, 180);
        QTest::newRow("grey, middle window")
            << QImage::Format_Grayscale8 << 10400 << QSize(560, 420);
        QTest::newRow("8-bit colour with alpha, large window")
            << QImage::Format_ARGB32 << 11586 << QSize(1500, 1100);
    }

    void viewerStepsOntoRefusedPicture()
    {
        QFETCH(QImage::Format, format);
        QFETCH(int, side);
        QFETCH(QSize, size);
        // GIVEN a viewer showing a red picture, the next in its list a small file whose
        // header claims a picture past the bound
        const QString red = m_files.writePicture("red.png", Qt::red);
        const QString refused
            = m_files.write("refused.png", claimingPicture(format, QSize(side, side)));
        Viewer viewer;
        viewer.resize(size);
        viewer.displayItem(red);
        viewer.slotSetItems({red, refused});
        QCOMPARE(viewer.grab().toImage().pixelColor(size.width() / 2, 10), QColor(Qt::red));
        // WHEN the user steps on to it
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refused picture .*refused.png"));
        QTest::keyClick(&viewer, Qt::Key_PageUp);
        // THEN the missing sign shows in the middle with the reason under it, and nothing of
        // the red picture; the reason is the tool tip too
        for (const QImage& painted : {viewer.grab().toImage(), viewer.pixmap().toImage()}) {
            const MissingSign shown(painted, painted.rect().adjusted(2, 2, -2, -2));
            QVERIFY2(
                shown.signInTheMiddle() && shown.textUnderSign(), qPrintable(shown.describe()));
            QCOMPARE(shown.count(Qt::red), 0);
        }
        const QString claim = QString("%1 x %1 pixels").arg(side);
        QVERIFY2(viewer.toolTip().startsWith("Not shown: " + claim)
                && viewer.toolTip().endsWith("more than 512 MiB."),
            qPrintable(viewer.toolTip()));
        QCOMPARE(shownPath(viewer), refused);
        // AND stepping back shows the red picture again, with no tool tip
        QTest::keyClick(&viewer, Qt::Key_PageDown);
        QCOMPARE(viewer.grab().toImage().pixelColor(size.width() / 2, size.height() / 2),
            QColor(Qt::red));
        QCOMPARE(viewer.toolTip(), QString());
    }

    void missingThumbnailIsTheSign_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<bool>("text");
        QTest::newRow("folder view's tile, the reason left to its tool tip")
            << QSize(80, 80) << "" << false;
        QTest::newRow("viewer page's thumbnail") << QSize(116, 80) << "" << false;
        QTest::newRow("no room for the reason") << QSize(60, 40) << "100 x 100 pixels" << false;
        QTest::newRow("the reason under the sign") << QSize(300, 200) << "100 x 100 pixels" << true;
    }

    void missingThumbnailIsTheSign()
    {
        QFETCH(QSize, size);
        QFETCH(QString, refusal);
        const MissingSign shown(
            MissingPicture::thumbnail(size.width(), size.height(), refusal).toImage());
        QCOMPARE(shown.image.size(), size);
        QVERIFY2(shown.signInTheMiddle(), qPrintable(shown.describe()));
        QTEST(shown.textUnderSign(), "text");
        QCOMPARE(shown.image.pixelColor(0, 0), QColor(Qt::darkGray));
        QCOMPARE(
            MissingPicture::text(refusal), refusal.isEmpty() ? "" : "Not shown: " + refusal + ".");
    }

    void largePhotographIsShown_data()
    {
        QTest::addColumn<QString>("widget");
        QTest::newRow("preview area fits it") << "preview";
        QTest::newRow("viewer steps onto it") << "viewer";
        QTest::newRow("simple viewer stretches it") << "simple";
    }

    void largePhotographIsShown()
    {
        QFETCH(QString, widget);
        // GIVEN a 12000 x 9000 photograph and widgets of 4:3
        static const bool written = writePhotograph(m_files.path("camera.jpg"));
        QVERIFY(written);
        const QString photo = m_files.path("camera.jpg");
        Viewer viewer;
        viewer.resize(300, 225);
        viewer.slotSetItems({m_files.writePicture("red.png", Qt::red), photo});
        SimpleViewer simple;
        simple.resize(300, 225);
        if (!resetPeakMemory())
            QSKIP("The peak memory cannot be reset here.");
        const qint64 peakBefore = peakMemoryKiB();
        // WHEN it is shown
        const bool simpleViewer = widget == "simple";
        if (simpleViewer)
            simple.slotSetItem(photo);
        else if (widget == "viewer")
            viewer.slotShowPrevious();
        else
            viewer.displayItem(photo);
        const QImage painted = simpleViewer ? simple.grab().toImage() : viewer.grab().toImage();
        // THEN its orange corner is painted, in less than 150 MB
        const QColor corner = painted.pixelColor(6, 6);
        QVERIFY2(corner.red() > 150 && corner.blue() < 100, qPrintable(corner.name()));
        if (!simpleViewer)
            QCOMPARE(shownPath(viewer), photo);
        const qint64 growth = peakMemoryKiB() - peakBefore;
        QVERIFY2(growth < 150 * 1024, qPrintable(QString("%1 KiB").arg(growth)));
    }

private:
    // The list a, b, c, with c shown unless told otherwise.
    void setUpList(Viewer& viewer, bool showLast = true)
    {
        const QList<QString> list = {m_files.writePicture("a.png", Qt::red),
            m_files.writePicture("b.png", Qt::green), m_files.writePicture("c.png", Qt::blue)};
        if (showLast)
            viewer.displayItem(list.last());
        viewer.slotSetItems(list);
    }

    TestFolder m_files;
};

QTEST_MAIN(TestImageViewer)

#include "test_ImageViewer.moc"
