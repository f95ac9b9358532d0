// libFuzzer target for the update page reader; not part of the test suite.
// Build and run by hand from the repository root:
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Core) -Ilibs/cpp/DORuverud \
//     tests/fuzz/fuzz_UpdatePage.cpp libs/cpp/DORuverud/UpdatePage.cpp \
//     $(pkg-config --libs Qt5Core) -o /tmp/fuzz_UpdatePage
// Seeds, the largest page the downloader hands over (4 MiB, marker at its end)
// among them:
//   mkdir -p /tmp/seeds_update && cd /tmp/seeds_update && python3 -c '
//   seeds = {"dated": b"TQ:1.1.07.12.2026\n", "crlf": b"x\r\nTQ:1.1.07.12.2026\r\n",
//     "crlf-end": b"TQ:1.1.07.12.2026\r\n", "cr": b"x\rTQ:1.1.07.12.2026\ry",
//     "cr-end": b"TQ:1.1.07.12.2026\r", "no-end": b"TQ:1.1.07.12.2026",
//     "blank": b"TQ:1.1.07.12.2026 \r\n", "signed": b"TQ:1.1.+7.12.2026\r\n",
//     "magic": b"\x02AB" + b"AB:1.1.31.01.2020\n", "zero": b"TQ:1.1.\x0007.12.2026\n",
//     "largest": b"TQ:1.1" * 699040 + b"TQ:1.1.07.12.2026\r\n"}
//   [open(n, "wb").write(t) for n, t in seeds.items()]'
// The seeds in full first (a fuzzing run cuts inputs to max_len), then the run:
//   /tmp/fuzz_UpdatePage /tmp/seeds_update/*
//   mkdir -p /tmp/corpus_update && /tmp/fuzz_UpdatePage -max_total_time=300 -timeout=10 -max_len=4096 \
//     /tmp/corpus_update /tmp/seeds_update
// The first byte, when below 4, is the length of a magic string that follows.

#include "FuzzCheck.h"
#include "UpdatePage.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    QString magic = QStringLiteral("TQ");
    if (size > 0 && data[0] < 4 && size > data[0]) {
        magic = QString::fromLatin1(bytes + 1, data[0]);
        bytes += 1 + data[0];
        size -= 1 + data[0];
    }
    const QByteArray page(bytes, int(size));
    const QDate date = DORuverud::UpdatePage::releaseDate(page, magic);
    // A valid date is exactly the ten characters after the first marker,
    // followed by a line end.
    const QByteArray text = page.left(page.indexOf('\0') < 0 ? page.size() : page.indexOf('\0'));
    const QByteArray marker = magic.toLatin1() + ":1.1.";
    if (date.isValid()) {
        const int found = text.indexOf(marker);
        const QByteArray dated = marker + date.toString(QStringLiteral("dd.MM.yyyy")).toLatin1();
        check(text.indexOf(dated + '\n') == found || text.indexOf(dated + '\r') == found);
    }
    return 0;
}
