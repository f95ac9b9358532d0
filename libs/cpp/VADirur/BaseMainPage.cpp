#include "BaseMainPage.h"

#include "App.h"
#include "AppMenu.h"
#include "MusicShopBase.h"
#include "PromoMenuBar.h"

#include <QAction>

namespace VADirur {

BaseMainPage::BaseMainPage(QWidget* parent)
    : QFrame(parent)
    , m_pPromoMenuBar(new DORuverud::PromoMenuBar(nullptr))
{
}

DORuverud::PromoMenuBar* BaseMainPage::promoMenuBar() const
{
    return m_pPromoMenuBar;
}

void BaseMainPage::doShopConnections()
{
    m_pPromoMenuBar->addMenuSeparator();
    addShopAction(QStringLiteral(":/musthave.png"), tr("Must Have"), &BaseMainPage::slotMustHave);
    addShopAction(
        QStringLiteral(":/nicetohave.png"), tr("Nice to Have"), &BaseMainPage::slotNiceToHave);
    addShopAction(QStringLiteral(":/read.png"), tr("Read"), &BaseMainPage::slotRead);
    addShopAction(QStringLiteral(":/ohr.png"), tr("Hear"), &BaseMainPage::slotHear);
    addShopAction(QStringLiteral(":/eye.png"), tr("See"), &BaseMainPage::slotSee);
    m_pPromoMenuBar->addMenuSeparator();
    addShopAction(QStringLiteral(":/wikipedia.png"), tr("Wikipedia"), &BaseMainPage::slotWikipedia);
}

void BaseMainPage::addShopAction(
    const QString& icon, const QString& text, void (BaseMainPage::*slot)())
{
    QAction* action = new QAction(DORuverud::AppMenu::menuIcon(icon), text, this);
    connect(action, &QAction::triggered, this, slot);
    m_pPromoMenuBar->addMenuAction(action);
}

void BaseMainPage::openLink(QString (MusicShopBase::*link)() const)
{
    if (m_pShop)
        DORuverud::App::openLink((m_pShop->*link)());
}

void BaseMainPage::slotMustHave()
{
    openLink(&MusicShopBase::mustHave);
}

void BaseMainPage::slotNiceToHave()
{
    openLink(&MusicShopBase::niceToHave);
}

void BaseMainPage::slotRead()
{
    openLink(&MusicShopBase::read);
}

void BaseMainPage::slotHear()
{
    openLink(&MusicShopBase::hear);
}

void BaseMainPage::slotSee()
{
    openLink(&MusicShopBase::see);
}

void BaseMainPage::slotWikipedia()
{
    openLink(&MusicShopBase::wikipedia);
}

} // namespace VADirur
