#include "PianoNotesFinderMainPage.h"

#include "PianoNotesFinder.h"
#include "PianoShop.h"
#include "PromoMenuBar.h"

#include <QVBoxLayout>

namespace VADirur {

PianoNotesFinderMainPage::PianoNotesFinderMainPage(QWidget* parent)
    : BaseMainPage(parent)
{
    setObjectName(QStringLiteral("PianoNotesFinderMainPage"));
    m_pNotesFinder = new PianoNotesFinder(nullptr);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(promoMenuBar());
    layout->addWidget(m_pNotesFinder);
}

QSize PianoNotesFinderMainPage::minimumSizeHint() const
{
    return BaseMainPage::minimumSizeHint().expandedTo(QSize(200, 200));
}

void PianoNotesFinderMainPage::addShopMenu()
{
    m_pShop = new PianoShop(this);
    doShopConnections();
}

} // namespace VADirur
