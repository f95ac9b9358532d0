#include "SamplePlayer.h"

#include "AudioEngine.h"
#include "NativeAudioPlayer.h"

#include <QCoreApplication>
#include <QSet>

#include <functional>
#include <utility>

namespace VADirur {

namespace {

using DIReridArazi::NativeAudioPlayer;

// The players started and not yet gone. Never freed: a player may still go
// after main() has returned.
QSet<NativeAudioPlayer*>& sounding()
{
    static auto* players = new QSet<NativeAudioPlayer*>;
    return *players;
}

// Whether freeSounding() runs when the present application object goes.
bool freeRoutineAdded = false;

// A player still sounding when the application object goes would never see
// its finished() delivered: it is freed with the application object.
void freeSounding()
{
    freeRoutineAdded = false;
    qDeleteAll(std::exchange(sounding(), {}));
}

void keepUntilFinishedOrQuit(NativeAudioPlayer* player)
{
    if (!freeRoutineAdded) {
        // Post routines run last added first: made first, the engine closes
        // its device only after these players have given back their voices.
        DIReridArazi::AudioEngine::instance();
        qAddPostRoutine(&freeSounding);
        freeRoutineAdded = true;
    }
    sounding().insert(player);
    QObject::connect(player, &QObject::destroyed, [player] { sounding().remove(player); });
}

// Starts the sound and keeps the player until it has finished; releases a
// player whose file could not be opened and returns null.
NativeAudioPlayer* keepWhilePlaying(const std::function<void(NativeAudioPlayer*)>& start)
{
    auto* player = new NativeAudioPlayer(nullptr);
    QObject::connect(player, &NativeAudioPlayer::finished, player, &QObject::deleteLater);
    start(player);
    if (!player->isPlaying()) {
        delete player;
        return nullptr;
    }
    keepUntilFinishedOrQuit(player);
    return player;
}

} // namespace

bool SamplePlayer::play(const QString& path)
{
    return keepWhilePlaying([&](NativeAudioPlayer* player) { player->play(path); }) != nullptr;
}

NativeAudioPlayer* SamplePlayer::playAtFrame(const QString& path, qint64 frame)
{
    return keepWhilePlaying([&](NativeAudioPlayer* player) { player->playAtFrame(path, frame); });
}

} // namespace VADirur
