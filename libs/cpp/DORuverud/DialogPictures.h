#pragma once

#include <QString>

// Names of the pictures the dialogs load. artgen paints exactly these.
// Resource names are relative to ":/"; slide names to the Resources folder.
namespace DORuverud::DialogPictures {

inline QString resource(const QString& relPath)
{
    return QStringLiteral(":/") + relPath;
}

inline QString loadingAnimation()
{
    return QStringLiteral("pix/loading.gif");
}

inline QString appLogo()
{
    return QStringLiteral("app.png");
}

inline QString makerLogo()
{
    return QStringLiteral("pix/quelmarlogo.png");
}

// Behind the text of the video-introduction offer.
inline QString linkBackground()
{
    return QStringLiteral("pix/zadu2.jpg");
}

} // namespace DORuverud::DialogPictures
