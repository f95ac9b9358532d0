#include "Metronome.h"

#include "App.h"
#include "AudioEngine.h"
#include "MetronomeBeats.h"
#include "MetronomeControls.h"
#include "MusicPagePictures.h"
#include "SamplePlayer.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace VADirur {

Metronome::Metronome(QWidget* parent)
    : QFrame(parent)
    , m_timer(this)
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
    restartTimer(m_pControls->interval());
    layOut();
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
    m_nBeatNs = m_clock.takeBeat(DIReridArazi::AudioEngine::clockNs());
    updateState(true);
    update();
    ++m_nTicks;
}

void Metronome::slotVisibleTickChanged(bool checked)
{
    m_bVisibleTick = !checked;
    m_pBeats->setVisible(m_bVisibleTick);
    updateState(false);
    update();
}

void Metronome::slotAudibleTickChanged(bool checked)
{
    m_bAudibleTick = !checked;
    updateState(false);
    update();
}

void Metronome::slotTickIntervalChanged(int bpm)
{
    restartTimer(bpm);
}

void Metronome::updateState(bool tick)
{
    const int beats = m_pControls->beatsCount();
    if (beats == 0) {
        normalBehavior(tick);
        return;
    }
    if (m_nBeatIndex >= beats) {
        m_nBeatIndex = 0;
        if (m_bVisibleTick)
            m_face = m_bAudibleTick ? beatPix() : muteBeatPix();
        else
            m_face = m_bAudibleTick ? eyesClosedPix() : closedMutePix();
        if (m_bAudibleTick && tick)
            play(QStringLiteral("bell.wav"));
    }
    m_pBeats->setCurrentBeat(m_nBeatIndex);
    if (m_nBeatIndex != 0)
        normalBehavior(tick);
    if (tick)
        ++m_nBeatIndex;
}

void Metronome::normalBehavior(bool tick)
{
    const bool odd = m_nTicks % 2 != 0;
    if (m_bVisibleTick && m_bAudibleTick)
        m_face = odd ? baseEyesLeftPix() : eyesRightPix();
    else if (m_bVisibleTick)
        m_face = odd ? muteEyesLeftPix() : muteEyesRightPix();
    else
        m_face = m_bAudibleTick ? eyesClosedPix() : closedMutePix();
    if (m_bAudibleTick && tick)
        play(QStringLiteral("tick.wav"));
}

void Metronome::play(const QString& fileName)
{
    SamplePlayer::playAt(m_strResourcesPath + fileName, m_nBeatNs);
}

void Metronome::restartTimer(int bpm)
{
    m_timer.stop();
    m_timer.setInterval(60000 / bpm);
    m_clock.restart(DIReridArazi::AudioEngine::clockNs(), m_timer.interval());
    m_timer.start();
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

    // Hidden lamps keep their room, so that the controls stay in place.
    QSizePolicy lampsPolicy = m_pBeats->sizePolicy();
    lampsPolicy.setRetainSizeWhenHidden(true);
    m_pBeats->setSizePolicy(lampsPolicy);
    auto* lampsRow = new QHBoxLayout;
    lampsRow->addStretch();
    lampsRow->addWidget(m_pBeats);
    lampsRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lampsRow);
    layout->addLayout(controlsRow);
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

QPixmap& Metronome::cachedPix(QPixmap& cache, MusicPagePictures::MetronomeFace face)
{
    if (cache.isNull()) {
        const QSize size(qRound(2.0 * width()), qRound(2.0 * height()));
        cache = QPixmap(MusicPagePictures::resource(MusicPagePictures::metronomeFace(face)))
                    .scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
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
    const int w = pixmap.width() / 2;
    const int h = pixmap.height() / 2;
    painter->drawPixmap(QRect(qAbs(width() - w) / 2, qAbs(height() - h) / 2, w, h), pixmap);
}

} // namespace VADirur
