#include "../common/LivePlayers.h"
#include "../common/SoundStartLog.h"
#include "App.h"
#include "Metronome.h"
#include "MetronomeBeats.h"
#include "MetronomeClock.h"
#include "MetronomeControls.h"
#include "MetronomeMainPage.h"
#include "MusicPagePictures.h"
#include "PageStyleSheets.h"
#include "PromoMenuBar.h"
#include "SamplePlayer.h"

#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QTreeWidget>
#include <QtTest>

using DIReridArazi::AudioEngine;
using namespace VADirur;
namespace Pictures = VADirur::MusicPagePictures;

namespace {

QPushButton* button(QWidget* parent, const char* name)
{
    return parent->findChild<QPushButton*>(QLatin1String(name));
}

QString tempoText(MetronomeControls* controls)
{
    return controls->findChild<QLabel*>(QStringLiteral("TempoLabel"))->text();
}

QString currentRow(MetronomeControls* controls)
{
    return controls->findChild<QTreeWidget*>()->currentItem()->text(0);
}

// The lamps as the user sees them: "-" hidden, "0" dark, "1" lit.
QString lamps(Metronome* metronome)
{
    QString shown;
    const QList<QLabel*> all = metronome->findChildren<QLabel*>(QStringLiteral("Beat"));
    for (QLabel* lamp : all)
        shown += lamp->isHidden() ? '-' : lamp->isEnabled() ? '1' : '0';
    return shown;
}

QString litLamp(Metronome* metronome)
{
    const QString shown = lamps(metronome);
    return shown.count('1') == 1 ? QString::number(shown.indexOf('1')) : QStringLiteral("-");
}

// The metronome's own painting, without its controls and lamps.
QImage painted(Metronome* metronome)
{
    QImage image(metronome->size(), QImage::Format_ARGB32_Premultiplied);
    metronome->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return image;
}

// The first row of the picture that holds more than black.
int firstPaintedRow(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(0, 0, 0))
                return y;
        }
    }
    return image.height();
}

// Black, the base picture and the face, each made at twice the size of the
// area below the lamps and shown centred in it at half its pixel size.
QImage expectedFace(Metronome* metronome, const QString& face)
{
    const int top = metronome->layout()->contentsMargins().top()
        + metronome->findChild<MetronomeBeats*>()->height();
    const QRect area(0, top, metronome->width(), metronome->height() - top);
    QImage image(metronome->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    QStringList layers {Pictures::metronomeFace(Pictures::BaseEyesLeft)};
    if (face != QLatin1String("-"))
        layers << face;
    for (const QString& layer : layers) {
        const QPixmap picture
            = QPixmap(Pictures::resource(layer))
                  .scaled(area.size() * 2, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        const QSize half = picture.size() / 2;
        painter.drawPixmap(QRect(area.topLeft()
                                   + QPoint(qAbs(area.width() - half.width()) / 2,
                                       qAbs(area.height() - half.height()) / 2),
                               half),
            picture);
    }
    return image;
}

QString faceFile(const QString& code)
{
    static const QMap<QString, Pictures::MetronomeFace> faces {{"L", Pictures::BaseEyesLeft},
        {"R", Pictures::EyesRight}, {"B", Pictures::Beat}, {"ML", Pictures::MuteEyesLeft},
        {"MR", Pictures::MuteEyesRight}, {"MB", Pictures::MuteBeat}, {"C", Pictures::EyesClosed},
        {"CM", Pictures::EyesClosedMute}};
    return faces.contains(code) ? Pictures::metronomeFace(faces[code]) : QStringLiteral("-");
}

QString soundFile(const QString& code)
{
    return code == QLatin1String("b") ? QStringLiteral("bell.wav") : QStringLiteral("tick.wav");
}

// The output moves on only when the test mixes: the engine's manual clock.
void mixTo(qint64 frame)
{
    std::vector<float> out(2 * 256);
    while (AudioEngine::instance()->framesMixed() <= frame)
        AudioEngine::instance()->mix(out.data(), 256);
}

// Tick k of a grid: k periods of 60000 / bpm ms at 44.1 kHz, to the nearest frame.
qint64 gridFrame(qint64 start, int periodMs, int tick)
{
    return start + (qint64(tick) * periodMs * 441 + 5) / 10;
}

struct Ticker
{
    Metronome* metronome;
    qint64 start;
    int periodMs;
    SoundStartLog log;
    QStringList expected;
    QVector<qint64> expectedFrames;
    int ticks = 0;

    // One tick: the metronome's timer schedules, the output reaches the
    // tick's frame, and the face follows. Nothing shows before the output
    // has reached the tick, and an expected sound ("t" or "b", "-" for
    // none) must have started, on its frame.
    bool tick(const QString& sound)
    {
        const QImage face = painted(metronome);
        const QString shown = lamps(metronome);
        QMetaObject::invokeMethod(metronome, "slotTick");
        if (painted(metronome) != face || lamps(metronome) != shown)
            return false;
        const qint64 frame = gridFrame(start, periodMs, ++ticks);
        mixTo(frame);
        QMetaObject::invokeMethod(metronome, "slotShowTicks");
        if (sound != QLatin1String("-")) {
            expected << soundFile(sound);
            expectedFrames << frame;
        }
        AudioEngine::instance()->poll();
        return log.fileNames() == expected && log.frames == expectedFrames;
    }
};

} // namespace

class TestMetronome : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void newPage();
    void tempoButtons_data();
    void tempoButtons();
    void tempoListAndBeatsMenu();
    void lampsFitThePage_data();
    void lampsFitThePage();
    void tickPeriod();
    void tempoFromOutsideIsHeld_data();
    void tempoFromOutsideIsHeld();
    void barSequence_data();
    void barSequence();
    void switchesRefreshSilently();
    void beatGrid_data();
    void beatGrid();
    void stalledGuiKeepsTheGrid_data();
    void stalledGuiKeepsTheGrid();
    void ticksOnARunningDevice();
    void everyPictureExists();
    void scheduledSoundOfAMissingFile();
};

