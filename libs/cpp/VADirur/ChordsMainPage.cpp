#include "ChordsMainPage.h"

#include "App.h"
#include "AppStyleSheet.h"
#include "AudioEngine.h"
#include "ChordView.h"
#include "ChordsButtonsPanel.h"
#include "PromoMenuBar.h"
#include "SamplePlayer.h"
#include "Transposer.h"

#include <QTimer>
#include <QVBoxLayout>

namespace VADirur {

static const int chordCount = 132;
static bool contentDeferred = false;

ChordsMainPage::ChordsMainPage(QWidget* parent)
    : BaseMainPage(parent)
    , m_vecSounds(chordCount)
    , m_vecTabs(chordCount)
{
    setObjectName(QStringLiteral("MainPage"));
    m_strResourcePath = DORuverud::App::theApp()->bundleResourcePath();

    QVBoxLayout* layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(promoMenuBar());
    setLayout(layout);
}

void ChordsMainPage::finishConstruction()
{
    if (!contentDeferred)
        ensureContent();
}

void ChordsMainPage::ensureContent()
{
    if (m_pChordView)
        return;
    m_pChordsButtonsPanel = new ChordsButtonsPanel(nullptr);
    m_pChordView = new ChordView(nullptr);
    m_pTransposer = new Transposer(nullptr);
    m_pTransposer->setChordsButtonsPanel(m_pChordsButtonsPanel);

    connect(m_pChordsButtonsPanel, &ChordsButtonsPanel::chordChanged, this,
        &ChordsMainPage::slotSetChordAndName);
    connect(m_pChordView, &ChordView::play, this, &ChordsMainPage::slotPlay);
    connect(m_pTransposer, &Transposer::play, this, &ChordsMainPage::slotPlay);

    if (DORuverud::App::theApp()->isPocketDevice()) {
        m_pChordsButtonsPanel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        m_pChordView->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }

    layout()->addWidget(m_pChordsButtonsPanel);
    layout()->addWidget(m_pChordView);
    layout()->addWidget(m_pTransposer);

    m_pChordView->setInstrumentName(m_instrumentName);
    m_pChordView->setChordTabAndName(
        m_nCurrentChord, m_vecTabs.at(m_nCurrentChord), m_pChordsButtonsPanel->currentChord());
}

void ChordsMainPage::setVisible(bool visible)
{
    // Built while still hidden, so the page shows whole in its first frame.
    if (visible)
        ensureContent();
    BaseMainPage::setVisible(visible);
}

ChordsMainPage::~ChordsMainPage() = default;

QSize ChordsMainPage::minimumSizeHint() const
{
    return BaseMainPage::minimumSizeHint().expandedTo(QSize(400, 600));
}

void ChordsMainPage::applyStyle()
{
    qApp->setStyleSheet(AppStyleSheet::text());
}

void ChordsMainPage::setContentDeferred(bool deferred)
{
    contentDeferred = deferred;
}

void ChordsMainPage::setInstrumentName(const QString& name)
{
    m_instrumentName = name;
    if (m_pChordView)
        m_pChordView->setInstrumentName(name);
}

void ChordsMainPage::setDelay(int delay)
{
    m_nDelay = delay;
}

QString ChordsMainPage::currentChord() const
{
    return m_pChordsButtonsPanel ? m_pChordsButtonsPanel->currentChord() : QStringLiteral("A");
}

void ChordsMainPage::setCurrentChord(const QString& chord)
{
    ensureContent();
    m_pChordsButtonsPanel->setChord(chord);
}

QStringList ChordsMainPage::currentTransposerChords() const
{
    return m_pTransposer ? m_pTransposer->currentChords() : QStringList();
}

void ChordsMainPage::setCurrentTransposerChords(const QStringList& chords)
{
    ensureContent();
    m_pTransposer->setCurrentChords(chords);
}

int ChordsMainPage::currentTransposerChordIndex() const
{
    return m_pTransposer ? m_pTransposer->currentChordIndex() : -1;
}

void ChordsMainPage::setCurrentTransposerChordIndex(int index)
{
    ensureContent();
    m_pTransposer->setCurrentChordIndex(index);
}

void ChordsMainPage::recreateFavoritesMenu()
{
    ensureContent();
    m_pTransposer->recreateFavoritesMenu();
}

void ChordsMainPage::updateTransposerState()
{
    ensureContent();
    m_pTransposer->updateState();
}

void ChordsMainPage::slotSetChordAndName(int n, const QString& str)
{
    m_nCurrentChord = n;
    m_pChordView->setChordTabAndName(n, m_vecTabs.at(n), str);
    if (isVisible())
        prefetchShownChord();
}

void ChordsMainPage::showEvent(QShowEvent* event)
{
    BaseMainPage::showEvent(event);
    m_prefetchDue = true;
}

void ChordsMainPage::paintEvent(QPaintEvent* event)
{
    BaseMainPage::paintEvent(event);
    if (!m_prefetchDue)
        return;
    m_prefetchDue = false;
    QTimer::singleShot(0, this, &ChordsMainPage::prefetchShownChord);
}

void ChordsMainPage::prefetchShownChord()
{
    DIReridArazi::AudioEngine::instance()->prefetch(m_vecSounds.at(m_nCurrentChord));
}

void ChordsMainPage::slotPlay()
{
    slotPlayChord(m_vecSounds.at(m_nCurrentChord));
}

void ChordsMainPage::slotPlayChord(const QStringList& sounds)
{
    const QStringList paths = sounds;
    for (const QString& path : paths) {
        if (!path.isEmpty())
            SamplePlayer::play(path);
    }
}

} // namespace VADirur
