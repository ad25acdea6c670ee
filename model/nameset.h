#ifndef VELMO_MODEL_NAMESET_H
#define VELMO_MODEL_NAMESET_H

// A set of names that can only say "certainly not" or "perhaps": one bit
// per name's hash, set when a name is added, never cleared. The story
// keeps one of its nodes' names. An expression meets many names that no
// node has (built-ins above all, in every command the library runs); for
// those the evaluator skips looking for a child of that name in every
// node from the context up to the root.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/namehash.h"

namespace velmo {

class tnameset {
public:
    void add(std::string_view name) {
        const std::size_t bit = bitOf(nameHash(name));
        words[bit / 64] |= uint64_t{1} << (bit % 64);
    }
    bool mayHold(std::string_view name) const { return mayHoldHashed(nameHash(name)); }
    // The same for a name whose nameHash is known already.
    bool mayHoldHashed(std::size_t hash) const {
        const std::size_t bit = bitOf(hash);
        return (words[bit / 64] >> (bit % 64)) & 1;
    }

private:
    static constexpr std::size_t kBits = 1 << 16;
    static std::size_t bitOf(std::size_t hash) { return (hash ^ (hash >> 32)) % kBits; }

    std::array<uint64_t, kBits / 64> words{};
};

}  // namespace velmo

#endif
