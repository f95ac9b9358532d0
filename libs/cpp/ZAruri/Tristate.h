#pragma once

#include <QtGlobal>

namespace ZAruri {

// True, false or undefined.
class Tristate
{
public:
    enum TrisateVal : qint32 { TristateFalse = 0, TristateTrue = 1, TristateUndefined = 1000 };

    Tristate(TrisateVal state);
    Tristate(bool state);
    Tristate(const Tristate& other) = default;

    Tristate& operator=(const Tristate& other) = default;
    Tristate& operator=(bool state);
    bool operator==(const Tristate& other) const;
    bool operator!=(const Tristate& other) const;

    // True only when true. An undefined state gives false and sets *ok to
    // false; any other state leaves *ok as it was.
    bool toBool(bool* ok = nullptr) const;

private:
    TrisateVal m_state;
};

} // namespace ZAruri
