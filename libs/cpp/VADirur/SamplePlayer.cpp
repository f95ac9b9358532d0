#include "SamplePlayer.h"

#include "NativeAudioPlayer.h"

namespace VADirur {

bool SamplePlayer::play(const QString& path)
{
    auto* player = new DIReridArazi::NativeAudioPlayer(nullptr);
    QObject::connect(
        player, &DIReridArazi::NativeAudioPlayer::finished, player, &QObject::deleteLater);
    player->play(path);
    if (player->isPlaying())
        return true;
    delete player;
    return false;
}

bool SamplePlayer::playAt(const QString& path, qint64 startNs)
{
    Q_UNUSED(startNs) // TEMP until the scheduled start lands
    return play(path);
}

} // namespace VADirur
