#include "../common/FullDisk.h"
#include "../common/MouseDrag.h"
#include "../common/PaintedText.h"
#include "App.h"
#include "Common.h"
#include "DialogTestTools.h"
#include "Os.h"
#include "ScreenCropper.h"
#include "ScreenMeasurer.h"

#include <QMessageBox>
#include <QProcess>
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

void grabKnown()
{
    DORuverud::Common::setScreenGrabber(
        [screen = knownScreen()] { return QPixmap::fromImage(screen); });
}

QRect atScale(const QRect& atScale1, const QRect& atScale2)
{
    return Os::scaleFactor() == 2.0 ? atScale2 : atScale1;
}

// The screenshots in the folder, oldest first.
QStringList screenshotsIn(const QDir& folder)
{
    return folder.entryList({"ScreenShot_*.png"}, QDir::Files, QDir::Name);
}

// A store build (the program copied into a bundle without the "independent"
// marker) crops and saves.
int runStoreChild()
{
    int argc = 1;
    char name[] = "child";
    char* argv[] = {name, nullptr};
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    grabKnown();
    ScreenCropper cropper;
    cropper.grabScreen();
    drag(&cropper, QPoint(10, 10), QPoint(20, 20));
    QMetaObject::invokeMethod(&cropper, "slotSave");
    QTextStream(stdout) << cropper.defaultMessage();
    return 0;
}

enum Desktop { DesktopFolder, NoDesktop, DesktopFile };

enum SaveFailure { NothingCropped, FullDisk, DesktopGone };

} // namespace

