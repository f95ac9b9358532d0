#include "ModesPanel.h"

#include "App.h"
#include "AppConfig.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>

namespace VADirur {

ModesPanel::ModesPanel(QWidget* parent)
    : TunersCommonPanel(parent)
{
    setObjectName(QStringLiteral("ModesPanel"));
    m_pModesButton = makePanelButton(tr("Modes"));
    m_pMoreButton = makePanelButton(tr("More"));
    m_pModesButton->hide();
    m_pMoreMenu = new QMenu(m_pMoreButton);
    m_pMoreButton->setMenu(m_pMoreMenu);
    m_pLayout->addWidget(m_pModesButton);
    m_pLayout->addWidget(m_pMoreButton);
}

void ModesPanel::setMustHave(const QString& url)
{
    m_strMustHave = url;
}

void ModesPanel::setNiceToHave(const QString& url)
{
    m_strNiceToHave = url;
}

void ModesPanel::setRead(const QString& url)
{
    m_strRead = url;
}

void ModesPanel::setHear(const QString& url)
{
    m_strHear = url;
}

void ModesPanel::setSee(const QString& url)
{
    m_strSee = url;
}

void ModesPanel::setWikipedia(const QString& url)
{
    m_strWikipedia = url;
}

void ModesPanel::addBaseActions()
{
    addBaseAction(":/musthave.png", tr("Must Have"), &ModesPanel::slotMustHave);
    addBaseAction(":/nicetohave.png", tr("Nice to Have"), &ModesPanel::slotNiceToHave);
    addBaseAction(":/read.png", tr("Read"), &ModesPanel::slotRead);
    addBaseAction(":/ohr.png", tr("Hear"), &ModesPanel::slotHear);
    addBaseAction(":/eye.png", tr("See"), &ModesPanel::slotSee);
    m_pMoreMenu->addSeparator();
    addBaseAction(":/wikipedia.png", tr("Wikipedia"), &ModesPanel::slotWikipedia);
}

void ModesPanel::addBaseAction(const char* icon, const QString& text, void (ModesPanel::*slot)())
{
    m_pMoreMenu->addAction(QIcon(QPixmap(QLatin1String(icon))), text, this, slot);
}

void ModesPanel::addMenuAppLink(
    const QPixmap& icon, const QString& title, const QString& storeName, const QString& storeId)
{
    addMenuLink(icon, title, DORuverud::AppConfig::appStorePage(storeName, storeId));
}

void ModesPanel::addMenuLink(const QPixmap& icon, const QString& title, const QString& url)
{
    auto* action = new QAction(QIcon(icon), title, this);
    connect(action, &QAction::triggered, this, [this, url] { slotCallUrl(url); });
    m_pMoreMenu->addAction(action);
}

void ModesPanel::addMenuAction(QAction* action)
{
    m_pMoreMenu->addAction(action);
}

void ModesPanel::addMenuSeparator()
{
    m_pMoreMenu->addSeparator();
}

QPushButton* ModesPanel::modesButton() const
{
    return m_pModesButton;
}

void ModesPanel::hideAppOptions()
{
    m_pPitchButton->hide();
    m_pRepeatCheckBox->hide();
    m_pAppButton->hide();
}

void ModesPanel::slotMustHave()
{
    slotCallUrl(m_strMustHave);
}

void ModesPanel::slotNiceToHave()
{
    slotCallUrl(m_strNiceToHave);
}

void ModesPanel::slotRead()
{
    slotCallUrl(m_strRead);
}

void ModesPanel::slotHear()
{
    slotCallUrl(m_strHear);
}

void ModesPanel::slotSee()
{
    slotCallUrl(m_strSee);
}

void ModesPanel::slotWikipedia()
{
    slotCallUrl(m_strWikipedia);
}

void ModesPanel::slotCallUrl(const QString& url)
{
    DORuverud::App::openLink(url);
}

} // namespace VADirur
