#include "DownloadManager.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <climits>

namespace QMRequest {

namespace {

// Qt ends a reply without error, now and then, when the server hangs up before
// the body has reached the length it announced.
bool isWhole(const QNetworkReply* reply, qint64 received)
{
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    return !length.isValid() || length.toLongLong() == received;
}

} // namespace

DownloadManager::DownloadManager(QObject* parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
{
    connect(m_manager, &QNetworkAccessManager::finished, this, &DownloadManager::slotFinished);
}

void DownloadManager::download(const QUrl& url, const Sink& sink)
{
    QNetworkRequest request(url);
    request.setTransferTimeout(m_transferTimeout);
    // Bodies as sent: Qt would inflate a compressed one whole, beyond any bound.
    request.setRawHeader("Accept-Encoding", "identity");
    // Without this a redirect's own body would count as the page.
    request.setAttribute(
        QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = m_manager->get(request);
    connect(reply, &QNetworkReply::downloadProgress, this, &DownloadManager::downloadProgress);
    m_replies.insert(reply, Transfer {sink});
    if (!sink) {
        // The reply holds at most one byte past the bound; that byte, or a
        // length announced beyond it, aborts it.
        reply->setReadBufferSize(maxReplySize + 1);
        bound(reply, maxReplySize, 4 * qint64(m_transferTimeout));
        return;
    }
    reply->setReadBufferSize(1 << 20);
    // The sink is looked up, so none is called once its reply has ended.
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        const auto transfer = m_replies.find(reply);
        if (transfer != m_replies.end() && !deliver(*transfer, reply->readAll()))
            reply->abort();
    });
    bound(reply, maxFileSize, 120 * qint64(m_transferTimeout));
}

// Aborts the reply once it announces or receives more than maxSize bytes, or
// has not ended after deadline ms.
void DownloadManager::bound(QNetworkReply* reply, qint64 maxSize, qint64 deadline)
{
    connect(reply, &QNetworkReply::downloadProgress, reply,
        [reply, maxSize](qint64 received, qint64 total) {
            if (received > maxSize || total > maxSize)
                reply->abort();
        });
    if (deadline > 0)
        QTimer::singleShot(int(qMin<qint64>(deadline, INT_MAX)), reply, &QNetworkReply::abort);
}

void DownloadManager::setTransferTimeout(int msecs)
{
    m_transferTimeout = msecs;
}

int DownloadManager::transferTimeout() const
{
    return m_transferTimeout;
}

void DownloadManager::abort()
{
    // Each abort finishes its reply at once, which takes it out of m_replies.
    const QList<QNetworkReply*> replies = m_replies.keys();
    for (QNetworkReply* reply : replies)
        reply->abort();
}

bool DownloadManager::deliver(Transfer& transfer, const QByteArray& part)
{
    transfer.received += part.size();
    return transfer.sink(part);
}

void DownloadManager::slotFinished(QNetworkReply* reply)
{
    reply->deleteLater();
    Transfer transfer = m_replies.take(reply);
    const bool ok = reply->error() == QNetworkReply::NoError
        && (transfer.sink ? deliver(transfer, reply->readAll())
                          : reply->bytesAvailable() <= maxReplySize)
        && isWhole(reply, transfer.sink ? transfer.received : reply->bytesAvailable());
    if (ok)
        emit done(reply->url(), transfer.sink ? QByteArray() : reply->readAll());
    else
        emit error();
}

} // namespace QMRequest
