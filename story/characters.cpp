#include "story/characters.h"

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

}  // namespace

bool applyCharacterRules(std::string_view text, std::string& out, tbadcharacter& bad) {
    out.clear();
    out.reserve(text.size());
    bool inString = false;
    bool inComment = false;
    int32_t line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        char p = i > 0 ? text[i - 1] : '\0';
        char n = i + 1 < text.size() ? text[i + 1] : '\0';
        switch (c) {
        case '\t': break;
        case ' ':
            if (inString) out += c;
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
            if (passes(c, inString)) {
                std::size_t end = i + 1;
                while (end < text.size() && passes(text[end], inString)) ++end;
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
