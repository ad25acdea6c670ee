#include "script/stackguard.h"

#include <cstdint>

#if defined(__linux__)
#include <pthread.h>
#endif

namespace velmo {

namespace {

// The lowest address of the running thread's stack (stacks grow down),
// or 0 when it is not known.
std::uintptr_t stackLimit() {
#if defined(__linux__)
    pthread_attr_t attributes;
    if (pthread_getattr_np(pthread_self(), &attributes) != 0) return 0;
    void* low = nullptr;
    std::size_t size = 0;
    const bool known = pthread_attr_getstack(&attributes, &low, &size) == 0;
    pthread_attr_destroy(&attributes);
    return known ? reinterpret_cast<std::uintptr_t>(low) : 0;
#else
    return 0;
#endif
}

}  // namespace

bool stackNearlyExhausted() {
    thread_local const std::uintptr_t limit = stackLimit();
    if (limit == 0) return false;
    // The frame address, not the address of a local: a sanitizer may keep
    // locals in a separate fake stack.
    const auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    return here < limit + kStackReserve;
}

}  // namespace velmo
