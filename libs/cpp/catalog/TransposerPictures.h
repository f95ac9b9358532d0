#pragma once

#include <QString>

// The pictures of the transposer's favourites menu, as resource paths after
// ":/". artgen paints exactly these.
namespace VADirur::TransposerPictures {

inline QString newImage()
{
    return QStringLiteral("new.png");
}

inline QString saveImage()
{
    return QStringLiteral("save.png");
}

inline QString deleteImage()
{
    return QStringLiteral("delete.png");
}

} // namespace VADirur::TransposerPictures
