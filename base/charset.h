#ifndef VELMO_BASE_CHARSET_H
#define VELMO_BASE_CHARSET_H

#include <bitset>
#include <string_view>

namespace velmo {

// A set of byte values 0-255 with constant-time membership: the delimiter
// and grouping sets of the tokenizer and the sets of the converters.
class tcharset {
public:
    tcharset() = default;
    // The set of the given characters.
    explicit tcharset(std::string_view chars) {
        for (char c : chars) add(c);
    }
    tcharset& add(char c) {
        bits.set(static_cast<unsigned char>(c));
        return *this;
    }
    tcharset& addRange(unsigned char first, unsigned char last) {
        for (unsigned b = first; b <= last; ++b) bits.set(b);
        return *this;
    }
    bool has(char c) const { return bits[static_cast<unsigned char>(c)]; }

private:
    std::bitset<256> bits;
};

}  // namespace velmo

#endif
