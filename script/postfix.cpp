#include "script/postfix.h"

#include "script/charset.h"

namespace velmo {

namespace {

const tcharset kOperatorChars("!%&*+-/<=>|");

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The code for the pair (first, next), or 0 when the pair is no operator.
// `after` is the character behind `next` (0 at the end of the text); it
// tells the prefix form of "++" and "--" (followed by a name) from the
// postfix form. For "&", "|", "+" and "-" as second character only the
// exclusions below are checked, not that both characters are equal.
unsigned char pairCode(char first, char next, char after) {
    switch (next) {
    case '=':
        switch (first) {
        case '=': return kOpEqual;
        case '!': return kOpNotEqual;
        case '<': return kOpLessEq;
        case '>': return kOpGreaterEq;
        case '+': return kOpAddTo;
        case '-': return kOpSubFrom;
        case '*': return kOpMulBy;
        case '/': return kOpDivBy;
        case '%': return kOpModBy;
        default: return 0;
        }
    case '&': return kOpAnd;
    case '|': return kOpOr;
    case '<': return first == '<' ? kOpShiftLeft : 0;
    case '>': return first == '>' ? kOpShiftRight : 0;
    // "=+" and "=-" stay: the sign belongs to the value after an assignment.
    case '+':
        if (first == '=') return 0;
        return isAsciiLetter(after) ? kOpPreInc : kOpPostInc;
    case '-':
        if (first == '=') return 0;
        return isAsciiLetter(after) ? kOpPreDec : kOpPostDec;
    default: return 0;
    }
}

} // namespace

// One walk over the text, writing the result as it goes. The last
// character is never the first of a pair, and the second character of a
// replaced pair is skipped, so "+++" becomes one code and a "+".
std::string EncodeOperators(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool inString = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"') inString = !inString;
        if (!inString && i + 1 < text.size() && kOperatorChars.has(c)) {
            const char after = i + 2 < text.size() ? text[i + 2] : '\0';
            if (unsigned char code = pairCode(c, text[i + 1], after)) {
                out += static_cast<char>(code);
                i += 2;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return out;
}

} // namespace velmo
