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

} // namespace DORuverud::DialogPictures
