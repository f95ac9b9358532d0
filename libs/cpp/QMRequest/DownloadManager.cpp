#include "DownloadManager.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

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
    // Without this a redirect's own body would count as the page.
    request.setAttribute(
        QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = m_manager->get(request);
    connect(reply, &QNetworkReply::downloadProgress, this, &DownloadManager::downloadProgress);
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
    if (reply->error() == QNetworkReply::NoError)
        emit done(reply->url(), reply->readAll());
    else
        emit error();
    reply->deleteLater();
}

} // namespace QMRequest
