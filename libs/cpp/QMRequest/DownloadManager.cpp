#include "DownloadManager.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace QMRequest {

DownloadManager::DownloadManager(QObject* parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
{
    connect(m_manager, &QNetworkAccessManager::finished, this, &DownloadManager::slotFinished);
}

void DownloadManager::download(const QUrl& url)
{
    QNetworkRequest request(url);
    request.setTransferTimeout(m_transferTimeout);
    // Bodies as sent: Qt would inflate a compressed one whole, beyond any bound.
    request.setRawHeader("Accept-Encoding", "identity");
    // Without this a redirect's own body would count as the page.
    request.setAttribute(
        QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = m_manager->get(request);
    // The reply holds at most one byte past the bound; that byte, or a
    // length announced beyond it, aborts it.
    reply->setReadBufferSize(maxReplySize + 1);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64 total) {
        if (received > maxReplySize || total > maxReplySize)
            reply->abort();
    });
    connect(reply, &QNetworkReply::downloadProgress, this, &DownloadManager::downloadProgress);
    if (m_transferTimeout > 0)
        QTimer::singleShot(4 * m_transferTimeout, reply, &QNetworkReply::abort);
}

void DownloadManager::setTransferTimeout(int msecs)
{
    m_transferTimeout = msecs;
}

int DownloadManager::transferTimeout() const
{
    return m_transferTimeout;
}

void DownloadManager::slotFinished(QNetworkReply* reply)
{
    if (reply->error() == QNetworkReply::NoError && reply->bytesAvailable() <= maxReplySize)
        emit done(reply->url(), reply->readAll());
    else
        emit error();
    reply->deleteLater();
}

} // namespace QMRequest
