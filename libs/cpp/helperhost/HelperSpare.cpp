#include "HelperSpare.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

// Shared with the thread that starts spares, which outlives the spare
// where it is still starting one.
struct HelperSpare::State
{
    State(const HelperProcess::Limits& startLimits, int keptSpares)
        : limits(startLimits)
        , kept(qMax(1, keptSpares))
    {
    }

    // Ends the helpers retired and starts the spares wanted, each thread
    // one at a time, until the spare ends.
    void run()
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            wanted.wait(lock, [this] { return ended || !retired.empty() || wantsOne(); });
            if (!retired.empty()) {
                std::vector<std::unique_ptr<HelperProcess>> ending;
                ending.swap(retired);
                lock.unlock();
                ending.clear();
                lock.lock();
                continue;
            }
            if (ended)
                return;
            startOne(lock);
        }
    }

    // With the lock held.
    bool wantsOne() const
    {
        return !program.isEmpty() && int(ready.size()) + making < kept;
    }

    // A spare wanted, started with the lock released.
    void startOne(std::unique_lock<std::mutex>& lock)
    {
        const QString starting = program;
        const HelperProcess::Start how = start;
        ++making;
        lock.unlock();
        auto made = std::make_unique<HelperProcess>(starting, how);
        const bool prepared = made->prepare(limits).isEmpty();
        lock.lock();
        --making;
        done.notify_all();
        if (prepared && !ended && program == starting && start == how)
            ready.push_back(std::move(made));
        else if (!prepared && program == starting)
            // Tried again at the next take, not at once.
            program.clear();
        // One not kept ends here, with the lock released.
        lock.unlock();
        made.reset();
        lock.lock();
    }

    const HelperProcess::Limits limits;
    const int kept;
    std::mutex mutex;
    std::condition_variable wanted;
    std::condition_variable done;
    QString program;
    HelperProcess::Start start = HelperProcess::Start::Spawned;
    // The oldest first.
    std::vector<std::unique_ptr<HelperProcess>> ready;
    std::vector<std::unique_ptr<HelperProcess>> retired;
    int threads = 0;
    int making = 0;
    bool ended = false;
};

HelperSpare::HelperSpare(const HelperProcess::Limits& limits, int kept)
    : m_state(std::make_shared<State>(limits, kept))
{
}

HelperSpare::~HelperSpare()
{
    std::vector<std::unique_ptr<HelperProcess>> spares;
    std::unique_lock<std::mutex> lock(m_state->mutex);
    m_state->ended = true;
    spares.swap(m_state->ready);
    m_state->wanted.notify_all();
    waitForStarts(lock);
}

std::unique_ptr<HelperProcess> HelperSpare::take(const QString& program, HelperProcess::Start start)
{
    std::unique_ptr<HelperProcess> taken;
    std::vector<std::unique_ptr<HelperProcess>> others;
    std::unique_lock<std::mutex> lock(m_state->mutex);
    std::vector<std::unique_ptr<HelperProcess>>& ready = m_state->ready;
    // Another taker may have asked for another program meanwhile.
    const auto same = [&] { return m_state->program == program && m_state->start == start; };
    // One starting is ready before another would be.
    m_state->done.wait(lock, [&] { return !same() || !ready.empty() || m_state->making == 0; });
    if (!same()) {
        others.swap(ready);
    } else if (!ready.empty()) {
        taken = std::move(ready.front());
        ready.erase(ready.begin());
    }
    m_state->program = program;
    m_state->start = start;
    runThreads();
    m_state->wanted.notify_all();
    lock.unlock();
    return taken;
}

void HelperSpare::retire(std::unique_ptr<HelperProcess> process)
{
    if (!process)
        return;
    const std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->retired.push_back(std::move(process));
    runThreads();
    m_state->wanted.notify_all();
}

// With the lock held: a thread for each spare kept.
void HelperSpare::runThreads()
{
    for (; m_state->threads < m_state->kept; ++m_state->threads)
        std::thread([state = m_state] { state->run(); }).detach();
}

void HelperSpare::clear()
{
    std::vector<std::unique_ptr<HelperProcess>> spares;
    std::unique_lock<std::mutex> lock(m_state->mutex);
    spares.swap(m_state->ready);
    m_state->program.clear();
    waitForStarts(lock);
}

// With the lock held: those starting are started, and go, so that none
// starts on after the program ended.
void HelperSpare::waitForStarts(std::unique_lock<std::mutex>& lock)
{
    m_state->done.wait(lock, [this] { return m_state->making == 0; });
}
