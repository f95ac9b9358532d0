#include "MStringWrap.h"

#include <iostream>
#include <string>

namespace ZAruri {

MStringWrap::MStringWrap(const char* text)
    : MString(text)
{
}

MStringWrap::MStringWrap(const char* bytes, unsigned long length)
    : MString(bytes, length)
{
}

MStringWrap::MStringWrap(unsigned long length)
    : MString(length)
{
}

MStringWrap::MStringWrap(const char& byte)
    : MString(byte)
{
}

// std::to_string prints as "%d", "%u" and "%f" do, into a buffer of the text's own size.
MStringWrap::MStringWrap(const int& number)
    : MStringWrap(std::to_string(number))
{
}

MStringWrap::MStringWrap(const long& number)
    : MStringWrap(std::to_string(static_cast<int>(number)))
{
}

MStringWrap::MStringWrap(const unsigned int& number)
    : MStringWrap(std::to_string(number))
{
}

MStringWrap::MStringWrap(const float& number)
    : MStringWrap(std::to_string(number))
{
}

MStringWrap::MStringWrap(const double& number)
    : MStringWrap(std::to_string(number))
{
}

MStringWrap::MStringWrap(const long double& number)
    : MStringWrap(std::to_string(static_cast<float>(number)))
{
}

MStringWrap::MStringWrap(const std::string& text)
{
    copy(text.c_str());
}

MStringWrap::~MStringWrap() = default;

void MStringWrap::test()
{
    std::cout << c_str() << std::endl;
}

} // namespace ZAruri
