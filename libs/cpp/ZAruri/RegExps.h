#pragma once

#include <QRegExp>

namespace ZAruri {

// Stock regular expressions.
class RegExps
{
public:
    RegExps() = delete;

    // E-mail addresses; use exactMatch(). Group 1 is the local part, group 3
    // the last label of the domain.
    static QRegExp email();
};

} // namespace ZAruri
