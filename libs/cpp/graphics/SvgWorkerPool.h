#pragma once

#include "SvgWorker.h"

#include <QString>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace DAvuroD {

// The program's drawing processes: at most one for each core, each started
// when a drawing finds none free and kept for those after it; a drawing
// that finds them all busy waits for one. When the application ends, those
// drawing are stopped and no other starts. Any thread may draw.
class SvgWorkerPool
{
public:
    // The helper's name, found beside the program.
    static constexpr char helperName[] = "tessivar-svg";

    static SvgWorkerPool& instance();

    // The helper that draws, beside the program unless set.
    QString helper() const;
    void setHelper(const QString& path);

    // Draws the request in a process of the pool within its limits, cut to
    // msLeft of time.
    SvgWorker::Result draw(const SvgRequest& request, qint64 msLeft);
    // Stops the processes drawing, ends those waiting, and starts none again.
    void stop();

private:
    SvgWorkerPool();

    std::unique_ptr<SvgWorker> take();
    void giveBack(std::unique_ptr<SvgWorker> worker);
    std::vector<std::unique_ptr<SvgWorker>> takeIdle();

    // The standard library's, which ThreadSanitizer sees.
    mutable std::mutex m_mutex;
    std::condition_variable m_freed;
    std::vector<std::unique_ptr<SvgWorker>> m_idle;
    std::set<SvgWorker*> m_busy;
    const int m_most;
    QString m_helper;
    bool m_stopped = false;
};

} // namespace DAvuroD
