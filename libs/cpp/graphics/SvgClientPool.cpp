#include "SvgClientPool.h"

#include "HelperProcess.h"
#include "SvgRequest.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <thread>

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
    , m_spare(HelperProcess::Limits {SvgClient::cpuLimitMs, SvgClient::waitLimitMs,
                  SvgClient::cpuLimitMs + SvgClient::waitLimitMs, 0},
          keptSpares)
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
    Clients idle;
    std::unique_lock<std::mutex> lock(m_mutex);
    m_helper = path;
    idle = takeAllIdle(lock);
    m_failures.clear();
    m_spare.clear();
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
    Clients ended;
    std::unique_ptr<SvgClient> client = take(forGui, request.scope, msLeft, ended);
    retire(ended);
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
    SvgClient::Result result
        = client->draw(request, budgeted ? qMax<qint64>(0, msLeft - waitedMs) : msLeft);
    giveBack(std::move(client), forGui);
    result.usedMs += waitedMs;
    if (result.givenUp)
        m_failures.remember(key, result.refusal, result.givenUpPixels);
    return result;
}

// Their processes end on the spares' threads, not on the drawing's.
void SvgClientPool::retire(Clients& clients)
{
    for (const std::unique_ptr<SvgClient>& client : clients)
        m_spare.retire(client->takeProcess());
    clients.clear();
}

void SvgClientPool::stop()
{
    Clients idle;
    std::unique_lock<std::mutex> lock(m_mutex);
    m_stopped = true;
    for (SvgClient* client : m_busy)
        client->abandon();
    idle = takeAllIdle(lock);
    m_spare.clear();
}

bool SvgClientPool::isStopped() const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_stopped;
}

HelperProcess::Start SvgClientPool::startOf(const QString& helper)
{
    return QFileInfo(helper).fileName() == QLatin1String(helperName)
        ? HelperProcess::Start::Forked
        : HelperProcess::Start::Spawned;
}

// With the lock held, once those given back are checked; the caller ends
// their processes once it is released.
SvgClientPool::Clients SvgClientPool::takeAllIdle(std::unique_lock<std::mutex>& lock)
{
    m_freed.wait(lock, [this] { return m_unchecked.empty(); });
    Clients idle;
    idle.swap(m_idle);
    m_started -= int(idle.size());
    if (m_forGui)
        idle.push_back(std::move(m_forGui));
    m_freed.notify_all();
    return idle;
}

// The GUI thread's own where it serves the scope, or one started past the
// pool while it is busy. Those ended for it go to ended, which the caller
// releases without the lock. A helper new is made without the lock, as it
// may wait for a spare to start: no other drawing waits behind it.
std::unique_ptr<SvgClient> SvgClientPool::take(
    bool forGui, const QString& scope, qint64 waitMs, Clients& ended)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_stopped)
        return nullptr;
    // One not checked yet is checked as its drawing begins; one being
    // checked is worth the moment its check takes.
    if (std::unique_ptr<SvgClient> unchecked = takeUnchecked(scope, forGui)) {
        m_busy.insert(unchecked.get());
        return unchecked;
    }
    const auto free = [&] {
        return m_stopped
            || (!awaitsCheck(scope, forGui) && (forGui || !m_idle.empty() || m_started < m_most));
    };
    if (forGui || waitMs == SvgClient::noBudget)
        m_freed.wait(lock, free);
    else if (!m_freed.wait_for(lock, std::chrono::milliseconds(qMax<qint64>(0, waitMs)), free))
        return nullptr;
    if (m_stopped)
        return nullptr;
    std::unique_ptr<SvgClient> client;
    if (forGui && !scope.isEmpty()) {
        if (m_forGui && m_forGui->scope() == scope)
            client = std::move(m_forGui);
        else if (m_forGui)
            ended.push_back(std::move(m_forGui));
    } else if (!forGui) {
        client = takeIdle(scope, ended);
    }
    if (!client) {
        const QString helper = m_helper;
        lock.unlock();
        client = made(helper, scope);
        lock.lock();
        if (m_stopped) {
            if (!forGui)
                --m_started;
            // Spares this take asked for once stop() had cleared them.
            m_spare.clear();
            ended.push_back(std::move(client));
            m_freed.notify_all();
            return nullptr;
        }
    }
    m_busy.insert(client.get());
    return client;
}