void TestMetronome::initTestCase()
{
    LivePlayers::install();
    AudioEngine::instance()->setManualClock(true);
}

// Every player goes once its sound has ended.
void TestMetronome::cleanupTestCase()
{
    AudioEngine::instance()->setManualClock(false);
    QTRY_COMPARE_WITH_TIMEOUT(LivePlayers::count(), 0, 30000);
}

void TestMetronome::newPage()
{
    MetronomeMainPage page(nullptr);
    QVERIFY(page.promoMenuBar()->findChild<QPushButton*>(QStringLiteral("RateButton"))->isHidden());
    QVERIFY(page.minimumSizeHint().width() >= 200 && page.minimumSizeHint().height() >= 200);
    auto* controls = page.findChild<MetronomeControls*>();
    QCOMPARE(controls->interval(), 38);
    QCOMPARE(controls->beatsCount(), 4);
    QCOMPARE(currentRow(controls), QStringLiteral("Largo"));
    QCOMPARE(lamps(page.findChild<Metronome*>()), QStringLiteral("0000--------"));
}

void TestMetronome::tempoButtons_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("press");
    QTest::addColumn<QString>("tempo");
    QTest::addColumn<QString>("row");
    QTest::addColumn<QList<int>>("emitted");

    QTest::newRow("plus within Moderato") << 100 << "TempoIncButton"
                                          << "101"
                                          << "Moderato" << QList<int> {101};
    QTest::newRow("plus from 56 into Adagio") << 56 << "TempoIncButton"
                                              << "57"
                                              << "Adagio" << QList<int> {57, 57};
    QTest::newRow("minus from 57 into Largo keeps 56") << 57 << "TempoDecButton"
                                                       << "56"
                                                       << "Largo" << QList<int> {56};
    QTest::newRow("plus at 208 stays") << 208 << "TempoIncButton"
                                       << "208"
                                       << "Presto" << QList<int> {208};
    QTest::newRow("minus at 38 stays") << 38 << "TempoDecButton"
                                       << "38"
                                       << "Largo" << QList<int> {38};
}

