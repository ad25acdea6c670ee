#ifndef VELMO_FRONTEND_COLOURS_H
#define VELMO_FRONTEND_COLOURS_H

// Colours of the options file: sixteen named colours ("clblack",
// "clsilver", ...) and, for every other colour, "#rrggbb" in hexadecimal.
// Writing and reading agree, so every colour survives a save and a read.

#include <cstdint>
#include <string>

namespace velmo {

// Red, green and blue as 0xRRGGBB.
using tcolour = uint32_t;

// The colour's name when it has one, else "#rrggbb".
std::string colourText(tcolour colour);
// A name (any letter case) or "#rrggbb"; false for anything else.
bool readColour(const std::string& text, tcolour& colour);

}  // namespace velmo

#endif
