#include "HelperSpare.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

// Shared with the thread that starts spares, which outlives the spare
// where it is still starting one.
struct HelperSpare::State
{
    explicit State(const HelperProcess::Limits& startLimits)
        : limits(startLimits)
    {
    }

    // Ends the helpers retired and starts the spare wanted, one at a time,
    // until the spare ends.
    void run()
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            wanted.wait(lock,
                [this] { return ended || !retired.empty() || (!program.isEmpty() && !ready); });
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

    // The spare wanted, started with the lock released.
    void startOne(std::unique_lock<std::mutex>& lock)
    {
        const QString starting = program;
        const HelperProcess::Start how = start;
        making = true;
        lock.unlock();
        auto made = std::make_unique<HelperProcess>(starting, how);
        const bool prepared = made->prepare(limits).isEmpty();
        lock.lock();
        making = false;
        done.notify_all();
        if (prepared && !ended && program == starting && start == how)
            ready = std::move(made);
        else if (!prepared && program == starting)
            // Tried again at the next take, not at once.
            program.clear();
        // One not kept ends here, with the lock released.
        lock.unlock();
        made.reset();
        lock.lock();
    }

    const HelperProcess::Limits limits;
    std::mutex mutex;
    std::condition_variable wanted;
    std::condition_variable done;
    QString program;
    HelperProcess::Start start = HelperProcess::Start::Spawned;
    std::unique_ptr<HelperProcess> ready;
    std::vector<std::unique_ptr<HelperProcess>> retired;
    bool running = false;
    bool making = false;
    bool ended = false;
};

HelperSpare::HelperSpare(const HelperProcess::Limits& limits)
    : m_state(std::make_shared<State>(limits))
{
}

HelperSpare::~HelperSpare()
{
    std::unique_ptr<HelperProcess> spare;
    const std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->ended = true;
    spare = std::move(m_state->ready);
    m_state->wanted.notify_all();
}

std::unique_ptr<HelperProcess> HelperSpare::take(const QString& program, HelperProcess::Start start)
{
    std::unique_ptr<HelperProcess> taken;
    std::unique_ptr<HelperProcess> other;
    std::unique_lock<std::mutex> lock(m_state->mutex);
    const bool same = m_state->program == program && m_state->start == start;
    // One starting is ready before another would be.
    m_state->done.wait(lock, [&] { return !same || !m_state->making; });
    if (same)
        taken = std::move(m_state->ready);
    else
        other = std::move(m_state->ready);
    m_state->program = program;
    m_state->start = start;
    runThread();
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
    runThread();
    m_state->wanted.notify_all();
}

// With the lock held.
void HelperSpare::runThread()
{
    if (m_state->running)
        return;
    m_state->running = true;
    std::thread([state = m_state] { state->run(); }).detach();
}

void HelperSpare::clear()
{
    std::unique_ptr<HelperProcess> spare;
    const std::lock_guard<std::mutex> lock(m_state->mutex);
    spare = std::move(m_state->ready);
    m_state->program.clear();
}
