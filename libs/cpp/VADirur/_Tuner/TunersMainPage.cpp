#include "TunersMainPage.h"

#include "App.h"
#include "AppConfig.h"
#include "BalalaikaTuner.h"
#include "BanjoTuner.h"
#include "BassGuitarTuner.h"
#include "CelloTuner.h"
#include "DombraTuner.h"
#include "DoubleBassTuner.h"
#include "GuitarTuner.h"
#include "MandolinTuner.h"
#include "ModesPanel.h"
#include "TunerStyleSheet.h"
#include "TunersExplorer.h"
#include "UkuleleTuner.h"
#include "ViolaTuner.h"
#include "ViolinTuner.h"

#include <QHBoxLayout>
#include <QResizeEvent>
#include <QStackedWidget>

namespace VADirur {

TunersMainPage::TunersMainPage(QWidget* parent, bool hideExplorer)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("MainPage"));
    qApp->setStyleSheet(strStyle);
    auto* explorer = new TunersExplorer(nullptr);
    explorer->setVisible(!hideExplorer);
    m_pStack = new QStackedWidget(nullptr);
    m_pViolin = new ViolinTuner(nullptr);
    m_pViola = new ViolaTuner(nullptr);
    m_pCello = new CelloTuner(nullptr);
    m_pDoubleBass = new DoubleBassTuner(nullptr);
    m_pGuitar = new GuitarTuner(nullptr);
    m_pBassGuitar = new BassGuitarTuner(nullptr);
    m_pUkulele = new UkuleleTuner(nullptr);
    m_pBanjo = new BanjoTuner(nullptr);
    m_pBalalaika = new BalalaikaTuner(nullptr);
    m_pMandolin = new MandolinTuner(nullptr);
    m_pDombra = new DombraTuner(nullptr);
    for (QWidget* page :
        std::initializer_list<QWidget*> {m_pGuitar, m_pBassGuitar, m_pUkulele, m_pBanjo, m_pViolin,
            m_pViola, m_pCello, m_pDoubleBass, m_pBalalaika, m_pMandolin, m_pDombra})
        m_pStack->addWidget(page);

    connectExplorer(explorer);
    fitStackToStrips();

    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(explorer);
    layout->addWidget(makeSeparator());
    layout->addWidget(m_pStack);
    setLayout(layout);

    DORuverud::App* app = DORuverud::App::theApp();
    resize(app->settingsValue(QStringLiteral("Width"), 736).toInt(),
        app->settingsValue(QStringLiteral("Height"), 636).toInt());
    m_pStack->setCurrentWidget(m_pGuitar);
}

void TunersMainPage::connectExplorer(TunersExplorer* explorer)
{
    connect(explorer, &TunersExplorer::showViolin, this, &TunersMainPage::slotShowViolin);
    connect(explorer, &TunersExplorer::showViola, this, &TunersMainPage::slotShowViola);
    connect(explorer, &TunersExplorer::showCello, this, &TunersMainPage::slotShowCello);
    connect(explorer, &TunersExplorer::showDoubleBass, this, &TunersMainPage::slotShowDoubleBass);
    connect(explorer, &TunersExplorer::showGuitar, this, &TunersMainPage::slotShowGuitar);
    connect(explorer, &TunersExplorer::showBassGuitar, this, &TunersMainPage::slotShowBassGuitar);
    connect(explorer, &TunersExplorer::showUkulele, this, &TunersMainPage::slotShowUkulele);
    connect(explorer, &TunersExplorer::showBanjo, this, &TunersMainPage::slotShowBanjo);
    connect(explorer, &TunersExplorer::showBalalaika, this, &TunersMainPage::slotShowBalalaika);
    connect(explorer, &TunersExplorer::showMandolin, this, &TunersMainPage::slotShowMandolin);
    connect(explorer, &TunersExplorer::showDombra, this, &TunersMainPage::slotShowDombra);
    connect(explorer, &TunersExplorer::showMore, this, &TunersMainPage::slotGotoPromotedApp);
    connect(
        explorer, &TunersExplorer::repeatModeChangedTo, this, &TunersMainPage::slotSetRepeatMode);
}

// A page may be narrower than its top strip; the stack is not, so that the
// strip's texts stay whole. Measured in the tuner's style, which the pages
// take only when polished.
void TunersMainPage::fitStackToStrips()
{
    int stripWidth = 0;
    for (TunerBasePage* page : pages()) {
        page->ensurePolished();
        stripWidth = qMax(stripWidth, page->modesPanel()->minimumSizeHint().width());
    }
    m_pStack->setMinimumWidth(stripWidth);
}

QFrame* TunersMainPage::makeSeparator()
{
    auto* separator = new QFrame(nullptr);
    separator->setFrameStyle(QFrame::VLine | QFrame::Raised);
    separator->setLineWidth(2);
    separator->setObjectName(QStringLiteral("MainSeparator"));
    return separator;
}

QList<TunerBasePage*> TunersMainPage::pages() const
{
    return {m_pViolin, m_pViola, m_pCello, m_pDoubleBass, m_pGuitar, m_pBassGuitar, m_pUkulele,
        m_pBanjo, m_pBalalaika, m_pMandolin, m_pDombra};
}

void TunersMainPage::hideAppOptionsOnEachPage()
{
    for (TunerBasePage* page : pages())
        page->hideAppOptions();
}

void TunersMainPage::slotShowViolin()
{
    m_pStack->setCurrentWidget(m_pViolin);
}

void TunersMainPage::slotShowViola()
{
    m_pStack->setCurrentWidget(m_pViola);
}

void TunersMainPage::slotShowCello()
{
    m_pStack->setCurrentWidget(m_pCello);
}

void TunersMainPage::slotShowDoubleBass()
{
    m_pStack->setCurrentWidget(m_pDoubleBass);
}

void TunersMainPage::slotShowGuitar()
{
    m_pStack->setCurrentWidget(m_pGuitar);
}

void TunersMainPage::slotShowBassGuitar()
{
    m_pStack->setCurrentWidget(m_pBassGuitar);
}

void TunersMainPage::slotShowUkulele()
{
    m_pStack->setCurrentWidget(m_pUkulele);
}

void TunersMainPage::slotShowBanjo()
{
    m_pStack->setCurrentWidget(m_pBanjo);
}

void TunersMainPage::slotShowBalalaika()
{
    m_pStack->setCurrentWidget(m_pBalalaika);
}

void TunersMainPage::slotShowMandolin()
{
    m_pStack->setCurrentWidget(m_pMandolin);
}

void TunersMainPage::slotShowDombra()
{
    m_pStack->setCurrentWidget(m_pDombra);
}

void TunersMainPage::slotSetRepeatMode(bool on)
{
    for (TunerBasePage* page : pages())
        page->slotSetRepeatMode(on);
}

void TunersMainPage::slotGotoPromotedApp()
{
    const QString address = DORuverud::AppConfig::appStorePage(
        QStringLiteral("Tessivar"), DORuverud::AppConfig::appStoreId());
    DORuverud::App::openLink(address);
}

void TunersMainPage::resizeEvent(QResizeEvent* event)
{
    DORuverud::App* app = DORuverud::App::theApp();
    app->setSettingsValue(QStringLiteral("Width"), event->size().width());
    app->setSettingsValue(QStringLiteral("Height"), event->size().height());
    QWidget::resizeEvent(event);
}

} // namespace VADirur
