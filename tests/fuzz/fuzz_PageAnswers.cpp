// clang-format off
// libFuzzer target for the answers of a page helper, which the program reads
// as from a stranger; not part of the test suite. Build and run by hand from
// the repository root (moc only when the document declares signals):
//   moc libs/cpp/DORuverud/TextEditDocument.h -o /tmp/moc_TextEditDocument.cpp
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Widgets Qt5Svg) -Ilibs/cpp/DORuverud -Ilibs/cpp/graphics -Ilibs/cpp/helperhost -Ilibs/cpp/ZAruri \
//     tests/fuzz/fuzz_PageAnswers.cpp libs/cpp/DORuverud/TextEditReader.cpp \
//     libs/cpp/DORuverud/PlainTextForm.cpp libs/cpp/DORuverud/TextEncoding.cpp \
//     libs/cpp/DORuverud/HtmlEncoding.cpp \
//     libs/cpp/DORuverud/TextEditDocument.cpp /tmp/moc_TextEditDocument.cpp \
//     libs/cpp/DORuverud/UnbrokenRun.cpp libs/cpp/DORuverud/InsertionParagraph.cpp \
//     libs/cpp/DORuverud/PageRequest.cpp libs/cpp/DORuverud/PageTrial.cpp libs/cpp/DORuverud/PasteTarget.cpp \
//     libs/cpp/DORuverud/LayoutThread.cpp \
//     libs/cpp/graphics/PictureReader.cpp libs/cpp/graphics/JpegHeader.cpp \
//     libs/cpp/graphics/PictureCost.cpp libs/cpp/graphics/SvgRequest.cpp libs/cpp/helperhost/HelperChannel.cpp libs/cpp/helperhost/HelperProcess.cpp libs/cpp/helperhost/HelperMessage.cpp libs/cpp/helperhost/MemoryFile.cpp libs/cpp/helperhost/HelperSandbox.cpp libs/cpp/helperhost/HelperErrors.cpp libs/cpp/helperhost/ProcessWatch.cpp \
//     libs/cpp/helperhost/HelperFolder.cpp libs/cpp/helperhost/HelperLimits.cpp libs/cpp/helperhost/HelperSpare.cpp libs/cpp/helperhost/HelperTemplates.cpp libs/cpp/helperhost/HelperTree.cpp libs/cpp/helperhost/LandlockRules.cpp \
//     libs/cpp/graphics/SvgCanvas.cpp libs/cpp/graphics/SvgClient.cpp libs/cpp/graphics/SvgFailures.cpp libs/cpp/graphics/SvgClientPool.cpp libs/cpp/graphics/SvgStage.cpp \
//     libs/cpp/ZAruri/Trace.cpp \
//     $(pkg-config --libs Qt5Widgets Qt5Svg libjpeg zlib fontconfig) -o /tmp/fuzz_PageAnswers
// Seeds: the names of one picture and a height, a refusal, names that count
// 2^31 - 1 and 100,000, names longer than the file for them, a length past
// the file, an answer of another number, one of a wrong kind, one given
// twice, a packet of no bytes, one over 64 KiB, and answers carrying
// descriptors:
//   mkdir -p /tmp/seeds_pages && (cd /tmp/seeds_pages && python3 -c "
//   import struct
//   text = lambda s: struct.pack('>I', len(s) * 2) + s.encode('utf-16-be')
//   names = lambda n, count=None: struct.pack('>I', n if count is None else count) + b''.join(text('a%d.png' % i) for i in range(n))
//   packet = lambda kind, data, fds=0, n=1: bytes([fds << 1]) + struct.pack('>I', len(data) + 5) + bytes([kind]) + struct.pack('>I', n) + data
//   file = lambda data: bytes([1]) + struct.pack('>I', len(data)) + data
//   pictures = lambda length: packet(2, struct.pack('>q', length))
//   measured = packet(4, struct.pack('>dq', 120.0, 3))
//   one = names(1)
//   open('measured', 'wb').write(file(one) + pictures(len(one)) + measured)
//   open('refused', 'wb').write(packet(5, text('no')))
//   open('huge-count', 'wb').write(file(names(1, 2**31 - 1)) + pictures(len(one)))
//   many = names(100000)
//   open('many-names', 'wb').write(file(many) + pictures(len(many)))
//   open('short-names', 'wb').write(file(one) + pictures(len(one) + 9))
//   open('past-the-file', 'wb').write(pictures(13 << 20))
//   open('wrong-number', 'wb').write(packet(4, struct.pack('>dq', 1.0, 1), n=2))
//   open('wrong-kind', 'wb').write(packet(0, b''))
//   open('twice', 'wb').write(measured + measured)
//   open('empty', 'wb').write(bytes([0]) + struct.pack('>I', 0))
//   open('oversized', 'wb').write(packet(5, bytes(70000)))
//   open('descriptors', 'wb').write(b''.join(packet(4, struct.pack('>dq', 1.0, 1), n) for n in (1, 2, 3)))")
//   export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
//   mkdir -p /tmp/corpus_pages && QT_LOGGING_RULES='*=false' /tmp/fuzz_PageAnswers \
//     -max_total_time=600 -timeout=120 -max_len=3000000 /tmp/corpus_pages /tmp/seeds_pages
// The timeout stands past the longest the program waits on a helper by the
// clock, ten times its limits.
// clang-format on
//
// Input: what the page helper does once asked to lay a page out, step by
// step: a byte, a big-endian length and that many bytes. A byte with bit 0
// set writes the bytes into the program's file for names; otherwise bits 1
// and 2 tell how many descriptors (of the page, up to three) go with the
// packet of those bytes (a kind, the request's number, its data). The program
// is this fuzzer; the helper is this fuzzer too, started under the name
// fuzz-page-replay, which replays the page the program sends it, and ends.

