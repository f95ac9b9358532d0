#include "LayoutThread.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QEvent>
#include <QImage>
#include <QThread>

#include <condition_variable>
#include <deque>
#include <mutex>

namespace {

// Never destroyed: the thread waits on them to the program's last moment.
struct Jobs
{
    std::mutex mutex;
    std::condition_variable posted;
    std::condition_variable done;
    std::deque<std::function<void()>> queue;
    bool running = false;
    bool ending = false;
    QThread* thread = nullptr;
};

void serve(Jobs& jobs)
{
    std::unique_lock<std::mutex> lock(jobs.mutex);
    for (;;) {
        jobs.posted.wait(lock, [&jobs] { return !jobs.queue.empty(); });
        std::function<void()> job = std::move(jobs.queue.front());
        jobs.queue.pop_front();
        jobs.running = true;
        lock.unlock();
        job();
        // What the job holds goes here, on this thread.
        job = nullptr;
        lock.lock();
        jobs.running = false;
        jobs.done.notify_all();
    }
}

// Waits for the job under way and drops those after it.
void end(Jobs& jobs)
{
    std::unique_lock<std::mutex> lock(jobs.mutex);
    jobs.ending = true;
    jobs.queue.clear();
    jobs.done.wait(lock, [&jobs] { return !jobs.running; });
}

// On the GUI thread, what the layout thread hands back, in order. The
// event that wakes it is made under the lock too, and read under it.
class Mailbox : public QObject
{
public:
    std::mutex mutex;
    std::deque<std::function<void()>> handed;

protected:
    bool event(QEvent* event) override
    {
        std::deque<std::function<void()>> taken;
        bool handing = false;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            handing = event->type() == QEvent::User;
            if (handing)
                taken.swap(handed);
        }
        if (!handing)
            return QObject::event(event);
        for (const std::function<void()>& function : taken)
            function();
        return true;
    }
};

// Made on the GUI thread by the first job posted, never destroyed.
Mailbox* mailbox = nullptr;

Jobs& started()
{
    static Jobs* const jobs = [] {
        auto* made = new Jobs;
        made->thread = QThread::create([made] { serve(*made); });
        made->thread->setObjectName(QStringLiteral("LayoutThread"));
        made->thread->start();
        qAddPostRoutine([] { end(*jobs); });
        return made;
    }();
    return *jobs;
}

} // namespace

void LayoutThread::post(std::function<void()> job)
{
    if (!mailbox)
        mailbox = new Mailbox;
    Jobs& jobs = started();
    const std::lock_guard<std::mutex> lock(jobs.mutex);
    if (jobs.ending)
        return;
    jobs.queue.push_back(std::move(job));
    jobs.posted.notify_one();
}

void LayoutThread::handBack(std::function<void()> function)
{
    QEvent* wake = nullptr;
    {
        const std::lock_guard<std::mutex> lock(mailbox->mutex);
        mailbox->handed.push_back(std::move(function));
        wake = new QEvent(QEvent::User);
    }
    QCoreApplication::postEvent(mailbox, wake);
}

bool LayoutThread::isCurrent()
{
    return QThread::currentThread() == started().thread;
}

// Read back as a font is read from a file, all its properties its own, then
// taken to a picture of that resolution.
QFont LayoutThread::unshared(const QFont& font, int dpi)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << font;
    QFont copy;
    QDataStream in(bytes);
    in >> copy;
    QImage resolution(1, 1, QImage::Format_Mono);
    resolution.setDotsPerMeterX(qRound(dpi / 0.0254));
    resolution.setDotsPerMeterY(qRound(dpi / 0.0254));
    return QFont(copy, &resolution);
}
