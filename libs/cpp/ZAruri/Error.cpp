#include "Error.h"

namespace ZAruri {

Error::Error(const char* message)
    : m_message(message)
{
}

Error::Error(const MString& message)
    : m_message(message)
{
}

const MString& Error::message() const
{
    return m_message;
}

} // namespace ZAruri
