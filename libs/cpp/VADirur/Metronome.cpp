#include "Metronome.h"

#include "App.h"
#include "AudioEngine.h"
#include "MetronomeBeats.h"
#include "MetronomeControls.h"
#include "MusicPagePictures.h"
#include "NativeAudioPlayer.h"
#include "SamplePlayer.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace VADirur {

namespace {

constexpr qint64 rate = DIReridArazi::AudioClip::sampleRate;
// Sounds are handed to the engine up to this far ahead of the output,
// beyond the next period: the longest the GUI thread may stall with no tick
// going missing.
constexpr qint64 stallFrames = rate;
// A sound asked for closer to the output than a few device periods might
// start late; one that close may be starting already and is left alone.
constexpr qint64 guardFrames = 4 * DIReridArazi::AudioOutput::framesPerPeriod;

enum class Sound { Silent, Tick, Bell };

// What the tick sounds that finds the beat index, with that many beats a
// bar: the bell opens every bar but the first, whose first tick is silent.
Sound soundOf(int beatIndex, int beats)
{
    if (beats == 0)
        return Sound::Tick;
    if (beatIndex >= beats)
        return Sound::Bell;
    return beatIndex == 0 ? Sound::Silent : Sound::Tick;
}

// The beat index after that tick.
int beatIndexAfter(int beatIndex, int beats)
{
    if (beats == 0)
        return beatIndex;
    return beatIndex >= beats ? 1 : beatIndex + 1;
}

DIReridArazi::AudioEngine* engine()
{
    return DIReridArazi::AudioEngine::instance();
}

} // namespace

Metronome::Metronome(QWidget* parent)
    : QFrame(parent)
    , m_timer(this)
    , m_faceTimer(this)
{
    setObjectName(QStringLiteral("Metronome"));
    m_timer.setTimerType(Qt::PreciseTimer);
    m_strResourcesPath = DORuverud::App::theApp()->bundleResourcePath();
    m_pBeats = new MetronomeBeats(nullptr);
    m_pControls = new MetronomeControls(nullptr);
    m_pBeats->slotSetBeats(m_pControls->beatsCount());

    connect(m_pControls, &MetronomeControls::beatsCountChanged, m_pBeats,
        &MetronomeBeats::slotSetBeats);
    connect(m_pControls, &MetronomeControls::visibleTickChanged, this,
        &Metronome::slotVisibleTickChanged);
    connect(m_pControls, &MetronomeControls::audibleTickChanged, this,
        &Metronome::slotAudibleTickChanged);
    connect(m_pControls, &MetronomeControls::intervalChanged, this,
        &Metronome::slotTickIntervalChanged);
    connect(&m_timer, &QTimer::timeout, this, &Metronome::slotTick);
    connect(m_pControls, &MetronomeControls::beatsCountChanged, this, &Metronome::rescheduleSounds);
    m_faceTimer.setSingleShot(true);
    m_faceTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_faceTimer, &QTimer::timeout, this, &Metronome::slotShowTicks);
    layOut();
    restartTimer(m_pControls->interval());
}

Metronome::~Metronome()
{
    cancelSounds(earliestFrame());
}

void Metronome::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(0, 0, width(), height());
    drawPixmap(&painter, baseEyesLeftPix());
    drawPixmap(&painter, m_face);
}

void Metronome::resizeEvent(QResizeEvent* event)
{
    setNeedsRecreatePixmaps();
    QWidget::resizeEvent(event);
}

void Metronome::slotTick()
{
    slotShowTicks();
    scheduleSounds(earliestFrame());
}

void Metronome::slotShowTicks()
{
    const qint64 due = m_clock.ticksDue(engine()->framesMixed());
    if (due > m_nShownTicks) {
        // After a stall every tick missed still takes its step in the bar.
        for (; m_nShownTicks < due; ++m_nShownTicks) {
            updateState(true);
            ++m_nTicks;
        }
        update();
    }
    aimFaceTimer();
}

void Metronome::slotVisibleTickChanged(bool checked)
{
    m_bVisibleTick = !checked;
    m_pBeats->setVisible(m_bVisibleTick);
    updateState(false);
    update();
    rescheduleSounds();
}

void Metronome::slotAudibleTickChanged(bool checked)
{
    m_bAudibleTick = !checked;
    updateState(false);
    update();
    rescheduleSounds();
}

