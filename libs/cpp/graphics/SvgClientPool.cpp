#include "SvgClientPool.h"

#include "HelperProcess.h"
#include "SvgRequest.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace DAvuroD {

namespace {

bool onGuiThread()
{
    const QCoreApplication* application = QCoreApplication::instance();
    return application && QThread::currentThread() == application->thread();
}

SvgClient::Result refused(const QString& why, bool outOfTime = false)
{
    return SvgClient::Result {QImage(), why, false, outOfTime};
}

} // namespace

SvgClientPool::SvgClientPool()
    : m_most(qMax(1, QThread::idealThreadCount()))
    , m_helper(HelperProcess::besideProgram(QLatin1String(helperName)))
{
}

SvgClientPool& SvgClientPool::instance()
{
    // Never deleted: drawing threads may outlive the program's statics.
    static SvgClientPool* const pool = [] {
        auto* made = new SvgClientPool;
        if (QCoreApplication::instance())
            qAddPostRoutine([] { SvgClientPool::instance().stop(); });
        return made;
    }();
    return *pool;
}

QString SvgClientPool::helper() const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_helper;
}

void SvgClientPool::setHelper(const QString& path)
{
    std::vector<std::unique_ptr<SvgClient>> idle;
    std::unique_lock<std::mutex> lock(m_mutex);
    m_helper = path;
    idle = takeIdle();
    m_failures.clear();
}

SvgClient::Result SvgClientPool::draw(const SvgRequest& request, qint64 msLeft)
{
    const QByteArray key = SvgFailures::keyOf(request);
    const QString givenUp = m_failures.refusal(key, request.mostCanvasPixels());
    if (!givenUp.isEmpty())
        return refused(givenUp + QStringLiteral(" (given up before)"));
    const bool forGui = onGuiThread();
    QElapsedTimer waited;
    waited.start();
    std::unique_ptr<SvgClient> client = take(forGui, msLeft);
    const qint64 waitedMs = waited.elapsed();
    if (!client) {
        const bool stopped = isStopped();
        SvgClient::Result result = refused(stopped ? QStringLiteral("the program is ending")
                                                   : QStringLiteral("no helper was free in time"),
            !stopped);
        result.usedMs = waitedMs;
        return result;
    }
    const bool budgeted = msLeft != SvgClient::noBudget;
    SvgClient::Result result = client->draw(request, budgeted ? msLeft - waitedMs : msLeft);
    giveBack(std::move(client), forGui);
    result.usedMs += waitedMs;
    if (result.givenUp)
        m_failures.remember(key, result.refusal, result.givenUpPixels);
    return result;
}

void SvgClientPool::stop()
{
    std::vector<std::unique_ptr<SvgClient>> idle;
    std::unique_lock<std::mutex> lock(m_mutex);
    m_stopped = true;
    for (SvgClient* client : m_busy)
        client->abandon();
    idle = takeIdle();
}

bool SvgClientPool::isStopped() const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_stopped;
}

// With the lock held; the caller ends their processes once it is released.
std::vector<std::unique_ptr<SvgClient>> SvgClientPool::takeIdle()
{
    std::vector<std::unique_ptr<SvgClient>> idle;
    idle.swap(m_idle);
    m_started -= int(idle.size());
    if (m_forGui)
        idle.push_back(std::move(m_forGui));
    m_freed.notify_all();
    return idle;
}

// The GUI thread's own, or one started past the pool while it is busy.
std::unique_ptr<SvgClient> SvgClientPool::take(bool forGui, qint64 waitMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto free = [this] { return m_stopped || !m_idle.empty() || m_started < m_most; };
    if (!forGui && waitMs == SvgClient::noBudget)
        m_freed.wait(lock, free);
    else if (!forGui
        && !m_freed.wait_for(lock, std::chrono::milliseconds(qMax<qint64>(0, waitMs)), free))
        return nullptr;
    if (m_stopped)
        return nullptr;
    std::unique_ptr<SvgClient> client;
    if (forGui) {
        client = m_forGui ? std::move(m_forGui) : std::make_unique<SvgClient>(m_helper);
    } else if (!m_idle.empty()) {
        client = std::move(m_idle.back());
        m_idle.pop_back();
    } else {
        client = std::make_unique<SvgClient>(m_helper);
        ++m_started;
    }
    m_busy.insert(client.get());
    return client;
}

// One of another helper than the pool's now is not kept: it ends its
// process once the lock is released.
void SvgClientPool::giveBack(std::unique_ptr<SvgClient> client, bool forGui)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_busy.erase(client.get());
    const bool kept = !m_stopped && client->helper() == m_helper;
    if (forGui) {
        if (kept && !m_forGui)
            m_forGui = std::move(client);
        return;
    }
    if (kept)
        m_idle.push_back(std::move(client));
    else
        --m_started;
    m_freed.notify_one();
}

} // namespace DAvuroD
