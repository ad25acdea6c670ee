#include "frontend/picturedecoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "support/test_jpeg.h"

namespace velmo {
namespace {

using Bytes = std::vector<unsigned char>;

// The pixel at (x, y) as red, green, blue.
std::vector<int> pixel(const tpicture& picture, int32_t x, int32_t y) {
    const std::size_t at = (static_cast<std::size_t>(y) * picture.width + x) * 3;
    return {picture.rgb[at], picture.rgb[at + 1], picture.rgb[at + 2]};
}

bool near(const std::vector<int>& got, const std::vector<int>& want, int tolerance = 24) {
    for (std::size_t i = 0; i < want.size(); ++i)
        if (std::abs(got[i] - want[i]) > tolerance) return false;
    return true;
}

// The reason the decoder gives; the check, which decodes at its own
// small scale, must refuse the picture with the same reason.
std::string problemOf(const Bytes& jpeg, tpicturescale scale = tpicturescale::full) {
    tpicture picture;
    std::string problem;
    EXPECT_FALSE(decodePicture(jpeg, scale, picture, problem));
    EXPECT_EQ(picture.width, 0);
    EXPECT_TRUE(picture.rgb.empty());
    tpicturesize size;
    std::string checked;
    EXPECT_FALSE(checkPicture(jpeg, size, checked));
    EXPECT_EQ(checked, problem);
    return problem;
}

// The width and height fields of the first frame header (SOF0 or SOF2).
void claimSize(Bytes& jpeg, int width, int height) {
    for (std::size_t i = 0; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            jpeg[i + 5] = static_cast<unsigned char>(height >> 8);
            jpeg[i + 6] = static_cast<unsigned char>(height);
            jpeg[i + 7] = static_cast<unsigned char>(width >> 8);
            jpeg[i + 8] = static_cast<unsigned char>(width);
            return;
        }
    }
    FAIL() << "no frame header";
}

TEST(PictureDecoder, EachScaleDividesTheSidesRoundingUp) {
    for (bool progressive : {false, true}) {
        const Bytes jpeg = test::makeJpeg(101, 75, progressive);
        const struct {
            tpicturescale scale;
            int32_t width, height;
        } cases[] = {{tpicturescale::full, 101, 75},
                     {tpicturescale::half, 51, 38},
                     {tpicturescale::quarter, 26, 19}};
        for (const auto& c : cases) {
            tpicture picture;
            std::string problem;
            ASSERT_TRUE(decodePicture(jpeg, c.scale, picture, problem)) << problem;
            EXPECT_TRUE(problem.empty());
            EXPECT_EQ(picture.width, c.width);
            EXPECT_EQ(picture.height, c.height);
            ASSERT_EQ(picture.rgb.size(), std::size_t(c.width) * c.height * 3);
            // The gradient: black at the top left, red grows to the right,
            // green downwards; the same at every scale.
            EXPECT_TRUE(near(pixel(picture, 0, 0), {0, 0, 0}));
            EXPECT_TRUE(near(pixel(picture, c.width - 1, 0), {255, 0, 0}, 40));
            EXPECT_TRUE(near(pixel(picture, 0, c.height - 1), {0, 255, 0}, 40));
        }
    }
}

TEST(PictureDecoder, TheCheckAnswersTheFullSize) {
    // Grey, colour and CMYK; one side below the check's own scale.
    for (int components : {1, 3, 4})
        for (bool progressive : {false, true})
            for (const auto& [width, height] : {std::pair{101, 75}, std::pair{5, 300}}) {
                tpicturesize size;
                std::string problem = "old";
                ASSERT_TRUE(checkPicture(test::makeJpeg(width, height, progressive, components),
                                         size, problem))
                    << problem;
                EXPECT_TRUE(problem.empty());
                EXPECT_EQ(size.width, width);
                EXPECT_EQ(size.height, height);
            }
}

TEST(PictureDecoder, GreyAndCmykPicturesComeOutAsRgb) {
    tpicture picture;
    std::string problem;
    ASSERT_TRUE(
        decodePicture(test::makeJpeg(64, 16, false, 1), tpicturescale::half, picture, problem))
        << problem;
    EXPECT_EQ(picture.width, 32);
    EXPECT_EQ(picture.height, 8);
    const std::vector<int> right = pixel(picture, 31, 4);
    EXPECT_TRUE(near(right, {255, 255, 255}, 30));

    // Every CMYK channel grows from 0 on the left to 255 on the right:
    // stored inverted, the left is all ink (black) and the right none.
    ASSERT_TRUE(
        decodePicture(test::makeJpeg(64, 16, false, 4), tpicturescale::full, picture, problem))
        << problem;
    EXPECT_EQ(picture.rgb.size(), std::size_t(64) * 16 * 3);
    EXPECT_TRUE(near(pixel(picture, 0, 8), {0, 0, 0}));
    EXPECT_TRUE(near(pixel(picture, 63, 8), {255, 255, 255}, 30));
}

TEST(PictureDecoder, BadBytesGiveAReasonAndNoPicture) {
    const Bytes jpeg = test::makeJpeg(120, 90);
    EXPECT_EQ(problemOf({}), "die Grafik ist leer");

    const std::string png = "\x89PNG\r\n\x1a\n rest of a PNG file";
    EXPECT_EQ(problemOf(Bytes(png.begin(), png.end())), "die Grafik ist keine JPEG-Grafik");
    EXPECT_EQ(problemOf(Bytes{'G', 'I', 'F', '8', '9', 'a'}), "die Grafik ist keine JPEG-Grafik");

    // Cut short anywhere: in the header, in the tables, in the picture
    // data. The library would fill the missing rows grey.
    for (std::size_t keep : {std::size_t(2), std::size_t(30), jpeg.size() / 2, jpeg.size() - 2}) {
        const Bytes cut(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(keep));
        EXPECT_EQ(problemOf(cut, tpicturescale::quarter), "die Grafik ist unvollst\xE4ndig")
            << keep;
    }

    Bytes damaged = jpeg;
    claimSize(damaged, 0, 90);
    EXPECT_EQ(problemOf(damaged),
              "die Grafik ist besch\xE4"
              "digt");
}

TEST(PictureDecoder, APictureClaimingAHugeSizeIsRefusedBeforeDecoding) {
    Bytes jpeg = test::makeJpeg(16, 16);
    claimSize(jpeg, 65000, 65000);
    EXPECT_EQ(problemOf(jpeg, tpicturescale::quarter),
              "die Grafik ist mit 65000 x 65000 Bildpunkten zu gro\xDF");

    // Just inside the limit the size is allowed (the data then ends early).
    claimSize(jpeg, 8000, 5000);
    EXPECT_EQ(problemOf(jpeg, tpicturescale::quarter), "die Grafik ist unvollst\xE4ndig");
}

}  // namespace
}  // namespace velmo
