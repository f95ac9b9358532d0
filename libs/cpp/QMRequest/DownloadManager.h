#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

namespace QMRequest {

// Starts HTTP GETs and reports each one's end as done() or error().
// A reply that announces or sends more than its bound (maxReplySize, or
// maxFileSize for a streamed one) is cut off there and fails, so no server
// can make it hold more; so does one whose body falls short of the length it
// announced. Bodies are asked for, and taken, as sent, never inflated. GUI
// thread only.
class DownloadManager : public QObject
{
    Q_OBJECT

public:
    // Far beyond any page fetched here (the update page is a few lines).
    static constexpr qint64 maxReplySize = 4 << 20;
    // A body streamed to a file: an installer or a sample library fits, an
    // endless stream filling the disk does not.
    static constexpr qint64 maxFileSize = qint64(4) << 30;

    // Takes each part of a streamed body as it arrives; false stops the transfer.
    using Sink = std::function<bool(const QByteArray& part)>;

    explicit DownloadManager(QObject* parent = nullptr);

    // Starts a GET and returns at once. With a sink the body goes to it as it
    // arrives, up to maxFileSize, and done() carries no bytes.
    void download(const QUrl& url, const Sink& sink = Sink());
    // A request that transfers nothing for this long fails, and so does one
    // not ended after four times this, or 120 times this when streamed (a
    // server may trickle endless headers or a body, which nothing bounds but
    // time: with the 30 s default a streamed file has an hour); 0 never fails.
    void setTransferTimeout(int msecs);
    int transferTimeout() const;
    // Ends every running request at once with error(); no sink is called after.
    void abort();

signals:
    void downloadProgress(qlonglong done, qlonglong total);
    void done(const QUrl& url, const QByteArray& bytes);
    void error();

private slots:
    void slotFinished(QNetworkReply* reply);

private:
    // A running reply's sink, empty for a body kept in memory, and the bytes
    // of its body so far.
    struct Transfer
    {
        Sink sink;
        qint64 received = 0;
    };

    void bound(QNetworkReply* reply, qint64 maxSize, qint64 deadline);
    static bool deliver(Transfer& transfer, const QByteArray& part);

    QNetworkAccessManager* m_manager;
    int m_transferTimeout = 30000;
    QHash<QNetworkReply*, Transfer> m_replies;
};

} // namespace QMRequest
