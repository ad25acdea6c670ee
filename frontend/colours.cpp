#include "frontend/colours.h"

#include <array>
#include <cstdio>

#include "base/encoding.h"

namespace velmo {

namespace {

struct tnamedcolour {
    const char* name;
    tcolour value;
};

constexpr std::array<tnamedcolour, 16> kNamedColours = {{
    {"clblack", 0x000000},
    {"clmaroon", 0x800000},
    {"clgreen", 0x008000},
    {"clolive", 0x808000},
    {"clnavy", 0x000080},
    {"clpurple", 0x800080},
    {"clteal", 0x008080},
    {"clgray", 0x808080},
    {"clsilver", 0xC0C0C0},
    {"clred", 0xFF0000},
    {"cllime", 0x00FF00},
    {"clyellow", 0xFFFF00},
    {"clblue", 0x0000FF},
    {"clfuchsia", 0xFF00FF},
    {"claqua", 0x00FFFF},
    {"clwhite", 0xFFFFFF},
}};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string colourText(tcolour colour) {
    colour &= 0xFFFFFF;
    for (const tnamedcolour& named : kNamedColours)
        if (named.value == colour) return named.name;
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(colour));
    return text;
}

bool readColour(const std::string& text, tcolour& colour) {
    const std::string lower = lowerCase(text);
    for (const tnamedcolour& named : kNamedColours) {
        if (lower == named.name) {
            colour = named.value;
            return true;
        }
    }
    if (lower.size() != 7 || lower[0] != '#') return false;
    tcolour value = 0;
    for (std::size_t i = 1; i < lower.size(); ++i) {
        const int digit = hexDigit(lower[i]);
        if (digit < 0) return false;
        value = value * 16 + static_cast<tcolour>(digit);
    }
    colour = value;
    return true;
}

}  // namespace velmo
