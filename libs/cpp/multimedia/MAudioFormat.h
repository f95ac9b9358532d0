#pragma once

#include <QString>

namespace DIReridArazi {

// The format of a recording, copied by value.
class MAudioFormat
{
public:
    // 0 for "WAV" and any unknown text, 1 "AIFF", 2 "MPEG4ACC", 3 "CAF"
    // (exact, case-sensitive comparison).
    static int codecIDFromString(const QString& codec);

    QString codec = QStringLiteral("WAV");
    int sampleRate = 44100;
    int channelCount = 2;
    // Bits per sample; held and given back only.
    int sampleSize = 16;
    // Bit/s; used by the AAC codecs only.
    int bitRate = 128000;
    // 0 (lowest) to 4 (highest).
    int quality = 3;
};

} // namespace DIReridArazi
