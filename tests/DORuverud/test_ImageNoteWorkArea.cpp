#include "../common/MouseDrag.h"
#include "App.h"
#include "DialogTestTools.h"
#include "DrawTools.h"
#include "ImageNotePictures.h"
#include "ImageNoteTestTools.h"
#include "ImageNoteWorkArea.h"
#include "NoteEditDragPreview.h"
#include "NoteEditWidget.h"

#include <QDrag>
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
using Mode = DORuverud::ImageNoteWorkArea::Mode;
namespace Pictures = DORuverud::ImageNotePictures;

namespace {

const QColor red(255, 0, 0);

void click(QWidget* widget, const QPoint& at)
{
    send(widget, QEvent::MouseButtonPress, at);
    send(widget, QEvent::MouseButtonRelease, at);
}

// The colour over the picture at that opacity.
QColor over(const QColor& base, const QColor& ink, qreal opacity)
{
    const auto mix = [opacity](int b, int i) { return qRound(b * (1 - opacity) + i * opacity); };
    return QColor(
        mix(base.red(), ink.red()), mix(base.green(), ink.green()), mix(base.blue(), ink.blue()));
}

bool near(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) <= 3 && qAbs(a.green() - b.green()) <= 3
        && qAbs(a.blue() - b.blue()) <= 3;
}

// Writes past `bytes` fail while it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        struct rlimit small = m_old;
        small.rlim_cur = bytes;
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
    }

private:
    struct rlimit m_old;
};

// The shape of the cursor that entering the area holds.
Qt::CursorShape cursorOnEntry(QWidget* area)
{
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(area, &enter);
    const Qt::CursorShape shape = QGuiApplication::overrideCursor()->shape();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(area, &leave);
    return shape;
}

} // namespace

