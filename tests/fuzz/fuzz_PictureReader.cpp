// clang-format off
// libFuzzer target for the picture reader; not part of the test suite. Build
// and run by hand from the repository root, after a plain build in build/:
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Gui) -Ilibs/cpp/graphics -Ilibs/cpp/helperhost -Ilibs/cpp/ZAruri \
//     tests/fuzz/fuzz_PictureReader.cpp libs/cpp/graphics/PictureReader.cpp \
//     libs/cpp/graphics/JpegHeader.cpp libs/cpp/graphics/PictureCost.cpp \
//     libs/cpp/graphics/SvgRequest.cpp libs/cpp/helperhost/HelperChannel.cpp libs/cpp/helperhost/HelperProcess.cpp libs/cpp/helperhost/HelperMessage.cpp libs/cpp/helperhost/MemoryFile.cpp libs/cpp/helperhost/HelperSandbox.cpp libs/cpp/helperhost/HelperErrors.cpp libs/cpp/helperhost/ProcessWatch.cpp \
//     libs/cpp/helperhost/HelperFolder.cpp libs/cpp/helperhost/HelperLimits.cpp libs/cpp/helperhost/HelperSpare.cpp libs/cpp/helperhost/HelperTemplates.cpp libs/cpp/helperhost/HelperTree.cpp libs/cpp/helperhost/LandlockRules.cpp \
//     libs/cpp/graphics/SvgCanvas.cpp libs/cpp/graphics/SvgClient.cpp libs/cpp/graphics/SvgFailures.cpp \
//     libs/cpp/graphics/SvgClientPool.cpp libs/cpp/graphics/SvgStage.cpp libs/cpp/ZAruri/Trace.cpp \
//     $(pkg-config --libs Qt5Gui libjpeg fontconfig) -o /tmp/fuzz_PictureReader
// How it draws: SVGs are drawn as in the program, by the SVG helper of the
// plain build, which TESSIVAR_SVG_HELPER names (the run refuses to start
// without it). Qt's renderer runs there, confined and within the limits of
// the helper (2 s of its CPU time, 5 s of waiting, its canvas and 256 MB of
// resident memory), and a helper that crashes, answers amiss or passes a
// limit is a missing picture, as in the program; libFuzzer's -timeout and
// -rss_limit_mb hold this process: the budget, the raster decoders, the
// pool of helpers and the pictures handed back.
// Seeds, the hostile cases: a 514 KB PNG claiming 23000 x 23000 pixels, its header alone,
// a PNG of 16-bit colour one row beyond the bound,
// JPEGs of a few hundred bytes claiming as much, in one scan and progressive, a 16 x 16
// icon and cursor holding the PNG, a cursor whose entry lies beyond its data and claims
// 4 GB, a GIF whose frame restores its screen, one larger than it says, SVGs slow to
// draw (large translucent circles, uses showing uses, with and without a size, a
// use showing itself, dashes), one embedding the PNG, one naming a file, one
// naming 2,000 files beside it, one naming files by paths that leave its
// folder or walk within it, one of text, and a small one, plain and
// gzip-compressed; drawings the renderer may
// read two ways (uses and an image with an href and an xlink:href, an id
// given twice), a style sheet every element matches, one naming a device,
// lines of text, combs of many teeth, a dashed icon, the style sheet
// compressed in two parts and compressed twice, a GIF with a long comment
// before its frames, and drawings whose cost only the drawing tells: an
// entity used 20,000 times in a style attribute, text of 200,000 references
// to an entity, an element of 60,000 attributes, 5,000 class rules over
// elements of 1,000 classes, a gradient of 90,000 stops, 400 fills composed
// soft-light, a small picture drawn 7,000 times turned and translucent,
// drawings nested 320 and 800 deep, and a million empty style rules:
//   mkdir -p /tmp/seeds_pictures && (cd /tmp/seeds_pictures && python3 -c "
//   import base64, gzip, zlib, struct
//   def chunk(t, d): return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d))
//   c = zlib.compressobj(9); row = bytes(23001)
//   idat = b''.join(c.compress(row) for _ in range(23000)) + c.flush()
//   png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 23000, 23000, 8, 0, 0, 0, 0))
//   open('huge.png', 'wb').write(png + chunk(b'IDAT', idat) + chunk(b'IEND', b''))
//   open('header-only.png', 'wb').write(png)
//   d = zlib.compressobj(9); deep = b''.join(d.compress(bytes(8192 * 6 + 1)) for _ in range(8193)) + d.flush()
//   open('deep-colour.png', 'wb').write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 8192, 8193,
//     16, 2, 0, 0, 0)) + chunk(b'IDAT', deep) + chunk(b'IEND', b''))
//   dqt = b'\xff\xdb\x00\x43\x00' + bytes([1] * 64)
//   dht = lambda c: b'\xff\xc4\x00\x14' + bytes([c, 1] + [0] * 16)
//   jpeg = lambda sof, end: (b'\xff\xd8' + dqt + sof + struct.pack('>HBHHBBBB', 11, 8, 23000, 23000, 1, 1, 0x11, 0)
//     + dht(0) + dht(0x10) + b'\xff\xda' + struct.pack('>HBBBBBB', 8, 1, 1, 0, 0, end, 0) + bytes(64) + b'\xff\xd9')
//   open('huge-scan.jpg', 'wb').write(jpeg(b'\xff\xc0', 63))
//   open('huge-progressive.jpg', 'wb').write(jpeg(b'\xff\xc2', 0))
//   icon = lambda kind, p: struct.pack('<HHHBBBBHHII', 0, kind, 1, 16, 16, 0, 0, 1, 32, len(p), 22) + p
//   open('icon-huge-png.ico', 'wb').write(icon(1, png + chunk(b'IDAT', idat) + chunk(b'IEND', b'')))
//   open('cursor-huge-png.cur', 'wb').write(icon(2, png + chunk(b'IDAT', idat) + chunk(b'IEND', b'')))
//   gif = lambda sw, sh, fw, fh: (b'GIF89a' + struct.pack('<HHBBB', sw, sh, 0x80, 0, 0) + bytes(3) + b'\xff' * 3
//     + b'\x21\xf9\x04\x0c' + bytes(4) + b',' + struct.pack('<HHHHB', 0, 0, fw, fh, 0) + b'\x02\x02\x4c\x01\x00;')
//   open('restoring.gif', 'wb').write(gif(8200, 8200, 8200, 8200))
//   open('reported-smaller.gif', 'wb').write(gif(36464, 6000, 6000, 112))
//   open('icon-entry-beyond.cur', 'wb').write(struct.pack('<HHHBBBBHHII', 0, 2, 1, 16, 16, 0, 0, 1, 32, 0xfff82729, 227) + png)
//   svg = lambda side, body: ('<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" '
//     'width=\"%d\" height=\"%d\">%s</svg>' % (side, side, body)).encode()
//   open('circles.svg', 'wb').write(svg(8000, ''.join('<circle cx=\"%d\" cy=\"%d\" r=\"4000\" fill=\"red\" '
//     'fill-opacity=\"0.1\"/>' % (i * 7919 % 8000, i * 104729 % 8000) for i in range(2000))))
//   open('uses.svg', 'wb').write(svg(64, '<defs><g id=\"u0\"><rect width=\"1\" height=\"1\"/></g>' + ''.join(
//     '<g id=\"u%d\">' % i + '<use xlink:href=\"#u%d\"/>' % (i - 1) * 10 + '</g>' for i in range(1, 9)) + '</defs><use xlink:href=\"#u8\"/>'))
//   open('unsized.svg', 'wb').write(open('uses.svg', 'rb').read().replace(b' width=\"64\" height=\"64\"', b''))
//   open('loop.svg', 'wb').write(svg(64, '<g id=\"a\"><use xlink:href=\"#a\"/></g>'))
//   open('dashes.svg', 'wb').write(svg(4000, '<circle cx=\"2000\" cy=\"2000\" r=\"1000\" fill=\"none\" '
//     'stroke=\"red\" stroke-width=\"2000\" stroke-dasharray=\"3 3\"/>'))
//   open('embedded.svg', 'wb').write(svg(64, '<image width=\"64\" height=\"64\" xlink:href=\"data:image/png;base64,'
//     + base64.b64encode(png + chunk(b'IDAT', idat) + chunk(b'IEND', b'')).decode() + '\"/>'))
//   open('file.svg', 'wb').write(svg(64, '<image width=\"9\" height=\"9\" xlink:href=\"/dev/zero\"/>'))
//   open('names.svg', 'wb').write(svg(64, ''.join('<image width=\"9\" height=\"9\" xlink:href=\"n%d.png\"/>' % i
//     for i in range(2000))))
//   open('leaving.svg', 'wb').write(svg(64, '<image width=\"9\" height=\"9\" xlink:href=\"a/../../b.png\"/>'
//     '<svg:image xmlns:svg=\"http://www.w3.org/2000/svg\" width=\"9\" height=\"9\" href=\"a/./b/../c.png\"/>'))
//   small = svg(64, '<rect width=\"64\" height=\"64\" fill=\"red\" style=\"stroke-dasharray:none\"/>')
//   open('small.svg', 'wb').write(small)
//   open('small.svgz', 'wb').write(gzip.compress(small))
//   open('text.svg', 'wb').write(svg(64, '<text x=\"4\" y=\"32\">Am7</text>'))
//   circles = ''.join('<circle cx=\"%d\" cy=\"1000\" r=\"1000\" fill-opacity=\"0.1\"/>' % i for i in range(2000))
//   open('uses-two.svg', 'wb').write(svg(2000, '<defs><g id=\"light\"/><g id=\"heavy\">' + circles + '</g></defs>'
//     + '<use xlink:href=\"#heavy\" href=\"#light\"/>' * 100))
//   open('image-two.svg', 'wb').write(svg(64, '<image width=\"64\" height=\"64\" xlink:href=\"data:image/png;base64,'
//     + base64.b64encode(png + chunk(b'IDAT', idat) + chunk(b'IEND', b'')).decode() + '\" href=\"data:x\"/>'))
//   open('id-twice.svg', 'wb').write(svg(2000, '<g id=\"s\"/>' + '<use xlink:href=\"#s\"/>' * 50 + '<g id=\"s\">' + circles + '</g>'))
//   open('style.svg', 'wb').write(svg(100, '<style>' + 'rect { fill: red }' * 2000 + '</style>' + '<rect width=\"1\" height=\"1\"/>' * 2000))
//   style = open('style.svg', 'rb').read()
//   open('two-parts.svgz', 'wb').write(gzip.compress(style[:200]) + gzip.compress(style[200:]))
//   open('twice.svgz', 'wb').write(gzip.compress(gzip.compress(style)))
//   open('style-file.svg', 'wb').write(b'<?xml-stylesheet type=\"text/css\" href=\"/dev/zero\"?>' + small)
//   open('lines.svg', 'wb').write(svg(2000, '<text y=\"12\">The quick brown fox jumps over the lazy dog.</text>' * 2000))
//   open('combs.svg', 'wb').write(svg(4000, '<path d=\"M 0 4000 ' + ' '.join('L %d 0 L %d 4000' % (i * 10, i * 10 + 5)
//     for i in range(400)) + ' Z\"/>' * 20))
//   open('dashed-icon.svg', 'wb').write(svg(16, '<rect x=\"2\" y=\"2\" width=\"12\" height=\"12\" fill=\"none\" '
//     'stroke=\"#333\" stroke-dasharray=\"2 1\"/>'))
//   gif = b'GIF89a' + struct.pack('<HHBBB', 200, 150, 0x80, 0, 0) + bytes(3) + b'\xff' * 3 + b'\x21\xfe'
//   gif += b''.join(bytes([255]) + b'c' * 255 for _ in range(275)) + b'\0'
//   frame = b',' + struct.pack('<HHHHB', 0, 0, 200, 150, 0) + b'\x02\x02\x4c\x01\x00'
//   open('commented.gif', 'wb').write(gif + frame * 3 + b';')
//   open('entity-style.svg', 'wb').write(b'<\x21DOCTYPE svg [<\x21ENTITY s \"' + b'fill:red;' * 440 + b'\">]>'
//     + svg(100, '<rect width=\"100\" height=\"100\" style=\"' + '&s;' * 20000 + '\"/>'))
//   open('entity-text.svg', 'wb').write(b'<\x21DOCTYPE svg [<\x21ENTITY t \"' + b'x' * 4000 + b'\">]>'
//     + svg(100, '<text y=\"50\">' + '&t;' * 200000 + '</text>'))
//   open('attributes.svg', 'wb').write(svg(100, '<rect width=\"100\" height=\"100\"'
//     + ''.join(' a%d=\"0\"' % i for i in range(60000)) + '/>'))
//   open('classes.svg', 'wb').write(svg(100, '<style>' + ''.join('.c%d { fill: red }\n' % i for i in range(5000))
//     + '</style>' + '<rect width=\"1\" height=\"1\" class=\"%s\"/>' % ' '.join('c%d' % (i * 5) for i in range(1000)) * 200))
//   open('stops.svg', 'wb').write(svg(400, '<defs><linearGradient id=\"g\">' + ''.join('<stop offset=\"%g\" '
//     'stop-color=\"#%x\"/>' % (i / 90000, 0x100000 + i * 37 % 0xefffff) for i in range(90000))
//     + '</linearGradient></defs><rect width=\"400\" height=\"400\" fill=\"url(#g)\"/>'))
//   open('soft-light.svg', 'wb').write(svg(2000, '<defs><radialGradient id=\"r\"><stop offset=\"0\" stop-color=\"orange\"/>'
//     '<stop offset=\"1\" stop-color=\"navy\"/></radialGradient></defs>'
//     + '<rect width=\"2000\" height=\"2000\" fill=\"url(#r)\" comp-op=\"soft-light\"/>' * 400))
//   rgba = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 4, 4, 8, 6, 0, 0, 0))
//   rgba += chunk(b'IDAT', zlib.compress((b'\0' + b'\x28\x78\xc8\xb4' * 4) * 4)) + chunk(b'IEND', b'')
//   open('rotated.svg', 'wb').write(svg(1000, ''.join('<image width=\"800\" height=\"800\" opacity=\"0.5\" '
//     'transform=\"rotate(%d 500 500) scale(1.2)\" xlink:href=\"data:image/png;base64,%s\"/>'
//     % (i % 360, base64.b64encode(rgba).decode()) for i in range(7000))))
//   nested = lambda depth: svg(100, '<svg viewBox=\"0 0 100 100\" width=\"100%\" height=\"100%\">' * depth
//     + '<rect x=\"20\" y=\"20\" width=\"60\" height=\"60\" fill=\"red\"/>' + '</svg>' * depth)
//   open('nested-320.svg', 'wb').write(nested(320))
//   open('nested-800.svg', 'wb').write(nested(800))
//   open('style-rules.svg', 'wb').write(svg(64, '<style>' + '/**/a{}' * 1000000 + '</style><rect width=\"64\" height=\"64\"/>'))")
// The run, with fontconfig's caches kept out of the leak check. Each input
// is drawn twice, whole and fitted, each within 2 s of its helper's CPU
// time or 5 s of waiting, which a busy machine stretches on the wall clock
// that the timeout counts:
//   export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
//   export TESSIVAR_SVG_HELPER=$PWD/build/Tessivar/MacOS/tessivar-svg
//   mkdir -p /tmp/corpus_pictures && QT_LOGGING_RULES='*=false' /tmp/fuzz_PictureReader -max_total_time=600 -timeout=60 \
//     -rss_limit_mb=2048 /tmp/corpus_pictures /tmp/seeds_pictures
// clang-format on
//
// Input: the bytes of a picture file, read whole from memory and fitted into a
// thumbnail from a file.

#include "FuzzCheck.h"
#include "FuzzDrawingHelper.h"
#include "PictureReader.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QTemporaryFile>

#include <cstddef>
#include <cstdint>

namespace {

bool withinBudget(const QImage& image)
{
    return image.sizeInBytes() <= DAvuroD::PictureReader::maxBytes;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // For the image format plugins, and the fonts an SVG's text is drawn in.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    useBuildsDrawingHelper();
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
