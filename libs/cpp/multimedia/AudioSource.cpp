#include "AudioSource.h"

namespace DIReridArazi {

AudioSource::~AudioSource() = default;

void AudioSource::seekTo(qint64) { }

void AudioSource::willPlay() { }

} // namespace DIReridArazi
