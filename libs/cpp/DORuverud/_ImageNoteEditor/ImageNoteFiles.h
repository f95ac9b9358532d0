#pragma once

#include "WholeFile.h"

#include <QBuffer>
#include <QPixmap>

namespace DORuverud::ImageNoteFiles {

// Writes the picture as a PNG file in one piece: true only when the whole
// file was written, otherwise what stood under the name stays as it was.
inline bool savePng(const QPixmap& picture, const QString& fileName)
{
    QBuffer png;
    return png.open(QIODevice::WriteOnly) && picture.save(&png, "PNG", -1)
        && ZAruri::WholeFile::write(fileName, png.data()).isEmpty();
}

} // namespace DORuverud::ImageNoteFiles
