#ifndef VELMO_TESTS_SUPPORT_TEST_JPEG_H
#define VELMO_TESTS_SUPPORT_TEST_JPEG_H

// JPEG pictures made on the spot with the JPEG library, so that tests,
// benchmarks and fuzz seeds need no picture files: a gradient of any
// size (red to the right, green downwards), baseline or progressive, in
// colour (3 components), grey (1) or CMYK (4, every channel the same
// value). `noise` adds up to that much pseudo-random change to every
// value, so that the picture is as hard to compress as a photo.

#include <jpeglib.h>
#include <cstdio>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace velmo::test {

inline std::vector<unsigned char> makeJpeg(int32_t width, int32_t height, bool progressive = false,
                                           int components = 3, int noise = 0) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 85, TRUE);
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * components);
    uint32_t random = 1;
    while (info.next_scanline < info.image_height) {
        const auto y = static_cast<int32_t>(info.next_scanline);
        for (int32_t x = 0; x < width; ++x) {
            const int32_t channel[3] = {x * 255 / (width > 1 ? width - 1 : 1),
                                        y * 255 / (height > 1 ? height - 1 : 1), 0};
            for (int c = 0; c < components; ++c) {
                random = random * 1664525u + 1013904223u;
                const int32_t change = noise > 0 ? static_cast<int32_t>(random >> 24) % noise : 0;
                const int32_t value = (components == 3 ? channel[c] : channel[0]) + change;
                row[static_cast<std::size_t>(x * components + c)] =
                    static_cast<unsigned char>(value > 255 ? 255 : value);
            }
        }
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<unsigned char> jpeg(buffer, buffer + size);
    std::free(buffer);
    return jpeg;
}

}  // namespace velmo::test

#endif
