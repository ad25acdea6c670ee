// Decoding a photo-sized picture (4000 x 3000, made once with the JPEG
// library, with noise, so that it is about as large as a photo: 3.3 MB) at
// the three scales of the picture window, and checking it. The quarter scale
// must take well under 100 ms: the JPEG library leaves out the fine
// detail of each block instead of decoding the whole picture.

#include <benchmark/benchmark.h>

#include <vector>

#include "frontend/picturedecoder.h"
#include "tests/support/test_jpeg.h"

namespace {

using namespace velmo;

const std::vector<unsigned char>& photo() {
    static const std::vector<unsigned char> jpeg = test::makeJpeg(4000, 3000, false, 3, 48);
    return jpeg;
}

void DecodePhoto(benchmark::State& state) {
    const auto scale = static_cast<tpicturescale>(state.range(0));
    const std::vector<unsigned char>& jpeg = photo();
    tpicture picture;
    std::string problem;
    for (auto _ : state) {
        if (!decodePicture(jpeg, scale, picture, problem)) state.SkipWithError("not decoded");
        benchmark::DoNotOptimize(picture.rgb.data());
    }
    state.counters["bytes"] = static_cast<double>(jpeg.size());
    state.counters["width"] = picture.width;
    state.counters["height"] = picture.height;
}
BENCHMARK(DecodePhoto)->Arg(4)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond);

// The check before a picture is shown: every row read at the smallest
// scale, none kept.
void CheckPhoto(benchmark::State& state) {
    const std::vector<unsigned char>& jpeg = photo();
    tpicturesize size;
    std::string problem;
    for (auto _ : state)
        if (!checkPicture(jpeg, size, problem)) state.SkipWithError("not checked");
}
BENCHMARK(CheckPhoto)->Unit(benchmark::kMillisecond);

}  // namespace
