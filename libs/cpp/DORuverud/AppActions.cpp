// App: reminders and the actions that lead out of the program.
#include "App.h"

#include "AppConfig.h"
#include "CssEditor.h"
#include "JoinDialog.h"
#include "JoinReminderDialog.h"
#include "MessageBox.h"
#include "RateReminderDialog.h"
#include "TellDialog.h"
#include "TellReminderDialog.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QPointer>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QTime>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>
#include <climits>

namespace DORuverud {

namespace {

enum ReminderKind { RateKind = 1, ShareKind = 2, JoinKind = 4, StoreDependentKind = 8 };

QString encoded(const QString& text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString mailAddress(const QString& to, const QString& subject, const QString& body)
{
    return QStringLiteral("mailto:") + to + QStringLiteral("?subject=") + encoded(subject)
        + QStringLiteral("&body=") + encoded(body);
}

QString lowerAppName()
{
    return QCoreApplication::applicationName().toLower();
}

QString storeAppPage(const QString& languageSegment, const QString& name, const QString& id)
{
    return AppConfig::storeHost() + QLatin1Char('/') + languageSegment + QStringLiteral("app/")
        + name.toLower() + QLatin1Char('/') + id + QStringLiteral("?ls=1&mt=12");
}

// One of the kinds whose bits are set among rate, share and join.
int randomKind(int kinds)
{
    QRandomGenerator random(quint32(QTime::currentTime().msec()));
    const bool rate = kinds & RateKind;
    const bool share = kinds & ShareKind;
    const bool join = kinds & JoinKind;
    const bool even = random.generate() % 2 == 0;
    if (rate && share && join) {
        static const int kindOf[] = {RateKind, ShareKind, JoinKind};
        return kindOf[random.bounded(3)];
    }
    if (rate && share)
        return even ? RateKind : ShareKind;
    if (rate && join)
        return even ? RateKind : JoinKind;
    if (share && join)
        return even ? JoinKind : ShareKind;
    return kinds;
}

ReminderDialog* createReminderDialog(int kind)
{
    QWidget* parent = QApplication::activeWindow();
    if (kind == RateKind)
        return new RateReminderDialog(parent);
    if (kind == ShareKind)
        return new TellReminderDialog(parent);
    return new JoinReminderDialog(parent);
}

// Guarded: the parent may take the dialog with it while exec() runs.
void runOverActiveWindow(QDialog* dialog)
{
    QPointer<QDialog> guard = dialog;
    dialog->exec();
    delete guard;
}

} // namespace

bool App::openLink(const QString& address)
{
    if (address.isEmpty())
        return false;
    const QUrl url(address, QUrl::TolerantMode);
    if (QDesktopServices::openUrl(url))
        return true;
    MessageBox::warning(QApplication::activeWindow(), QCoreApplication::applicationName(),
        unopenedLinkText(url), QMessageBox::Ok);
    return false;
}

QString App::unopenedLinkText(const QUrl& url)
{
    if (url.scheme() != QLatin1String("mailto"))
        return tr("No web browser could open this page. To open it yourself, copy its address "
                  "into a browser:")
            + QStringLiteral("\n\n") + url.toString(QUrl::EncodeSpaces);
    const QUrlQuery query(url);
    const QString subject = query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded);
    const QString body = query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded);
    QString text = tr("No mail program could start this e-mail. To send it yourself, copy it "
                      "into your mail program:")
        + QLatin1Char('\n');
    if (!url.path().isEmpty())
        text += QLatin1Char('\n') + tr("To: ") + url.path();
    if (!subject.isEmpty())
        text += QLatin1Char('\n') + tr("Subject: ") + subject;
    if (!body.isEmpty())
        text += QStringLiteral("\n\n") + body;
    return text;
}

void App::callReminder(int count, int kinds)
{
    if (kinds == StoreDependentKind)
        m_reminderKind = isAppStore() ? RateKind : ShareKind;
    else
        m_reminderKind = randomKind(kinds);
    m_reminderCount = count;
    QTimer::singleShot(m_reminderDelay, this, &App::slotCallRateReminderInternal);
}

void App::callRateReminder(int count)
{
    m_reminderCount = count;
    slotCallRateReminder();
}

