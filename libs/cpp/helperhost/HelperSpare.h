#pragma once

#include "HelperProcess.h"

#include <QString>

#include <memory>
#include <mutex>

// Helpers of a program kept started and at rest, having served nobody, so
// that a helper for a scope of its own (a document, a folder) is there at
// once: each time one is taken, another starts on a thread of the spare's,
// never on the taker's, a thread for each helper kept. Those threads also
// end the helpers retired to them, off the path of the thread that is done
// with them. Any thread may take one.
class HelperSpare
{
public:
    // The limits a spare starts within, and how many are kept started, at
    // least one.
    explicit HelperSpare(const HelperProcess::Limits& limits, int kept = 1);
    // Ends the spares, once those starting are started.
    ~HelperSpare();
    HelperSpare(const HelperSpare&) = delete;
    HelperSpare& operator=(const HelperSpare&) = delete;

    // The spare of that program started longest ago, started so, waiting
    // for one where only some are starting, or null where none is; another
    // starts for it.
    std::unique_ptr<HelperProcess> take(const QString& program, HelperProcess::Start start);
    // Ends the spares, once those starting are started, and starts none
    // until the next take().
    void clear();
    // Ends the process on a thread of the spare's.
    void retire(std::unique_ptr<HelperProcess> process);

private:
    struct State;

    void runThreads();
    void waitForStarts(std::unique_lock<std::mutex>& lock);

    std::shared_ptr<State> m_state;
};