void TestMetronome::tempoButtons()
{
    QFETCH(int, from);
    QFETCH(QString, press);
    // GIVEN the controls at a tempo
    MetronomeControls controls(nullptr);
    controls.setSelectListItem(from);
    controls.setInterval(from);
    QSignalSpy interval(&controls, &MetronomeControls::intervalChanged);
    // WHEN the user presses plus or minus
    button(&controls, qPrintable(press))->click();
    // THEN the tempo, its row and every emission are as a musician expects
    QTEST(tempoText(&controls), "tempo");
    QTEST(currentRow(&controls), "row");
    QList<int> emitted;
    for (const QList<QVariant>& call : qAsConst(interval))
        emitted << call.at(0).toInt();
    QTEST(emitted, "emitted");
}

void TestMetronome::tempoListAndBeatsMenu()
{
    Metronome metronome(nullptr);
    auto* controls = metronome.findChild<MetronomeControls*>();
    auto* list = controls->findChild<QTreeWidget*>();
    // Choosing a tempo name starts its range
    list->setCurrentItem(list->topLevelItem(4));
    QCOMPARE(tempoText(controls), QStringLiteral("109"));
    // The beats menu offers 0 and 2 to 12
    QPushButton* beats = button(controls, "BeatCombo");
    QStringList offered;
    for (QAction* action : beats->menu()->actions())
        offered << action->text();
    QCOMPARE(offered.join(' '), QStringLiteral("0 2 3 4 5 6 7 8 9 10 11 12"));
    // Seven beats show seven lamps; none hides them all
    QSignalSpy count(controls, &MetronomeControls::beatsCountChanged);
    beats->menu()->actions().at(6)->trigger();
    QCOMPARE(lamps(&metronome), QStringLiteral("0000000-----"));
    beats->menu()->actions().at(0)->trigger();
    QCOMPARE(beats->text(), QStringLiteral("0"));
    QCOMPARE(lamps(&metronome), QStringLiteral("------------"));
    QCOMPARE(count.size(), 2);
    QCOMPARE(controls->beatsCount(), 0);
}

void TestMetronome::lampsFitThePage_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("beats");

    QTest::newRow("twelve at the gallery's size") << QSize(560, 640) << 12;
    QTest::newRow("twelve at the smallest page") << QSize(200, 200) << 12;
    QTest::newRow("ten at the gallery's size") << QSize(560, 640) << 10;
    QTest::newRow("four on a wide page") << QSize(1000, 700) << 4;
}

void TestMetronome::lampsFitThePage()
{
    QFETCH(QSize, size);
    QFETCH(int, beats);
    // GIVEN a page of that size, in its own look
    MetronomeMainPage page(nullptr);
    page.setStyleSheet(PageStyleSheets::metronome());
    page.resize(size);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    // WHEN the user chooses that many beats a bar
    auto* metronome = page.findChild<Metronome*>();
    const int item = beats == 0 ? 0 : beats - 1;
    button(metronome, "BeatCombo")->menu()->actions().at(item)->trigger();
    QCoreApplication::processEvents();
    // THEN every lamp in use lies inside the page, none overlaps another, and
    // none covers the metronome's picture
    const int pictureTop = firstPaintedRow(painted(metronome));
    QVector<QRect> lamps;
    for (QLabel* lamp : metronome->findChildren<QLabel*>(QStringLiteral("Beat"))) {
        if (lamp->isHidden())
            continue;
        const QRect rect(lamp->mapTo(&page, QPoint()), lamp->size());
        QVERIFY2(page.rect().contains(rect),
            qPrintable(QStringLiteral("lamp at %1,%2").arg(rect.x()).arg(rect.y())));
        QVERIFY(rect.width() >= 10);
        for (const QRect& other : qAsConst(lamps))
            QVERIFY(!rect.intersects(other));
        QVERIFY(lamp->mapTo(metronome, QPoint(0, lamp->height())).y() <= pictureTop);
        lamps << rect;
    }
    QCOMPARE(lamps.size(), beats);
}

