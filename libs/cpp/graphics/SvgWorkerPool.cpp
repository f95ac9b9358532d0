#include "SvgWorkerPool.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace DAvuroD {

namespace {

QString besideProgram()
{
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath() + '/'
        + QLatin1String(SvgWorkerPool::helperName);
}

} // namespace

SvgWorkerPool::SvgWorkerPool()
    : m_most(qMax(1, QThread::idealThreadCount()))
    , m_helper(besideProgram())
{
}

SvgWorkerPool& SvgWorkerPool::instance()
{
    // Never deleted: drawing threads may outlive the program's statics.
    static SvgWorkerPool* const pool = [] {
        auto* made = new SvgWorkerPool;
        if (QCoreApplication::instance())
            qAddPostRoutine([] { SvgWorkerPool::instance().stop(); });
        return made;
    }();
    return *pool;
}

QString SvgWorkerPool::helper() const
{
    QMutexLocker lock(&m_mutex);
    return m_helper;
}

void SvgWorkerPool::setHelper(const QString& path)
{
    std::vector<std::unique_ptr<SvgWorker>> idle;
    QMutexLocker lock(&m_mutex);
    m_helper = path;
    m_count -= int(m_idle.size());
    idle.swap(m_idle);
    m_freed.wakeAll();
}

SvgWorker::Result SvgWorkerPool::draw(const SvgRequest& request, qint64 msLeft)
{
    std::unique_ptr<SvgWorker> worker = take();
    if (!worker)
        return SvgWorker::Result {QImage(), QStringLiteral("the program is ending"), false, false};
    SvgWorker::Result result = worker->isRunning()
        ? worker->draw(request, msLeft)
        : SvgWorker::Result {QImage(), worker->startRefusal(), false, false};
    giveBack(std::move(worker));
    return result;
}

void SvgWorkerPool::stop()
{
    std::vector<std::unique_ptr<SvgWorker>> idle;
    QMutexLocker lock(&m_mutex);
    m_stopped = true;
    for (SvgWorker* worker : qAsConst(m_busy))
        worker->abandon();
    m_count -= int(m_idle.size());
    idle.swap(m_idle);
    m_freed.wakeAll();
}

std::unique_ptr<SvgWorker> SvgWorkerPool::take()
{
    QMutexLocker lock(&m_mutex);
    while (!m_stopped && m_idle.empty() && m_count >= m_most)
        m_freed.wait(&m_mutex);
    if (m_stopped)
        return nullptr;
    std::unique_ptr<SvgWorker> worker;
    if (!m_idle.empty()) {
        worker = std::move(m_idle.back());
        m_idle.pop_back();
    } else {
        ++m_count;
        const QString helper = m_helper;
        lock.unlock();
        worker = std::make_unique<SvgWorker>(helper);
        lock.relock();
    }
    m_busy.insert(worker.get());
    if (m_stopped)
        worker->abandon();
    return worker;
}

// One that grew by more than its margin while idle is not kept.
void SvgWorkerPool::giveBack(std::unique_ptr<SvgWorker> worker)
{
    QMutexLocker lock(&m_mutex);
    m_busy.remove(worker.get());
    const bool kept = !m_stopped && worker->isRunning() && worker->helper() == m_helper
        && worker->residentBytes() < worker->residentAtStart() + SvgWorker::memoryMargin;
    if (kept) {
        m_idle.push_back(std::move(worker));
    } else {
        --m_count;
        lock.unlock();
        worker.reset();
        lock.relock();
    }
    m_freed.wakeOne();
}

} // namespace DAvuroD
