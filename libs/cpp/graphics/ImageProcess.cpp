#include "ImageProcess.h"

namespace DAvuroD {

ImageProcess::~ImageProcess() = default;

} // namespace DAvuroD
