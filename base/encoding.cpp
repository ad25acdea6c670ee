#include "base/encoding.h"

#include <cstdint>

namespace velmo {

namespace {

// Unicode code points of the bytes 0x80-0x9F; 0 where the code page
// defines nothing (those bytes map to the C1 control of the same value).
constexpr char32_t kHighTable[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t codePointOf(unsigned char b) {
    if (b >= 0x80 && b < 0xA0 && kHighTable[b - 0x80] != 0) return kHighTable[b - 0x80];
    return b;
}

}  // namespace

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

namespace {

// Decodes one UTF-8 character at text[pos]. Returns its length, or 0 when
// the bytes there are not well-formed UTF-8 (overlong forms, surrogates
// and values past U+10FFFF included).
std::size_t decodeUtf8(std::string_view text, std::size_t pos, char32_t& cp) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char b0 = byte(pos);
    std::size_t len;
    char32_t min;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else
        return 0;
    if (pos + len > text.size()) return 0;
    for (std::size_t i = 1; i < len; ++i) {
        unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

// Windows-1252 byte of a code point, or -1 when it has none.
int cp1252Of(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i) {
        char32_t mapped = kHighTable[i] != 0 ? kHighTable[i] : char32_t(0x80 + i);
        if (mapped == cp) return 0x80 + i;
    }
    return -1;
}

}  // namespace

std::string cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char c : text) appendUtf8(out, codePointOf(static_cast<unsigned char>(c)));
    return out;
}

bool utf8ToCp1252(std::string_view text, std::string& out, std::size_t& badOffset) {
    out.clear();
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t cp = 0;
        std::size_t len = decodeUtf8(text, pos, cp);
        int b = len ? cp1252Of(cp) : -1;
        if (b < 0) {
            badOffset = pos;
            return false;
        }
        out += static_cast<char>(b);
        pos += len;
    }
    return true;
}

bool looksLikeUtf8(std::string_view text) {
    bool multiByte = false;
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t cp = 0;
        std::size_t len = decodeUtf8(text, pos, cp);
        if (len == 0) return false;
        multiByte = multiByte || len > 1;
        pos += len;
    }
    return multiByte;
}

std::string utf8ToCp1252Lossy(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t cp = 0;
        std::size_t len = decodeUtf8(text, pos, cp);
        if (len == 0) {
            out += '?';
            ++pos;
            continue;
        }
        int b = cp1252Of(cp);
        out += b < 0 ? '?' : static_cast<char>(b);
        pos += len;
    }
    return out;
}

char cpLower(char c) {
    auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
        return static_cast<char>(b + 0x20);
    if (b == 0x8A || b == 0x8C || b == 0x8E) return static_cast<char>(b + 0x10);
    if (b == 0x9F) return static_cast<char>(0xFF);
    return c;
}

char cpUpper(char c) {
    auto b = static_cast<unsigned char>(c);
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
        return static_cast<char>(b - 0x20);
    if (b == 0x9A || b == 0x9C || b == 0x9E) return static_cast<char>(b - 0x10);
    if (b == 0xFF) return static_cast<char>(0x9F);
    return c;
}

std::string lowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = cpLower(c);
    return out;
}

std::string upperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = cpUpper(c);
    return out;
}

bool sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (cpLower(a[i]) != cpLower(b[i])) return false;
    return true;
}

}  // namespace velmo
