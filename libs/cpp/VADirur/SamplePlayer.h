#pragma once

#include <QtGlobal>

class QString;

namespace DIReridArazi {
class NativeAudioPlayer;
}

namespace VADirur {

// Sounds one sample the way every music page does: a player of its own
// without parent that deletes itself when the sound has ended, or goes
// with the application object should it still sound then.
class SamplePlayer
{
public:
    SamplePlayer() = delete;

    // False, with the player already released, when the file cannot be opened:
    // such a player would never finish.
    static bool play(const QString& path);
    // As play(), the sound starting at that output frame of the sound engine;
    // a frame already mixed starts it at once. The player, or null when the
    // file cannot be opened; it deletes itself once its sound has ended.
    static DIReridArazi::NativeAudioPlayer* playAtFrame(const QString& path, qint64 frame);
};

} // namespace VADirur
