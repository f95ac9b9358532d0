#pragma once

#include <QByteArray>
#include <QObject>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace QMRequest {

// Starts HTTP GETs and reports each one's end as done() or error().
// GUI thread only.
class DownloadManager : public QObject
{
    Q_OBJECT

public:
    explicit DownloadManager(QObject* parent = nullptr);

    // Starts a GET and returns at once.
    void download(const QUrl& url);
    // A request that transfers nothing for this long fails; 0 never does.
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
