#ifndef VELMO_APP_DISPLAYOPTIONS_H
#define VELMO_APP_DISPLAYOPTIONS_H

// What the window looks like: the font of the status line and the text
// area, and their four colours, as the options file names them. The
// defaults are those of a first start.

#include <array>
#include <string>

#include "frontend/colours.h"
#include "frontend/options.h"

namespace velmo {

struct tdisplayoptions {
    std::string fontName = "doslike";
    int fontSize = 12;
    // Status-line text, status-line background, text-area text, text-area
    // background.
    std::array<std::string, 4> colours = {"clblack", "clsilver", "clsilver", "clnavy"};
};

// The look that the options of velmo.ini ask for.
inline tdisplayoptions displayOptionsOf(const toptions& options) {
    tdisplayoptions display;
    display.fontName = options.fontName;
    display.fontSize = options.fontSize;
    for (std::size_t i = 0; i < display.colours.size(); ++i)
        display.colours[i] = colourText(options.colours[i]);
    return display;
}

}  // namespace velmo

#endif
