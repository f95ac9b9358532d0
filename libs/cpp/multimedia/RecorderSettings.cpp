#include "RecorderSettings.h"

namespace DIReridArazi {

namespace {

int encoderQuality(int quality)
{
    switch (quality) {
    case 0:
        return 0;
    case 1:
        return 32;
    case 2:
        return 64;
    case 4:
        return 127;
    default:
        return 96;
    }
}

} // namespace

RecorderSettings recorderSettings(const MAudioFormat& format)
{
    RecorderSettings settings;
    settings.sampleRate = float(format.sampleRate);
    settings.numberOfChannels = format.channelCount;
    settings.encoderAudioQuality = encoderQuality(format.quality);
    const int codecId = MAudioFormat::codecIDFromString(format.codec);
    if (codecId == 3 || codecId == 2) {
        settings.formatId = RecorderSettings::FormatId::Mpeg4Aac;
        settings.encoderBitRate = format.bitRate;
    }
    return settings;
}

} // namespace DIReridArazi
