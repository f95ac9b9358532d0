#include "MetronomeMainPage.h"

#include "Metronome.h"
#include "PromoMenuBar.h"

#include <QVBoxLayout>

namespace VADirur {

MetronomeMainPage::MetronomeMainPage(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("MetronomeMainPage"));
    m_pPromoMenuBar = new DORuverud::PromoMenuBar(nullptr);
    m_pMetronome = new Metronome(nullptr);
    m_pPromoMenuBar->hideRateButton();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pPromoMenuBar);
    layout->addWidget(m_pMetronome);
}

DORuverud::PromoMenuBar* MetronomeMainPage::promoMenuBar() const
{
    return m_pPromoMenuBar;
}

QSize MetronomeMainPage::minimumSizeHint() const
{
    return QFrame::minimumSizeHint().expandedTo(QSize(200, 200));
}

} // namespace VADirur