class TestImageNoteWorkArea : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QDir(App::theApp()->workDirectory()).removeRecursively();
        m_area.reset(new ImageNoteWorkArea(nullptr));
        m_area->slotSetPixmap(QPixmap::fromImage(knownPicture()));
        m_area->slotSetColor(red);
        m_area->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_area.get()));
    }

    void toolsDrawInColourAndThickness_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("thickness");
        QTest::addColumn<bool>("dashed");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QPoint>("inked");
        QTest::addColumn<qreal>("opacity");
        QTest::addColumn<QPoint>("untouched");
        const qreal fill = 200.0 / 255;
        const auto row = [](const char* name, Mode mode, int thickness, QPoint from, QPoint to,
                             QPoint inked, qreal opacity, QPoint untouched, bool dashed = false) {
            QTest::newRow(name) << int(mode) << thickness << dashed << from << to << inked
                                << opacity << untouched;
        };
        row("pen stroke", Mode::Pen, 5, {50, 50}, {150, 50}, {100, 50}, 1, {100, 60});
        row("pen click draws a dot", Mode::Pen, 5, {80, 80}, {80, 80}, {80, 80}, 1, {86, 80});
        row("unknown tool draws as the pen", Mode(42), 5, {50, 50}, {150, 50}, {100, 50}, 1,
            {100, 60});
        row("highlighter eight times as wide and faint", Mode::Highlighter, 1, {50, 150},
            {150, 150}, {125, 153}, 0.1, {125, 158});
        row("rectangle outline", Mode::Rectangle, 5, {100, 100}, {200, 160}, {150, 100}, 1,
            {150, 130});
        row("rectangle dragged up and left", Mode::Rectangle, 5, {200, 160}, {100, 100}, {150, 100},
            1, {150, 130});
        row("filled rectangle", Mode::FilledRectangle, 5, {100, 100}, {200, 160}, {150, 130}, fill,
            {250, 130});
        row("oval outline", Mode::Oval, 5, {100, 100}, {200, 200}, {100, 150}, 1, {150, 150});
        row("filled oval", Mode::FilledOval, 5, {100, 100}, {200, 200}, {150, 150}, fill,
            {104, 104});
        row("line", Mode::Line, 5, {50, 250}, {250, 250}, {150, 250}, 1, {150, 240});
        row("dashed line leaves gaps", Mode::Line, 5, {50, 280}, {250, 280}, {60, 280}, 1,
            {75, 280}, true);
        row("arrow head on the right", Mode::Arrow, 5, {100, 200}, {200, 200}, {185, 206}, 1,
            {185, 215});
        row("arrow head at the bottom", Mode::Arrow, 5, {300, 50}, {300, 150}, {294, 135}, 1,
            {280, 135});
        row("arrow head at the top", Mode::Arrow, 5, {300, 150}, {300, 50}, {294, 65}, 1,
            {280, 65});
        row("arrow of no length is a dot", Mode::Arrow, 5, {150, 150}, {150, 150}, {150, 150}, 1,
            {150, 160});
    }

    void toolsDrawInColourAndThickness()
    {
        QFETCH(int, mode);
        QFETCH(int, thickness);
        QFETCH(bool, dashed);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QPoint, inked);
        QFETCH(qreal, opacity);
        QFETCH(QPoint, untouched);
        // GIVEN a tool in red
        m_area->slotSetMode(Mode(mode));
        m_area->slotSetThikness(thickness);
        m_area->slotSetDashLine(dashed);
        QSignalSpy changed(m_area.get(), &ImageNoteWorkArea::changed);
        // WHEN the user drags or clicks with it
        from == to ? click(m_area.get(), from) : drag(m_area.get(), from, to);
        // THEN the picture shows the drawing there and the picture elsewhere
        const QImage base = knownPicture();
        const QImage picture = shown(*m_area);
        const QColor expected = over(base.pixelColor(inked), red, opacity);
        QVERIFY2(near(picture.pixelColor(inked), expected),
            qPrintable(picture.pixelColor(inked).name() + " for " + expected.name()));
        QCOMPARE(picture.pixelColor(untouched), base.pixelColor(untouched));
        QVERIFY(changed.count() > 0);
        QVERIFY(m_area->isDirty());
    }

    void blurCoversOnlyItsRectangle_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<bool>("overStroke");
        QTest::newRow("dragged down and right") << QPoint(100, 100) << QPoint(200, 180) << false;
        QTest::newRow("dragged up and left") << QPoint(200, 180) << QPoint(100, 100) << false;
        QTest::newRow("beyond the edge") << QPoint(350, 250) << QPoint(450, 350) << false;
        QTest::newRow("over a stroke") << QPoint(100, 100) << QPoint(200, 180) << true;
    }

    void blurCoversOnlyItsRectangle()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(bool, overStroke);
        m_area->slotSetThikness(5);
        if (overStroke)
            drag(m_area.get(), QPoint(20, 140), QPoint(380, 140));
        QImage expected = shown(*m_area);
        const QRect rect = QRect(from, to).normalized() & expected.rect();
        m_area->slotSetMode(Mode::BlurRectangle);
        drag(m_area.get(), from, to);
        // The blurred picture, without the strokes, inside; nothing changed outside.
        const QImage blurred
            = DAvuroD::DrawTools::blurred(knownPicture(), QRect(from, to), 10, false);
        QPainter(&expected).drawImage(rect.topLeft(), blurred.copy(rect));
        QCOMPARE(shown(*m_area), expected);
        QVERIFY(expected.copy(rect) != knownPicture().copy(rect));
    }

    void eraserBringsThePictureBack()
    {
        m_area->slotSetMode(Mode::FilledRectangle);
        m_area->slotSetThikness(2);
        drag(m_area.get(), QPoint(100, 100), QPoint(300, 200));
        m_area->slotSetMode(Mode::Eraser);
        drag(m_area.get(), QPoint(120, 150), QPoint(280, 150));
        const QImage picture = shown(*m_area);
        QCOMPARE(picture.pixelColor(200, 145), knownPicture().pixelColor(200, 145));
        QVERIFY(near(picture.pixelColor(200, 185),
            over(knownPicture().pixelColor(200, 185), red, 200.0 / 255)));
    }

    void undoAndRedoSwapWholeLayers()
    {
        QStringList log;
        connect(m_area.get(), &ImageNoteWorkArea::undoAvailable,
            [&log](bool on) { log << QString("undo %1").arg(on); });
        connect(m_area.get(), &ImageNoteWorkArea::redoAvailable,
            [&log](bool on) { log << QString("redo %1").arg(on); });
        connect(m_area.get(), &ImageNoteWorkArea::changed, [&log] { log << "changed"; });
        const auto step = [&log](std::function<void()> action) {
            log.clear();
            action();
            return log;
        };
        const QImage base = shown(*m_area);
        m_area->slotSetThikness(3);
        QCOMPARE(step([this] {
            drag(m_area.get(), {50, 50}, {150, 50});
        }),
            QStringList({"undo 1", "changed"}));
        const QImage line = shown(*m_area);
        m_area->slotSetMode(Mode::Rectangle);
        drag(m_area.get(), {60, 60}, {160, 160});
        const QImage lineAndBox = shown(*m_area);

        QCOMPARE(
            step([this] { m_area->slotUndo(); }), QStringList({"changed", "undo 1", "redo 1"}));
        QCOMPARE(shown(*m_area), line);
        QCOMPARE(
            step([this] { m_area->slotUndo(); }), QStringList({"changed", "undo 0", "redo 1"}));
        QCOMPARE(shown(*m_area), base);
        QCOMPARE(step([this] { m_area->slotUndo(); }), QStringList({"undo 0", "redo 1"}));
        QCOMPARE(
            step([this] { m_area->slotRedo(); }), QStringList({"changed", "redo 1", "undo 1"}));
        QCOMPARE(shown(*m_area), line);

        // A new step keeps the redo stack: redo brings the undone box back in its place.
        m_area->slotSetMode(Mode::Oval);
        drag(m_area.get(), {200, 200}, {300, 280});
        const QImage lineAndOval = shown(*m_area);
        QCOMPARE(
            step([this] { m_area->slotRedo(); }), QStringList({"changed", "redo 0", "undo 1"}));
        QCOMPARE(shown(*m_area), lineAndBox);
        m_area->slotUndo();
        QCOMPARE(shown(*m_area), lineAndOval);
        QVERIFY(m_area->isDirty());
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
        from == to ? click(m_area.get(), from) : drag(m_area.get(), from, to);
        auto* textBox = m_area->findChild<DORuverud::NoteEditWidget*>();
        QVERIFY(textBox->isVisible());
        QCOMPARE(textBox->geometry(), box);
        // A second click moves the box without a new undo step.
        QSignalSpy undo(m_area.get(), &ImageNoteWorkArea::undoAvailable);
        click(m_area.get(), QPoint(10, 20));
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
        click(m_area.get(), QPoint(50, 60));
        auto* textBox = m_area->findChild<DORuverud::NoteEditWidget*>();
        QTest::keyClicks(textBox->textEdit(), "Note");
        // WHEN the box is closed
        QTest::mouseClick(textBox->findChild<QPushButton*>(button), Qt::LeftButton);
        // THEN the text is on the picture, in the pen colour, or nothing is
        QVERIFY(!textBox->isVisible());
        QVERIFY(textBox->textEdit()->toPlainText().isEmpty());
        const QImage picture = shown(*m_area);
        int reddish = 0;
        for (int y = 63; y < 150; ++y) {
            for (int x = 53; x < 270; ++x)
                reddish
                    += picture.pixelColor(x, y).red() > 240 && picture.pixelColor(x, y).blue() < 60;
        }
        QCOMPARE(reddish > 0, drawn);
        // AND the text tool comes back by itself
        QCOMPARE(cursorOnEntry(m_area.get()), Qt::ArrowCursor);
        QTRY_COMPARE(cursorOnEntry(m_area.get()), Qt::BitmapCursor);
        // AND one undo step, pushed when the box opened, leads back to the picture
        m_area->slotUndo();
        QCOMPARE(shown(*m_area), knownPicture());
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
        QTest::newRow("font in pixels, from the size it shows")
            << 0.0 << 20 << "NoteEditWidgetInc" << 5.0;
    }

    void noteEntryStepsTheWholeText()
    {
        QFETCH(qreal, points);
        QFETCH(int, pixels);
        QFETCH(QString, button);
        QFETCH(qreal, expected);
        DORuverud::NoteEditWidget note(nullptr);
        expected += pixels * 72.0 / note.logicalDpiY();
        QTextEdit* field = note.textEdit();
        field->setPlainText("one two");
        field->selectAll();
        QFont font = field->currentFont();
        pixels ? font.setPixelSize(pixels) : font.setPointSizeF(points);
        field->setCurrentFont(font);
        QTextCursor part = field->textCursor();
        part.setPosition(1);
        field->setTextCursor(part);
        QTest::mouseClick(note.findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(field->textCursor().selectedText(), QString("one two"));
        for (int at : {1, 7}) {
            part.setPosition(at);
            QCOMPARE(part.charFormat().fontPointSize(), expected);
        }
        QCOMPARE(note.fontPointSize(), expected);
    }

    void cursorsShowTheToolInItsColour_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("tinted");
        for (int mode = 0; mode <= 12; ++mode) {
            QTest::addRow("%s", QMetaEnum::fromType<Mode>().valueToKey(mode))
                << mode << Pictures::cursorTinted(mode);
        }
    }

    void cursorsShowTheToolInItsColour()
    {
        QFETCH(int, mode);
        QFETCH(bool, tinted);
        m_area->slotSetMode(Mode(mode));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(m_area.get(), &enter);
        const QCursor cursor = *QGuiApplication::overrideCursor();
        const QString name = Pictures::cursor(mode);
        if (name.isEmpty()) {
            QCOMPARE(cursor.shape(), Qt::ArrowCursor);
            return;
        }
        QCOMPARE(cursor.hotSpot(), QPoint(16, 16));
        const QImage drawn(":/" + name);
        const QImage image = cursor.pixmap().toImage().convertToFormat(drawn.format());
        int blue = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                if (drawn.pixel(x, y) != qRgba(0, 0, 255, 255))
                    continue;
                ++blue;
                QCOMPARE(image.pixel(x, y), tinted ? red.rgba() : drawn.pixel(x, y));
            }
        }
        QCOMPARE(blue > 0, tinted);
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
            if (event == "enter" || event == "leave") {
                QEvent crossing(event == "enter" ? QEvent::Enter : QEvent::Leave);
                QApplication::sendEvent(m_area.get(), &crossing);
            }
            if (event == "tool")
                m_area->slotSetMode(Mode::Arrow);
            if (event == "hide")
                m_area->hide();
            if (event == "delete")
                m_area.reset();
            QCOMPARE(
                QGuiApplication::overrideCursor() != nullptr, event == "enter" || event == "tool");
        }
    }

    void saveWritesWhatTheAreaShows_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<bool>("written");
        QTest::newRow("default name") << QString() << true << false << true;
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
        m_area->slotSetThikness(4);
        drag(m_area.get(), {20, 20}, {300, 200});
        // The text box opens in the work folder, with the date and time in the name.
        App* app = App::theApp();
        const QString workFolder = QDir::cleanPath(app->workDirectory());
        QCOMPARE(app->saveDirPath(), workFolder);
        QString offered;
        const QString before = QDateTime::currentDateTime().toString("yyyy-MM-dd_hh-mm-ss");
        ModalAnswer answer([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            offered = dialog->selectedFiles().value(0);
            if (!typed.isEmpty())
                dialog->findChild<QLineEdit*>("fileNameEdit")->setText(dir.filePath(typed));
            accepted ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
        });
        {
            std::unique_ptr<FileSizeLimit> limit(diskFull ? new FileSizeLimit(40) : nullptr);
            m_area->slotSave();
        }
        const QString after = QDateTime::currentDateTime().toString("yyyy-MM-dd_hh-mm-ss");
        QCOMPARE(QFileInfo(offered).path(), workFolder);
        const QString stamp = QFileInfo(offered).fileName().mid(17, 19);
        QVERIFY(QFileInfo(offered).fileName().startsWith("EditedScreenShot_"));
        QVERIFY2(before <= stamp && stamp <= after, qPrintable(offered));
        const QString file = typed.isEmpty() ? offered : dir.filePath(typed);
        QCOMPARE(QFileInfo::exists(file), written);
        QCOMPARE(m_area->isDirty(), !written);
        if (written)
            QCOMPARE(QImage(file).convertToFormat(QImage::Format_RGB32), shown(*m_area));
        QCOMPARE(app->saveDirPath(), accepted ? QFileInfo(file).absolutePath() : workFolder);
        QCOMPARE(
            QDir(dir.path()).entryList(QDir::Files).size(), written && !typed.isEmpty() ? 2 : 1);
    }

    void dragOffersThePictureAsAFile_data()
    {
        QTest::addColumn<int>("blocked");
        QTest::addColumn<bool>("empty");
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<QString>("file");
        QTest::newRow("plain name") << 0 << false << false << "ZivoRirEdavDrag.png";
        QTest::newRow("plain name taken") << 1 << false << false << "ZivoRirEdavDrag1.png";
        QTest::newRow("all but the last taken") << 31 << false << false << "ZivoRirEdavDrag31.png";
        QTest::newRow("every name taken") << 32 << false << false << QString();
        QTest::newRow("empty picture") << 0 << true << false << QString();
        QTest::newRow("disk full") << 0 << false << true << QString();
    }

    void dragOffersThePictureAsAFile()
    {
        QFETCH(int, blocked);
        QFETCH(bool, empty);
        QFETCH(bool, diskFull);
        QFETCH(QString, file);
        // GIVEN names in the work folder that cannot be written (folders)
        QDir work(App::theApp()->workDirectory());
        for (int n = 0; n < blocked; ++n)
            work.mkdir(QString("ZivoRirEdavDrag%1.png").arg(n ? QString::number(n) : QString()));
        DORuverud::NoteEditDragPreview preview(nullptr);
        preview.resize(80, 60);
        const QImage picture = knownPicture(QSize(120, 90));
        preview.slotSetPixmap(empty ? QPixmap() : QPixmap::fromImage(picture));
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        // WHEN the user drags it further than the drag distance
        bool looked = false;
        bool dragging = false;
        QTimer::singleShot(0, [&] {
            looked = true;
            dragging = preview.findChild<QDrag*>() != nullptr;
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(preview.windowHandle(), &escape);
        });
        {
            std::unique_ptr<FileSizeLimit> limit(diskFull ? new FileSizeLimit(40) : nullptr);
            send(&preview, QEvent::MouseButtonPress, QPoint(10, 10));
            send(&preview, QEvent::MouseMove, QPoint(10, 12 + QApplication::startDragDistance()));
        }
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