void App::callTellReminder(int count)
{
    m_reminderCount = count;
    slotCallTellReminder();
}

void App::callJoinReminder(int count)
{
    m_reminderCount = count;
    slotCallJoinReminder();
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

// Counts the starts; every reminder-count-th start shows the reminder
// of the chosen kind. A count of 0 or less shows none.
void App::slotCallRateReminderInternal()
{
    if (!settingsValue(QStringLiteral("AutoReminder"), true).toBool())
        return;
    const int start = settingsValue(QStringLiteral("AutoReminderCount"), 1).toInt();
    if (m_reminderCount > 0 && start % m_reminderCount == 0) {
        // Guarded: the parent may take the dialog with it while exec() runs.
        QPointer<ReminderDialog> dialog = createReminderDialog(m_reminderKind);
        dialog->exec();
        const int state = dialog ? dialog->state() : int(ReminderDialog::NoAnswer);
        delete dialog;
        if (state == ReminderDialog::Now)
            slotRateApp();
        if (state == ReminderDialog::Now || state == ReminderDialog::NeverAskMeAgain)
            setSettingsValue(QStringLiteral("AutoReminder"), false);
    }
    setSettingsValue(QStringLiteral("AutoReminderCount"), start == INT_MAX ? 1 : start + 1);
}

void App::slotCallRateReminder()
{
    m_reminderKind = RateKind;
    QTimer::singleShot(m_reminderDelay, this, &App::slotCallRateReminderInternal);
}

void App::slotCallTellReminder()
{
    m_reminderKind = ShareKind;
    QTimer::singleShot(m_reminderDelay, this, &App::slotCallRateReminderInternal);
}

void App::slotCallJoinReminder()
{
    m_reminderKind = JoinKind;
    QTimer::singleShot(m_reminderDelay, this, &App::slotCallRateReminderInternal);
}

void App::slotShowCssEditor()
{
    auto* editor = new CssEditor(nullptr);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->show();
}

// The system text names the running system where the mail once named a
// fixed one.
void App::slotContactUs()
{
    const QString system = QSysInfo::productType() + QLatin1Char(' ') + QSysInfo::productVersion()
        + QLatin1Char(' ') + currentLanguage() + QLatin1Char(' ')
        + (isAppStore() ? QString() : QStringLiteral("I"));
    const QString subject = QStringLiteral("Contact (") + QCoreApplication::applicationName()
        + QLatin1Char(' ') + QCoreApplication::applicationVersion() + QStringLiteral(") ") + system;
    openLink(mailAddress(AppConfig::contactEmail(), subject, QString()));
}

void App::slotTellFriend()
{
    QString link
        = AppConfig::site() + QStringLiteral("/apps/") + lowerAppName() + QStringLiteral(".html");
    if (!m_supportPage.isEmpty())
        link = m_supportPage;
    if (isAppStore())
        link = storeAppPage(
            currentLanguageOptimized(), QCoreApplication::applicationName(), m_appId);
    const QString name = QCoreApplication::applicationName();
    openLink(mailAddress(QString(),
        QStringLiteral("Check out the cool ") + name + QStringLiteral(" app!"),
        QStringLiteral("Hi, check out this cool ") + name
            + QStringLiteral(" app - available in the App Stores: ") + link));
}

void App::slotShowMoreApps()
{
    openLink(AppConfig::storeHost() + QStringLiteral("/artist/") + AppConfig::storeArtistName()
        + QLatin1Char('/') + AppConfig::storeArtistId() + QStringLiteral("?mt=12"));
}

void App::slotRateApp()
{
    openLink(storeAppPage(QString(), QCoreApplication::applicationName(), m_appId));
}

void App::slotSupportPage()
{
    openLink(m_supportPage.isEmpty() ? AppConfig::site() : m_supportPage);
}

void App::slotGoToPromotedApp()
{
    if (m_promotedLink.isEmpty())
        openLink(storeAppPage(QString(), m_promotedAppName, m_promotedAppId));
    else
        openLink(m_promotedLink);
}

void App::slotShareApp()
{
    runOverActiveWindow(new TellDialog(QApplication::activeWindow()));
}

void App::slotJoin()
{
    runOverActiveWindow(new JoinDialog(QApplication::activeWindow()));
}

} // namespace DORuverud