void TestMetronome::tickPeriod()
{
    Metronome metronome(nullptr);
    auto* controls = metronome.findChild<MetronomeControls*>();
    auto* timer = metronome.findChild<QTimer*>();
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 1578);
    controls->setSelectListItem(208);
    QCOMPARE(timer->interval(), 355);
    controls->setInterval(208);
    QCOMPARE(timer->interval(), 288);
    // A press at the limit still starts the period anew
    QTest::qWait(150);
    QVERIFY(timer->remainingTime() < 200);
    button(controls, "TempoIncButton")->click();
    QVERIFY(timer->remainingTime() > 200);
    QCOMPARE(timer->interval(), 288);
    // A tempo set from outside the controls' buttons is held to their range
    controls->setInterval(0);
    QCOMPARE(timer->interval(), 1578);
    controls->setInterval(100000);
    QCOMPARE(timer->interval(), 288);
}

void TestMetronome::tempoFromOutsideIsHeld_data()
{
    QTest::addColumn<int>("asked");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("periodMs");
    QTest::newRow("above the range") << 300 << "208" << 288;
    QTest::newRow("below the range") << 20 << "38" << 1578;
    QTest::newRow("negative") << -5 << "38" << 1578;
    QTest::newRow("within the range") << 120 << "120" << 500;
}

void TestMetronome::tempoFromOutsideIsHeld()
{
    QFETCH(int, asked);
    QFETCH(QString, shown);
    QFETCH(int, periodMs);
    // GIVEN a metronome
    Metronome metronome(nullptr);
    auto* controls = metronome.findChild<MetronomeControls*>();
    QSignalSpy interval(controls, &MetronomeControls::intervalChanged);
    // WHEN a caller sets a tempo
    controls->setInterval(asked);
    // THEN the label shows the tempo that sounds, and the ticks keep it
    QCOMPARE(tempoText(controls), shown);
    QCOMPARE(controls->interval(), shown.toInt());
    QCOMPARE(interval.value(0).value(0).toInt(), shown.toInt());
    QCOMPARE(metronome.findChild<QTimer*>()->interval(), periodMs);
}

void TestMetronome::barSequence_data()
{
    QTest::addColumn<int>("beats");
    // Per tick: the sound ("-" none, "t" tick, "b" bell), the face and the lit lamp.
    QTest::addColumn<QString>("sounds");
    QTest::addColumn<QString>("faces");
    QTest::addColumn<QString>("lit");

    QTest::newRow("four beats, the first tick silent") << 4 << "- t t t b t t t b"
                                                       << "- L R L B L R L B"
                                                       << "0 1 2 3 0 1 2 3 0";
    QTest::newRow("three beats, the eyes change side each bar") << 3 << "- t t b t t b"
                                                                << "- L R B R L B"
                                                                << "0 1 2 0 1 2 0";
    QTest::newRow("no beats, no lamps and no bell") << 0 << "t t t t"
                                                    << "R L R L"
                                                    << "- - - -";
}

void TestMetronome::barSequence()
{
    QFETCH(int, beats);
    QFETCH(QString, sounds);
    QFETCH(QString, faces);
    QFETCH(QString, lit);
    // GIVEN a metronome with that many beats a bar
    const qint64 start = AudioEngine::instance()->framesMixed();
    Metronome metronome(nullptr);
    metronome.resize(420, 520);
    auto* controls = metronome.findChild<MetronomeControls*>();
    const int item = beats == 0 ? 0 : beats - 1;
    controls->findChild<QPushButton*>(QStringLiteral("BeatCombo"))
        ->menu()
        ->actions()
        .at(item)
        ->trigger();
    Ticker ticker {&metronome, start, 1578, {}, {}, {}};
    const QStringList sound = sounds.split(' ');
    const QStringList face = faces.split(' ');
    const QStringList lamp = lit.split(' ');
    for (int i = 0; i < sound.size(); ++i) {
        // WHEN it ticks
        QVERIFY2(ticker.tick(sound[i]), qPrintable(ticker.log.fileNames().join(' ')));
        // THEN it sounds on its beat, and its face and lamp show
        QCOMPARE(painted(&metronome), expectedFace(&metronome, faceFile(face[i])));
        QCOMPARE(litLamp(&metronome), lamp[i]);
    }
}

