// clang-format off
// libFuzzer target for the byte string's file import and the bit string's
// operations; not part of the test suite. Build and run by hand from the
// repository root:
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Core) -Ilibs/cpp/ZAruri \
//     tests/fuzz/fuzz_MStringBits.cpp libs/cpp/ZAruri/MString.cpp libs/cpp/ZAruri/Bits.cpp \
//     $(pkg-config --libs Qt5Core) -o /tmp/fuzz_MStringBits
// Seeds, the hostile cases:
//   mkdir -p /tmp/seeds && cd /tmp/seeds
//   z='\x00\x00\x00\x00\x00\x00\x00\x00'
//   printf "\x00$z\x00\xe8\x76\x48\x17\x00\x00\x00hello" > count-of-10e11
//   printf '\x00\xff\xff\xff\xff\xff\xff\xff\xff\x05\x00\x00\x00\x00\x00\x00\x00hello' > offset-of-minus-one
//   printf '\x03\x00\x00\x00\x00\x02\x00\x00\x00\x01\x02\x03' > cat-past-int-max
//   printf '\x01\x28\x00\x00\x00\x27\x00\x00\x00\xff\xff\xff\xff\xff' > code-of-39-bits
//   /tmp/fuzz_MStringBits -max_total_time=600 -rss_limit_mb=4096 /tmp/corpus /tmp/seeds
// clang-format on
//
// Input: one selector byte, then for the byte string an 8-byte offset, an 8-byte
// count and the file's bytes; for the bit string two 4-byte numbers that give the bit
// counts and the bytes of the first string.

#include "Bits.h"
#include "FuzzCheck.h"
#include "MString.h"

#include <QTemporaryFile>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <limits>
#include <sstream>

namespace {

template <typename T> T take(const uint8_t*& data, size_t& size)
{
    T value {};
    const size_t n = std::min(size, sizeof(T));
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

void importBytes(const uint8_t* data, size_t size)
{
    const long offset = take<int64_t>(data, size);
    const long count = take<int64_t>(data, size);
    QTemporaryFile file;
    check(file.open());
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    const QByteArray name = file.fileName().toLocal8Bit();
    MString read("old");
    try {
        read.importFromFile(name.constData(), offset, count);
        check(long(read.length()) == std::max(count, 0L));
        read.importFromFile(name.constData());
        check(read.length() == size);
    } catch (const char* error) {
        check(std::strcmp(error, "can not read the file") == 0);
    }
    const MString pattern(reinterpret_cast<const char*>(data), int(std::min<size_t>(size, 3)));
    read.find(pattern, int(offset));
    read.getString(int(offset), int(count));
}

// Selector 1: strings of up to 4096 bits. Selector 3: a first string a few bits short of
// INT_MAX, whose join with the second must be refused.
void bitOperations(bool nearIntMax, const uint8_t* data, size_t size)
{
    const uint32_t rawFirst = take<uint32_t>(data, size);
    const uint32_t rawSecond = take<uint32_t>(data, size);
    const uint32_t firstCount
        = nearIntMax ? std::numeric_limits<int>::max() - rawFirst % 8 : rawFirst % 4097;
    const uint32_t secondCount = nearIntMax ? 8 + rawSecond % 4089 : rawSecond % 4097;
    std::ostringstream sink;
    std::streambuf* errors = std::cerr.rdbuf(sink.rdbuf());
    ZAruri::Bits first {int(firstCount)};
    ZAruri::Bits second {int(secondCount)};
    if (!nearIntMax) {
        if (size >= (firstCount + 7) / 8)
            first.setCode(reinterpret_cast<const char*>(data));
        first.ror(secondCount);
        first.shl(secondCount / 3);
        first.getCode(secondCount % 64);
        first.xorOp(second);
        first.printOn(sink);
        first.del(int(secondCount) - 100);
    }
    const uint32_t before = firstCount;
    first.cat(second);
    const bool fits = uint64_t(before) + secondCount <= uint64_t(std::numeric_limits<int>::max());
    check(fits || first.getBit(before) == int(0xFFFFFFFF));
    std::cerr.rdbuf(errors);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint8_t selector = take<uint8_t>(data, size) % 4;
    if (selector % 2 == 0)
        importBytes(data, size);
    else
        bitOperations(selector == 3, data, size);
    return 0;
}
