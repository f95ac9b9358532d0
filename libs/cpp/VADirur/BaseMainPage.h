#pragma once

#include <QFrame>

namespace DORuverud {
class PromoMenuBar;
}

namespace VADirur {

class MusicShopBase;

// The base of the instrument pages: owns the page's promotion bar and,
// once addShopMenu() ran, the instrument's shop links in the bar's menu.
class BaseMainPage : public QFrame
{
    Q_OBJECT

public:
    explicit BaseMainPage(QWidget* parent);

    // The bar made by the constructor; the page's layout adopts it.
    DORuverud::PromoMenuBar* promoMenuBar() const;
    // Creates the instrument's shop into m_pShop, then doShopConnections().
    virtual void addShopMenu() = 0;

protected:
    // Appends the shop entries to the bar's menu; once, after m_pShop is set.
    void doShopConnections();

    DORuverud::PromoMenuBar* m_pPromoMenuBar;
    MusicShopBase* m_pShop = nullptr;

protected slots:
    void slotMustHave();
    void slotNiceToHave();
    void slotRead();
    void slotHear();
    void slotSee();
    void slotWikipedia();

private:
    void addShopAction(const QString& icon, const QString& text, void (BaseMainPage::*slot)());
    void openLink(QString (MusicShopBase::*link)() const);
};

} // namespace VADirur
