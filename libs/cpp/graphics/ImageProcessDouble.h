#pragma once

#include "ImageProcessT.h"

namespace DAvuroD {

// A planar image with double-precision samples.
class ImageProcessDouble : public ImageProcessT<double>
{
public:
    using ImageProcessT<double>::ImageProcessT;
    ~ImageProcessDouble() override;
};

} // namespace DAvuroD
