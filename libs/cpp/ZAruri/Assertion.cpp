#include "Assertion.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace ZAruri {

void Assertion::fail(const char* expression, const char* function, const char* file, int line)
{
    std::fflush(stdout);
    std::fprintf(stderr, "%s: %s:%d: %s: Assertion `%s' failed.\n", program_invocation_short_name,
        file, line, function, expression);
    std::abort();
}

} // namespace ZAruri
