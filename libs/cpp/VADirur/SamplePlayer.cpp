#include "SamplePlayer.h"

#include "NativeAudioPlayer.h"

#include <functional>

namespace VADirur {

namespace {

// Starts the sound and keeps the player until it has finished; releases a
// player whose file could not be opened.
bool keepWhilePlaying(const std::function<void(DIReridArazi::NativeAudioPlayer*)>& start)
{
    auto* player = new DIReridArazi::NativeAudioPlayer(nullptr);
    QObject::connect(
        player, &DIReridArazi::NativeAudioPlayer::finished, player, &QObject::deleteLater);
    start(player);
    if (player->isPlaying())
        return true;
    delete player;
    return false;
}

} // namespace

bool SamplePlayer::play(const QString& path)
{
    return keepWhilePlaying([&](DIReridArazi::NativeAudioPlayer* player) { player->play(path); });
}

bool SamplePlayer::playAt(const QString& path, qint64 startNs)
{
    return keepWhilePlaying(
        [&](DIReridArazi::NativeAudioPlayer* player) { player->playAt(path, startNs); });
}

} // namespace VADirur
