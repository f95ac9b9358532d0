#include "PictureLoader.h"

#include "PictureReader.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QtConcurrent>

#include <atomic>
#include <vector>

namespace DAvuroD {

namespace {

// Handing over stops after this long and goes on at the next turn of the event loop.
constexpr qint64 handOverSliceMs = 15;

} // namespace

struct PictureLoader::Batch
{
    struct Job
    {
        QString path;
        QImage picture;
        QString refusal;
        std::atomic<bool> done {false};
    };

    explicit Batch(const QStringList& paths, const QSize& bound)
        : jobs(size_t(paths.size()))
        , bound(bound)
    {
        for (int i = 0; i < paths.size(); ++i)
            jobs[size_t(i)].path = paths.at(i);
    }

    std::vector<Job> jobs;
    const QSize bound;
};

PictureLoader::PictureLoader(QObject* parent)
    : QObject(parent)
{
    // Handing over runs as a timer, so that other timers run between its slices.
    m_handOverTimer.setSingleShot(true);
    m_handOverTimer.setInterval(0);
    connect(&m_handOverTimer, &QTimer::timeout, this, &PictureLoader::handOver);
    const auto scheduleHandOver = [this] {
        if (!m_handOverTimer.isActive())
            m_handOverTimer.start();
    };
    connect(&m_watcher, &QFutureWatcherBase::progressValueChanged, this, scheduleHandOver);
    connect(&m_watcher, &QFutureWatcherBase::finished, this, scheduleHandOver);
}

PictureLoader::~PictureLoader()
{
    cancel();
}

void PictureLoader::start(const QStringList& paths, const QSize& bound)
{
    m_pBatch = std::make_shared<Batch>(paths, bound);
    // The worker owns the batch too, so that a cancelled load may finish its
    // pictures in hand after this object is gone.
    const std::shared_ptr<Batch> batch = m_pBatch;
    m_watcher.setFuture(QtConcurrent::map(batch->jobs, [batch](Batch::Job& job) {
        job.picture = PictureReader::readFitted(job.path, batch->bound, &job.refusal);
        job.done.store(true, std::memory_order_release);
    }));
}

void PictureLoader::cancel()
{
    m_bStopped = true;
    m_handOverTimer.stop();
    m_watcher.cancel();
}

void PictureLoader::handOver()
{
    if (m_bStopped || !m_pBatch)
        return;
    std::vector<Batch::Job>& jobs = m_pBatch->jobs;
    QElapsedTimer slice;
    slice.start();
    QPointer<PictureLoader> self(this);
    while (size_t(m_nNext) < jobs.size()) {
        Batch::Job& job = jobs[size_t(m_nNext)];
        if (!job.done.load(std::memory_order_acquire))
            return;
        const QImage picture = std::move(job.picture);
        emit pictureLoaded(m_nNext++, job.path, picture, job.refusal);
        if (!self || m_bStopped)
            return;
        if (slice.hasExpired(handOverSliceMs)) {
            m_handOverTimer.start();
            return;
        }
    }
    m_bStopped = true;
    emit finished();
}

} // namespace DAvuroD
