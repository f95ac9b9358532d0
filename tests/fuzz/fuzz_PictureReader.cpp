// clang-format off
// libFuzzer target for the picture reader; not part of the test suite. Build
// and run by hand from the repository root:
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Gui) -Ilibs/cpp/graphics -Ilibs/cpp/ZAruri \
//     tests/fuzz/fuzz_PictureReader.cpp libs/cpp/graphics/PictureReader.cpp \
//     libs/cpp/graphics/JpegHeader.cpp libs/cpp/ZAruri/Trace.cpp \
//     $(pkg-config --libs Qt5Gui libjpeg) -o /tmp/fuzz_PictureReader
// Seeds, the hostile cases: a 514 KB PNG claiming 23000 x 23000 pixels, its header alone,
// and JPEGs of a few hundred bytes claiming as much, in one scan and progressive:
//   mkdir -p /tmp/seeds && cd /tmp/seeds && python3 -c "
//   import zlib, struct
//   def chunk(t, d): return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d))
//   c = zlib.compressobj(9); row = bytes(23001)
//   idat = b''.join(c.compress(row) for _ in range(23000)) + c.flush()
//   png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 23000, 23000, 8, 0, 0, 0, 0))
//   open('huge.png', 'wb').write(png + chunk(b'IDAT', idat) + chunk(b'IEND', b''))
//   open('header-only.png', 'wb').write(png)
//   dqt = b'\xff\xdb\x00\x43\x00' + bytes([1] * 64)
//   dht = lambda c: b'\xff\xc4\x00\x14' + bytes([c, 1] + [0] * 16)
//   jpeg = lambda sof, end: (b'\xff\xd8' + dqt + sof + struct.pack('>HBHHBBBB', 11, 8, 23000, 23000, 1, 1, 0x11, 0)
//     + dht(0) + dht(0x10) + b'\xff\xda' + struct.pack('>HBBBBBB', 8, 1, 1, 0, 0, end, 0) + bytes(64) + b'\xff\xd9')
//   open('huge-scan.jpg', 'wb').write(jpeg(b'\xff\xc0', 63))
//   open('huge-progressive.jpg', 'wb').write(jpeg(b'\xff\xc2', 0))"
//   QT_LOGGING_RULES='*=false' /tmp/fuzz_PictureReader -max_total_time=600 -rss_limit_mb=1024 /tmp/corpus /tmp/seeds
// clang-format on
//
// Input: the bytes of a picture file, read whole from memory and fitted into a
// thumbnail from a file.

#include "FuzzCheck.h"
#include "PictureReader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QTemporaryFile>

#include <cstddef>
#include <cstdint>

namespace {

bool withinBudget(const QImage& image)
{
    return qint64(image.width()) * image.height() <= DAvuroD::PictureReader::maxPixels;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // For the image format plugins.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    QBuffer buffer(&bytes);
    check(withinBudget(DAvuroD::PictureReader::read(&buffer)));
    QTemporaryFile file;
    check(file.open());
    file.write(bytes);
    file.close();
    const QImage thumbnail = DAvuroD::PictureReader::readFitted(file.fileName(), QSize(80, 80));
    check(thumbnail.isNull() || (thumbnail.width() <= 80 && thumbnail.height() <= 80));
    return 0;
}