void TestMetronome::switchesRefreshSilently()
{
    // GIVEN a metronome two ticks into its bar
    const qint64 start = AudioEngine::instance()->framesMixed();
    Metronome metronome(nullptr);
    metronome.resize(420, 520);
    Ticker ticker {&metronome, start, 1578, {}, {}, {}};
    QVERIFY(ticker.tick("-"));
    QVERIFY(ticker.tick("t"));
    QPushButton* visible = button(&metronome, "VisibleTickButton");
    QPushButton* audible = button(&metronome, "AudiableTickButton");
    // WHEN the visible tick is switched off, THEN the eyes close and the lamps go at once
    visible->click();
    QCOMPARE(painted(&metronome), expectedFace(&metronome, faceFile("C")));
    QVERIFY(metronome.findChild<MetronomeBeats*>()->isHidden());
    // WHEN the sound is switched off too, THEN the face is the closed, muted one
    audible->click();
    QCOMPARE(painted(&metronome), expectedFace(&metronome, faceFile("CM")));
    // AND a tick is silent; with the eyes back the muted eyes move
    QVERIFY(ticker.tick("-"));
    visible->click();
    QVERIFY(!metronome.findChild<MetronomeBeats*>()->isHidden());
    QCOMPARE(painted(&metronome), expectedFace(&metronome, faceFile("ML")));
    QVERIFY(ticker.tick("-"));
    QCOMPARE(painted(&metronome), expectedFace(&metronome, faceFile("ML")));
    QVERIFY(ticker.tick("-"));
    QCOMPARE(painted(&metronome), expectedFace(&metronome, faceFile("MB")));
    // AND with the sound back the face is lively again and the next tick is heard
    audible->click();
    QCOMPARE(painted(&metronome), expectedFace(&metronome, faceFile("L")));
    QVERIFY(ticker.tick("t"));
}

void TestMetronome::beatGrid_data()
{
    QTest::addColumn<int>("periodMs");
    QTest::addColumn<int>("tick");
    QTest::addColumn<qint64>("frame");

    // 288 ms is 12700.8 frames; the rounding never adds up.
    QTest::newRow("first tick at 208") << 288 << 1 << 1012701LL;
    QTest::newRow("second tick at 208") << 288 << 2 << 1025402LL;
    QTest::newRow("a thousand ticks at 208") << 288 << 1000 << 13700800LL;
    QTest::newRow("first tick at 38") << 1578 << 1 << 1069590LL;
}

void TestMetronome::beatGrid()
{
    QFETCH(int, periodMs);
    QFETCH(int, tick);
    QFETCH(qint64, frame);
    MetronomeClock clock;
    QCOMPARE(clock.ticksDue(5000000), 0LL);
    clock.restart(1000000, periodMs);
    QCOMPARE(clock.frameOf(tick), frame);
    QCOMPARE(clock.ticksDue(frame - 1), qint64(tick - 1));
    QCOMPARE(clock.ticksDue(frame), qint64(tick));
    QCOMPARE(clock.ticksDue(999999), 0LL);
}

