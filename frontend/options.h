#ifndef VELMO_FRONTEND_OPTIONS_H
#define VELMO_FRONTEND_OPTIONS_H

// The player's options as the options file holds them: function-key
// texts, recent files, colours, the autoload story, the font and the size
// of the text area. The defaults are those of the default file.

#include <array>
#include <cstdint>
#include <string>

#include "frontend/colours.h"

namespace velmo {

// The window sizes the display options allow; the options file may hold
// more (a maximised window), but never more than a byte.
constexpr int32_t kMinColumns = 30, kMaxColumns = 200;
constexpr int32_t kMinRows = 15, kMaxRows = 99;
constexpr int32_t kMaxByteOption = 255;
// Characters of one function-key text.
constexpr std::size_t kMaxKeyText = 40;

struct toptions {
    std::array<std::string, 9> functionKeys;  // F2 ... F10, Windows-1252
    std::array<std::string, 3> lastFiles;     // recently opened stories
    // Where the next recent story goes: slot (recentNext mod 3).
    int32_t recentNext = 0;
    // Status line text and background, text area text and background.
    std::array<tcolour, 4> colours = {0x000000, 0xC0C0C0, 0xC0C0C0, 0x000080};
    std::string autoload;
    std::string fontName = "doslike";
    int32_t fontSize = 12;
    int32_t columns = 70;
    int32_t rows = 28;
    bool maximize = false;
};

}  // namespace velmo

#endif
