#pragma once

// TESSIVAR_SANITIZED in a build with AddressSanitizer or ThreadSanitizer,
// whose helpers need their options and room of address space.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define TESSIVAR_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define TESSIVAR_SANITIZED 1
#endif
#endif