void Metronome::slotTickIntervalChanged(int bpm)
{
    restartTimer(bpm);
}

void Metronome::updateState(bool tick)
{
    const int beats = m_pControls->beatsCount();
    if (beats == 0) {
        normalBehavior();
        return;
    }
    if (m_nBeatIndex >= beats) {
        m_nBeatIndex = 0;
        if (m_bVisibleTick)
            m_face = m_bAudibleTick ? beatPix() : muteBeatPix();
        else
            m_face = m_bAudibleTick ? eyesClosedPix() : closedMutePix();
    }
    m_pBeats->setCurrentBeat(m_nBeatIndex);
    if (m_nBeatIndex != 0)
        normalBehavior();
    if (tick)
        ++m_nBeatIndex;
}

void Metronome::normalBehavior()
{
    const bool odd = m_nTicks % 2 != 0;
    if (m_bVisibleTick && m_bAudibleTick)
        m_face = odd ? baseEyesLeftPix() : eyesRightPix();
    else if (m_bVisibleTick)
        m_face = odd ? muteEyesLeftPix() : muteEyesRightPix();
    else
        m_face = m_bAudibleTick ? eyesClosedPix() : closedMutePix();
}

void Metronome::play(const QString& fileName, qint64 frame)
{
    if (DIReridArazi::NativeAudioPlayer* player
        = SamplePlayer::playAtFrame(m_strResourcesPath + fileName, frame))
        m_sounds.append({frame, player});
}

void Metronome::restartTimer(int bpm)
{
    slotShowTicks();
    cancelSounds(earliestFrame());
    m_timer.stop();
    m_timer.setInterval(60000 / bpm);
    engine()->openOutput();
    m_clock.restart(engine()->framesMixed(), m_timer.interval());
    m_nShownTicks = 0;
    m_nScheduledTicks = 0;
    m_nScheduledBeatIndex = m_nBeatIndex;
    m_timer.start();
    scheduleSounds(earliestFrame());
    aimFaceTimer();
}

void Metronome::scheduleSounds(qint64 earliestFrame)
{
    const qint64 mixed = engine()->framesMixed();
    m_sounds.erase(
        std::remove_if(m_sounds.begin(), m_sounds.end(),
            [mixed](const ScheduledSound& sound) { return !sound.player || sound.frame < mixed; }),
        m_sounds.end());
    const qint64 horizon = earliestFrame + m_clock.periodFrames() + stallFrames;
    const int beats = m_pControls->beatsCount();
    for (qint64 tick = m_nScheduledTicks + 1; m_clock.frameOf(tick) < horizon; ++tick) {
        const qint64 frame = m_clock.frameOf(tick);
        const Sound sound = soundOf(m_nScheduledBeatIndex, beats);
        m_nScheduledBeatIndex = beatIndexAfter(m_nScheduledBeatIndex, beats);
        m_nScheduledTicks = tick;
        // A tick the output has (nearly) reached stays as it is: scheduled
        // already, or silent rather than late.
        if (m_bAudibleTick && sound != Sound::Silent && frame >= earliestFrame)
            play(sound == Sound::Bell ? QStringLiteral("bell.wav") : QStringLiteral("tick.wav"),
                frame);
    }
}

void Metronome::rescheduleSounds()
{
    const qint64 earliest = earliestFrame();
    cancelSounds(earliest);
    m_nScheduledTicks = m_nShownTicks;
    m_nScheduledBeatIndex = m_nBeatIndex;
    scheduleSounds(earliest);
}

void Metronome::cancelSounds(qint64 fromFrame)
{
    auto cancelled = [fromFrame](const ScheduledSound& sound) {
        return !sound.player || sound.frame >= fromFrame;
    };
    for (const ScheduledSound& sound : qAsConst(m_sounds)) {
        if (cancelled(sound))
            delete sound.player.data();
    }
    m_sounds.erase(std::remove_if(m_sounds.begin(), m_sounds.end(), cancelled), m_sounds.end());
}

qint64 Metronome::earliestFrame()
{
    return engine()->framesMixed() + guardFrames;
}

void Metronome::aimFaceTimer()
{
    const qint64 ahead = m_clock.frameOf(m_nShownTicks + 1) - engine()->framesMixed();
    // Rounded up; should the output lag behind the clock, the timer waits again.
    m_faceTimer.start(int(std::max<qint64>(1, (ahead * 1000 + rate - 1) / rate)));
}

