// clang-format off
// libFuzzer target for the audio engine's decoding; not part of the test
// suite. Build and run by hand from the repository root:
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Core sdl2 sndfile) -Ilibs/cpp/multimedia \
//     tests/fuzz/fuzz_AudioClip.cpp libs/cpp/multimedia/AudioClip.cpp \
//     libs/cpp/multimedia/AudioDecoder.cpp libs/cpp/multimedia/AudioFileReader.cpp \
//     libs/cpp/multimedia/AudioResampler.cpp libs/cpp/multimedia/AudioSource.cpp \
//     $(pkg-config --libs Qt5Core sdl2 sndfile) -o /tmp/fuzz_AudioClip
// Seeds, the hostile cases: a WAV header at 8 kHz that claims far more data
// than follows, and a short one at 96 kHz:
//   mkdir -p /tmp/seeds && cd /tmp/seeds && python3 -c "
//   import struct
//   def wav(rate, frames, claimed):
//       data = b''.join(struct.pack('<h', (i * 37) % 20000 - 10000) for i in range(frames))
//       fmt = struct.pack('<HHIIHH', 1, 1, rate, 2 * rate, 2, 16)
//       return (b'RIFF' + struct.pack('<I', 36 + claimed) + b'WAVEfmt ' + struct.pack('<I', 16) + fmt
//               + b'data' + struct.pack('<I', claimed) + data)
//   open('lying.wav', 'wb').write(wav(8000, 4000, 2**31))
//   open('short96k.wav', 'wb').write(wav(96000, 3000, 6000))"
//   /tmp/fuzz_AudioClip -max_total_time=600 -rss_limit_mb=1024 /tmp/corpus /tmp/seeds
// clang-format on
//
// Input: the bytes of a sound file, decoded whole into a clip, as a first
// play or a decode ahead does.

#include "AudioClip.h"
#include "FuzzCheck.h"

#include <QCoreApplication>
#include <QTemporaryFile>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QTemporaryFile file;
    check(file.open());
    check(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    file.close();
    const std::shared_ptr<DIReridArazi::AudioClip> clip
        = DIReridArazi::AudioClip::decode(file.fileName());
    if (clip) {
        check(clip->isComplete());
        check(clip->frames() > 0 && clip->frames() <= DIReridArazi::AudioClip::maxFrames);
        check(clip->channels() == 1 || clip->channels() == 2);
        check(clip->bytes() >= qint64(clip->frames() * clip->channels() * 2));
    }
    return 0;
}
