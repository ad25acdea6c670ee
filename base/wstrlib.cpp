// The small string helpers: umlaut folding, file names, identifier and
// number checks, and comparing a piece of text in place.

#include "base/wstrlib.h"

#include "base/encoding.h"

namespace velmo {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isIdentifierChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || isDigit(c) || c == '_' || c == '[' ||
           c == ']';
}

}  // namespace

std::string foldUmlauts(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        switch (static_cast<unsigned char>(c)) {
        case 0xE4: out += "ae"; break;  // ä
        case 0xFC: out += "ue"; break;  // ü
        case 0xF6: out += "oe"; break;  // ö
        case 0xDF: out += "ss"; break;  // ß
        default: out += c;
        }
    }
    return out;
}

std::string baseFileName(std::string_view path) {
    std::string lower = lowerCase(path);
    std::size_t cut = lower.find_last_of("\\/:");
    if (cut == std::string::npos) return lower;
    return lower.substr(cut + 1, 255);
}

bool isIdentifier(std::string_view text) {
    if (text.empty() || isDigit(text.front())) return false;
    for (char c : text)
        if (!isIdentifierChar(c)) return false;
    return true;
}

bool isNumber(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!isDigit(c)) return false;
    return true;
}

int32_t toNumber(std::string_view text) {
    if (text.empty()) return 0;
    // Any byte up to "-" (a blank, "+", "-", ...) stands for the sign.
    bool negative = static_cast<unsigned char>(text.front()) <= static_cast<unsigned char>('-');
    if (negative) text.remove_prefix(1);
    // Unsigned arithmetic wraps around without undefined behaviour, however
    // long the digit run and whatever bytes it holds.
    uint32_t value = 0;
    for (char c : text) value = value * 10u + (static_cast<unsigned char>(c) - 48u);
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

}  // namespace velmo
