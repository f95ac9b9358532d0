#include "CommunityButton.h"

#include "App.h"
#include "KitPictures.h"

#include <QMenu>

namespace DORuverud {

CommunityButton::CommunityButton(QWidget* parent)
    : QPushButton(parent)
{
    auto* menu = new QMenu(this);
    menu->addAction(QIcon(QPixmap(QStringLiteral(":/share_hover.png"))), tr("Share"), App::theApp(),
        &App::slotShareApp);
    menu->addSeparator();
    using Slot = void (CommunityButton::*)();
    const QList<QPair<QString, Slot>> networks = {
        {QStringLiteral("FaceBook"), &CommunityButton::slotFaceBook},
        {QStringLiteral("YouTube"), &CommunityButton::slotYouTube},
        {QStringLiteral("Twitter"), &CommunityButton::slotTwitter},
        {QStringLiteral("Xing"), &CommunityButton::slotXing},
        {QStringLiteral("MoiMir"), &CommunityButton::slotMoiMir},
    };
    const QStringList icons = KitPictures::communityIcons();
    for (int i = 0; i < networks.size(); ++i)
        menu->addAction(QIcon(QPixmap(QStringLiteral(":/") + icons.at(i))), networks.at(i).first,
            this, networks.at(i).second);
    setMenu(menu);
}

void CommunityButton::setFaceBook(const QString& address)
{
    m_strFaceBook = address;
}

void CommunityButton::setYouTube(const QString& address)
{
    m_strYouTube = address;
}

void CommunityButton::setTwitter(const QString& address)
{
    m_strTwitter = address;
}

void CommunityButton::setXing(const QString& address)
{
    m_strXing = address;
}

void CommunityButton::setMoiMir(const QString& address)
{
    m_strMoiMir = address;
}

void CommunityButton::slotFaceBook()
{
    App::openLink(m_strFaceBook);
}

void CommunityButton::slotYouTube()
{
    App::openLink(m_strYouTube);
}

void CommunityButton::slotTwitter()
{
    App::openLink(m_strTwitter);
}

void CommunityButton::slotXing()
{
    App::openLink(m_strXing);
}

void CommunityButton::slotMoiMir()
{
    App::openLink(m_strMoiMir);
}

} // namespace DORuverud
