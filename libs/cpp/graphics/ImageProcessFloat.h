#pragma once

#include "ImageProcessT.h"

namespace DAvuroD {

// A planar image with single-precision samples.
class ImageProcessFloat : public ImageProcessT<float>
{
public:
    using ImageProcessT<float>::ImageProcessT;
    ~ImageProcessFloat() override;
};

} // namespace DAvuroD