// Runs at scale factor 1 and 2, in a private session bus without a file manager,
// so that a reveal opens the folder.
class TestScreenTools : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        grabKnown();
        QFile::remove(desktopPath());
        QDir(desktopPath()).removeRecursively();
        QDir::home().mkpath("Desktop");
        m_events.clear();
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
        QTest::newRow("one pixel left")
            << QPoint(11, 5) << QPoint(10, 5) << QRect(10, 5, 2, 1) << QRect(20, 10, 3, 1);
    }

    void cropTakesTheDraggedAreaInPhysicalPixels()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QRect, atScale1);
        QFETCH(QRect, atScale2);
        // GIVEN a cropper over the screen
        ScreenCropper cropper;
        record(&cropper);
        cropper.grabScreen();
        QVERIFY(cropper.isVisible());
        // WHEN the user drags over it
        drag(&cropper, from, to);
        // THEN the area under the rectangle is cut out of the screen in physical pixels
        QCOMPARE(cropper.result().toImage(), knownScreen().copy(atScale(atScale1, atScale2)));
        QCOMPARE(m_events, QStringList({"closed()", "done(QPixmap)", "done()"}));
        QVERIFY(cropper.isHidden());
    }

    void showModeAndCursorFollowTheGrab_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<Qt::WindowState>("state");
        QTest::newRow("full screen") << int(ScreenCropper::FullScreenMode) << Qt::WindowFullScreen;
        QTest::newRow("maximized") << int(ScreenCropper::MaximizedMode) << Qt::WindowMaximized;
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
        // WHEN Escape closes it THEN it tells so, without a crop, and the cursors are back to
        // normal
        record(&cropper);
        send(&cropper, QEvent::MouseButtonPress, QPoint(5, 5));
        pressEscape(&cropper);
        QCOMPARE(m_events, QStringList({"closed()", "escaped()"}));
        QVERIFY(
            cropper.isHidden() && cropper.result().isNull() && !QGuiApplication::overrideCursor());
        // AND the window system's close only hides it, without a signal
        cropper.show();
        QVERIFY(!cropper.close() && cropper.isHidden());
        QCOMPARE(m_events.size(), 2);
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
        QCOMPARE(cropper.simpleMessage(),
            QString("Select the area you want to crop. \n"
                    "(to cancel this operation press ESC button)"));
        cropper.setMessage("Drag over the chord sheet");
        QCOMPARE(paintedWords(&cropper), QString("Drag over the chord sheet"));
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
        const QPoint sizedByFont;
        QTest::newRow("to the right") << QPoint(10, 50) << QPoint(20, 80) << "11x31"
                                      << "5x15" << 13 << QPoint(10, 47);
        QTest::newRow("to the left") << QPoint(20, 80) << QPoint(10, 50) << "11x31"
                                     << "5x15" << 13 << QPoint(20, 77);
        QTest::newRow("width sets the font") << QPoint(100, 100) << QPoint(190, 160) << "91x61"
                                             << "45x30" << 20 << sizedByFont;
        QTest::newRow("long number shrinks to fit across")
            << QPoint(80, 100) << QPoint(299, 219) << "220x120"
            << "110x60" << 48 << sizedByFont;
        QTest::newRow("low: height sets the font")
            << QPoint(100, 100) << QPoint(280, 120) << "181x21"
            << "90x10" << 14 << sizedByFont;
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
        // GIVEN a ruler shown by its owner at the size it gave it
        ScreenMeasurer ruler;
        ruler.resize(640, 400);
        QMetaObject::invokeMethod(&ruler, "grabScreen");
        ruler.show();
        QCOMPARE(ruler.size(), QSize(640, 400));
        // WHEN the user drags, still holding the button, THEN it writes the size in points
        send(&ruler, QEvent::MouseButtonPress, from);
        send(&ruler, QEvent::MouseMove, to);
        const PaintedText painted(&ruler);
        QCOMPARE(painted.lines.size(), 1);
        const PaintedText::Line& line = painted.lines.first();
        QCOMPARE(line.text, Os::scaleFactor() == 2.0 ? atScale2 : atScale1);
        QVERIFY(line.font.family() == "Times" && line.font.bold());
        if (!captionAt.isNull()) {
            QCOMPARE(line.font.pointSize(), 13);
            QCOMPARE(line.position.toPoint(), captionAt);
        } else {
            const QFontMetrics metrics(line.font);
            QVERIFY(line.font.pointSize() <= maxPoints && metrics.height() >= 9);
            QVERIFY(metrics.horizontalAdvance(line.text) <= qAbs(to.x() - from.x()) + 1);
        }
        QMetaObject::invokeMethod(&ruler, "slotClose");
    }

    void rulerEscapeQuitsAndGivesTheCursorBack()
    {
        ScreenMeasurer ruler;
        record(&ruler);
        connect(&ruler, &ScreenMeasurer::doQuit, this, [this] { m_events << "doQuit()"; });
        QMetaObject::invokeMethod(&ruler, "grabScreen");
        ruler.showFullScreen();
        // The cross cursor is held once, whether by the grab or by the mouse entering.
        QEvent enter(QEvent::Enter);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&ruler, &enter);
        pressEscape(&ruler);
        QCOMPARE(m_events, QStringList({"doQuit()", "escaped()"}));
        QVERIFY(ruler.isHidden() && !QGuiApplication::overrideCursor());
        QApplication::sendEvent(&ruler, &leave);
        QApplication::sendEvent(&ruler, &enter);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
        QApplication::sendEvent(&ruler, &leave);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void saveWritesThePngAndRevealsOnRequest_data()
    {
        // What ~/Desktop is; the key that asks for the reveal (Alt held at the release).
        QTest::addColumn<int>("desktop");
        QTest::addColumn<int>("revealKey");
        QTest::addColumn<bool>("onDesktop");
        QTest::newRow("on the Desktop") << int(DesktopFolder) << 0 << true;
        QTest::newRow("in Home without a Desktop") << int(NoDesktop) << 0 << false;
        QTest::newRow("Alt reveals") << int(DesktopFolder) << int(Qt::Key_Alt) << true;
        QTest::newRow("Return reveals") << int(DesktopFolder) << int(Qt::Key_Return) << true;
        QTest::newRow("a file named Desktop: in Home")
            << int(DesktopFile) << int(Qt::Key_Return) << false;
    }

    void saveWritesThePngAndRevealsOnRequest()
    {
        QFETCH(int, desktop);
        QFETCH(int, revealKey);
        QFETCH(bool, onDesktop);
        // GIVEN the Desktop as the row says, and a cropper built then that saves each crop
        QDir::home().rmdir("Desktop");
        if (desktop != NoDesktop)
            QVERIFY(desktop == DesktopFolder ? QDir::home().mkdir("Desktop")
                                             : QFile(desktopPath()).open(QIODevice::WriteOnly));
        UrlCatcher opened({"file"});
        ScreenCropper cropper;
        QSignalSpy saved(&cropper, &ScreenCropper::saved);
        QVERIFY(connect(&cropper, SIGNAL(done()), &cropper, SLOT(slotSave())));
        cropper.grabScreen();
        if (revealKey == Qt::Key_Return)
            QTest::keyClick(&cropper, Qt::Key_Return);
        // WHEN a crop saves and a second save follows in the same second or not
        drag(&cropper, QPoint(10, 10), QPoint(20, 20),
            revealKey == Qt::Key_Alt ? Qt::AltModifier : Qt::NoModifier);
        QMetaObject::invokeMethod(&cropper, "slotSave");
        QCOMPARE(saved.count(), 2);
        QFile::remove(desktopPath());
        // THEN two files named after the time hold the crop, and the folder opened if asked
        const QDir folder(onDesktop ? QDir::home().filePath("Desktop") : QDir::homePath());
        const QStringList files = screenshotsIn(folder);
        QCOMPARE(files.size(), 2);
        const QRegularExpression name(
            "^ScreenShot_\\d{4}(-\\d\\d){2}_\\d\\d(-\\d\\d){2}(_2)?\\.png$");
        for (const QString& file : files) {
            QVERIFY2(name.match(file).hasMatch(), qPrintable(file));
            QCOMPARE(QImage(folder.filePath(file)), cropper.result().toImage());
            QVERIFY(QFile::remove(folder.filePath(file)));
        }
        QTRY_COMPARE(opened.urls.size(), revealKey ? files.size() : 0);
        for (const QUrl& url : opened.urls)
            QCOMPARE(url, QUrl::fromLocalFile(folder.absolutePath()));
    }

    void failedSaveSaysWhyAndKeepsThePicture_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("why");
        QTest::addColumn<QString>("buttons");
        QTest::newRow("nothing cropped")
            << int(NothingCropped) << "There is no cropped area to save."
            << "Close";
        QTest::newRow("full disk") << int(FullDisk) << QString() << "Retry Close";
        QTest::newRow("Desktop gone since the grab")
            << int(DesktopGone) << QString() << "Retry Close";
    }

    void failedSaveSaysWhyAndKeepsThePicture()
    {
        QFETCH(int, failure);
        QFETCH(QString, why);
        QFETCH(QString, buttons);
        // GIVEN a cropper that saves on the Desktop, with a crop unless the row says otherwise
        ScreenCropper cropper;
        QSignalSpy saved(&cropper, &ScreenCropper::saved);
        if (failure != NothingCropped) {
            cropper.grabScreen();
            drag(&cropper, QPoint(10, 10), QPoint(200, 200));
        }
        if (failure == DesktopGone)
            QVERIFY(
                QDir::home().rmdir("Desktop") && QFile(desktopPath()).open(QIODevice::WriteOnly));
        // WHEN it saves, on a disk with room for less than the picture if the row says so
        const auto save = [&cropper, &saved] {
            QMetaObject::invokeMethod(&cropper, "slotSave");
            auto* box = cropper.findChild<QMessageBox*>();
            return QString::number(saved.count()) + '|'
                + (box && box->isVisible() ? box->text() + '|' + buttonsLeftToRight(box).join(' ')
                                           : QString("no message"));
        };
        const QStringList told = (failure == FullDisk ? onFullDisk(100, save) : save()).split('|');
        // THEN it says why, offers to try again when there is a picture, and leaves no file
        QCOMPARE(told.value(0), QString("0"));
        const QRegularExpressionMatch message
            = QRegularExpression("^ScreenShot_[\\d_-]+\\.png was not saved\\.\n(.+)$")
                  .match(told.value(1));
        QVERIFY2(message.hasMatch(), qPrintable(told.join(" / ")));
        if (!why.isEmpty())
            QCOMPARE(message.captured(1), why);
        QCOMPARE(told.value(2), buttons);
        QCOMPARE(screenshotsIn(QDir::home()), QStringList());
        QCOMPARE(QDir(desktopPath()).entryList(QDir::Files | QDir::Hidden), QStringList());
        // AND with the Desktop back, Retry saves the picture kept
        if (failure == DesktopGone) {
            QVERIFY(QFile::remove(desktopPath()) && QDir::home().mkdir("Desktop"));
            click(cropper.findChild<QMessageBox*>(), "Retry");
            QCOMPARE(saved.count(), 1);
            const QDir desktop(desktopPath());
            QCOMPARE(QImage(desktop.filePath(screenshotsIn(desktop).value(0))),
                cropper.result().toImage());
        }
    }

    void saveFolderFollowsTheLanguageChange()
    {
        // GIVEN a cropper built without a Desktop
        QDir::home().rmdir("Desktop");
        ScreenCropper cropper;
        QVERIFY(cropper.defaultMessage().contains("saved in Home Location\n"));
        // WHEN the Desktop appears and the language changes THEN it names the Desktop
        QDir::home().mkdir("Desktop");
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
        QVERIFY(child.waitForFinished(60000) && child.exitCode() == 0);
        // THEN the file is in the application's pictures folder, as the message says
        QVERIFY(QString::fromUtf8(child.readAllStandardOutput())
                    .contains("The image file will be saved in ~/Pictures/Tessivar\n"));
        const QDir folder(QDir::home().filePath("Pictures/Tessivar"));
        QCOMPARE(screenshotsIn(folder).size(), 1);
        QCOMPARE(QImage(folder.filePath(screenshotsIn(folder).first())),
            knownScreen().copy(atScale(QRect(10, 10, 11, 11), QRect(20, 20, 21, 21))));
    }

private:
    void record(ScreenCropper* tool)
    {
        const auto note
            = [this](const QString& name) { return [this, name] { m_events << name; }; };
        connect(tool, &ScreenCropper::closed, this, note("closed()"));
        connect(tool, &ScreenCropper::escaped, this, note("escaped()"));
        connect(tool, qOverload<QPixmap>(&ScreenCropper::done), this, note("done(QPixmap)"));
        connect(tool, qOverload<>(&ScreenCropper::done), this, note("done()"));
    }

    static QString desktopPath()
    {
        return QDir::home().filePath("Desktop");
    }

    // The words painted, whatever the line breaks.
    static QString paintedWords(QWidget* widget)
    {
        QStringList words;
        for (const PaintedText::Line& line : PaintedText(widget).lines)
            words << line.text;
        return words.join(' ').simplified();
    }

    QStringList m_events;
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
