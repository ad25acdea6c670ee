#ifndef VELMO_BASE_NAMEHASH_H
#define VELMO_BASE_NAMEHASH_H

// A hash for names and words: short texts that are hashed very often (a
// child looked up by name for every object an expression names, every
// word of a command). A byte-wise hash written inline costs a fraction of
// the library's general one, which pays off only on long texts.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmo {

inline std::size_t nameHash(std::string_view text) noexcept {
    uint64_t h = 14695981039346656037ull;
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    return static_cast<std::size_t>(h);
}

// For maps keyed by name that are searched with a view, no key string made.
// The call is deliberately not noexcept: for a hasher that may throw, the
// standard library's hash map keeps each key's hash beside it, so a lookup
// compares stored hashes while it walks a bucket instead of hashing every
// key it passes again.
struct tnameHasher {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return nameHash(text); }
};

}  // namespace velmo

#endif
