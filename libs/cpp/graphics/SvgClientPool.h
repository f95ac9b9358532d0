#pragma once

#include "HelperSpare.h"
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
// the others. Each serves one scope (SvgRequest::scope), given by its first
// drawing, and never another: a drawing takes a helper of its scope, or a
// helper new, a spare started in the background when it can (only the
// program's own helper has spares), ending an idle helper of another scope
// where the pool is full. A drawing of no scope has a helper of its own,
// ended after it. A drawing that finds them all busy waits for one, within
// the time left to it where it has a budget. Drawings given up are
// remembered for the run (SvgFailures) until the helper changes. A helper
// given back is checked at rest on a thread of the pool's, off the
// drawing's path, or by its next drawing as it begins where that comes
// first; it serves no drawing unchecked. When the application ends, those
// drawing are stopped and no other starts. Any thread may draw.
class SvgClientPool
{
public:
    // The helper's name, found beside the program. A helper of that name
    // is forked from its template (HelperTemplates); one of another name,
    // set for a test, is started as it is.
    static constexpr char helperName[] = "tessivar-svg";
    // Helpers started ahead for new scopes, serving nobody yet: a folder
    // view meets several new folders in a row.
    static constexpr int keptSpares = 2;

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
    using Clients = std::vector<std::unique_ptr<SvgClient>>;
    // One given back whose helper's rest is to be checked.
    struct Unchecked
    {
        std::unique_ptr<SvgClient> client;
        bool forGui;
        // Whether the thread that checks has it now.
        bool checking = false;
    };

    SvgClientPool();

    std::unique_ptr<SvgClient> take(
        bool forGui, const QString& scope, qint64 waitMs, Clients& ended);
    std::unique_ptr<SvgClient> takeIdle(const QString& scope, Clients& ended);
    std::unique_ptr<SvgClient> made(const QString& helper, const QString& scope);
    void giveBack(std::unique_ptr<SvgClient> client, bool forGui);
    bool keeps(const SvgClient& client) const;
    void place(std::unique_ptr<SvgClient> client, bool forGui, Clients& ended);
    bool awaitsCheck(const QString& scope, bool forGui) const;
    std::unique_ptr<SvgClient> takeUnchecked(const QString& scope, bool forGui);
    void checkRests();
    void retire(Clients& clients);
    Clients takeAllIdle(std::unique_lock<std::mutex>& lock);
    bool isStopped() const;
    static HelperProcess::Start startOf(const QString& helper);

    // The standard library's, which ThreadSanitizer sees.
    mutable std::mutex m_mutex;
    std::condition_variable m_freed;
    Clients m_idle;
    std::unique_ptr<SvgClient> m_forGui;
    std::set<SvgClient*> m_busy;
    std::vector<Unchecked> m_unchecked;
    std::condition_variable m_toCheck;
    bool m_checking = false;
    // Those of other threads, busy or idle.
    int m_started = 0;
    const int m_most;
    QString m_helper;
    bool m_stopped = false;
    SvgFailures m_failures;
    HelperSpare m_spare;
};

} // namespace DAvuroD
