#ifndef VELMO_BASE_TOKENIZER_H
#define VELMO_BASE_TOKENIZER_H

// The one text splitter of the system. It cuts a text into tokens at a
// chosen set of delimiters while keeping quoted and bracketed stretches
// whole; every reader of script text uses it with its own sets.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/charset.h"

namespace velmo {

class ttokenizer {
public:
    // Splits `text` at once; the cursor starts at the first token.
    ttokenizer(std::string_view text, const tcharset& delimiters, const tcharset& grouping,
               bool keepDelimiters);

    int32_t Count() const { return static_cast<int32_t>(tokens.size()); }
    bool HasNext() const { return cursor >= 0 && cursor < Count(); }
    // The token at the cursor, then the cursor moves on. Past the end:
    // the empty text, cursor unchanged.
    std::string Next();

    const std::vector<std::string>& Tokens() const { return tokens; }

    int32_t cursor = 0;

private:
    std::vector<std::string> tokens;
};

}  // namespace velmo

#endif
