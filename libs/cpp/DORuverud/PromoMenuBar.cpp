#include "PromoMenuBar.h"

#include "App.h"
#include "AppButton.h"
#include "AppConfig.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QSignalMapper>

namespace DORuverud {

PromoMenuBar::PromoMenuBar(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("MenuBar"));
    m_pMapper = new QSignalMapper(this);
    connect(m_pMapper, &QSignalMapper::mappedString, this, &PromoMenuBar::slotCallUrl);

    m_pIntroButton = makeButton(QStringLiteral("IntroButton"), tr("Introduction"));
    m_pMoreButton = makeButton(QStringLiteral("MoreButton"), tr("More"));
    m_pRateButton = makeButton(QStringLiteral("RateButton"), tr("Rate App"));
    m_pMoreAppsButton = makeButton(QStringLiteral("MoreAppsButton"), tr("More Apps"));
    m_pShareButton = makeButton(QStringLiteral("ShareButton"), tr("Share"));
    m_pJoinButton = makeButton(QStringLiteral("JoinButton"), tr("Join Us"));

    m_pShopMenu = new QMenu(m_pMoreButton);
    m_pMoreButton->setMenu(m_pShopMenu);
    m_pRateButton->hide();

    AppButton* appButton = new AppButton(nullptr);
    appButton->setFlat(true);
    appButton->setObjectName(QStringLiteral("AppButton"));
    appButton->setToolTip(tr("App Menu"));
    appButton->setFixedSize(32, 32);

    connect(appButton, &AppButton::quitPressed, App::theApp(), &QCoreApplication::quit);
    connectToApp(m_pRateButton, &App::slotRateApp);
    connectToApp(m_pIntroButton, &App::slotHelp);
    connectToApp(m_pMoreAppsButton, &App::slotShowMoreApps);
    connectToApp(m_pShareButton, &App::slotShareApp);
    connectToApp(m_pJoinButton, &App::slotJoin);

    m_pWidgetSlot = new QHBoxLayout;
    m_pCenterSlot = new QHBoxLayout;
    QHBoxLayout* layout = new QHBoxLayout;
    layout->setContentsMargins(5, 5, 5, 5);
    layout->setSpacing(10);
    layout->addWidget(m_pMoreButton);
    layout->addStretch(1);
    layout->addLayout(m_pCenterSlot);
    layout->addStretch(1);
    layout->addLayout(m_pWidgetSlot);
    layout->addWidget(m_pIntroButton);
    layout->addWidget(m_pShareButton);
    layout->addWidget(m_pJoinButton);
    layout->addWidget(m_pMoreAppsButton);
    layout->addWidget(m_pRateButton);
    layout->addWidget(appButton);
    setLayout(layout);
}

QPushButton* PromoMenuBar::makeButton(const QString& objectName, const QString& toolTip)
{
    QPushButton* button = new QPushButton;
    button->setObjectName(objectName);
    button->setFlat(true);
    button->setToolTip(toolTip);
    button->setFixedSize(32, 32);
    return button;
}

void PromoMenuBar::connectToApp(QPushButton* button, void (App::*slot)())
{
    connect(button, &QPushButton::clicked, App::theApp(), slot);
}

void PromoMenuBar::hideIntroButton()
{
    m_pIntroButton->hide();
}

void PromoMenuBar::hideMoreButton()
{
    m_pMoreButton->hide();
}

void PromoMenuBar::hideRateButton()
{
    m_pRateButton->hide();
}

void PromoMenuBar::hideMoreAppsButton()
{
    m_pMoreAppsButton->hide();
}

void PromoMenuBar::hideShareButton()
{
    m_pShareButton->hide();
}

QMenu* PromoMenuBar::shopMenu() const
{
    return m_pShopMenu;
}

void PromoMenuBar::addMenuLink(const QIcon& icon, const QString& text, const QString& url)
{
    QAction* action = new QAction(icon, text, this);
    connect(action, &QAction::triggered, m_pMapper, qOverload<>(&QSignalMapper::map));
    m_pMapper->setMapping(action, url);
    m_pShopMenu->addAction(action);
}

void PromoMenuBar::addMenuAppLink(
    const QIcon& icon, const QString& title, const QString& appName, const QString& appId)
{
    addMenuLink(icon, title, AppConfig::appStorePage(appName, appId));
}

void PromoMenuBar::addMenuAction(QAction* action)
{
    m_pShopMenu->addAction(action);
}

void PromoMenuBar::addMenuSeparator()
{
    m_pShopMenu->addSeparator();
}

void PromoMenuBar::addWidget(QWidget* widget)
{
    m_pWidgetSlot->addWidget(widget);
}

void PromoMenuBar::addCenterWidget(QWidget* widget)
{
    m_pCenterSlot->addWidget(widget);
}

void PromoMenuBar::slotCallUrl(const QString& strUrl)
{
    App::openLink(strUrl);
}

} // namespace DORuverud
