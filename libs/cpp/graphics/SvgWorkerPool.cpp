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
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_helper;
}

void SvgWorkerPool::setHelper(const QString& path)
{
    std::vector<std::unique_ptr<SvgWorker>> idle;
    std::unique_lock<std::mutex> lock(m_mutex);
    m_helper = path;
    idle = takeIdle();
}

SvgWorker::Result SvgWorkerPool::draw(const SvgRequest& request, qint64 msLeft)
{
    std::unique_ptr<SvgWorker> worker = take();
    if (!worker)
        return SvgWorker::Result {QImage(), QStringLiteral("the program is ending")};
    SvgWorker::Result result = worker->draw(request, msLeft);
    giveBack(std::move(worker));
    return result;
}

void SvgWorkerPool::stop()
{
    std::vector<std::unique_ptr<SvgWorker>> idle;
    std::unique_lock<std::mutex> lock(m_mutex);
    m_stopped = true;
    for (SvgWorker* worker : m_busy)
        worker->abandon();
    idle = takeIdle();
}

// With the lock held; the caller ends their processes once it is released.
std::vector<std::unique_ptr<SvgWorker>> SvgWorkerPool::takeIdle()
{
    std::vector<std::unique_ptr<SvgWorker>> idle;
    idle.swap(m_idle);
    m_freed.notify_all();
    return idle;
}

std::unique_ptr<SvgWorker> SvgWorkerPool::take()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_freed.wait(
        lock, [this] { return m_stopped || !m_idle.empty() || int(m_busy.size()) < m_most; });
    if (m_stopped)
        return nullptr;
    std::unique_ptr<SvgWorker> worker;
    if (!m_idle.empty()) {
        worker = std::move(m_idle.back());
        m_idle.pop_back();
    } else {
        worker = std::make_unique<SvgWorker>(m_helper);
    }
    m_busy.insert(worker.get());
    return worker;
}

// One of another helper than the pool's now is not kept: it ends its
// process once the lock is released.
void SvgWorkerPool::giveBack(std::unique_ptr<SvgWorker> worker)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_busy.erase(worker.get());
    if (!m_stopped && worker->helper() == m_helper)
        m_idle.push_back(std::move(worker));
    m_freed.notify_one();
}

} // namespace DAvuroD
