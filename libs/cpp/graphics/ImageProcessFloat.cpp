#include "ImageProcessFloat.h"

namespace DAvuroD {

ImageProcessFloat::~ImageProcessFloat() = default;

} // namespace DAvuroD
