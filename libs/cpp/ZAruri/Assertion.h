#pragma once

// A check that stays in release builds: when the condition is false it
// reports the condition's text, the function name and the source file as
// the C library's assert does, and aborts.
#define ZARURI_ASSERT(condition, function)                                                         \
    ((condition) ? void(0) : ZAruri::Assertion::fail(#condition, function, __FILE__, __LINE__))

namespace ZAruri {

class Assertion
{
public:
    Assertion() = delete;

    [[noreturn]] static void fail(
        const char* expression, const char* function, const char* file, int line);
};

} // namespace ZAruri
