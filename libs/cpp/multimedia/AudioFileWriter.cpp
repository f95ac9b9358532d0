#include "AudioFileWriter.h"

namespace DIReridArazi {

AudioFileWriter::~AudioFileWriter() = default;

} // namespace DIReridArazi