// An idle helper of the scope; or, where the pool is full, none, the idle
// helper of another scope that waited longest ended to make room.
std::unique_ptr<SvgClient> SvgClientPool::takeIdle(const QString& scope, Clients& ended)
{
    const auto same = std::find_if(m_idle.begin(), m_idle.end(),
        [&scope](const std::unique_ptr<SvgClient>& idle) { return idle->scope() == scope; });
    std::unique_ptr<SvgClient> client;
    if (same != m_idle.end() && !scope.isEmpty()) {
        client = std::move(*same);
        m_idle.erase(same);
    } else if (m_started < m_most) {
        ++m_started;
    } else {
        ended.push_back(std::move(m_idle.front()));
        m_idle.erase(m_idle.begin());
    }
    return client;
}

// A helper for the scope: a spare where one is ready. Only the program's
// own helper, forked, has spares; one set apart starts when asked for.
std::unique_ptr<SvgClient> SvgClientPool::made(const QString& helper, const QString& scope)
{
    const HelperProcess::Start start = startOf(helper);
    std::unique_ptr<HelperProcess> spare
        = start == HelperProcess::Start::Forked ? m_spare.take(helper, start) : nullptr;
    auto client = spare ? std::make_unique<SvgClient>(std::move(spare))
                        : std::make_unique<SvgClient>(helper, start);
    client->setScope(scope);
    return client;
}

// One kept whose helper's rest is to be checked goes to the thread that
// checks; the others are placed at once.
void SvgClientPool::giveBack(std::unique_ptr<SvgClient> client, bool forGui)
{
    Clients ended;
    std::unique_lock<std::mutex> lock(m_mutex);
    m_busy.erase(client.get());
    if (keeps(*client) && client->isHalted()) {
        m_unchecked.push_back(Unchecked {std::move(client), forGui});
        if (!m_checking)
            std::thread([this] { checkRests(); }).detach();
        m_checking = true;
        m_toCheck.notify_one();
        return;
    }
    place(std::move(client), forGui, ended);
    lock.unlock();
    retire(ended);
}

// With the lock held: whether the pool keeps one given back, running or not.
// One of another helper than the pool's now, or of no scope, is not kept.
bool SvgClientPool::keeps(const SvgClient& client) const
{
    return !m_stopped && client.helper() == m_helper && !client.scope().isEmpty();
}

// With the lock held. One not kept, or whose helper ended, goes to ended,
// whose processes end once the lock is released.
void SvgClientPool::place(std::unique_ptr<SvgClient> client, bool forGui, Clients& ended)
{
    const bool kept = keeps(*client) && client->settle();
    // The GUI thread's place goes to the helper it drew with last.
    if (kept && forGui)
        std::swap(m_forGui, client);
    else if (kept && !forGui)
        m_idle.push_back(std::move(client));
    else if (!forGui)
        --m_started;
    m_freed.notify_all();
    if (client)
        ended.push_back(std::move(client));
}

// With the lock held.
bool SvgClientPool::awaitsCheck(const QString& scope, bool forGui) const
{
    return std::any_of(m_unchecked.begin(), m_unchecked.end(), [&](const Unchecked& unchecked) {
        return unchecked.forGui == forGui && unchecked.client->scope() == scope;
    });
}

// With the lock held: the scope's, where the thread that checks has not
// begun with it.
std::unique_ptr<SvgClient> SvgClientPool::takeUnchecked(const QString& scope, bool forGui)
{
    const auto waiting
        = std::find_if(m_unchecked.begin(), m_unchecked.end(), [&](const Unchecked& unchecked) {
              return !unchecked.checking && unchecked.forGui == forGui
                  && unchecked.client->scope() == scope && keeps(*unchecked.client);
          });
    if (waiting == m_unchecked.end())
        return nullptr;
    std::unique_ptr<SvgClient> client = std::move(waiting->client);
    m_unchecked.erase(waiting);
    // One that waits for no helper unchecked may go on.
    m_freed.notify_all();
    return client;
}

// The thread's: each helper given back checked at rest, the lock released,
// in turn, then placed. Runs as long as the program.
void SvgClientPool::checkRests()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_toCheck.wait(lock, [this] { return !m_unchecked.empty(); });
        m_unchecked.front().checking = true;
        SvgClient* const checking = m_unchecked.front().client.get();
        lock.unlock();
        checking->settle();
        lock.lock();
        Unchecked checked = std::move(m_unchecked.front());
        m_unchecked.erase(m_unchecked.begin());
        Clients ended;
        place(std::move(checked.client), checked.forGui, ended);
        lock.unlock();
        retire(ended);
        lock.lock();
    }
}

} // namespace DAvuroD
