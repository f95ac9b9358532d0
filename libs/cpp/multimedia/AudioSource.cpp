#include "AudioSource.h"

namespace DIReridArazi {

AudioSource::~AudioSource() = default;

void AudioSource::seekTo(qint64) { }

} // namespace DIReridArazi