void TestMetronome::stalledGuiKeepsTheGrid_data()
{
    QTest::addColumn<int>("stallTicks");
    QTest::addColumn<QList<int>>("heard");

    QTest::newRow("a beat and a bit") << 1 << QList<int> {1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("four beats") << 4 << QList<int> {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    // Beyond the schedule a tick stays silent rather than late.
    QTest::newRow("ten beats") << 10 << QList<int> {1, 2, 3, 4, 11, 12, 13, 14, 15, 16};
}

void TestMetronome::stalledGuiKeepsTheGrid()
{
    QFETCH(int, stallTicks);
    QFETCH(QList<int>, heard);
    AudioEngine* engine = AudioEngine::instance();
    // GIVEN a metronome at 208 with no bar, so that every beat ticks
    Metronome metronome(nullptr);
    metronome.resize(420, 520);
    auto* controls = metronome.findChild<MetronomeControls*>();
    button(controls, "BeatCombo")->menu()->actions().at(0)->trigger();
    const qint64 start = engine->framesMixed();
    controls->setInterval(208);
    SoundStartLog log;
    // WHEN the GUI thread stalls while the output runs on past several ticks
    mixTo(gridFrame(start, 288, stallTicks) + 6000);
    engine->poll();
    // THEN the face waits for the GUI thread, and then shows the last tick
    QCOMPARE(painted(&metronome), expectedFace(&metronome, faceFile("-")));
    QMetaObject::invokeMethod(&metronome, "slotShowTicks");
    QCOMPARE(painted(&metronome), expectedFace(&metronome, faceFile(stallTicks % 2 ? "R" : "L")));
    // WHEN the GUI thread runs again, its timer late, and six more ticks go by
    for (int tick = stallTicks + 1; tick <= stallTicks + 6; ++tick) {
        QMetaObject::invokeMethod(&metronome, "slotTick");
        mixTo(gridFrame(start, 288, tick));
    }
    engine->poll();
    // THEN every tick heard sounded on its own frame of the one grid
    QVector<qint64> frames;
    for (int tick : qAsConst(heard))
        frames << gridFrame(start, 288, tick);
    QCOMPARE(log.frames, frames);
}

void TestMetronome::ticksOnARunningDevice()
{
    // GIVEN the engine on a device of its own, which runs by itself
    AudioEngine* engine = AudioEngine::instance();
    engine->setManualClock(false);
    const auto manualAgain = qScopeGuard([engine] { engine->setManualClock(true); });
    SoundStartLog log;
    {
        // WHEN a metronome ticks every beat at 208
        Metronome metronome(nullptr);
        auto* controls = metronome.findChild<MetronomeControls*>();
        button(controls, "BeatCombo")->menu()->actions().at(0)->trigger();
        controls->setInterval(208);
        // THEN the device runs even before a sound starts, and the ticks come
        // on one grid
        QVERIFY(!engine->driverName().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(log.frames.size() >= 3, 10000);
    }
    // (whole periods of 12700.8 frames, to the frame; a tick may have gone
    // missing on a machine too busy for a second)
    for (qint64 frame : qAsConst(log.frames)) {
        const double periods = (frame - log.frames[0]) / 12700.8;
        QVERIFY2(
            qAbs(periods - qRound(periods)) * 12700.8 <= 1.0, qPrintable(QString::number(frame)));
    }
}

// The pages' pictures and those their style sheets name are in the resource tree.
void TestMetronome::everyPictureExists()
{
    QStringList names = PageStyleSheets::imageNames();
    for (int face = 0; face < Pictures::MetronomeFaceCount; ++face)
        names << Pictures::metronomeFace(Pictures::MetronomeFace(face));
    names << Pictures::noteHead() << Pictures::trebleClef() << Pictures::bassClef()
          << Pictures::leftSide() << Pictures::rightSide() << Pictures::keyboard();
    for (int key = 1; key <= 88; ++key)
        names << Pictures::markedKeyboard(QString::number(key));
    QVERIFY(names.size() > 100);
    for (const QString& name : qAsConst(names))
        QVERIFY2(!QImage(Pictures::resource(name)).isNull(), qPrintable(name));
    QCOMPARE(QImage(Pictures::resource(Pictures::metronomeFace(Pictures::Beat))).size(),
        QSize(800, 800));
}

void TestMetronome::scheduledSoundOfAMissingFile()
{
    const QString folder = DORuverud::App::theApp()->bundleResourcePath();
    const qint64 frame = AudioEngine::instance()->framesMixed() + 1000;
    SoundStartLog log;
    // A file that cannot be opened gives no player; a scheduled one sounds on its frame
    QVERIFY(!SamplePlayer::playAtFrame(folder + "no-such-tick.wav", frame));
    QVERIFY(SamplePlayer::playAtFrame(folder + "tick.wav", frame));
    mixTo(frame);
    AudioEngine::instance()->poll();
    QCOMPARE(log.fileNames(), QStringList {"tick.wav"});
    QCOMPARE(log.frames, QVector<qint64> {frame});
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestMetronome test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_Metronome.moc"
