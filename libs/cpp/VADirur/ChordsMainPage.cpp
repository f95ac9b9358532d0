#include "ChordsMainPage.h"

#include "App.h"
#include "AppStyleSheet.h"
#include "AudioEngine.h"
#include "ChordView.h"
#include "ChordsButtonsPanel.h"
#include "PromoMenuBar.h"
#include "SamplePlayer.h"
#include "Transposer.h"

#include <QVBoxLayout>

namespace VADirur {

static const int chordCount = 132;

ChordsMainPage::ChordsMainPage(QWidget* parent)
    : BaseMainPage(parent)
    , m_vecSounds(chordCount)
    , m_vecTabs(chordCount)
{
    setObjectName(QStringLiteral("MainPage"));
    setMinimumSize(400, 600);
    m_strResourcePath = DORuverud::App::theApp()->bundleResourcePath();

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

    QVBoxLayout* layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(promoMenuBar());
    layout->addWidget(m_pChordsButtonsPanel);
    layout->addWidget(m_pChordView);
    layout->addWidget(m_pTransposer);
    setLayout(layout);
}

ChordsMainPage::~ChordsMainPage() = default;

void ChordsMainPage::applyStyle()
{
    qApp->setStyleSheet(AppStyleSheet::text());
}

void ChordsMainPage::setInstrumentName(const QString& name)
{
    m_pChordView->setInstrumentName(name);
}

void ChordsMainPage::setDelay(int delay)
{
    m_nDelay = delay;
}

QString ChordsMainPage::currentChord() const
{
    return m_pChordsButtonsPanel->currentChord();
}

void ChordsMainPage::setCurrentChord(const QString& chord)
{
    m_pChordsButtonsPanel->setChord(chord);
}

QStringList ChordsMainPage::currentTransposerChords() const
{
    return m_pTransposer->currentChords();
}

void ChordsMainPage::setCurrentTransposerChords(const QStringList& chords)
{
    m_pTransposer->setCurrentChords(chords);
}

int ChordsMainPage::currentTransposerChordIndex() const
{
    return m_pTransposer->currentChordIndex();
}

void ChordsMainPage::setCurrentTransposerChordIndex(int index)
{
    m_pTransposer->setCurrentChordIndex(index);
}

void ChordsMainPage::recreateFavoritesMenu()
{
    m_pTransposer->recreateFavoritesMenu();
}

void ChordsMainPage::updateTransposerState()
{
    m_pTransposer->updateState();
}

void ChordsMainPage::slotSetChordAndName(int n, const QString& str)
{
    m_nCurrentChord = n;
    m_pChordView->setChordTabAndName(n, m_vecTabs.at(n), str);
}

void ChordsMainPage::showEvent(QShowEvent* event)
{
    BaseMainPage::showEvent(event);
    QStringList paths;
    for (const QStringList& sounds : qAsConst(m_vecSounds))
        paths << sounds;
    paths.removeDuplicates();
    DIReridArazi::AudioEngine::instance()->prefetch(paths);
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
