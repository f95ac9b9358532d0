#pragma once

#include <QByteArray>
#include <QObject>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace QMRequest {

// Starts HTTP GETs and reports each one's end as done() or error().
// A reply that announces or sends more than maxReplySize bytes is cut off
// there and fails, so no server can make it hold more; bodies are asked
// for, and taken, as sent, never inflated. GUI thread only.
class DownloadManager : public QObject
{
    Q_OBJECT

public:
    // Far beyond any page fetched here (the update page is a few lines).
    static constexpr qint64 maxReplySize = 4 << 20;

    explicit DownloadManager(QObject* parent = nullptr);

    // Starts a GET and returns at once.
    void download(const QUrl& url);
    // A request that transfers nothing for this long fails, and so does one
    // not ended after four times this (a server may trickle endless
    // headers, which nothing bounds but time); 0 never fails.
    void setTransferTimeout(int msecs);
    int transferTimeout() const;

signals:
    void downloadProgress(qlonglong done, qlonglong total);
    void done(const QUrl& url, const QByteArray& bytes);
    void error();

private slots:
    void slotFinished(QNetworkReply* reply);

private:
    QNetworkAccessManager* m_manager;
    int m_transferTimeout = 30000;
};

} // namespace QMRequest
