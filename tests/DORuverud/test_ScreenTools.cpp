#include "../common/MouseDrag.h"
#include "../common/PaintedText.h"
#include "App.h"
#include "Common.h"
#include "DialogTestTools.h"
#include "Os.h"
#include "ScreenCropper.h"
#include "ScreenMeasurer.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace DialogTestTools;
using namespace MouseDrag;
using DORuverud::ScreenCropper;
using DORuverud::ScreenMeasurer;

namespace {

// A screen whose every pixel tells where it lies.
QImage knownScreen()
{
    QImage image(1280, 1024, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x & 255, y & 255, (x >> 8) | (y >> 8) << 4));
    }
    return image;
}

QPixmap solid(const QColor& colour)
{
    QPixmap pixmap(200, 100);
    pixmap.fill(colour);
    return pixmap;
}

QString screenshotsIn(const QString& folder)
{
    const QStringList files = QDir(folder).entryList({"*.png"}, QDir::Files, QDir::Name);
    return files.join(' ');
}

// The store build: the program copied into a bundle without the "independent" marker
// crops and saves there.
int runStoreChild()
{
    int argc = 1;
    char name[] = "child";
    char* argv[] = {name, nullptr};
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    DORuverud::Common::setScreenGrabber([] { return QPixmap::fromImage(knownScreen()); });
    ScreenCropper cropper;
    cropper.grabScreen();
    drag(&cropper, QPoint(10, 10), QPoint(20, 20));
    QMetaObject::invokeMethod(&cropper, "slotSave");
    QTextStream(stdout) << cropper.defaultMessage();
    return 0;
}

} // namespace

