#pragma once

#include "SvgClient.h"
#include "SvgFailures.h"

#include <QString>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace DAvuroD {

// The program's SVG helpers: at most one for each core for the drawings of
// other threads, each started when a drawing finds none free and kept for
// those after it, and one kept for the GUI thread, which never waits behind
// the others. A drawing that finds them all busy waits for one, within the
// time left to it where it has a budget. Drawings given up are remembered
// for the run (SvgFailures) until the helper changes. When the application
// ends, those drawing are stopped and no other starts. Any thread may draw.
class SvgClientPool
{
public:
    // The helper's name, found beside the program.
    static constexpr char helperName[] = "tessivar-svg";

    static SvgClientPool& instance();

    // The helper that draws, beside the program unless set.
    QString helper() const;
    // Also forgets the drawings given up.
    void setHelper(const QString& path);

    // Draws the request in a helper of the pool within its limits, cut to
    // msLeft; a wait for a free helper takes from msLeft too. Without a
    // budget, the wait has no limit of its own: each drawing before it ends
    // within its limits.
    SvgClient::Result draw(const SvgRequest& request, qint64 msLeft = SvgClient::noBudget);
    // Stops the helpers drawing, ends those waiting, and starts none again.
    void stop();

private:
    SvgClientPool();

    std::unique_ptr<SvgClient> take(bool forGui, qint64 waitMs);
    void giveBack(std::unique_ptr<SvgClient> client, bool forGui);
    std::vector<std::unique_ptr<SvgClient>> takeIdle();
    bool isStopped() const;

    // The standard library's, which ThreadSanitizer sees.
    mutable std::mutex m_mutex;
    std::condition_variable m_freed;
    std::vector<std::unique_ptr<SvgClient>> m_idle;
    std::unique_ptr<SvgClient> m_forGui;
    std::set<SvgClient*> m_busy;
    // Those of other threads, busy or idle.
    int m_started = 0;
    const int m_most;
    QString m_helper;
    bool m_stopped = false;
    SvgFailures m_failures;
};

} // namespace DAvuroD
