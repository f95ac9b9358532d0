#pragma once

#include <QPixmap>
#include <QSaveFile>

namespace DORuverud::ImageNoteFiles {

// Writes the picture as a PNG file in one piece: true only when the whole
// file was written, otherwise nothing is left under the name. The explicit
// flush catches a short write that commit() alone lets pass.
inline bool savePng(const QPixmap& picture, const QString& fileName)
{
    QSaveFile file(fileName);
    return file.open(QIODevice::WriteOnly) && picture.save(&file, "PNG", -1) && file.flush()
        && file.commit();
}

} // namespace DORuverud::ImageNoteFiles
