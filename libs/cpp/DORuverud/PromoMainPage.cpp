#include "PromoMainPage.h"

#include "PromoMenuBar.h"

namespace DORuverud {

PromoMainPage::PromoMainPage(QWidget* parent)
    : QFrame(parent)
    , m_pPromoMenuBar(new PromoMenuBar(nullptr))
{
}

// The bar goes with the page unless a layout has given it another parent.
PromoMainPage::~PromoMainPage()
{
    if (!m_pPromoMenuBar->parent())
        delete m_pPromoMenuBar;
}

PromoMenuBar* PromoMainPage::promoMenuBar() const
{
    return m_pPromoMenuBar;
}

} // namespace DORuverud
