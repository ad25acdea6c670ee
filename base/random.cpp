#include "base/random.h"

#include <chrono>

namespace velmo {

trandom::trandom()
    : engine(static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count())) {}

int32_t trandom::below(int32_t n) {
    if (n < 1) return 0;
    const uint64_t range = static_cast<uint64_t>(n);
    // The engine yields 2^32 equally likely values. Of those, the last
    // 2^32 mod n would make the small remainders more likely: draw again
    // when one comes (less than half the time even for the largest n).
    const uint64_t outcomes = uint64_t{1} << 32;
    const uint64_t limit = outcomes - outcomes % range;
    uint64_t draw = engine();
    while (draw >= limit) draw = engine();
    return static_cast<int32_t>(draw % range);
}

}  // namespace velmo
