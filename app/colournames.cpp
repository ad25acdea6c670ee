#include "app/colournames.h"

#include <array>
#include <utility>

#include "base/encoding.h"

namespace velmo {

QColor colourByName(const std::string& name) {
    static const std::array<std::pair<const char*, QRgb>, 16> kColours = {{
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
    const std::string key = lowerCase(name);
    for (const auto& [colourName, rgb] : kColours)
        if (key == colourName) return QColor(rgb);
    return QColor();
}

}  // namespace velmo
