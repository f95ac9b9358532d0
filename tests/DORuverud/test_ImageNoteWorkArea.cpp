#include "../common/MouseDrag.h"
#include "../common/PeakMemory.h"
#include "App.h"
#include "DialogTestTools.h"
#include "DrawTools.h"
#include "ImageNoteHistory.h"
#include "ImageNotePictures.h"
#include "ImageNoteTestTools.h"
#include "NoteEditDragPreview.h"
#include "NoteEditWidget.h"

#include <QDrag>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>

#include <csignal>
#include <memory>
#include <sys/resource.h>

using namespace DialogTestTools;
using namespace ImageNoteTestTools;
using namespace MouseDrag;
using DORuverud::App;
using DORuverud::ImageNoteWorkArea;
using DORuverud::NoteEditWidget;
using Mode = DORuverud::ImageNoteWorkArea::Mode;
namespace Pictures = DORuverud::ImageNotePictures;

namespace {

const QColor red(255, 0, 0);

// The ink over the picture at that opacity, give or take rounding.
bool inked(const QColor& seen, const QColor& base, const QColor& ink, qreal opacity)
{
    const auto near = [opacity](int s, int b, int i) {
        return qAbs(s - (b * (1 - opacity) + i * opacity)) <= 3;
    };
    return near(seen.red(), base.red(), ink.red()) && near(seen.green(), base.green(), ink.green())
        && near(seen.blue(), base.blue(), ink.blue());
}

// Runs the action with writes past a few bytes failing, also for root.
void withFullDisk(bool full, const std::function<void()>& action)
{
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = full ? 40 : old.rlim_cur;
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    action();
    setrlimit(RLIMIT_FSIZE, &old);
}

void cross(QWidget* widget, QEvent::Type type)
{
    QEvent event(type);
    QApplication::sendEvent(widget, &event);
}

// The pixels of the region that differ from the picture: each one the ink
// itself, none half covered, and how many of them a line across the region
// meets.
struct Ink
{
    bool pure = true;
    int crossed = 0;
};

Ink inkIn(const QImage& seen, const QRect& region, const QLine& across, const QColor& ink)
{
    const QImage image = seen.convertToFormat(QImage::Format_RGB32);
    const QImage base = knownPicture();
    Ink found;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            if (image.pixel(x, y) == base.pixel(x, y))
                continue;
            found.pure = found.pure && image.pixel(x, y) == ink.rgb();
            const bool onAcross = across.dx() ? y == across.y1() : x == across.x1();
            found.crossed += onAcross ? 1 : 0;
        }
    }
    return found;
}

// The cursor that entering the widget shows.
Qt::CursorShape cursorOnEntry(QWidget* area)
{
    cross(area, QEvent::Enter);
    const Qt::CursorShape shape = QGuiApplication::overrideCursor()->shape();
    cross(area, QEvent::Leave);
    return shape;
}

} // namespace

