#include "MoreAppsButton.h"

#include "App.h"
#include "AppConfig.h"

#include <QMenu>
#include <QSignalMapper>

namespace DORuverud {

MoreAppsButton::MoreAppsButton(QWidget* parent)
    : QPushButton(parent)
    , m_pMenu(new QMenu(this))
    , m_pMapper(new QSignalMapper(this))
{
    setMenu(m_pMenu);
    connect(m_pMapper, &QSignalMapper::mappedString, this, &MoreAppsButton::slotCallUrl);
}

void MoreAppsButton::addMenuAppLink(
    const QPixmap& icon, const QString& title, const QString& appName, const QString& appId)
{
    addMenuLink(icon, title, AppConfig::appStorePage(appName, appId));
}

void MoreAppsButton::addMenuLink(const QPixmap& icon, const QString& text, const QString& url)
{
    QAction* action = new QAction(QIcon(icon), text, this);
    connect(action, &QAction::triggered, m_pMapper, qOverload<>(&QSignalMapper::map));
    m_pMapper->setMapping(action, url);
    m_pMenu->addAction(action);
}

void MoreAppsButton::addMenuAction(QAction* action)
{
    m_pMenu->addAction(action);
}

void MoreAppsButton::addMenuSeparator()
{
    m_pMenu->addSeparator();
}

void MoreAppsButton::slotCallUrl(const QString& strUrl)
{
    App::openLink(strUrl);
}

} // namespace DORuverud
