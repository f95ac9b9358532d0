#include "SamplePlayer.h"

#include "NativeAudioPlayer.h"

#include <functional>

namespace VADirur {

namespace {

// Starts the sound and keeps the player until it has finished; releases a
// player whose file could not be opened and returns null.
DIReridArazi::NativeAudioPlayer* keepWhilePlaying(
    const std::function<void(DIReridArazi::NativeAudioPlayer*)>& start)
{
    auto* player = new DIReridArazi::NativeAudioPlayer(nullptr);
    QObject::connect(
        player, &DIReridArazi::NativeAudioPlayer::finished, player, &QObject::deleteLater);
    start(player);
    if (player->isPlaying())
        return player;
    delete player;
    return nullptr;
}

} // namespace

bool SamplePlayer::play(const QString& path)
{
    return keepWhilePlaying([&](DIReridArazi::NativeAudioPlayer* player) { player->play(path); })
        != nullptr;
}

DIReridArazi::NativeAudioPlayer* SamplePlayer::playAtFrame(const QString& path, qint64 frame)
{
    return keepWhilePlaying(
        [&](DIReridArazi::NativeAudioPlayer* player) { player->playAtFrame(path, frame); });
}

} // namespace VADirur
