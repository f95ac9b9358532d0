#pragma once

#include <QFutureWatcher>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QStringList>
#include <QTimer>

#include <memory>

namespace DAvuroD {

// Decodes a list of picture files in the global thread pool, each fitted
// into a bound by PictureReader, and hands them over on its own thread in
// the order of the list, a few at a time so that the thread stays free.
// A decoded picture is kept only until it is handed over.
class PictureLoader : public QObject
{
    Q_OBJECT

public:
    explicit PictureLoader(QObject* parent = nullptr);
    // Cancels the pictures not yet decoded; those being decoded are dropped.
    ~PictureLoader() override;

    // Starts decoding paths; call once.
    void start(const QStringList& paths, const QSize& bound);
    // No signal follows.
    void cancel();

signals:
    // picture is null when the file does not load or is refused; refusal
    // says why it is refused, and is empty otherwise.
    void pictureLoaded(
        int index, const QString& path, const QImage& picture, const QString& refusal);
    void finished();

private:
    struct Batch;

    void handOver();

    std::shared_ptr<Batch> m_pBatch;
    QFutureWatcher<void> m_watcher;
    QTimer m_handOverTimer;
    int m_nNext = 0;
    // Cancelled, or every picture handed over.
    bool m_bStopped = false;
};

} // namespace DAvuroD
