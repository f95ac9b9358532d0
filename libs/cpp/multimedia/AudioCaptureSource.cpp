#include "AudioCaptureSource.h"

namespace DIReridArazi {

AudioCaptureSource::~AudioCaptureSource() = default;

} // namespace DIReridArazi