void Metronome::layOut()
{
    auto* controlsColumn = new QVBoxLayout;
    controlsColumn->setContentsMargins(0, 0, 0, 0);
    controlsColumn->setSpacing(0);
    controlsColumn->addStretch(23);
    controlsColumn->addWidget(m_pControls);
    controlsColumn->addStretch(1);

    auto* controlsRow = new QHBoxLayout;
    controlsRow->setContentsMargins(0, 0, 0, 0);
    controlsRow->setSpacing(0);
    controlsRow->addStretch();
    controlsRow->addLayout(controlsColumn);
    controlsRow->addStretch();

    // Hidden lamps keep their room, so that the controls stay in place. The
    // lamps centre themselves in the whole width.
    QSizePolicy lampsPolicy = m_pBeats->sizePolicy();
    lampsPolicy.setRetainSizeWhenHidden(true);
    m_pBeats->setSizePolicy(lampsPolicy);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pBeats);
    layout->addLayout(controlsRow);
}

QRect Metronome::faceArea() const
{
    const int top = layout()->contentsMargins().top() + m_pBeats->height();
    return QRect(0, top, width(), std::max(0, height() - top));
}

QPixmap& Metronome::baseEyesLeftPix()
{
    return cachedPix(m_baseEyesLeftPix, MusicPagePictures::BaseEyesLeft);
}

QPixmap& Metronome::eyesRightPix()
{
    return cachedPix(m_eyesRightPix, MusicPagePictures::EyesRight);
}

QPixmap& Metronome::beatPix()
{
    return cachedPix(m_beatPix, MusicPagePictures::Beat);
}

QPixmap& Metronome::muteEyesLeftPix()
{
    return cachedPix(m_muteEyesLeftPix, MusicPagePictures::MuteEyesLeft);
}

QPixmap& Metronome::muteEyesRightPix()
{
    return cachedPix(m_muteEyesRightPix, MusicPagePictures::MuteEyesRight);
}

QPixmap& Metronome::muteBeatPix()
{
    return cachedPix(m_muteBeatPix, MusicPagePictures::MuteBeat);
}

QPixmap& Metronome::eyesClosedPix()
{
    return cachedPix(m_eyesClosedPix, MusicPagePictures::EyesClosed);
}

QPixmap& Metronome::closedMutePix()
{
    return cachedPix(m_closedMutePix, MusicPagePictures::EyesClosedMute);
}

// A window larger than its screen shows no more of the picture than the
// screen holds, so the picture is made for the face area only as far as
// the screen reaches.
QPixmap& Metronome::cachedPix(QPixmap& cache, MusicPagePictures::MetronomeFace face)
{
    if (cache.isNull()) {
        const QPixmap picture(MusicPagePictures::resource(MusicPagePictures::metronomeFace(face)));
        QSize size = picture.size().scaled(2 * faceArea().size(), Qt::KeepAspectRatio);
        const QSize largest = 2 * screen()->size();
        if (size.width() > largest.width() || size.height() > largest.height())
            size.scale(largest, Qt::KeepAspectRatio);
        cache = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return cache;
}

void Metronome::setNeedsRecreatePixmaps()
{
    for (QPixmap* cache : {&m_baseEyesLeftPix, &m_eyesRightPix, &m_beatPix, &m_muteEyesLeftPix,
             &m_muteEyesRightPix, &m_muteBeatPix, &m_eyesClosedPix, &m_closedMutePix})
        *cache = QPixmap();
}

void Metronome::drawPixmap(QPainter* painter, const QPixmap& pixmap)
{
    if (pixmap.isNull())
        return;
    const QRect area = faceArea();
    // The size the picture would have at twice the area; one held smaller
    // is drawn scaled up to the same place.
    const QSize twice = pixmap.size().scaled(2 * area.size(), Qt::KeepAspectRatio);
    const int w = twice.width() / 2;
    const int h = twice.height() / 2;
    painter->setRenderHint(QPainter::SmoothPixmapTransform, pixmap.size() != twice);
    painter->drawPixmap(QRect(area.left() + qAbs(area.width() - w) / 2,
                            area.top() + qAbs(area.height() - h) / 2, w, h),
        pixmap);
}

} // namespace VADirur
