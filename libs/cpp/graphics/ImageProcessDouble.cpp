#include "ImageProcessDouble.h"

namespace DAvuroD {

ImageProcessDouble::~ImageProcessDouble() = default;

} // namespace DAvuroD
