#include "term/picture.h"

#include <algorithm>

namespace velmo {

void drawHalfBlocks(tframe& frame, int32_t top, int32_t rows, const tpixels& pixels) {
    const int32_t cellRows = std::min((pixels.height + 1) / 2, rows);
    const int32_t width = std::min(pixels.width, frame.columns());
    if (cellRows <= 0 || width <= 0 ||
        pixels.rgb.size() < static_cast<std::size_t>(pixels.width) * pixels.height)
        return;
    const int32_t left = (frame.columns() - width) / 2;
    const int32_t first = top + (rows - cellRows) / 2;
    const auto pixel = [&](int32_t x, int32_t y) {
        return pixels.rgb[static_cast<std::size_t>(y) * static_cast<std::size_t>(pixels.width) +
                          static_cast<std::size_t>(x)];
    };
    for (int32_t r = 0; r < cellRows; ++r) {
        for (int32_t x = 0; x < width; ++x) {
            tcell cell;
            cell.glyph = U'\u2580';  // upper half block
            cell.foreground = pixel(x, 2 * r);
            // An odd last pixel row leaves the lower half in the terminal's colour.
            cell.background = 2 * r + 1 < pixels.height ? pixel(x, 2 * r + 1) : kNoColour;
            frame.set(first + r, left + x, cell);
        }
    }
}

}  // namespace velmo
