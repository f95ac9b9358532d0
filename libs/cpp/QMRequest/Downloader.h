#pragma once

#include "DownloadManager.h"

#include <QByteArray>
#include <QEventLoop>
#include <QMutex>
#include <QObject>
#include <QUrl>

namespace QMRequest {

// Blocking HTTP GET: the caller waits in a nested event loop, so the user
// interface keeps painting. Any failure gives an empty result. GUI thread.
class Downloader : public QObject
{
    Q_OBJECT

public:
    explicit Downloader(QObject* parent = nullptr);
    ~Downloader() override;

    // The body, or empty on failure, after the time-out, when the event loop
    // is quit before the body is whole, or at once while another fetch of
    // this downloader runs.
    QByteArray get(
        const QString& url, QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);
    // Streams the body into fileName, put in place once all of it arrived:
    // up to DownloadManager::maxFileSize bytes, within 120 time-outs (an hour
    // by default). A failed or quit fetch or an empty body leaves the file
    // untouched.
    void getToFile(const QString& url, const QString& fileName,
        QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);
    // The address requested: url itself when it starts with http:// or
    // https:// (any case), otherwise "http://" + url.
    QString fullRequest(const QString& url) const;
    bool isFinished() const;
    // A fetch that receives nothing for this long fails (30 s by default).
    void setTimeout(int msecs);

    // The percentage progressPercent() reports; 0 for a total of 0.
    static int percentOf(qlonglong done, qlonglong total);

signals:
    void progress(int done);
    void progressPercent(int percent);

protected slots:
    void slotFinished(const QUrl& url, const QByteArray& bytes);
    void slotProgress(qlonglong done, qlonglong total);
    void slotError();

private:
    // Runs one fetch, its body into m_data or, with a sink, into the sink;
    // true once all of it arrived. False when it failed, when the event loop
    // was quit before it ended, or when another one is running.
    bool fetch(const QString& url, const DownloadManager::Sink& sink,
        QEventLoop::ProcessEventsFlags flags);

    QMutex m_mutex;
    DownloadManager* m_downloadManager;
    bool m_finished = false;
    bool m_busy = false;
    bool m_done = false;
    QEventLoop m_eventLoop;
    QByteArray m_data;
};

} // namespace QMRequest
