// libFuzzer target for the vCard reader; not part of the test suite.
// Build and run by hand from the repository root:
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Core) -Ilibs/cpp/vcard \
//     tests/fuzz/fuzz_vCard.cpp libs/cpp/vcard/*.cpp \
//     $(pkg-config --libs Qt5Core) -o /tmp/fuzz_vCard
//   /tmp/fuzz_vCard -max_total_time=600 -max_len=4096

#include "vCard.h"

#include <cstddef>
#include <cstdint>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), int(size));
    const QList<vCard> cards = vCard::fromByteArray(text);
    // Each card needs an END line of its own.
    check(cards.size() <= text.count("END:VCARD"));
    for (const vCard& card : cards) {
        for (const vCardProperty& property : card.properties()) {
            check(!property.name().contains(':') && !property.name().contains('\n'));
            check(!property.value().contains('\n') && !property.values().isEmpty());
            check(property.name() != QLatin1String("VERSION"));
        }
        // A written card is read back as at least one card.
        for (vCardVersion version : {VC21, VC30})
            check(!vCard::fromByteArray(card.toByteArray(version)).isEmpty());
    }
    vCardParam::toByteArray(vCardParam::fromByteArray(text), VC30);
    vCardProperty::fromByteArray(text);
    return 0;
}
