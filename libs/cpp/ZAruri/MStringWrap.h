#pragma once

#include "MString.h"

namespace ZAruri {

// MString with constructors that write numbers as decimal text.
class MStringWrap : public MString
{
public:
    MStringWrap(const char* text);
    MStringWrap(const char* bytes, unsigned long length);
    // A buffer of that many bytes, contents not set.
    explicit MStringWrap(unsigned long length);
    MStringWrap(const char& byte);
    MStringWrap(const int& number);
    // Narrowed to 32 bits first.
    MStringWrap(const long& number);
    MStringWrap(const unsigned int& number);
    // Six decimals ("%f").
    MStringWrap(const float& number);
    MStringWrap(const double& number);
    // Narrowed to float first.
    MStringWrap(const long double& number);
    ~MStringWrap() override;

    // Writes the text and a line feed to standard output.
    virtual void test();

private:
    explicit MStringWrap(const std::string& text);
};

} // namespace ZAruri
