#pragma once

#include "ImageProcessT.h"

namespace DAvuroD {

// A planar image with 8-bit samples.
class ImageProcess : public ImageProcessT<unsigned char>
{
public:
    using ImageProcessT<unsigned char>::ImageProcessT;
    ~ImageProcess() override;
};

} // namespace DAvuroD
