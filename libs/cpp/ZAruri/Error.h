#pragma once

#include "MString.h"

namespace ZAruri {

// An error carrying its message as a byte string.
class Error
{
public:
    Error(const char* message);
    Error(const MString& message);

    const MString& message() const;

private:
    MString m_message;
};

} // namespace ZAruri
