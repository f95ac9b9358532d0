#pragma once

#include <QString>

namespace DIReridArazi {

// The kind of a media file, told by its name's suffix in any letter case.
class MediaCommon
{
public:
    MediaCommon() = delete;

    // 0 audio, 1 video, 2 image, 4 none of these.
    static int mediaType(const QString& name);
    static bool isAudio(const QString& name);
    static bool isVideo(const QString& name);
    static bool isImage(const QString& name);
};

} // namespace DIReridArazi
