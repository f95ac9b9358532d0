#include "Tristate.h"

namespace ZAruri {

Tristate::Tristate(TrisateVal state)
    : m_state(state)
{
}

Tristate::Tristate(bool state)
    : m_state(state ? TristateTrue : TristateFalse)
{
}

Tristate& Tristate::operator=(bool state)
{
    m_state = state ? TristateTrue : TristateFalse;
    return *this;
}

bool Tristate::operator==(const Tristate& other) const
{
    return m_state == other.m_state;
}

bool Tristate::operator!=(const Tristate& other) const
{
    return m_state != other.m_state;
}

bool Tristate::toBool(bool* ok) const
{
    if (m_state == TristateUndefined) {
        if (ok)
            *ok = false;
        return false;
    }
    return m_state == TristateTrue;
}

} // namespace ZAruri
