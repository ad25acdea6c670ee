#include "story/characters.h"

#include <array>
#include <cstdint>

#include "story/sourcefile.h"

namespace velmo {

bool allowedOutsideStrings(char c) {
    return c == '!' || c == '#' || c == '%' || c == '&' || (c >= '(' && c <= '_') ||
           (c >= 'a' && c <= '~');
}

namespace {

// A byte without a rule of its own that may stand where it stands: it
// passes unchanged, and so does a run of them.
bool passes(char c, bool inString) {
    switch (c) {
    case '\t':
    case ' ':
    case '"':
    case '/':
    case kLineEnd: return false;
    default: return c != kUnconvertible && (inString || allowedOutsideStrings(c));
    }
}

// `passes` by byte, made once: bit 0 outside literals, bit 1 inside. The
// rules walk every byte of the program text.
const std::array<uint8_t, 256>& passingBytes() {
    static const std::array<uint8_t, 256> table = [] {
        std::array<uint8_t, 256> bits{};
        for (std::size_t b = 0; b < bits.size(); ++b) {
            const char c = static_cast<char>(b);
            bits[b] = static_cast<uint8_t>((passes(c, false) ? 1 : 0) | (passes(c, true) ? 2 : 0));
        }
        return bits;
    }();
    return table;
}

}  // namespace

bool applyCharacterRules(std::string_view text, std::string& out, tbadcharacter& bad) {
    out.clear();
    out.reserve(text.size());
    const std::array<uint8_t, 256>& passing = passingBytes();
    bool inString = false;
    bool inComment = false;
    int32_t line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        char p = i > 0 ? text[i - 1] : '\0';
        char n = i + 1 < text.size() ? text[i + 1] : '\0';
        switch (c) {
        case '\t':
        case ' ':
            // Blanks stay only inside literals, tabs nowhere; a run of
            // them outside literals (indentation) goes at once.
            if (inString) {
                if (c == ' ') out += c;
                break;
            }
            while (i + 1 < text.size() && (text[i + 1] == ' ' || text[i + 1] == '\t')) ++i;
            break;
        case '"':
            if (inComment) break;
            inString = !inString;
            out += c;
            break;
        case '/':
            // "/*" opens a comment and "*/" closes it, in literals too.
            if (n == '*') inComment = true;
            if (p == '*') inComment = false;
            if (!inComment && p != '*') out += c;
            break;
        case kLineEnd:
            if (!inComment && inString && p != '^') out += ' ';
            out += c;
            ++line;
            break;
        default:
            if (inComment) {
                // Inside a comment only "/" and the line end have rules.
                while (i + 1 < text.size() && text[i + 1] != '/' && text[i + 1] != kLineEnd) ++i;
                break;
            }
            // A character without a Windows-1252 form cannot stand even
            // in a literal.
            const uint8_t mask = inString ? 2 : 1;
            if (passing[static_cast<unsigned char>(c)] & mask) {
                std::size_t end = i + 1;
                while (end < text.size() && (passing[static_cast<unsigned char>(text[end])] & mask))
                    ++end;
                out.append(text.substr(i, end - i));
                i = end - 1;
                break;
            }
            bad.line = line;
            bad.character = c;
            return false;
        }
    }
    return true;
}

}  // namespace velmo
