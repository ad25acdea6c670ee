#include "base/tokenizer.h"

namespace velmo {

namespace {

// A first guess at the number of tokens, so that short texts never
// regrow the token vector while a large program text does not reserve
// a slot for every byte.
std::size_t expectedTokens(std::size_t length) { return length / 16 + 4; }

}  // namespace

// Every token is a contiguous stretch of the text: a character either
// ends the current token (a delimiter outside quotes and groups) or
// belongs to it. So the walk only remembers where the current token
// started and cuts it out when it ends; no character is copied twice.
ttokenizer::ttokenizer(std::string_view text, const tcharset& delimiters, const tcharset& grouping,
                       bool keepDelimiters) {
    tokens.reserve(expectedTokens(text.size()));
    bool inQuote = false;
    bool inGroup = false;  // shared by parentheses and brackets
    int32_t parens = 0;
    int32_t brackets = 0;
    std::size_t start = 0;  // where the current token begins

    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (grouping.has(c)) {
            switch (c) {
            case '(':
                if (!inQuote) {
                    ++parens;
                    inGroup = true;
                }
                break;
            case ')':
                if (!inQuote) {
                    --parens;
                    inGroup = parens > 0;
                }
                break;
            case '[':
                if (!inQuote) {
                    ++brackets;
                    inGroup = true;
                }
                break;
            case ']':
                if (!inQuote) {
                    --brackets;
                    inGroup = brackets > 0;
                }
                break;
            default:  // a quote character; inside a group it is plain text
                if (!inGroup) inQuote = !inQuote;
                break;
            }
        }
        if (delimiters.has(c) && !inQuote && !inGroup) {
            if (i > start) tokens.emplace_back(text.substr(start, i - start));
            if (keepDelimiters) tokens.emplace_back(1, c);
            start = i + 1;
        }
    }
    if (text.size() > start) tokens.emplace_back(text.substr(start));
}

std::string ttokenizer::Next() {
    if (cursor < 0 || cursor >= Count()) return std::string();
    return tokens[static_cast<std::size_t>(cursor++)];
}

}  // namespace velmo
