#ifndef VELMO_TERM_PICTURE_H
#define VELMO_TERM_PICTURE_H

// A picture in the terminal: drawn with half blocks, two pixels a cell
// (the upper one as the glyph's colour, the lower one as the cell's
// background), in 24-bit colour. The JPEG is decoded by a `tpicturedecoder`
// at the scale that fits (`fitPicture`); a player without a decoder names
// the picture instead.

#include <cstdint>
#include <functional>
#include <vector>

#include "term/screenframe.h"

namespace velmo {

// Pixels row by row, each 0xRRGGBB.
struct tpixels {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> rgb;
};

// Decodes a JPEG into at most `width` x `height` pixels, keeping its
// proportions; false when the data is no picture it can read.
using tpicturedecoder = std::function<bool(const std::vector<unsigned char>& jpeg, int32_t width,
                                           int32_t height, tpixels& pixels)>;

// The terminal's decoder: decodes at the smallest of the library's scales
// (1/4, 1/2, 1/1) that is at least as large as the room, then averages
// the pixels down to fit. False for a picture the decoder refuses.
bool fitPicture(const std::vector<unsigned char>& jpeg, int32_t width, int32_t height,
                tpixels& pixels);

// Draws the pixels centred in the rows from `top` on, `rows` rows high;
// what does not fit is cut off.
void drawHalfBlocks(tframe& frame, int32_t top, int32_t rows, const tpixels& pixels);

}  // namespace velmo

#endif
