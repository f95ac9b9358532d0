#pragma once

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
};

} // namespace VADirur
