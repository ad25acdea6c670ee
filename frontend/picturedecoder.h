#ifndef VELMO_FRONTEND_PICTUREDECODER_H
#define VELMO_FRONTEND_PICTUREDECODER_H

// Decoding the JPEG pictures of a story's picture container, without any
// window system, so that every player host can show them: the desktop
// window as an image, a terminal as coloured character cells.
//
// The smaller scales are decoded by the JPEG library itself (it leaves
// out the fine detail of each 8x8 block instead of decoding the whole
// picture and shrinking it), which makes a quarter of a large photo
// several times faster than the full picture.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmo {

// The sizes the picture window offers: 100 %, 50 % and 25 %. The value is
// the divisor of the full size.
enum class tpicturescale { full = 1, half = 2, quarter = 4 };

// A decoded picture: `height` rows from top to bottom, each `width`
// pixels of three bytes (red, green, blue).
struct tpicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<unsigned char> rgb;
};

// The most pixels a picture may have at full size (a photo of 8000 x 5000
// fits). A few bytes of a JPEG file can claim a picture of 65535 x 65535,
// whose decoding would take gigabytes; such a picture is refused before
// anything is decoded.
inline constexpr int64_t kMaxPicturePixels = 40'000'000;

// Decodes a JPEG picture at a scale: each side is the full side divided by
// the scale, rounded up. False, with an empty picture and the German
// reason in `problem` (Windows-1252, e.g. "die Grafik ist unvollständig"),
// when the bytes are empty, no JPEG picture, cut short, damaged, or the
// picture is larger than kMaxPicturePixels.
bool decodePicture(const unsigned char* data, std::size_t size, tpicturescale scale,
                   tpicture& picture, std::string& problem);

inline bool decodePicture(const std::vector<unsigned char>& jpeg, tpicturescale scale,
                          tpicture& picture, std::string& problem) {
    return decodePicture(jpeg.data(), jpeg.size(), scale, picture, problem);
}

// The size of a picture at full size.
struct tpicturesize {
    int32_t width = 0;
    int32_t height = 0;
};

// Checks a JPEG picture as decodePicture does, with the same reasons, and
// answers its full size, without keeping any of it. The library reads all
// of the data at every scale, so a damaged or cut picture shows at the
// smallest scale too; there it costs a fraction of the full decoding and
// one row of memory, and each player host decodes only the scale it shows.
bool checkPicture(const std::vector<unsigned char>& jpeg, tpicturesize& size, std::string& problem);

}  // namespace velmo

#endif