#include "FuzzCheck.h"
#include "FuzzReplay.h"
#include "HelperChannel.h"
#include "MemoryFile.h"
#include "PageRequest.h"
#include "PageTrial.h"
#include "TextEditDocument.h"
#include "TextEditReader.h"

#include <QApplication>
#include <QFileInfo>
#include <QtEndian>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr char replayName[] = "fuzz-page-replay";

void writeNames(int fd, const QByteArray& bytes)
{
    void* data = ::mmap(nullptr, size_t(bytes.size()), PROT_WRITE, MAP_SHARED, fd, 0);
    if (data == MAP_FAILED)
        return;
    std::memcpy(data, bytes.constData(), size_t(bytes.size()));
    ::munmap(data, size_t(bytes.size()));
}

// The helper's part: replays the page it is sent.
[[noreturn]] void replay()
{
    HelperChannel channel(STDIN_FILENO);
    channel.send(HelperChannel::readyKind);
    HelperChannel::Message request;
    if (channel.receive(request) && request.kind == PageRequest::Page) {
        const int page = request.fds.value(0, -1);
        const int names = request.fds.value(1, -1);
        const QByteArray input = MemoryFile::read(page, qint64(16) << 20);
        for (int at = 0; at + 5 <= input.size();) {
            const int step = input.at(at);
            const quint32 length = qFromBigEndian<quint32>(input.constData() + at + 1) % 200000;
            const QByteArray bytes = input.mid(at + 5, int(length));
            if (step & 1)
                writeNames(names, bytes.left(int(PageRequest::maxNamesBytes)));
            else
                FuzzReplay::sendPacket(bytes, (step >> 1) & 3, page);
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
    new QApplication(*argc, *argv);
    // The helper: this program under the name that makes it replay.
    PageTrial::setHelper(FuzzReplay::selfAs(replayName));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The page the helper is sent is the input, which it replays.
    PageRequest request;
    request.fileName = QStringLiteral("page.html");
    TextEditDocument pictures;
    const PageTrial::Result result
        = PageTrial::tried(request, QByteArray(reinterpret_cast<const char*>(data), int(size)),
            &pictures, TextEditReader::maxHeight);
    // A page is shown only as laid out within the bound, and the program
    // keeps no more than the descriptors of its helper.
    check(!result.refusal.isEmpty() || qAbs(result.height) <= TextEditReader::maxHeight);
    check(FuzzReplay::openFds() < 64);
    return 0;
}
