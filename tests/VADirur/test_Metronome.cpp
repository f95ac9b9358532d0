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
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

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

// Black, the base picture and the face, each made at twice the size and
// shown centred at half its pixel size.
QImage expectedFace(const QSize& size, const QString& face)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    QStringList layers {Pictures::metronomeFace(Pictures::BaseEyesLeft)};
    if (face != QLatin1String("-"))
        layers << face;
    for (const QString& layer : layers) {
        const QPixmap picture
            = QPixmap(Pictures::resource(layer))
                  .scaled(size * 2, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        const QSize half = picture.size() / 2;
        painter.drawPixmap(QRect(QPoint(qAbs(size.width() - half.width()) / 2,
                                     qAbs(size.height() - half.height()) / 2),
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

struct Ticker
{
    Metronome* metronome;
    SoundStartLog log;
    QStringList expected;

    // One tick; an expected sound ("t" or "b", "-" for none) must start.
    bool tick(const QString& sound)
    {
        QMetaObject::invokeMethod(metronome, "slotTick");
        if (sound != QLatin1String("-"))
            expected << soundFile(sound);
        return QTest::qWaitFor([this] { return log.names.size() >= expected.size(); }, 10000);
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
    void tickPeriod();
    void barSequence_data();
    void barSequence();
    void switchesRefreshSilently();
    void beatGrid_data();
    void beatGrid();
    void everyPictureExists();
    void scheduledSoundOfAMissingFile();
};

void TestMetronome::initTestCase()
{
    LivePlayers::install();
}

// Every player goes once its sound has ended.
void TestMetronome::cleanupTestCase()
{
    QTRY_COMPARE_WITH_TIMEOUT(LivePlayers::count(), 0, 30000);
}

void TestMetronome::newPage()
{
    MetronomeMainPage page(nullptr);
    QVERIFY(page.promoMenuBar()->findChild<QPushButton*>(QStringLiteral("RateButton"))->isHidden());
    QCOMPARE(page.minimumSize(), QSize(200, 200));
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
    Metronome metronome(nullptr);
    metronome.resize(420, 520);
    auto* controls = metronome.findChild<MetronomeControls*>();
    const int item = beats == 0 ? 0 : beats - 1;
    controls->findChild<QPushButton*>(QStringLiteral("BeatCombo"))
        ->menu()
        ->actions()
        .at(item)
        ->trigger();
    Ticker ticker {&metronome, {}, {}};
    const QStringList sound = sounds.split(' ');
    const QStringList face = faces.split(' ');
    const QStringList lamp = lit.split(' ');
    for (int i = 0; i < sound.size(); ++i) {
        // WHEN it ticks
        QVERIFY(ticker.tick(sound[i]));
        // THEN the tick's face and lamp show at once
        QCOMPARE(painted(&metronome), expectedFace(metronome.size(), faceFile(face[i])));
        QCOMPARE(litLamp(&metronome), lamp[i]);
    }
    // AND the sounds came in order, nothing more
    QTest::qWait(150);
    QCOMPARE(ticker.log.fileNames(), ticker.expected);
}

void TestMetronome::switchesRefreshSilently()
{
    // GIVEN a metronome two ticks into its bar
    Metronome metronome(nullptr);
    metronome.resize(420, 520);
    Ticker ticker {&metronome, {}, {}};
    QVERIFY(ticker.tick("-"));
    QVERIFY(ticker.tick("t"));
    QPushButton* visible = button(&metronome, "VisibleTickButton");
    QPushButton* audible = button(&metronome, "AudiableTickButton");
    const QSize size = metronome.size();
    // WHEN the visible tick is switched off, THEN the eyes close and the lamps go at once
    visible->click();
    QCOMPARE(painted(&metronome), expectedFace(size, faceFile("C")));
    QVERIFY(metronome.findChild<MetronomeBeats*>()->isHidden());
    // WHEN the sound is switched off too, THEN the face is the closed, muted one
    audible->click();
    QCOMPARE(painted(&metronome), expectedFace(size, faceFile("CM")));
    // AND a tick is silent; with the eyes back the muted eyes move
    QVERIFY(ticker.tick("-"));
    visible->click();
    QVERIFY(!metronome.findChild<MetronomeBeats*>()->isHidden());
    QCOMPARE(painted(&metronome), expectedFace(size, faceFile("ML")));
    QVERIFY(ticker.tick("-"));
    QCOMPARE(painted(&metronome), expectedFace(size, faceFile("ML")));
    QVERIFY(ticker.tick("-"));
    QCOMPARE(painted(&metronome), expectedFace(size, faceFile("MB")));
    // AND with the sound back the face is lively again and the next tick is heard
    audible->click();
    QCOMPARE(painted(&metronome), expectedFace(size, faceFile("L")));
    QVERIFY(ticker.tick("t"));
    QTest::qWait(150);
    QCOMPARE(ticker.log.fileNames(), ticker.expected);
}

void TestMetronome::beatGrid_data()
{
    QTest::addColumn<qint64>("firstAtMs");
    QTest::addColumn<qint64>("secondAtMs");
    QTest::addColumn<qint64>("firstBeatMs");
    QTest::addColumn<qint64>("secondBeatMs");

    // A period of 288 ms from 0; each beat one lead after its tick is due.
    QTest::newRow("on time") << 288LL << 576LL << 288LL << 576LL;
    QTest::newRow("late timers keep the grid") << 300LL << 620LL << 288LL << 576LL;
    QTest::newRow("a tick late by a period starts anew") << 600LL << 900LL << 600LL << 888LL;
    QTest::newRow("a tick before its time sounds from then") << 100LL << 388LL << 100LL << 388LL;
}

void TestMetronome::beatGrid()
{
    QFETCH(qint64, firstAtMs);
    QFETCH(qint64, secondAtMs);
    const qint64 ms = 1000 * 1000;
    QFETCH(qint64, firstBeatMs);
    QFETCH(qint64, secondBeatMs);
    MetronomeClock clock;
    clock.restart(0, 288);
    QCOMPARE(clock.takeBeat(firstAtMs * ms), firstBeatMs * ms + MetronomeClock::leadNs);
    QCOMPARE(clock.takeBeat(secondAtMs * ms), secondBeatMs * ms + MetronomeClock::leadNs);
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
    const qint64 soon = DIReridArazi::AudioEngine::clockNs() + MetronomeClock::leadNs;
    SoundStartLog log;
    // A file that cannot be opened gives no player; a scheduled one sounds
    QVERIFY(!SamplePlayer::playAt(folder + "no-such-tick.wav", soon));
    QVERIFY(SamplePlayer::playAt(folder + "tick.wav", soon));
    QTRY_COMPARE_WITH_TIMEOUT(log.fileNames(), QStringList {"tick.wav"}, 10000);
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestMetronome test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_Metronome.moc"
