#include "Downloader.h"

#include "DownloadManager.h"
#include "Trace.h"

#include <QDebug>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QSaveFile>

#include <climits>

namespace QMRequest {

Downloader::Downloader(QObject* parent)
    : QObject(parent)
    , m_downloadManager(new DownloadManager(this))
{
    connect(m_downloadManager, &DownloadManager::done, this, &Downloader::slotFinished);
    connect(m_downloadManager, &DownloadManager::downloadProgress, this, &Downloader::slotProgress);
    connect(m_downloadManager, &DownloadManager::error, this, &Downloader::slotError);
}

Downloader::~Downloader() = default;

QByteArray Downloader::get(const QString& url, QEventLoop::ProcessEventsFlags flags)
{
    if (!fetch(url, flags))
        return QByteArray();
    return m_data;
}

void Downloader::getToFile(
    const QString& url, const QString& fileName, QEventLoop::ProcessEventsFlags flags)
{
    if (!fetch(url, flags) || m_data.isEmpty())
        return;
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(m_data);
        file.commit();
    }
}

bool Downloader::fetch(const QString& url, QEventLoop::ProcessEventsFlags flags)
{
    if (m_busy)
        return false;
    m_data.clear();
    m_busy = true;
    QMutexLocker lock(&m_mutex);
    m_downloadManager->download(QUrl(fullRequest(url), QUrl::TolerantMode));
    m_finished = false;
    m_eventLoop.exec(flags);
    m_finished = true;
    m_busy = false;
    return true;
}

QString Downloader::fullRequest(const QString& url) const
{
    static const QRegularExpression scheme(
        QStringLiteral("^https?://"), QRegularExpression::CaseInsensitiveOption);
    return scheme.match(url).hasMatch() ? url : QStringLiteral("http://") + url;
}

bool Downloader::isFinished() const
{
    return m_finished;
}

void Downloader::setTimeout(int msecs)
{
    m_downloadManager->setTransferTimeout(msecs);
}

int Downloader::percentOf(qlonglong done, qlonglong total)
{
    if (total == 0)
        return 0;
    const double percent = double(float(done) * 100 / float(total));
    return int(qBound(double(INT_MIN), percent, double(INT_MAX)));
}

void Downloader::slotFinished(const QUrl& url, const QByteArray& bytes)
{
    Q_UNUSED(url)
    m_data = bytes;
    qCDebug(ZAruri::lcTrace) << "@@@@:" << bytes;
    m_eventLoop.exit(0);
}

void Downloader::slotProgress(qlonglong done, qlonglong total)
{
    emit progress(int(done));
    emit progressPercent(percentOf(done, total));
}

void Downloader::slotError()
{
    m_eventLoop.exit(0);
}

} // namespace QMRequest
