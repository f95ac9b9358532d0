#pragma once

#include <QtGlobal>

class QString;

namespace VADirur {

// Sounds one sample the way every music page does: a player of its own
// without parent that deletes itself when the sound has ended.
class SamplePlayer
{
public:
    SamplePlayer() = delete;

    // False, with the player already released, when the file cannot be opened:
    // such a player would never finish.
    static bool play(const QString& path);
    // As play(), the sound starting at that time of the engine's clock, in
    // nanoseconds; a time already past starts it at once.
    static bool playAt(const QString& path, qint64 startNs);
};

} // namespace VADirur
