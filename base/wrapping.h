#ifndef VELMO_BASE_WRAPPING_H
#define VELMO_BASE_WRAPPING_H

// Counters and story integers are 32 bits that wrap around. The sum is
// computed unsigned, so an overflow is defined instead of undefined
// behaviour; a saved game or story code may hold any value.

#include <cstdint>

namespace velmo {

inline int32_t wrappingAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace velmo

#endif
