#include "GraphX.h"

namespace DAvuroD {

int GraphX::sm_nWidth = 0;
int GraphX::sm_nHeight = 0;
signed char GraphX::sm_nMode = 0;

GraphX::~GraphX() = default;

int GraphX::maxWidth() const
{
    return sm_nWidth;
}

int GraphX::maxHigh() const
{
    return sm_nHeight;
}

int GraphX::getMode() const
{
    return sm_nMode;
}

} // namespace DAvuroD