class TestImageNoteWorkArea : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_area = shownArea();
        QVERIFY(QTest::qWaitForWindowExposed(m_area.get()));
    }

    void toolsDrawInColourAndThickness_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QPoint>("ink");
        QTest::addColumn<qreal>("opacity");
        QTest::addColumn<QPoint>("untouched");
        QTest::addColumn<bool>("dashed");
        const qreal fill = 200.0 / 255;
        const auto row = [](const char* name, Mode mode, QPoint from, QPoint to, QPoint ink,
                             qreal opacity, QPoint untouched, bool dashed = false) {
            QTest::newRow(name) << int(mode) << from << to << ink << opacity << untouched << dashed;
        };
        // Thickness 5 (the highlighter 40) and red throughout.
        row("pen stroke", Mode::Pen, {50, 50}, {150, 50}, {100, 50}, 1, {100, 60});
        row("pen click is a dot", Mode::Pen, {80, 80}, {80, 80}, {80, 80}, 1, {86, 80});
        row("unknown tool is the pen", Mode(42), {50, 50}, {150, 50}, {100, 50}, 1, {100, 60});
        row("highlighter, faint", Mode::Highlighter, {50, 150}, {150, 150}, {125, 160}, 0.1,
            {125, 175});
        row("rectangle", Mode::Rectangle, {100, 100}, {200, 160}, {150, 100}, 1, {150, 130});
        row("rectangle up and left", Mode::Rectangle, {200, 160}, {100, 100}, {150, 100}, 1,
            {150, 130});
        row("filled rectangle", Mode::FilledRectangle, {100, 100}, {200, 160}, {150, 130}, fill,
            {250, 130});
        row("oval", Mode::Oval, {100, 100}, {200, 200}, {100, 150}, 1, {150, 150});
        row("filled oval", Mode::FilledOval, {100, 100}, {200, 200}, {150, 150}, fill, {104, 104});
        row("line", Mode::Line, {50, 250}, {250, 250}, {150, 250}, 1, {150, 240});
        // Dashes of 4 and gaps of 2 widths, the dashes capped square.
        row("dashed line", Mode::Line, {50, 280}, {250, 280}, {60, 280}, 1, {75, 280}, true);
        row("arrow head on the right", Mode::Arrow, {100, 200}, {200, 200}, {185, 206}, 1,
            {185, 215});
        row("arrow head at the bottom", Mode::Arrow, {300, 50}, {300, 150}, {294, 135}, 1,
            {280, 135});
        row("arrow head at the top", Mode::Arrow, {300, 150}, {300, 50}, {294, 65}, 1, {280, 65});
        row("arrow of no length is a dot", Mode::Arrow, {150, 150}, {150, 150}, {150, 150}, 1,
            {150, 160});
    }

    void toolsDrawInColourAndThickness()
    {
        QFETCH(int, mode);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QPoint, ink);
        QFETCH(qreal, opacity);
        QFETCH(QPoint, untouched);
        QFETCH(bool, dashed);
        QSignalSpy changed(m_area.get(), &ImageNoteWorkArea::changed);
        m_area->slotSetMode(Mode(mode));
        m_area->slotSetDashLine(dashed);
        clickOrDrag(m_area.get(), from, to);
        const QImage picture = shown(*m_area);
        const QImage base = knownPicture();
        QVERIFY2(inked(picture.pixelColor(ink), base.pixelColor(ink), red, opacity),
            qPrintable(picture.pixelColor(ink).name()));
        QCOMPARE(picture.pixelColor(untouched), base.pixelColor(untouched));
        QVERIFY(!changed.isEmpty() && m_area->isDirty());
    }

    void blurCoversOnlyItsRectangle_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<bool>("overStroke");
        QTest::newRow("down and right") << QPoint(100, 100) << QPoint(200, 180) << false;
        QTest::newRow("up and left") << QPoint(200, 180) << QPoint(100, 100) << false;
        QTest::newRow("beyond the edge") << QPoint(350, 250) << QPoint(450, 350) << false;
        QTest::newRow("over a stroke") << QPoint(100, 100) << QPoint(200, 180) << true;
    }

    void blurCoversOnlyItsRectangle()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(bool, overStroke);
        if (overStroke)
            drag(m_area.get(), QPoint(20, 140), QPoint(380, 140));
        QImage expected = shown(*m_area);
        m_area->slotSetMode(Mode::BlurRectangle);
        send(m_area.get(), QEvent::MouseButtonPress, from);
        send(m_area.get(), QEvent::MouseMove, to);
        const QImage held = m_area->grab().toImage().convertToFormat(QImage::Format_RGB32);
        send(m_area.get(), QEvent::MouseButtonRelease, to);
        // The blurred picture, without the strokes, inside; nothing changed
        // outside, while the button is held and after.
        const QRect rect = QRect(from, to).normalized() & expected.rect();
        const QImage blurred
            = DAvuroD::DrawTools::blurred(knownPicture(), QRect(from, to), 10, false);
        QPainter(&expected).drawImage(rect.topLeft(), blurred.copy(rect));
        QCOMPARE(held, expected);
        QCOMPARE(shown(*m_area), expected);
        QVERIFY(expected.copy(rect) != knownPicture().copy(rect));
    }

    void linesCoverWholePixels_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("thickness");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QRect>("straight");
        QTest::addColumn<QLine>("across");
        QTest::addColumn<int>("crossed");
        const auto row = [](const char* name, Mode mode, int thickness, QPoint from, QPoint to,
                             QRect straight, QLine across, int crossed) {
            QTest::newRow(name) << int(mode) << thickness << from << to << straight << across
                                << crossed;
        };
        // Where the lines run straight, away from round ends and arrow heads; a
        // line across them and how many pixels of ink it meets.
        const QRect around(80, 80, 140, 100);
        const QLine down(150, 80, 150, 179);
        row("1-px rectangle", Mode::Rectangle, 1, {100, 100}, {200, 160}, around, down, 2);
        row("1-px rectangle up and left", Mode::Rectangle, 1, {200, 160}, {100, 100}, around, down,
            2);
        row("1-px filled rectangle", Mode::FilledRectangle, 1, {100, 100}, {200, 160},
            QRect(80, 80, 140, 21), down, 1);
        row("3-px rectangle", Mode::Rectangle, 3, {100, 100}, {200, 160}, around, down, 6);
        row("2-px rectangle", Mode::Rectangle, 2, {100, 100}, {200, 160}, around, down, 4);
        row("1-px line", Mode::Line, 1, {50, 250}, {250, 250}, QRect(40, 240, 220, 20),
            QLine(150, 240, 150, 259), 1);
        row("5-px line", Mode::Line, 5, {50, 250}, {250, 250}, QRect(40, 240, 220, 20),
            QLine(150, 240, 150, 259), 5);
        row("1-px arrow's shaft", Mode::Arrow, 1, {50, 250}, {250, 250}, QRect(40, 240, 160, 20),
            QLine(150, 240, 150, 259), 1);
        row("1-px upward arrow's shaft", Mode::Arrow, 1, {350, 280}, {350, 50},
            QRect(340, 90, 20, 200), QLine(340, 150, 359, 150), 1);
        row("1-px pen stroke", Mode::Pen, 1, {50, 50}, {150, 50}, QRect(60, 40, 80, 20),
            QLine(100, 40, 100, 59), 1);
    }

    // A line of odd width runs through the pixels' middles: on screen while
    // it is drawn, and in the saved file, each of its pixels is the ink.
    void linesCoverWholePixels()
    {
        QFETCH(int, mode);
        QFETCH(int, thickness);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QRect, straight);
        QFETCH(QLine, across);
        QFETCH(int, crossed);
        QTemporaryDir dir;
        const QString file = dir.filePath("lines.png");
        m_area->slotSetColor(Qt::yellow);
        m_area->slotSetThikness(thickness);
        m_area->slotSetMode(Mode(mode));
        // WHEN the shape is dragged, seen while held and saved after
        send(m_area.get(), QEvent::MouseButtonPress, from);
        send(m_area.get(), QEvent::MouseMove, (from + to) / 2);
        send(m_area.get(), QEvent::MouseMove, to);
        const QImage held = m_area->grab().toImage();
        send(m_area.get(), QEvent::MouseButtonRelease, to);
        whenModal(fileDialogAnswer(file, true));
        m_area->slotSave();
        // THEN both show whole pixels of yellow, as many across as the line is wide
        for (const QImage& seen : {held, QImage(file)}) {
            const Ink ink = inkIn(seen, straight, across, Qt::yellow);
            QVERIFY(ink.pure);
            QCOMPARE(ink.crossed, crossed);
        }
    }

    void rectangleCoversItsDragExactly_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("thickness");
        QTest::addColumn<bool>("dashed");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        const auto row = [](const char* name, Mode mode, int thickness, QPoint from, QPoint to,
                             bool dashed = false) {
            QTest::newRow(name) << int(mode) << thickness << dashed << from << to;
        };
        row("down and right", Mode::Rectangle, 1, {827, 143}, {917, 203});
        row("up and left", Mode::Rectangle, 1, {917, 203}, {827, 143});
        row("a click marks one pixel", Mode::Rectangle, 1, {500, 100}, {500, 100});
        row("a drag of one pixel marks two by two", Mode::Rectangle, 1, {500, 100}, {501, 101});
        row("3-px outline", Mode::Rectangle, 3, {100, 40}, {300, 200});
        row("8-px outline wider than its rectangle", Mode::Rectangle, 8, {100, 40}, {110, 45});
        row("2-px filled", Mode::FilledRectangle, 2, {100, 40}, {300, 200});
        row("5-px dashes", Mode::Rectangle, 5, {100, 40}, {300, 200}, true);
        row("3-px dashes, filled", Mode::FilledRectangle, 3, {300, 200}, {100, 40}, true);
    }

    // A rectangle covers the pixels from the press to the release and no
    // more, on screen while it is dragged and in the saved file: a solid
    // outline is as wide as the pen inside them, pixel for pixel in the ink;
    // a fill and dashes stay inside them.
    void rectangleCoversItsDragExactly()
    {
        QFETCH(int, mode);
        QFETCH(int, thickness);
        QFETCH(bool, dashed);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        const QImage bare = knownPicture(QSize(1000, 260));
        m_area->slotSetPixmap(QPixmap::fromImage(bare));
        m_area->slotSetThikness(thickness);
        m_area->slotSetDashLine(dashed);
        m_area->slotSetMode(Mode(mode));
        // WHEN the rectangle is dragged, seen while held and saved after
        send(m_area.get(), QEvent::MouseButtonPress, from);
        send(m_area.get(), QEvent::MouseMove, to);
        const QImage held = m_area->grab().toImage().convertToFormat(QImage::Format_RGB32);
        send(m_area.get(), QEvent::MouseButtonRelease, to);
        QTemporaryDir dir;
        const QString file = dir.filePath("rectangle.png");
        whenModal(fileDialogAnswer(file, true));
        m_area->slotSave();
        // THEN both change exactly the pixels from press to release
        const QRect pixels = QRect(from, to).normalized();
        const auto onOutline = [&pixels, thickness](int x, int y) {
            return x - pixels.left() < thickness || pixels.right() - x < thickness
                || y - pixels.top() < thickness || pixels.bottom() - y < thickness;
        };
        for (const QImage& seen : {held, QImage(file).convertToFormat(QImage::Format_RGB32)}) {
            QRect changed;
            for (int y = 0; y < seen.height(); ++y) {
                for (int x = 0; x < seen.width(); ++x) {
                    const bool differs = seen.pixel(x, y) != bare.pixel(x, y);
                    changed |= differs ? QRect(x, y, 1, 1) : QRect();
                    // AND a solid outline is the ink, inside it the picture or the fill
                    if (dashed || !pixels.contains(x, y))
                        continue;
                    if (onOutline(x, y))
                        QVERIFY2(seen.pixel(x, y) == red.rgb(),
                            qPrintable(QString("%1,%2").arg(x).arg(y)));
                    else
                        QCOMPARE(differs, mode == int(Mode::FilledRectangle));
                }
            }
            QCOMPARE(changed, pixels);
        }
    }

    void pressOutsideAnOpenNoteAcceptsIt_data()
    {
        QTest::addColumn<int>("tool");
        QTest::newRow("the text tool opens the next note there") << int(Mode::Text);
        QTest::newRow("a rectangle drawn beside it") << int(Mode::Rectangle);
    }

    // A press outside the note being typed, with the text tool or another,
    // accepts the note where it was typed; the next note or the drawing
    // starts where the user pressed. Two notes stay two notes.
    void pressOutsideAnOpenNoteAcceptsIt()
    {
        QFETCH(int, tool);
        const QRect firstPlace(53, 63, 217, 87);
        const QRect secondPlace(63, 183, 217, 87);
        const auto type = [](ImageNoteWorkArea* area, const QPoint& at, const QString& text) {
            area->slotSetMode(Mode::Text);
            clickOrDrag(area, at, at);
            QTest::keyClicks(area->findChild<NoteEditWidget*>()->textEdit(), text);
        };
        const auto accept = [](ImageNoteWorkArea* area) {
            QTest::mouseClick(
                area->findChild<QPushButton*>("NoteEditWidgetAccept"), Qt::LeftButton);
        };
        const auto next = [&](ImageNoteWorkArea* area) {
            if (tool == int(Mode::Text)) {
                type(area, secondPlace.topLeft() - QPoint(3, 3), "Dark note Bb9");
                accept(area);
                return;
            }
            area->slotSetMode(Mode::Rectangle);
            drag(area, secondPlace.topLeft(), secondPlace.bottomRight());
        };
        // GIVEN a note being typed
        type(m_area.get(), firstPlace.topLeft() - QPoint(3, 3), "Light note F#m7");
        auto* textBox = m_area->findChild<NoteEditWidget*>();
        // WHEN the user presses outside it with the tool
        QSignalSpy steps(m_area.get(), &ImageNoteWorkArea::changed);
        if (tool == int(Mode::Text)) {
            clickOrDrag(m_area.get(), QPoint(60, 180), QPoint(60, 180));
            // THEN the next note opens there, empty
            QCOMPARE(textBox->geometry(), QRect(60, 180, 220, 90));
            QVERIFY(textBox->isVisible() && textBox->textEdit()->toPlainText().isEmpty());
            QTest::keyClicks(textBox->textEdit(), "Dark note Bb9");
            accept(m_area.get());
        } else {
            next(m_area.get());
        }
        // AND the picture saved is the two made apart, the note accepted by itself
        ImageNoteWorkArea reference(nullptr);
        reference.slotSetPixmap(QPixmap::fromImage(knownPicture()));
        reference.slotSetColor(red);
        reference.slotSetThikness(5);
        type(&reference, firstPlace.topLeft() - QPoint(3, 3), "Light note F#m7");
        accept(&reference);
        next(&reference);
        QTemporaryDir dir;
        const QString file = dir.filePath("notes.png");
        whenModal(fileDialogAnswer(file, true));
        m_area->slotSave();
        const QImage saved = QImage(file).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(saved, shown(reference));
        // AND each stands in its own place, one step each
        const QImage bare = knownPicture();
        QVERIFY(saved.copy(firstPlace) != bare.copy(firstPlace));
        QVERIFY(saved.copy(secondPlace) != bare.copy(secondPlace));
        QCOMPARE(steps.count(), 2);
        m_area->slotUndo();
        QCOMPARE(shown(*m_area).copy(secondPlace), bare.copy(secondPlace));
        QVERIFY(shown(*m_area).copy(firstPlace) != bare.copy(firstPlace));
    }

    void eraserBringsThePictureBack()
    {
        m_area->slotSetMode(Mode::FilledRectangle);
        drag(m_area.get(), QPoint(100, 100), QPoint(300, 200));
        m_area->slotSetMode(Mode::Eraser);
        m_area->slotSetThikness(2);
        drag(m_area.get(), QPoint(120, 150), QPoint(280, 150));
        const QImage picture = shown(*m_area);
        const QImage base = knownPicture();
        QCOMPARE(picture.pixelColor(200, 145), base.pixelColor(200, 145));
        QVERIFY(inked(picture.pixelColor(200, 185), base.pixelColor(200, 185), red, 200.0 / 255));
    }

    void undoAndRedoSwapWholeLayers()
    {
        QStringList log;
        connect(m_area.get(), &ImageNoteWorkArea::undoAvailable,
            [&log](bool on) { log << QString("undo %1").arg(on); });
        connect(m_area.get(), &ImageNoteWorkArea::redoAvailable,
            [&log](bool on) { log << QString("redo %1").arg(on); });
        connect(m_area.get(), &ImageNoteWorkArea::changed, [&log] { log << "changed"; });
        const auto step = [&log, this](const std::function<void()>& action) {
            log.clear();
            action();
            return log.join(", ");
        };
        const auto draw = [this](Mode mode, QPoint from, QPoint to) {
            return [=] {
                m_area->slotSetMode(mode);
                drag(m_area.get(), from, to);
            };
        };
        const auto undo = [this] { m_area->slotUndo(); };
        const auto redo = [this] { m_area->slotRedo(); };
        const QImage base = shown(*m_area);
        // Only the left button draws.
        m_area->slotSetMode(Mode::Rectangle);
        QCOMPARE(step([this] { QTest::mouseClick(m_area.get(), Qt::RightButton); }), QString());
        QCOMPARE(step(draw(Mode::Line, {50, 50}, {150, 50})), QString("undo 1, changed"));
        const QImage line = shown(*m_area);
        step(draw(Mode::Rectangle, {60, 60}, {160, 160}));
        const QImage lineAndBox = shown(*m_area);
        QCOMPARE(step(undo), QString("changed, undo 1, redo 1"));
        QCOMPARE(shown(*m_area), line);
        QCOMPARE(step(undo), QString("changed, undo 0, redo 1"));
        QCOMPARE(shown(*m_area), base);
        QCOMPARE(step(undo), QString("undo 0, redo 1"));
        QCOMPARE(step(redo), QString("changed, redo 1, undo 1"));
        QCOMPARE(shown(*m_area), line);
        // A new step keeps the redo stack: redo brings the undone box back in its place.
        step(draw(Mode::Oval, {200, 200}, {300, 280}));
        const QImage lineAndOval = shown(*m_area);
        QCOMPARE(step(redo), QString("changed, redo 0, undo 1"));
        QCOMPARE(shown(*m_area), lineAndBox);
        step(undo);
        QCOMPARE(shown(*m_area), lineAndOval);
        QVERIFY(m_area->isDirty());
    }

    void paintingAddsNoStep_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("pen") << int(Mode::Pen);
        QTest::newRow("eraser") << int(Mode::Eraser);
        QTest::newRow("rectangle") << int(Mode::Rectangle);
        QTest::newRow("blur") << int(Mode::BlurRectangle);
        QTest::newRow("text") << int(Mode::Text);
    }

    void paintingAddsNoStep()
    {
        QFETCH(int, mode);
        m_area->slotSetMode(Mode(mode));
        QSignalSpy undo(m_area.get(), &ImageNoteWorkArea::undoAvailable);
        QSignalSpy changed(m_area.get(), &ImageNoteWorkArea::changed);
        const auto paintAFewTimes = [this] {
            m_area->grab();
            QPixmap target(m_area->size());
            m_area->render(&target);
            m_area->repaint();
        };
        // WHEN the area is painted before, while and after a drag is held
        paintAFewTimes();
        send(m_area.get(), QEvent::MouseButtonPress, QPoint(50, 60));
        send(m_area.get(), QEvent::MouseMove, QPoint(120, 90));
        paintAFewTimes();
        QVERIFY(undo.isEmpty() && changed.isEmpty());
        send(m_area.get(), QEvent::MouseButtonRelease, QPoint(120, 90));
        const QImage afterRelease = shown(*m_area);
        paintAFewTimes();
        // THEN only the release made a step, one at most (a text box is no step yet,
        // nor an eraser on the empty layer)
        const bool step = mode != Mode::Text && mode != Mode::Eraser;
        QCOMPARE(undo.count(), int(step));
        QCOMPARE(changed.count(), int(step));
        QCOMPARE(shown(*m_area), afterRelease);
        m_area->slotUndo();
        QCOMPARE(shown(*m_area), knownPicture());
    }

    void hiddenAreaCommitsItsSteps()
    {
        m_area->slotSetMode(Mode::Line);
        m_area->hide();
        QSignalSpy undo(m_area.get(), &ImageNoteWorkArea::undoAvailable);
        drag(m_area.get(), QPoint(50, 50), QPoint(150, 50));
        QCOMPARE(undo.count(), 1);
        QVERIFY(shown(*m_area) != knownPicture() && m_area->isDirty());
        m_area->slotUndo();
        QCOMPARE(shown(*m_area), knownPicture());
    }

    // The picture that undo or redo leaves differs from the one saved.
    void undoAndRedoAfterASaveLeaveTheAreaDirty()
    {
        QTemporaryDir dir;
        m_area->slotSetMode(Mode::Line);
        drag(m_area.get(), QPoint(50, 50), QPoint(150, 50));
        int saved = 0;
        for (const auto& step : {&ImageNoteWorkArea::slotUndo, &ImageNoteWorkArea::slotRedo}) {
            whenModal(fileDialogAnswer(dir.filePath(QString("saved%1.png").arg(++saved)), true));
            m_area->slotSave();
            QVERIFY(!m_area->isDirty());
            (m_area.get()->*step)();
            QVERIFY(m_area->isDirty());
        }
    }

    // 300 wide strokes across a 1920 x 1200 picture: the history keeps within
    // its budget and the steps it keeps restore their pixels exactly.
    // 10,000 eraser clicks on an empty layer change no pixel: they add no
    // step and the history keeps no more; a real stroke after them is one step.
    void stepThatChangesNothingIsNone()
    {
        const QImage picture = knownPicture(QSize(1920, 1200));
        m_area->slotSetPixmap(QPixmap::fromImage(picture));
        m_area->slotSetMode(Mode::Eraser);
        const auto* history = m_area->findChild<DORuverud::ImageNoteHistory*>();
        const qint64 empty = history->bytes();
        QSignalSpy undo(m_area.get(), &ImageNoteWorkArea::undoAvailable);
        QSignalSpy changed(m_area.get(), &ImageNoteWorkArea::changed);
        const qint64 before = peakFromNow();
#if defined(__SANITIZE_ADDRESS__)
        // A fifth of the clicks, each some ten times slower, still holds a
        // step kept for each one past the bound on memory.
        const int clicks = 2000;
#else
        const int clicks = 10000;
#endif
        for (int click = 0; click < clicks; ++click) {
            const QPoint at(click * 7 % 1920, click * 13 % 1200);
            clickOrDrag(m_area.get(), at, at);
        }
        const qint64 growth = peakMemoryKiB() - before;
        qInfo("peak memory growth %lld KiB", growth);
        QVERIFY(undo.isEmpty() && changed.isEmpty());
        QCOMPARE(history->bytes(), empty);
        QVERIFY2(growth < 16 * 1024, qPrintable(QString::number(growth)));
        m_area->slotSetMode(Mode::Pen);
        drag(m_area.get(), QPoint(50, 50), QPoint(150, 80));
        QCOMPARE(undo.count(), 1);
        m_area->slotUndo();
        QCOMPARE(shown(*m_area), picture);
    }

    void textBoxOpensAtThePress_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QRect>("box");
        const QRect standard(50, 60, 220, 90);
        QTest::newRow("click") << QPoint(50, 60) << QPoint(50, 60) << standard;
        QTest::newRow("drag of 100") << QPoint(50, 60) << QPoint(100, 110) << standard;
        QTest::newRow("drag of 101")
            << QPoint(50, 60) << QPoint(101, 110) << QRect(QPoint(50, 60), QPoint(101, 110));
        QTest::newRow("drag up and left")
            << QPoint(150, 160) << QPoint(40, 50) << QRect(QPoint(40, 50), QPoint(150, 160));
    }

    void textBoxOpensAtThePress()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QRect, box);
        m_area->slotSetMode(Mode::Text);
        clickOrDrag(m_area.get(), from, to);
        auto* textBox = m_area->findChild<NoteEditWidget*>();
        QVERIFY(textBox->isVisible());
        QCOMPARE(textBox->geometry(), box);
        // A click beside the empty box opens the next one there, without an undo step.
        QSignalSpy undo(m_area.get(), &ImageNoteWorkArea::undoAvailable);
        clickOrDrag(m_area.get(), QPoint(10, 20), QPoint(10, 20));
        QCOMPARE(textBox->geometry(), QRect(10, 20, 220, 90));
        QCOMPARE(undo.count(), 0);
    }

    void textIsDrawnOnAcceptOnly_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("accept") << "NoteEditWidgetAccept" << true;
        QTest::newRow("cancel") << "NoteEditWidgetReject" << false;
    }

    void textIsDrawnOnAcceptOnly()
    {
        QFETCH(QString, button);
        QFETCH(bool, drawn);
        // GIVEN a note typed into the text box
        m_area->slotSetMode(Mode::Text);
        clickOrDrag(m_area.get(), QPoint(50, 60), QPoint(50, 60));
        auto* textBox = m_area->findChild<NoteEditWidget*>();
        QTest::keyClicks(textBox->textEdit(), "Note");
        // WHEN the box is closed
        QTest::mouseClick(textBox->findChild<QPushButton*>(button), Qt::LeftButton);
        // THEN the text is in the box's place, or nothing is
        QVERIFY(!textBox->isVisible() && textBox->textEdit()->toPlainText().isEmpty());
        const QRect box(53, 63, 217, 87);
        QCOMPARE(shown(*m_area).copy(box) != knownPicture().copy(box), drawn);
        // AND the text tool comes back by itself
        QCOMPARE(cursorOnEntry(m_area.get()), Qt::ArrowCursor);
        QTRY_COMPARE(cursorOnEntry(m_area.get()), Qt::BitmapCursor);
        // AND the step pushed when the box opened leads back to the picture
        m_area->slotUndo();
        QCOMPARE(shown(*m_area), knownPicture());
    }

    void noteBeingTypedStandsOut_data()
    {
        QTest::addColumn<QColor>("ink");
        QTest::addColumn<QColor>("picture");
        const QList<QPair<const char*, QColor>> colours
            = {{"yellow", Qt::yellow}, {"red", Qt::red}, {"blue", Qt::blue}, {"white", Qt::white},
                {"black", Qt::black}, {"grey", QColor(128, 128, 128)}};
        // The pictures that stand least apart from a veil, and one in between.
        const QList<QPair<const char*, QColor>> pictures
            = {{"white", Qt::white}, {"black", Qt::black}, {"grey", QColor(128, 128, 128)}};
        for (const auto& ink : colours) {
            for (const auto& picture : pictures)
                QTest::addRow("%s over %s", ink.first, picture.first)
                    << ink.second << picture.second;
        }
    }

    // A note being typed shows in its colour, as it will be drawn, on a veil
    // that sets it apart from whatever picture lies beneath.
    void noteBeingTypedStandsOut()
    {
        QFETCH(QColor, ink);
        QFETCH(QColor, picture);
        QImage plain(400, 300, QImage::Format_RGB32);
        plain.fill(picture);
        m_area->slotSetPixmap(QPixmap::fromImage(plain));
        // GIVEN a note being typed, its colour chosen while the box is open
        m_area->slotSetMode(Mode::Text);
        clickOrDrag(m_area.get(), QPoint(50, 60), QPoint(50, 60));
        QTextEdit* field = m_area->findChild<NoteEditWidget*>()->textEdit();
        QTest::keyClicks(field, "Note");
        m_area->slotSetColor(ink);
        // WHEN it is seen
        const QImage seen = m_area->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect text(
            field->viewport()->mapTo(m_area.get(), QPoint()), field->viewport()->size());
        // THEN its letters are the ink
        int inked = 0;
        for (int y = text.top(); y < text.top() + field->fontMetrics().height() + 4; ++y) {
            for (int x = text.left(); x <= text.right(); ++x)
                inked += seen.pixel(x, y) == ink.rgb() ? 1 : 0;
        }
        QVERIFY2(inked >= 10, qPrintable(QString::number(inked)));
        // AND below them the veil stands apart from the ink, as text must to be read with ease
        for (int y = text.center().y(); y <= text.bottom(); ++y) {
            for (int x = text.left(); x <= text.right(); ++x) {
                const QColor veil = seen.pixelColor(x, y);
                QVERIFY2(contrast(ink, veil) >= 4.5, qPrintable(veil.name()));
            }
        }
    }

    void noteEntryStepsTheWholeText_data()
    {
        QTest::addColumn<qreal>("points");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<QString>("button");
        QTest::addColumn<qreal>("expected");
        QTest::newRow("increase") << 12.0 << 0 << "NoteEditWidgetInc" << 17.0;
        QTest::newRow("decrease") << 12.0 << 0 << "NoteEditWidgetDec" << 7.0;
        QTest::newRow("decrease stops at one point") << 5.0 << 0 << "NoteEditWidgetDec" << 1.0;
        QTest::newRow("decrease below five") << 3.0 << 0 << "NoteEditWidgetDec" << 1.0;
        QTest::newRow("font in pixels, from its size shown")
            << 0.0 << 20 << "NoteEditWidgetInc" << 5.0;
    }

    void noteEntryStepsTheWholeText()
    {
        QFETCH(qreal, points);
        QFETCH(int, pixels);
        QFETCH(QString, button);
        QFETCH(qreal, expected);
        NoteEditWidget note(nullptr);
        expected += pixels * 72.0 / note.logicalDpiY();
        QTextEdit* field = note.textEdit();
        field->setPlainText("one two");
        field->selectAll();
        QFont font = field->currentFont();
        pixels ? font.setPixelSize(pixels) : font.setPointSizeF(points);
        field->setCurrentFont(font);
        QTextCursor cursor = field->textCursor();
        cursor.setPosition(1);
        field->setTextCursor(cursor);
        QTest::mouseClick(note.findChild<QPushButton*>(button), Qt::LeftButton);
        // The whole text, selected, takes the new size.
        QCOMPARE(field->textCursor().selectedText(), QString("one two"));
        for (int at : {1, 7}) {
            cursor.setPosition(at);
            QCOMPARE(cursor.charFormat().fontPointSize(), expected);
        }
        QCOMPARE(note.fontPointSize(), expected);
    }

    void cursorsShowTheToolInItsColour_data()
    {
        QTest::addColumn<int>("mode");
        for (int mode = 0; mode <= 12; ++mode)
            QTest::addRow("%s", QMetaEnum::fromType<Mode>().valueToKey(mode)) << mode;
    }

    void cursorsShowTheToolInItsColour()
    {
        QFETCH(int, mode);
        m_area->slotSetMode(Mode(mode));
        cross(m_area.get(), QEvent::Enter);
        const QCursor cursor = *QGuiApplication::overrideCursor();
        const QImage drawn(":/" + Pictures::cursor(mode));
        if (drawn.isNull()) {
            QCOMPARE(cursor.shape(), Qt::ArrowCursor);
            return;
        }
        QCOMPARE(cursor.hotSpot(), QPoint(16, 16));
        // Its pure blue parts take the pen colour.
        const QImage image = cursor.pixmap().toImage().convertToFormat(drawn.format());
        if (!Pictures::cursorTinted(mode)) {
            QCOMPARE(image, drawn);
            return;
        }
        int blue = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                if (drawn.pixel(x, y) == qRgba(0, 0, 255, 255) && ++blue)
                    QCOMPARE(image.pixel(x, y), red.rgba());
            }
        }
        QVERIFY(blue > 0);
    }

    void overrideCursorIsReleasedOnEveryPath_data()
    {
        QTest::addColumn<QStringList>("events");
        QTest::newRow("enter, leave") << QStringList {"enter", "leave"};
        QTest::newRow("two entries, one leave") << QStringList {"enter", "enter", "leave"};
        QTest::newRow("tool change inside") << QStringList {"enter", "tool", "leave"};
        QTest::newRow("hidden inside") << QStringList {"enter", "hide"};
        QTest::newRow("deleted inside") << QStringList {"enter", "delete"};
    }

    void overrideCursorIsReleasedOnEveryPath()
    {
        QFETCH(QStringList, events);
        for (const QString& event : events) {
            if (event == "enter" || event == "leave")
                cross(m_area.get(), event == "enter" ? QEvent::Enter : QEvent::Leave);
            if (event == "tool")
                m_area->slotSetMode(Mode::Arrow);
            if (event == "hide")
                m_area->hide();
            if (event == "delete")
                m_area.reset();
            const bool inside = event == "enter" || event == "tool";
            QCOMPARE(QGuiApplication::overrideCursor() != nullptr, inside);
        }
    }

    void saveWritesWhatTheAreaShows_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<bool>("written");
        QTest::newRow("offered name") << QString() << true << false << true;
        QTest::newRow("cancelled") << QString() << false << false << false;
        QTest::newRow("disk full") << "full.png" << true << true << false;
        QTest::newRow("folder under a file") << "file.txt/x.png" << true << false << false;
    }

    void saveWritesWhatTheAreaShows()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(bool, diskFull);
        QFETCH(bool, written);
        QTemporaryDir dir;
        QFile(dir.filePath("file.txt")).open(QIODevice::WriteOnly);
        drag(m_area.get(), {20, 20}, {300, 200});
        // The dialog offers a name after the date and time in the work folder.
        const QString workFolder = QDir::cleanPath(App::theApp()->workDirectory());
        QString offered;
        QString message;
        std::unique_ptr<ModalAnswer> box;
        ModalAnswer answer([&](QWidget* modal) {
            offered = qobject_cast<QFileDialog*>(modal)->selectedFiles().value(0);
            fileDialogAnswer(typed.isEmpty() ? offered : dir.filePath(typed), accepted)(modal);
            box = std::make_unique<ModalAnswer>([&message](QWidget* modal) {
                message = qobject_cast<QMessageBox*>(modal)->text();
                static_cast<QDialog*>(modal)->reject();
            });
        });
        withFullDisk(diskFull, [this] { m_area->slotSave(); });
        QCOMPARE(QFileInfo(offered).path(), workFolder);
        QVERIFY2(
            QRegularExpression("^EditedScreenShot_\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d\\.png$")
                .match(QFileInfo(offered).fileName())
                .hasMatch(),
            qPrintable(offered));
        // Only a whole file clears the dirty flag; no part of a file is left.
        const QString file = typed.isEmpty() ? offered : dir.filePath(typed);
        QCOMPARE(QFileInfo::exists(file), written);
        QCOMPARE(m_area->isDirty(), !written);
        // A failed write says so.
        QCOMPARE(message,
            accepted && !written ? QFileInfo(file).fileName() + " was not saved." : QString());
        if (written)
            QCOMPARE(QImage(file).convertToFormat(QImage::Format_RGB32), shown(*m_area));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList("file.txt"));
        // The next dialog opens where this one chose.
        QCOMPARE(
            App::theApp()->saveDirPath(), accepted ? QFileInfo(file).absolutePath() : workFolder);
    }

    void saveTakesTheOpenNoteAsAccepted_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("note typed") << "Note" << true;
        QTest::newRow("empty note") << "" << true;
        QTest::newRow("save cancelled") << "Note" << false;
    }

    // Saving while a note is open writes its text as Accept would, and no
    // pixel of the box, its buttons or its dashed frame.
    void saveTakesTheOpenNoteAsAccepted()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        // GIVEN a note typed into an open text box
        QTemporaryDir dir;
        const QString file = dir.filePath("note.png");
        ImageNoteWorkArea reference(nullptr);
        reference.slotSetPixmap(QPixmap::fromImage(knownPicture()));
        for (ImageNoteWorkArea* area : {m_area.get(), &reference}) {
            area->slotSetColor(red);
            area->slotSetMode(Mode::Text);
            clickOrDrag(area, QPoint(50, 60), QPoint(50, 60));
            QTest::keyClicks(area->findChild<NoteEditWidget*>()->textEdit(), typed);
        }
        auto* textBox = m_area->findChild<NoteEditWidget*>();
        const QRect buttons(
            textBox->findChild<QPushButton*>("NoteEditWidgetAccept")->mapTo(m_area.get(), QPoint()),
            QPoint(textBox->geometry().right(), textBox->geometry().bottom()));
        // AND the same note accepted on another area
        QTest::mouseClick(
            reference.findChild<QPushButton*>("NoteEditWidgetAccept"), Qt::LeftButton);
        // WHEN the picture is saved
        whenModal(fileDialogAnswer(file, accepted));
        m_area->slotSave();
        // THEN a cancelled save leaves the note open as it was
        QCOMPARE(textBox->isHidden(), accepted);
        QCOMPARE(QFileInfo::exists(file), accepted);
        if (!accepted) {
            QCOMPARE(textBox->textEdit()->toPlainText(), typed);
            return;
        }
        // AND the file holds the picture with the accepted text, which differs
        // from the bare picture only in the text's place, above the buttons
        const QImage saved = QImage(file).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(saved, shown(reference));
        QCOMPARE(shown(*m_area), saved);
        const QImage bare = knownPicture();
        QRect changed;
        for (int y = 0; y < saved.height(); ++y) {
            for (int x = 0; x < saved.width(); ++x) {
                if (saved.pixel(x, y) != bare.pixel(x, y))
                    changed |= QRect(x, y, 1, 1);
            }
        }
        QCOMPARE(changed.isEmpty(), typed.isEmpty());
        QVERIFY(changed.isEmpty() || QRect(53, 63, 217, 87).contains(changed));
        QVERIFY(!changed.intersects(buttons));
        // AND the text is one step, which undo takes back
        QVERIFY(!m_area->isDirty());
        m_area->slotUndo();
        QCOMPARE(shown(*m_area), bare);
    }

    void dragOffersThePictureAsAFile_data()
    {
        QTest::addColumn<int>("taken");
        QTest::addColumn<bool>("empty");
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<QString>("file");
        QTest::newRow("plain name") << 0 << false << false << "ZivoRirEdavDrag.png";
        QTest::newRow("plain name taken") << 1 << false << false << "ZivoRirEdavDrag1.png";
        QTest::newRow("last name left") << 31 << false << false << "ZivoRirEdavDrag31.png";
        QTest::newRow("every name taken") << 32 << false << false << QString();
        QTest::newRow("empty picture") << 0 << true << false << QString();
        QTest::newRow("disk full") << 0 << false << true << QString();
    }

    void dragOffersThePictureAsAFile()
    {
        QFETCH(int, taken);
        QFETCH(bool, empty);
        QFETCH(bool, diskFull);
        QFETCH(QString, file);
        // GIVEN names in the work folder that cannot be written, being folders
        QDir work(App::theApp()->workDirectory());
        for (int n = 0; n < taken; ++n)
            work.mkdir(QString("ZivoRirEdavDrag%1.png").arg(n ? QString::number(n) : QString()));
        DORuverud::NoteEditDragPreview preview(nullptr);
        const QImage picture = knownPicture(QSize(120, 90));
        preview.slotSetPixmap(empty ? QPixmap() : QPixmap::fromImage(picture));
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        // WHEN the user drags it further than the drag distance (and lets go)
        bool looked = false;
        bool dragging = false;
        QTimer::singleShot(0, [&] {
            looked = true;
            dragging = preview.findChild<QDrag*>() != nullptr;
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(preview.windowHandle(), &escape);
        });
        withFullDisk(diskFull, [&preview] {
            send(&preview, QEvent::MouseButtonPress, QPoint(10, 10));
            send(&preview, QEvent::MouseMove, QPoint(10, 12 + QApplication::startDragDistance()));
        });
        QTRY_VERIFY(looked);
        // THEN the drag carries a whole PNG file of the first free name, or there is no drag
        QCOMPARE(dragging, !file.isEmpty());
        const QStringList files = work.entryList({"ZivoRirEdavDrag*"}, QDir::Files);
        QCOMPARE(files, file.isEmpty() ? QStringList() : QStringList(file));
        if (!file.isEmpty())
            QCOMPARE(QImage(work.filePath(file)).convertToFormat(QImage::Format_RGB32), picture);
    }

    void everyPictureIsThere()
    {
        for (const QString& name : Pictures::all())
            QVERIFY2(!QImage(":/" + name).isNull(), qPrintable(name));
        QCOMPARE(QImage(":/" + Pictures::cursor(0)).size(), QSize(32, 32));
    }

private:
    std::unique_ptr<ImageNoteWorkArea> m_area;
};

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    TestImageNoteWorkArea test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ImageNoteWorkArea.moc"
