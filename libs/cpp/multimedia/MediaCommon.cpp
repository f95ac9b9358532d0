#include "MediaCommon.h"

#include <initializer_list>

namespace DIReridArazi {

namespace {

const int audioType = 0;
const int videoType = 1;
const int imageType = 2;
const int noType = 4;

bool endsWithAny(const QString& name, std::initializer_list<const char*> suffixes)
{
    for (const char* suffix : suffixes) {
        if (name.endsWith(QLatin1String(suffix)))
            return true;
    }
    return false;
}

} // namespace

int MediaCommon::mediaType(const QString& name)
{
    const QString lower = name.toLower();
    if (endsWithAny(lower,
            {".avi", ".mp4", ".mov", ".wmv", ".3gp", ".3g2", ".m4v", ".mpg", ".flv", ".swf", ".mkv",
                ".asf", ".vob"}))
        return videoType;
    if (endsWithAny(
            lower, {".wav", ".mp3", ".m4a", ".wma", ".ac3", ".aac", ".ogg", ".3ga", ".aiff"}))
        return audioType;
    if (endsWithAny(lower, {".jpg", ".png", ".bmp", ".tif", ".tiff", ".jpeg", ".gif"}))
        return imageType;
    return noType;
}

bool MediaCommon::isAudio(const QString& name)
{
    return mediaType(name) == audioType;
}

bool MediaCommon::isVideo(const QString& name)
{
    return mediaType(name) == videoType;
}

bool MediaCommon::isImage(const QString& name)
{
    return mediaType(name) == imageType;
}

} // namespace DIReridArazi
