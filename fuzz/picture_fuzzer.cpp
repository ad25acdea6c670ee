// Pictures: the input is a story's picture container. Each of its first
// pictures is read and decoded at the three scales of the picture window;
// the input is also decoded as one JPEG picture itself, so that the
// fuzzer reaches the decoder directly too. A decoded picture must have
// the size its scale gives, and every failure must come with a reason.
// The quick check that the game makes before a host decodes must agree
// with the full decoding: the same verdict, the same size.

#include <cstdlib>

#include "frontend/picturedecoder.h"
#include "harness.h"
#include "story/pictures.h"

namespace {

using namespace velmo;

// The pictures of one container tried per input.
constexpr int32_t kPicturesTried = 4;

void decodeAtEachScale(const unsigned char* data, std::size_t size) {
    tpicture full;
    std::string problem;
    const bool whole = decodePicture(data, size, tpicturescale::full, full, problem);
    if (whole != problem.empty()) std::abort();
    if (whole && full.rgb.size() != std::size_t(full.width) * full.height * 3) std::abort();
    tpicturesize checked;
    std::string checkProblem;
    const bool sound =
        checkPicture(std::vector<unsigned char>(data, data + size), checked, checkProblem);
    if (sound != whole || sound != checkProblem.empty()) std::abort();
    if (whole && (checked.width != full.width || checked.height != full.height)) std::abort();
    for (tpicturescale scale : {tpicturescale::half, tpicturescale::quarter}) {
        tpicture smaller;
        if (!decodePicture(data, size, scale, smaller, problem)) {
            if (problem.empty()) std::abort();
            continue;
        }
        const int32_t divisor = static_cast<int32_t>(scale);
        // Both decodings read the same header, so the sizes agree.
        if (whole && (smaller.width != (full.width + divisor - 1) / divisor ||
                      smaller.height != (full.height + divisor - 1) / divisor))
            std::abort();
        if (smaller.rgb.size() != std::size_t(smaller.width) * smaller.height * 3) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace velmo::fuzz;
    decodeAtEachScale(data, size);
    const std::string container =
        writeFile(freshFolder() / "bilder.fg", {reinterpret_cast<const char*>(data), size});
    for (int32_t k = 0; k < kPicturesTried; ++k) {
        std::vector<unsigned char> picture;
        std::string problem;
        if (!readPicture(container, k, picture, problem)) {
            if (problem.empty()) std::abort();
            continue;
        }
        decodeAtEachScale(picture.data(), picture.size());
    }
    return 0;
}
