#pragma once

#include "TunersCommonPanel.h"

namespace VADirur {

// The top strip of an instrument tuner page: the common controls, then a
// Modes button (hidden until a page gives it a menu) and a More button
// whose menu links to other products, the instrument's shops and its
// encyclopedia article.
class ModesPanel : public TunersCommonPanel
{
    Q_OBJECT

public:
    explicit ModesPanel(QWidget* parent);

    void setMustHave(const QString& url);
    void setNiceToHave(const QString& url);
    void setRead(const QString& url);
    void setHear(const QString& url);
    void setSee(const QString& url);
    void setWikipedia(const QString& url);

    // Appends the shop entries and the encyclopedia entry to the More menu.
    void addBaseActions();
    // An entry opening the store page of an application; the store name is
    // lower-cased in the address.
    void addMenuAppLink(const QPixmap& icon, const QString& title, const QString& storeName,
        const QString& storeId);
    void addMenuLink(const QPixmap& icon, const QString& title, const QString& url);
    void addMenuAction(QAction* action);
    void addMenuSeparator();

    QPushButton* modesButton() const;
    // Hides the pitch button, the repeat switch and the App button.
    void hideAppOptions();

private slots:
    void slotMustHave();
    void slotNiceToHave();
    void slotRead();
    void slotHear();
    void slotSee();
    void slotWikipedia();
    void slotCallUrl(const QString& url);

private:
    void addBaseAction(const char* icon, const QString& text, void (ModesPanel::*slot)());

    QPushButton* m_pModesButton;
    QPushButton* m_pMoreButton;
    QMenu* m_pMoreMenu;
    QString m_strMustHave;
    QString m_strNiceToHave;
    QString m_strRead;
    QString m_strHear;
    QString m_strSee;
    QString m_strWikipedia;
};

} // namespace VADirur
