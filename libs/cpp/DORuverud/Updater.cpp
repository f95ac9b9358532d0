#include "Updater.h"

#include "App.h"
#include "AppConfig.h"
#include "Downloader.h"
#include "Trace.h"
#include "UpdatePage.h"
#include "UpdaterDialog.h"
#include "WaitLabel.h"

#include <QDebug>
#include <QScopedPointer>

namespace DORuverud {

Updater::Updater(bool quiet, QObject* parent)
    : QObject(parent)
    , m_quiet(quiet)
    , m_magicString(QStringLiteral("TQ"))
    , m_updatesCheckLink(AppConfig::updatesCheckLink())
{
}

Updater::~Updater() = default;

void Updater::slotUpdate()
{
    QScopedPointer<WaitLabel> label(new WaitLabel(
        tr("<H1><CENTER>Searching for the updates<BR>Please, wait ...</CENTER></H1>")));
    label->show();
    doUpdate(label.data());
    label->hide();
}

bool Updater::doUpdate(QLabel* label)
{
    qCDebug(ZAruri::lcTrace) << "!!!doUpdate()";
    QMRequest::Downloader downloader;
    const QByteArray page = downloader.get(m_updatesCheckLink);
    QDate date;
    switch (UpdatePage::read(page, m_magicString, &date)) {
    // A page without the marker (a network's sign-in page, a server's error
    // page) tells nothing of the newest build: the fetch failed.
    case UpdatePage::Empty:
    case UpdatePage::NoMarker:
        if (!m_quiet)
            showDialog(label,
                tr("No internet connection is available.\nTry to go to the update web page?"),
                UpdaterDialog::updateNotAvailablePicture());
        return false;
    case UpdatePage::NoLineFeed:
        return true;
    case UpdatePage::Dated:
        break;
    }
    // An invalid build date is earlier than every valid date.
    if (date.isValid() && date > App::theApp()->buildDate())
        showDialog(label,
            tr("The newer version of Tessivar is available.\nGo to the updates web page?"),
            UpdaterDialog::updateAvailablePicture());
    else if (!m_quiet)
        showDialog(label, latestVersionMessage(), UpdaterDialog::updateNotAvailablePicture());
    return true;
}

QString Updater::latestVersionMessage()
{
    return tr("<CENTER>You are using the latest version available.<BR>Go to the updates web "
              "page?</CENTER>");
}

void Updater::showDialog(QLabel* label, const QString& message, const QString& picture)
{
    if (label)
        label->hide();
    UpdaterDialog dialog(nullptr);
    dialog.setMessage(message);
    dialog.setPic(QPixmap(QStringLiteral(":/") + picture));
    dialog.exec();
}

void Updater::setMagicString(const QString& magicString)
{
    m_magicString = magicString;
}

void Updater::setUpdatesCheckLink(const QString& link)
{
    m_updatesCheckLink = link;
}

} // namespace DORuverud
