// clang-format off
// libFuzzer target for the audio engine's decoding; not part of the test
// suite. Build and run by hand from the repository root:
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
//     $(pkg-config --cflags Qt5Core sdl2 sndfile) -Ilibs/cpp/multimedia \
//     tests/fuzz/fuzz_AudioClip.cpp libs/cpp/multimedia/AudioClip.cpp \
//     libs/cpp/multimedia/AudioDecoder.cpp libs/cpp/multimedia/AudioFileReader.cpp \
//     libs/cpp/multimedia/AudioResampler.cpp libs/cpp/multimedia/AudioSource.cpp \
//     $(pkg-config --libs Qt5Core sdl2 sndfile) -o /tmp/fuzz_AudioClip
// Seeds, the hostile cases: WAV, AIFF and CAF headers of 1,024 channels at
// 383,987 Hz holding one frame, and of 32 channels; rates far beyond any
// sound card, and below one hertz; a WAV header at 8 kHz that claims far more
// data than follows, a short one at 96 kHz; a FLAC header claiming 2^36
// frames and holding none:
//   mkdir -p /tmp/seeds_audio && cd /tmp/seeds_audio && python3 -c "
//   import struct
//   def pcm(ch, frames, order):
//       return b''.join(struct.pack(order + 'h', (i * 37) % 20000 - 10000) for i in range(ch * frames))
//   def wav(rate, frames, claimed, ch=1):
//       fmt = struct.pack('<HHIIHH', 1, ch, rate, 2 * ch * rate % 2**32, 2 * ch, 16)
//       return (b'RIFF' + struct.pack('<I', (36 + claimed) % 2**32) + b'WAVEfmt ' + struct.pack('<I', 16) + fmt
//               + b'data' + struct.pack('<I', claimed) + pcm(ch, frames, '<'))
//   def aiff(exponent, frames, claimed, ch):
//       comm = b'COMM' + struct.pack('>IhIhHQ', 18, ch, claimed, 16, exponent, 2**63)
//       data = pcm(ch, frames, '>')
//       body = b'AIFF' + comm + b'SSND' + struct.pack('>III', 8 + len(data), 0, 0) + data
//       return b'FORM' + struct.pack('>I', len(body)) + body
//   def caf(rate, frames, claimed, ch):
//       desc = b'desc' + struct.pack('>qd4sIIIII', 32, rate, b'lpcm', 0, 2 * ch, 1, ch, 16)
//       return b'caff' + struct.pack('>HH', 1, 0) + desc + b'data' + struct.pack('>qI', claimed, 0) + pcm(ch, frames, '>')
//   def flac(rate, ch, total):
//       info = struct.pack('>HH', 4096, 4096) + b'\0' * 6 + struct.pack('>Q', rate << 44 | (ch - 1) << 41 | 15 << 36 | total)
//       return b'fLaC' + bytes([0x80, 0, 0, 34]) + info + b'\0' * 16
//   seeds = {
//       'lying.wav': wav(8000, 4000, 2**31), 'short96k.wav': wav(96000, 3000, 6000),
//       'many.wav': wav(383987, 1, 2048, 1024), 'many32.wav': wav(383987, 64, 4096, 32),
//       'fast.wav': wav(2**31 - 1, 1, 2**31, 2), 'many.aiff': aiff(16383 + 18, 1, 2**31, 1024),
//       'fast.aiff': aiff(16383 + 200, 1, 1, 2), 'many.caf': caf(383987.0, 1, 2052, 1024),
//       'fast.caf': caf(1e300, 1, 8, 2), 'slow.caf': caf(0.5, 100, 404, 2),
//       'claims.flac': flac(44100, 8, 2**36 - 1)}
//   for name, data in seeds.items():
//       open(name, 'wb').write(data)"
//   mkdir -p /tmp/corpus_audio && /tmp/fuzz_AudioClip -max_total_time=600 -timeout=10 -rss_limit_mb=1024 -malloc_limit_mb=64 \
//     /tmp/corpus_audio /tmp/seeds_audio
// clang-format on
//
// Input: the bytes of a sound file, decoded whole into a clip, as a first
// play or a decode ahead does.

#include "AudioClip.h"
#include "FuzzCheck.h"

#include <QCoreApplication>
#include <QTemporaryFile>

#include <algorithm>
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
        // What the file's bytes can make (64 frames a byte, a block at least),
        // then buffers that double as the sound is decoded: never the header's
        // claim alone.
        const qint64 backed
            = std::clamp<qint64>(qint64(size) * 64, 4096, DIReridArazi::AudioClip::maxFrames);
        check(clip->bytes() <= (backed + 4 * clip->frames()) * clip->channels() * 2);
    }
    return 0;
}
