// clang-format off
// libFuzzer target for the answers of an SVG helper, which the program reads
// as from a stranger; not part of the test suite. Build and run by hand from
// the repository root:
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Gui) -Ilibs/cpp/graphics -Ilibs/cpp/helperhost -Ilibs/cpp/ZAruri \
//     tests/fuzz/fuzz_HelperAnswers.cpp libs/cpp/graphics/PictureReader.cpp \
//     libs/cpp/graphics/JpegHeader.cpp libs/cpp/graphics/PictureCost.cpp \
//     libs/cpp/graphics/SvgRequest.cpp libs/cpp/helperhost/HelperChannel.cpp libs/cpp/helperhost/HelperProcess.cpp libs/cpp/helperhost/HelperMessage.cpp libs/cpp/helperhost/MemoryFile.cpp libs/cpp/helperhost/HelperSandbox.cpp libs/cpp/helperhost/HelperErrors.cpp libs/cpp/helperhost/ProcessWatch.cpp \
//     libs/cpp/helperhost/HelperFolder.cpp libs/cpp/helperhost/HelperLimits.cpp libs/cpp/helperhost/HelperSpare.cpp libs/cpp/helperhost/HelperTemplates.cpp libs/cpp/helperhost/HelperTree.cpp libs/cpp/helperhost/LandlockRules.cpp \
//     libs/cpp/graphics/SvgCanvas.cpp libs/cpp/graphics/SvgClient.cpp libs/cpp/graphics/SvgFailures.cpp \
//     libs/cpp/graphics/SvgClientPool.cpp libs/cpp/graphics/SvgStage.cpp libs/cpp/ZAruri/Trace.cpp \
//     $(pkg-config --libs Qt5Gui libjpeg fontconfig) -o /tmp/fuzz_HelperAnswers
// Seeds: a Canvas and a Drawn answer of the size asked for, a refusal, an
// answer of a wrong kind, of another request's number, one given twice, a
// packet of no bytes, one over 64 KiB, and answers carrying one, two and
// three descriptors:
//   mkdir -p /tmp/seeds_answers && (cd /tmp/seeds_answers && python3 -c "
//   import struct
//   size = lambda w, h: struct.pack('>ii', w, h)
//   text = lambda s: struct.pack('>I', len(s) * 2) + s.encode('utf-16-be')
//   packet = lambda kind, data, fds=0, n=1: bytes([fds]) + struct.pack('>I', len(data) + 5) + bytes([kind]) + struct.pack('>I', n) + data
//   open('drawn', 'wb').write(packet(2, size(64, 64)) + packet(3, size(64, 64)))
//   open('refused', 'wb').write(packet(4, text('no') + bytes([0])))
//   open('wrong-kind', 'wb').write(packet(0, b''))
//   open('wrong-number', 'wb').write(packet(2, size(64, 64), n=2))
//   open('repeated', 'wb').write(packet(2, size(64, 64)) + packet(2, size(64, 64)))
//   open('empty', 'wb').write(bytes([0]) + struct.pack('>I', 0))
//   open('oversized', 'wb').write(packet(4, bytes(70000)))
//   open('descriptors', 'wb').write(b''.join(packet(2, size(64, 64), n) for n in (1, 2, 3)))")
//   export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
//   mkdir -p /tmp/corpus_answers && QT_LOGGING_RULES='*=false' /tmp/fuzz_HelperAnswers \
//     -max_total_time=600 -timeout=120 /tmp/corpus_answers /tmp/seeds_answers
// clang-format on
//
// Input: what the helper sends once asked to draw into 64 x 64, packet by
// packet: a byte telling how many descriptors go with it (of the canvas, up
// to three), a big-endian length, and that many bytes (a kind, the request's
// number, and its data). The program is this
// fuzzer; the helper is this fuzzer too, started under the name
// fuzz-helper-replay, which reads the input from the text the request
// carries and ends once it sent it.

#include "FuzzCheck.h"
#include "FuzzReplay.h"
#include "HelperChannel.h"
#include "MemoryFile.h"
#include "SvgClientPool.h"
#include "SvgRequest.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QtEndian>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr char replayName[] = "fuzz-helper-replay";

// The helper's part: sends the packets of the text the request carries.
[[noreturn]] void replay()
{
    HelperChannel channel(STDIN_FILENO);
    channel.send(HelperChannel::readyKind);
    HelperChannel::Message request;
    DAvuroD::SvgRequest asked;
    if (channel.receive(request) && asked.fromMessage(request.data)) {
        const QByteArray input
            = MemoryFile::read(request.fds.value(1, -1), DAvuroD::SvgRequest::maxSourceSize);
        for (int at = 0; at + 5 <= input.size();) {
            const int fdCount = input.at(at) & 3;
            const quint32 length = qFromBigEndian<quint32>(input.constData() + at + 1) % 80000;
            FuzzReplay::sendPacket(
                input.mid(at + 5, int(length)), fdCount, request.fds.value(0, -1));
            at += 5 + int(length);
        }
    }
    ::_exit(0);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    if (QFileInfo(QString::fromLocal8Bit((*argv)[0])).fileName() == replayName)
        replay();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    // The helper: this program under the name that makes it replay.
    DAvuroD::SvgClientPool::instance().setHelper(FuzzReplay::selfAs(replayName));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DAvuroD::SvgRequest request;
    request.text = QByteArray(reinterpret_cast<const char*>(data), int(size));
    request.bound = QSize(64, 64);
    request.fit = DAvuroD::SvgRequest::Fit::Within;
    request.mostPixels = 64 * 64;
    const QImage image = DAvuroD::SvgClientPool::instance().draw(request).image;
    check(image.isNull() || (image.width() <= 64 && image.height() <= 64));
    // The helper's channel, files and canvas while it is kept, and no more.
    check(FuzzReplay::openFds() < 64);
    return 0;
}
