#include "term/picture.h"

#include <algorithm>
#include <string>

#include "frontend/picturedecoder.h"

namespace velmo {

namespace {

// The mean colour of the decoded pixels in [x0, x1) x [y0, y1).
uint32_t meanColour(const tpicture& picture, int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
    uint64_t sum[3] = {0, 0, 0};
    uint64_t count = 0;
    for (int32_t y = y0; y < y1; ++y)
        for (int32_t x = x0; x < x1; ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * picture.width + x) * 3;
            for (int c = 0; c < 3; ++c) sum[c] += picture.rgb[at + c];
            ++count;
        }
    if (count == 0) return 0;
    return static_cast<uint32_t>((sum[0] / count) << 16 | (sum[1] / count) << 8 | sum[2] / count);
}

}  // namespace

bool fitPicture(const std::vector<unsigned char>& jpeg, int32_t width, int32_t height,
                tpixels& pixels) {
    if (width <= 0 || height <= 0) return false;
    tpicture decoded;
    std::string problem;
    for (tpicturescale scale : {tpicturescale::quarter, tpicturescale::half, tpicturescale::full}) {
        if (!decodePicture(jpeg, scale, decoded, problem)) return false;
        if (decoded.width >= width || decoded.height >= height) break;
    }
    // The largest size of the picture's proportions within the room,
    // never larger than the picture itself.
    const double shrink = std::min({1.0, static_cast<double>(width) / decoded.width,
                                    static_cast<double>(height) / decoded.height});
    pixels.width = std::max(1, static_cast<int32_t>(decoded.width * shrink));
    pixels.height = std::max(1, static_cast<int32_t>(decoded.height * shrink));
    pixels.rgb.assign(static_cast<std::size_t>(pixels.width) * pixels.height, 0);
    for (int32_t y = 0; y < pixels.height; ++y) {
        const int32_t y0 =
            static_cast<int32_t>(static_cast<int64_t>(y) * decoded.height / pixels.height);
        const int32_t y1 = std::max(y0 + 1, static_cast<int32_t>(static_cast<int64_t>(y + 1) *
                                                                 decoded.height / pixels.height));
        for (int32_t x = 0; x < pixels.width; ++x) {
            const int32_t x0 =
                static_cast<int32_t>(static_cast<int64_t>(x) * decoded.width / pixels.width);
            const int32_t x1 = std::max(x0 + 1, static_cast<int32_t>(static_cast<int64_t>(x + 1) *
                                                                     decoded.width / pixels.width));
            pixels.rgb[static_cast<std::size_t>(y) * pixels.width + x] =
                meanColour(decoded, x0, x1, y0, y1);
        }
    }
    return true;
}

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
