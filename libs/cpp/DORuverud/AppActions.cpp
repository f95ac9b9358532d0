// App: reminders and the actions that lead out of the program.
#include "App.h"

namespace DORuverud {

void App::callReminder(int count, int kinds)
{
    Q_UNUSED(count)
    Q_UNUSED(kinds)
}

void App::callRateReminder(int count)
{
    Q_UNUSED(count)
}

void App::callTellReminder(int count)
{
    Q_UNUSED(count)
}

void App::callJoinReminder(int count)
{
    Q_UNUSED(count)
}

void App::setRemiderCount(int count)
{
    m_reminderCount = count;
}

void App::setRemiderDelay(int msecs)
{
    m_reminderDelay = msecs;
}

void App::setFaceBookShareLink(const QString& link)
{
    m_facebookLink = link;
}

void App::setTwitterShareLink(const QString& link)
{
    m_twitterLink = link;
}

void App::setVKontakteShareLink(const QString& link)
{
    m_vkontakteLink = link;
}

QString App::faceBookShareLink() const
{
    return m_facebookLink;
}

QString App::twitterShareLink() const
{
    return m_twitterLink;
}

QString App::vkontakteShareLink() const
{
    return m_vkontakteLink;
}

void App::setPromotedAppNameAndID(const QString& name, const QString& id)
{
    m_promotedAppName = name;
    m_promotedAppId = id;
}

void App::setPromotedLink(const QString& link)
{
    m_promotedLink = link;
}

void App::setAppSupportPage(const QString& page)
{
    m_supportPage = page;
}

void App::slotCallRateReminderInternal()
{
}

void App::slotCallRateReminder()
{
}

void App::slotCallTellReminder()
{
}

void App::slotCallJoinReminder()
{
}

void App::slotShowCssEditor()
{
}

void App::slotContactUs()
{
}

void App::slotTellFriend()
{
}

void App::slotShowMoreApps()
{
}

void App::slotRateApp()
{
}

void App::slotSupportPage()
{
}

void App::slotGoToPromotedApp()
{
}

void App::slotShareApp()
{
}

void App::slotJoin()
{
}

} // namespace DORuverud
