#pragma once

#include <QFrame>

class QHBoxLayout;
class QIcon;
class QMenu;
class QPushButton;
class QSignalMapper;

namespace DORuverud {

class App;

// The top bar of a page: the "More" link menu on the left, two slots for
// page widgets, and the introduction, share, join, more-apps, rate and
// application-menu buttons on the right.
class PromoMenuBar : public QFrame
{
    Q_OBJECT

public:
    explicit PromoMenuBar(QWidget* parent);

    void hideIntroButton();
    void hideMoreButton();
    void hideRateButton();
    void hideMoreAppsButton();
    void hideShareButton();

    QMenu* shopMenu() const;
    void addMenuLink(const QIcon& icon, const QString& text, const QString& url);
    // Links to the store page of appName (lower-cased) with appId.
    void addMenuAppLink(
        const QIcon& icon, const QString& title, const QString& appName, const QString& appId);
    // Appends an action that its caller connects itself.
    void addMenuAction(QAction* action);
    void addMenuSeparator();

    void addWidget(QWidget* widget);
    void addCenterWidget(QWidget* widget);

private slots:
    void slotCallUrl(const QString& strUrl);

private:
    QPushButton* makeButton(const QString& objectName, const QString& toolTip);
    void connectToApp(QPushButton* button, void (App::*slot)());

    QMenu* m_pShopMenu;
    QSignalMapper* m_pMapper;
    QHBoxLayout* m_pWidgetSlot;
    QHBoxLayout* m_pCenterSlot;
    QPushButton* m_pIntroButton;
    QPushButton* m_pMoreButton;
    QPushButton* m_pRateButton;
    QPushButton* m_pMoreAppsButton;
    QPushButton* m_pShareButton;
    QPushButton* m_pJoinButton;
};

} // namespace DORuverud
