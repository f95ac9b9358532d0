#include "Downloader.h"

#include "DownloadManager.h"
#include "Trace.h"
#include "WholeFile.h"

#include <QDebug>
#include <QMutexLocker>
#include <QRegularExpression>

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
    return fetch(url, DownloadManager::Sink(), flags) ? m_data : QByteArray();
}

void Downloader::getToFile(
    const QString& url, const QString& fileName, QEventLoop::ProcessEventsFlags flags)
{
    ZAruri::WholeFile file(fileName);
    qint64 written = 0;
    // Opened with the first byte, so that an empty body creates nothing.
    const DownloadManager::Sink sink = [&file, &written](const QByteArray& part) {
        if (part.isEmpty())
            return true;
        if (written == 0 && !file.open())
            return false;
        written += part.size();
        return file.append(part);
    };
    // Uncommitted, the file stays as it was.
    if (fetch(url, sink, flags) && written > 0)
        file.commit();
}

bool Downloader::fetch(
    const QString& url, const DownloadManager::Sink& sink, QEventLoop::ProcessEventsFlags flags)
{
    if (m_busy)
        return false;
    m_data.clear();
    m_busy = true;
    QMutexLocker lock(&m_mutex);
    m_done = false;
    m_downloadManager->download(QUrl(fullRequest(url), QUrl::TolerantMode), sink);
    m_finished = false;
    m_eventLoop.exec(flags);
    // A quit ends every event loop, this one too, before the reply has: the
    // reply must not outlive the sink's caller nor pass as done.
    if (!m_done)
        m_downloadManager->abort();
    m_finished = true;
    m_busy = false;
    return m_done;
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
    m_done = true;
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
