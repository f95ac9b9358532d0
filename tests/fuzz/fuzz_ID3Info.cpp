// clang-format off
// libFuzzer target for the cover picture of an audio file: the input, less
// its first byte, is the only picture beside a song, named with the suffix
// that the first byte picks. Not part of the test suite. Build and run by
// hand from the repository root:
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Gui Qt5Svg) -Ilibs/cpp/multimedia -Ilibs/cpp/graphics -Ilibs/cpp/helperhost -Ilibs/cpp/ZAruri \
//     tests/fuzz/fuzz_ID3Info.cpp libs/cpp/multimedia/ID3Info.cpp \
//     libs/cpp/multimedia/MediaCommon.cpp libs/cpp/graphics/PictureReader.cpp \
//     libs/cpp/graphics/JpegHeader.cpp libs/cpp/graphics/PictureCost.cpp \
//     libs/cpp/graphics/SvgRequest.cpp libs/cpp/helperhost/HelperChannel.cpp libs/cpp/helperhost/HelperProcess.cpp libs/cpp/helperhost/HelperMessage.cpp libs/cpp/helperhost/MemoryFile.cpp libs/cpp/helperhost/HelperSandbox.cpp libs/cpp/helperhost/HelperErrors.cpp libs/cpp/helperhost/ProcessWatch.cpp \
//     libs/cpp/helperhost/HelperFolder.cpp libs/cpp/helperhost/HelperLimits.cpp libs/cpp/helperhost/HelperSpare.cpp libs/cpp/helperhost/HelperTemplates.cpp libs/cpp/helperhost/HelperTree.cpp libs/cpp/helperhost/LandlockRules.cpp libs/cpp/graphics/SvgCanvas.cpp \
//     libs/cpp/graphics/SvgClient.cpp libs/cpp/graphics/SvgFailures.cpp libs/cpp/graphics/SvgClientPool.cpp libs/cpp/graphics/SvgStage.cpp libs/cpp/ZAruri/Trace.cpp \
//     $(pkg-config --libs Qt5Gui Qt5Svg libjpeg zlib fontconfig) -o /tmp/fuzz_ID3Info
// Seeds, the hostile cases among them (a PNG and a GIF that claim 23000 x
// 23000 pixels, a BMP that claims 2^31 rows, a cut JPEG, an SVG of text
// named .jpg):
//   mkdir -p /tmp/seeds_cover && (cd /tmp/seeds_cover && python3 -c '
//   import struct, zlib
//   def chunk(t, d): return struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d))
//   def png(w, h, rows): return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 0, 0, 0, 0)) + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")
//   bmp = b"BM" + struct.pack("<IHHI", 62, 0, 0, 62) + struct.pack("<IiiHHIIiiII", 40, 4, -(1 << 31), 1, 1, 0, 0, 0, 0, 0, 0) + bytes(8)
//   seeds = {"png": b"\x01" + png(2, 2, bytes(6)), "huge-png": b"\x01" + png(23000, 23000, bytes(23001)),
//     "huge-gif": b"\x06GIF89a" + struct.pack("<HH", 23000, 23000) + b"\x00\x00\x00,\x00\x00\x00\x00" + struct.pack("<HH", 23000, 23000) + b"\x00\x02\x02D\x01\x00;",
//     "huge-bmp": b"\x02" + bmp, "cut-jpeg": b"\x00\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xff\xc0\x00\x11\x08\x59\xd8\x59\xd8\x03",
//     "svg-text": b"\x00<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\"><text y=\"32\">Am7</text></svg>"}
//   [open(n, "wb").write(t) for n, t in seeds.items()]')
// The seeds in full first (a fuzzing run cuts inputs to max_len), then the run,
// with fontconfig's caches kept out of the leak check:
//   export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
//   export TESSIVAR_SVG_HELPER=$PWD/build/Tessivar/MacOS/tessivar-svg
//   /tmp/fuzz_ID3Info -rss_limit_mb=2048 /tmp/seeds_cover/*
//   mkdir -p /tmp/corpus_cover && /tmp/fuzz_ID3Info -max_total_time=300 -timeout=10 -max_len=4096 \
//     -rss_limit_mb=2048 /tmp/corpus_cover /tmp/seeds_cover
// clang-format on

#include "FuzzDrawingHelper.h"
#include "ID3Info.h"
#include "PictureReader.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

QTemporaryDir* folder;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "*.warning=false;*.debug=false");
    new QGuiApplication(*argc, *argv);
    useBuildsDrawingHelper();
    folder = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const char* const suffixes[] = {"jpg", "png", "bmp", "tif", "tiff", "jpeg", "gif"};
    const QString name = folder->filePath(QStringLiteral("cover.") + suffixes[data[0] % 7]);
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(reinterpret_cast<const char*>(data) + 1, qint64(size - 1))
            != qint64(size - 1))
        __builtin_trap();
    file.close();
    const QPixmap cover
        = DIReridArazi::ID3Info(folder->filePath(QStringLiteral("song.mp3"))).cover();
    QFile::remove(name);
    if (qint64(cover.width()) * cover.height() * 4 > DAvuroD::PictureReader::maxBytes)
        __builtin_trap();
    return 0;
}
