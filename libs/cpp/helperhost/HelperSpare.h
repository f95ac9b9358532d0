#pragma once

#include "HelperProcess.h"

#include <QString>

#include <memory>

// One helper of a program kept started and at rest, having served nobody,
// so that a helper for a scope of its own (a document, a folder) is there at
// once: each time it is taken, another starts on a thread of the spare's,
// never on the taker's. That thread also ends the helpers retired to it,
// off the path of the thread that is done with them. Any thread may take
// it.
class HelperSpare
{
public:
    // The limits a spare starts within.
    explicit HelperSpare(const HelperProcess::Limits& limits);
    // Ends the spare; one starting ends once started.
    ~HelperSpare();
    HelperSpare(const HelperSpare&) = delete;
    HelperSpare& operator=(const HelperSpare&) = delete;

    // The spare of that program, started so, waiting for it where it is
    // starting, or null where none is; another starts for it.
    std::unique_ptr<HelperProcess> take(const QString& program, HelperProcess::Start start);
    // Ends the spare, and starts none until the next take().
    void clear();
    // Ends the process on the spare's thread.
    void retire(std::unique_ptr<HelperProcess> process);

private:
    struct State;

    void runThread();

    std::shared_ptr<State> m_state;
};
