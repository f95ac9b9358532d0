#pragma once

#include "MAudioFormat.h"

#include <optional>

namespace DIReridArazi {

// What the platform recorder is told: the sample data's encoding, not the
// file's container (that follows the file name's suffix).
struct RecorderSettings
{
    enum class FormatId { LinearPcm, Mpeg4Aac };

    float sampleRate = 44100.0f;
    int numberOfChannels = 2;
    // 0 minimum, 32 low, 64 medium, 96 high, 127 maximum.
    int encoderAudioQuality = 96;
    FormatId formatId = FormatId::LinearPcm;
    // Present for AAC only.
    std::optional<int> encoderBitRate;
};

RecorderSettings recorderSettings(const MAudioFormat& format);

} // namespace DIReridArazi
