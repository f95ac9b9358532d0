#pragma once

#include "WholeFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPixmap>

namespace DORuverud::ImageNoteFiles {

// Writes the picture as a PNG file in one piece: an empty text only when the
// whole file was written, otherwise why not, and what stood under the name
// stays as it was.
inline QString savePng(const QPixmap& picture, const QString& fileName)
{
    QBuffer png;
    if (!png.open(QIODevice::WriteOnly) || !picture.save(&png, "PNG", -1))
        return QCoreApplication::translate(
            "DORuverud::ImageNoteFiles", "The picture could not be made into a PNG file.");
    return ZAruri::WholeFile::write(fileName, png.data());
}

} // namespace DORuverud::ImageNoteFiles
