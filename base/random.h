#ifndef VELMO_BASE_RANDOM_H
#define VELMO_BASE_RANDOM_H

// Random numbers for story code. The engine is the 32-bit Mersenne
// Twister, whose output sequence the C++ standard fixes, and the mapping
// to a range is our own (rejection of the incomplete last block, then the
// remainder), so one seed gives the same numbers on every machine and
// with every standard library. The library's distributions are not used:
// their output may differ between library versions.

#include <cstdint>
#include <random>

namespace velmo {

class trandom {
public:
    // Seeded from the clock.
    trandom();

    // Starts the sequence that `value` stands for (the player's --seed).
    void seed(uint32_t value) { engine.seed(value); }

    // A number r with 0 <= r < n; 0 when n < 1.
    int32_t below(int32_t n);

private:
    std::mt19937 engine;
};

}  // namespace velmo

#endif