// Runs at scale factor 1 and 2, in a private session bus without a file manager,
// so that a reveal opens the folder.
class TestScreenTools : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DORuverud::Common::setScreenGrabber([] { return QPixmap::fromImage(knownScreen()); });
        QDir(home()).mkpath("Desktop");
    }

    void cropTakesTheDraggedAreaInPhysicalPixels_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QRect>("atScale1");
        QTest::addColumn<QRect>("atScale2");
        const QRect square1(10, 10, 11, 11);
        const QRect square2(20, 20, 21, 21);
        QTest::newRow("click") << QPoint(30, 40) << QPoint(30, 40) << QRect(30, 40, 1, 1)
                               << QRect(60, 80, 1, 1);
        QTest::newRow("down right") << QPoint(10, 10) << QPoint(20, 20) << square1 << square2;
        QTest::newRow("up left") << QPoint(20, 20) << QPoint(10, 10) << square1 << square2;
        QTest::newRow("down left") << QPoint(20, 10) << QPoint(10, 20) << square1 << square2;
        QTest::newRow("up right") << QPoint(10, 20) << QPoint(20, 10) << square1 << square2;
        QTest::newRow("one pixel right")
            << QPoint(10, 5) << QPoint(11, 5) << QRect(10, 5, 2, 1) << QRect(20, 10, 3, 1);
        QTest::newRow("one pixel left")
            << QPoint(11, 5) << QPoint(10, 5) << QRect(10, 5, 2, 1) << QRect(20, 10, 3, 1);
    }

    void cropTakesTheDraggedAreaInPhysicalPixels()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        // GIVEN a cropper over the screen
        ScreenCropper cropper;
        QStringList events;
        connect(&cropper, qOverload<QPixmap>(&ScreenCropper::done), [&](const QPixmap& pixmap) {
            events << QString("done(%1x%2)").arg(pixmap.width()).arg(pixmap.height());
        });
        connect(&cropper, qOverload<>(&ScreenCropper::done), [&] { events << "done()"; });
        connect(&cropper, &ScreenCropper::closed, [&] { events << "closed()"; });
        cropper.grabScreen();
        QVERIFY(cropper.isVisible());
        // WHEN the user drags over it
        drag(&cropper, from, to);
        // THEN the area under the rectangle is cut out of the screen in physical pixels
        QFETCH(QRect, atScale1);
        QFETCH(QRect, atScale2);
        const QRect expected = atScale(atScale1, atScale2);
        QCOMPARE(cropper.result().toImage(), knownScreen().copy(expected));
        QCOMPARE(events,
            QStringList({"closed()",
                QString("done(%1x%2)").arg(expected.width()).arg(expected.height()), "done()"}));
        QVERIFY(!cropper.isVisible());
    }

    void escapeClosesWithoutCrop()
    {
        ScreenCropper cropper;
        QStringList events;
        connect(&cropper, &ScreenCropper::closed, [&] { events << "closed()"; });
        connect(&cropper, &ScreenCropper::escaped, [&] { events << "escaped()"; });
        connect(&cropper, qOverload<>(&ScreenCropper::done), [&] { events << "done()"; });
        cropper.grabScreen();
        send(&cropper, QEvent::MouseButtonPress, QPoint(5, 5));
        pressEscape(&cropper);
        QCOMPARE(events, QStringList({"closed()", "escaped()"}));
        QVERIFY(!cropper.isVisible());
        QVERIFY(cropper.result().isNull());
    }

    void showModeAndCursorFollowTheGrab_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<Qt::WindowState>("state");
        QTest::newRow("full screen") << int(ScreenCropper::FullScreenMode) << Qt::WindowFullScreen;
        QTest::newRow("maximized") << int(ScreenCropper::MaximizedMode) << Qt::WindowMaximized;
        QTest::newRow("normal") << int(ScreenCropper::NormalMode) << Qt::WindowNoState;
        QTest::newRow("any other value") << 5 << Qt::WindowNoState;
    }

    void showModeAndCursorFollowTheGrab()
    {
        QFETCH(int, mode);
        QFETCH(Qt::WindowState, state);
        ScreenCropper cropper;
        cropper.setShowMode(ScreenCropper::ShowModes(mode));
        // WHEN it grabs twice THEN it shows in the mode, with a cross cursor over the application
        cropper.grabScreen();
        cropper.grabScreen();
        QVERIFY(cropper.isVisible());
        QCOMPARE(cropper.windowState(), state);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
        // WHEN it closes THEN the application's cursors are back to normal
        QMetaObject::invokeMethod(&cropper, "slotClose");
        QVERIFY(!QGuiApplication::overrideCursor());
        // AND the window system's close only hides it
        cropper.grabScreen();
        QSignalSpy closed(&cropper, &ScreenCropper::closed);
        QVERIFY(!cropper.close());
        QVERIFY(cropper.isHidden());
        QCOMPARE(closed.count(), 0);
        QMetaObject::invokeMethod(&cropper, "slotClose");
    }

    void messageShowsUntilThePress()
    {
        // GIVEN a cropper as large as a 1280 x 1024 screen
        ScreenCropper cropper;
        cropper.setShowMode(ScreenCropper::NormalMode);
        cropper.resize(1280, 1024);
        cropper.grabScreen();
        // THEN it shows its message, or the one set, until the press
        QCOMPARE(paintedWords(&cropper),
            QString("Select the area you want to crop. The image file will be saved on Desktop "
                    "Hold [ALT] to go, after screenshot is done, to its location "
                    "Press [ESC] to cancel this operation"));
        cropper.setMessage(cropper.simpleMessage());
        QCOMPARE(cropper.simpleMessage(),
            QString("Select the area you want to crop. \n"
                    "(to cancel this operation press ESC button)"));
        QCOMPARE(paintedWords(&cropper),
            QString(
                "Select the area you want to crop. (to cancel this operation press ESC button)"));
        send(&cropper, QEvent::MouseButtonPress, QPoint(5, 5));
        QCOMPARE(paintedWords(&cropper), QString());
        QMetaObject::invokeMethod(&cropper, "slotClose");
    }

    void rulerShowsTheSizeUnderTheRectangle_data()
    {
        // In bold Times, sized by the width (or by a low height) and never wider than the
        // rectangle; in 13 points above the press corner when that is below 9 pixels.
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QString>("atScale1");
        QTest::addColumn<QString>("atScale2");
        QTest::addColumn<int>("maxPoints");
        QTest::addColumn<QPoint>("captionAt");
        QTest::newRow("to the right") << QPoint(10, 50) << QPoint(20, 80) << "11x31"
                                      << "5x15" << 13 << QPoint(10, 47);
        QTest::newRow("to the left") << QPoint(20, 80) << QPoint(10, 50) << "11x31"
                                     << "5x15" << 13 << QPoint(20, 77);
        QTest::newRow("width sets the font") << QPoint(100, 100) << QPoint(190, 160) << "91x61"
                                             << "45x30" << 20 << QPoint();
        QTest::newRow("long number shrinks to fit across")
            << QPoint(80, 100) << QPoint(299, 219) << "220x120"
            << "110x60" << 48 << QPoint();
        QTest::newRow("low: height sets the font")
            << QPoint(100, 100) << QPoint(280, 120) << "181x21"
            << "90x10" << 14 << QPoint();
        QTest::newRow("too low for 9 pixels") << QPoint(100, 100) << QPoint(300, 104) << "201x5"
                                              << "100x2" << 13 << QPoint(100, 97);
        QTest::newRow("narrower than a point") << QPoint(100, 300) << QPoint(103, 100) << "4x201"
                                               << "2x100" << 13 << QPoint(100, 297);
    }

    void rulerShowsTheSizeUnderTheRectangle()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QString, atScale1);
        QFETCH(QString, atScale2);
        QFETCH(int, maxPoints);
        QFETCH(QPoint, captionAt);
        // GIVEN a ruler shown by its owner
        ScreenMeasurer ruler;
        ruler.resize(640, 400);
        QMetaObject::invokeMethod(&ruler, "grabScreen");
        ruler.show();
        // WHEN the user drags, still holding the button
        send(&ruler, QEvent::MouseButtonPress, from);
        send(&ruler, QEvent::MouseMove, to);
        // THEN it writes the size in points
        const PaintedText painted(&ruler);
        QCOMPARE(painted.lines.size(), 1);
        const PaintedText::Line& line = painted.lines.first();
        QCOMPARE(line.text, Os::scaleFactor() == 2.0 ? atScale2 : atScale1);
        QCOMPARE(line.font.family(), QString("Times"));
        QVERIFY(line.font.bold());
        if (!captionAt.isNull()) {
            QCOMPARE(line.font.pointSize(), 13);
            QCOMPARE(line.position.toPoint(), captionAt);
        } else {
            const QFontMetrics metrics(line.font);
            QVERIFY(line.font.pointSize() <= maxPoints);
            QVERIFY(metrics.height() >= 9);
            QVERIFY(metrics.horizontalAdvance(line.text) <= qAbs(to.x() - from.x()) + 1);
        }
        QMetaObject::invokeMethod(&ruler, "slotClose");
    }

    void rulerPaintsThePictureOfItsLastResize()
    {
        // GIVEN a ruler that grabbed a red screen, shown by its owner
        ScreenMeasurer ruler;
        QSignalSpy grabbed(&ruler, &ScreenMeasurer::done);
        DORuverud::Common::setScreenGrabber([] { return solid(Qt::red); });
        QMetaObject::invokeMethod(&ruler, "grabScreen");
        QCOMPARE(grabbed.count(), 1);
        QVERIFY(ruler.isHidden());
        ruler.resize(200, 100);
        ruler.show();
        QCOMPARE(cornerColour(&ruler), QColor(Qt::red));
        // WHEN it grabs a blue one THEN the red stays until recreatePix2()
        DORuverud::Common::setScreenGrabber([] { return solid(Qt::blue); });
        QMetaObject::invokeMethod(&ruler, "grabScreen");
        QCOMPARE(grabbed.count(), 2);
        QCOMPARE(cornerColour(&ruler), QColor(Qt::red));
        ruler.recreatePix2();
        QCOMPARE(cornerColour(&ruler), QColor(Qt::blue));
    }

    void rulerEscapeQuitsAndGivesTheCursorBack()
    {
        ScreenMeasurer ruler;
        QStringList events;
        connect(&ruler, &ScreenMeasurer::doQuit, [&] { events << "doQuit()"; });
        connect(&ruler, &ScreenMeasurer::escaped, [&] { events << "escaped()"; });
        connect(&ruler, &ScreenMeasurer::closed, [&] { events << "closed()"; });
        QMetaObject::invokeMethod(&ruler, "grabScreen");
        ruler.showFullScreen();
        // The cross cursor is held once, whether by the grab or by the mouse entering.
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(&ruler, &enter);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
        pressEscape(&ruler);
        QCOMPARE(events, QStringList({"doQuit()", "escaped()"}));
        QVERIFY(ruler.isHidden());
        QVERIFY(!QGuiApplication::overrideCursor());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&ruler, &leave);
        QApplication::sendEvent(&ruler, &enter);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
        QApplication::sendEvent(&ruler, &leave);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void saveWritesThePngAndRevealsOnRequest_data()
    {
        // Desktop: what ~/Desktop is; reveal: the Alt modifier at release or Return.
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QString>("reveal");
        QTest::addColumn<QString>("folder");
        QTest::newRow("on the Desktop") << "folder"
                                        << ""
                                        << "Desktop";
        QTest::newRow("in Home without a Desktop") << "missing"
                                                   << ""
                                                   << "";
        QTest::newRow("Alt at release reveals") << "folder"
                                                << "alt"
                                                << "Desktop";
        QTest::newRow("Return reveals") << "folder"
                                        << "return"
                                        << "Desktop";
        QTest::newRow("a file cannot be written") << "file"
                                                  << "return"
                                                  << "";
    }

    void saveWritesThePngAndRevealsOnRequest()
    {
        QFETCH(QString, desktop);
        QFETCH(QString, reveal);
        QFETCH(QString, folder);
        // GIVEN the Desktop as the row says, and a cropper built then
        QDir(home() + "/Desktop").removeRecursively();
        if (desktop == "folder")
            QDir(home()).mkdir("Desktop");
        if (desktop == "file")
            QVERIFY(QFile(home() + "/Desktop").open(QIODevice::WriteOnly));
        UrlCatcher opened({"file"});
        ScreenCropper cropper;
        cropper.grabScreen();
        QSignalSpy saved(&cropper, &ScreenCropper::saved);
        QVERIFY(connect(&cropper, SIGNAL(done()), &cropper, SLOT(slotSave())));
        if (reveal == "return")
            QTest::keyClick(&cropper, Qt::Key_Return);
        // WHEN a crop saves and a second save follows
        drag(&cropper, QPoint(10, 10), QPoint(20, 20),
            reveal == "alt" ? Qt::AltModifier : Qt::NoModifier);
        QMetaObject::invokeMethod(&cropper, "slotSave");
        QCOMPARE(saved.count(), 2);
        // THEN two files named after the time hold the crop, and the folder opened if asked
        QDir dir(home() + '/' + folder);
        QStringList files = dir.entryList({"ScreenShot_*.png"}, QDir::Files, QDir::Name);
        QFile(home() + "/Desktop").remove();
        if (desktop == "file") {
            QCOMPARE(files, QStringList());
            QCOMPARE(opened.urls, QList<QUrl>());
            return;
        }
        QCOMPARE(files.size(), 2);
        const QRegularExpression pattern(
            "^ScreenShot_\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d(_2)?\\.png$");
        for (const QString& file : files) {
            QVERIFY2(pattern.match(file).hasMatch(), qPrintable(file));
            QCOMPARE(QImage(dir.filePath(file)), cropper.result().toImage());
            QVERIFY(dir.remove(file));
        }
        const QList<QUrl> folderOpened {QUrl::fromLocalFile(dir.absolutePath())};
        QCOMPARE(opened.urls, reveal.isEmpty() ? QList<QUrl>() : folderOpened + folderOpened);
    }

    void revealStaysOnForLaterCrops()
    {
        UrlCatcher opened({"file"});
        ScreenCropper cropper;
        cropper.grabScreen();
        drag(&cropper, QPoint(10, 10), QPoint(20, 20), Qt::AltModifier);
        cropper.grabScreen();
        drag(&cropper, QPoint(10, 10), QPoint(20, 20));
        QMetaObject::invokeMethod(&cropper, "slotSave");
        QCOMPARE(opened.urls.size(), 1);
        for (const QString& file : QDir(home() + "/Desktop").entryList({"*.png"}))
            QFile::remove(home() + "/Desktop/" + file);
    }

    void saveFolderFollowsTheLanguageChange()
    {
        // GIVEN a cropper built without a Desktop
        QDir(home() + "/Desktop").removeRecursively();
        ScreenCropper cropper;
        QVERIFY(cropper.defaultMessage().contains("saved in Home Location\n"));
        // WHEN the Desktop appears and the language changes THEN it names the Desktop
        QDir(home()).mkdir("Desktop");
        QEvent change(QEvent::LanguageChange);
        QApplication::sendEvent(&cropper, &change);
        QVERIFY(cropper.defaultMessage().contains("saved on Desktop\n"));
    }

    void storeBuildSavesInPictures()
    {
        // GIVEN the program in a bundle without the "independent" marker
        QTemporaryDir bundle;
        QVERIFY(QDir(bundle.path()).mkpath("Tessivar/MacOS"));
        const QString program = bundle.filePath("Tessivar/MacOS/Tessivar");
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), program));
        // WHEN it crops and saves
        QProcess child;
        child.start(program, {"--store-child"});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitCode(), 0);
        // THEN the file is in the application's pictures folder, as the message says
        QVERIFY(QString::fromUtf8(child.readAllStandardOutput())
                    .contains("The image file will be saved in ~/Pictures/Tessivar\n"));
        const QString folder = home() + "/Pictures/Tessivar";
        QVERIFY2(
            screenshotsIn(folder).startsWith("ScreenShot_"), qPrintable(screenshotsIn(folder)));
        QCOMPARE(QImage(folder + '/' + screenshotsIn(folder)),
            knownScreen().copy(atScale(QRect(10, 10, 11, 11), QRect(20, 20, 21, 21))));
    }

private:
    static QString home()
    {
        return QDir::homePath();
    }

    // The words painted, whatever the line breaks.
    static QString paintedWords(QWidget* widget)
    {
        return PaintedText(widget).joined().simplified();
    }

    static QColor cornerColour(QWidget* widget)
    {
        const QPixmap picture = widget->grab();
        return picture.toImage().pixelColor(QPoint(10, 10) * picture.devicePixelRatio());
    }

    static QRect atScale(const QRect& atScale1, const QRect& atScale2)
    {
        return Os::scaleFactor() == 2.0 ? atScale2 : atScale1;
    }
};

int main(int argc, char** argv)
{
    if (argc > 1 && QByteArray(argv[1]) == "--store-child")
        return runStoreChild();
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestScreenTools test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ScreenTools.moc"
