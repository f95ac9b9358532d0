#pragma once

#include <QString>

// Names of the pictures of the virtual resolution mode, relative to ":/".
// artgen paints exactly these.
namespace DORuverud::ResolutionPictures {

inline QString logo()
{
    return QStringLiteral("pix/vrlogo.png");
}

} // namespace DORuverud::ResolutionPictures
