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
    const QDate date = UpdatePage::releaseDate(downloader.get(m_updatesCheckLink), m_magicString);
    // A page that names no date (none came, a network's sign-in page, a
    // line cut short) tells nothing of the newest build: the check failed.
    if (!date.isValid()) {
        if (!m_quiet)
            showDialog(label,
                tr("No internet connection is available.\nTry to go to the update web page?"),
                UpdaterDialog::updateNotAvailablePicture());
        return false;
    }
    // An invalid build date is earlier than every valid date.
    if (date > App::theApp()->buildDate())
        showDialog(label,
            tr("The newer version of Tessivar is available.\nGo to the updates web page?"),
            UpdaterDialog::updateAvailablePicture());
    else if (!m_quiet)
        showDialog(label,
            tr("<CENTER>You are using the latest version available.<BR>Go to the updates web "
               "page?</CENTER>"),
            UpdaterDialog::updateNotAvailablePicture());
    return true;
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
