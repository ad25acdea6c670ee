#include "frontend/picturedecoder.h"

// The JPEG library is C; its header needs <cstdio> before it.
#include <csetjmp>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

namespace velmo {

namespace {

// A progressive picture is decoded scan by scan; a damaged file can
// declare thousands of tiny scans and keep the decoder busy for minutes.
// Real pictures have about ten.
constexpr int kMaxScans = 1000;

// The library's way out of an error is a callback that must not return:
// the handler jumps back to the decoding function, which then gives up
// with a message instead of letting the library end the program.
struct terrorhandler {
    jpeg_error_mgr library;  // first: the library sees only this part
    std::jmp_buf back;
    int code = 0;  // the library's message code of the failure
};

[[noreturn]] void failed(j_common_ptr jpeg) {
    auto* handler = reinterpret_cast<terrorhandler*>(jpeg->err);
    handler->code = jpeg->err->msg_code;
    std::longjmp(handler->back, 1);
}

// Warnings are silent, except the end of the data before the end of the
// picture (the file ends, or the next marker comes before the picture's
// data is complete): the library would go on and fill the rest grey, and
// a picture cut short must be reported instead.
void warned(j_common_ptr jpeg, int level) {
    const int code = jpeg->err->msg_code;
    if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)) failed(jpeg);
}

void progressed(j_common_ptr jpeg) {
    auto* decompress = reinterpret_cast<j_decompress_ptr>(jpeg);
    if (decompress->input_scan_number > kMaxScans) {
        jpeg->err->msg_code = JERR_NOT_COMPILED;  // any code that means "damaged"
        failed(jpeg);
    }
}

// One decompression; the library's memory is released however the
// decoding ends.
class tjpeg {
public:
    tjpeg() {
        info.err = jpeg_std_error(&handler.library);
        handler.library.error_exit = failed;
        handler.library.emit_message = warned;
        progress.progress_monitor = progressed;
        jpeg_create_decompress(&info);
        info.progress = &progress;
    }
    tjpeg(const tjpeg&) = delete;
    tjpeg& operator=(const tjpeg&) = delete;
    ~tjpeg() { jpeg_destroy_decompress(&info); }

    jpeg_decompress_struct info{};
    terrorhandler handler;
    jpeg_progress_mgr progress{};
};

std::string sizeText(int64_t width, int64_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

// The reason for a failure the library reported.
std::string problemOf(int code) {
    switch (code) {
    case JERR_NO_SOI: return "die Grafik ist keine JPEG-Grafik";
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JERR_INPUT_EOF: return "die Grafik ist unvollst\xE4ndig";
    case JERR_OUT_OF_MEMORY: return "f\xFCr die Grafik reicht der Speicher nicht";
    default:
        return "die Grafik ist besch\xE4"
               "digt";
    }
}

// Adobe's programs write CMYK pictures with inverted values, which is
// what the JPEG library hands out: full ink is 0. Red is then the share
// of cyan left times the share of black left, and so on.
void cmykToRgb(const unsigned char* cmyk, unsigned char* rgb, int32_t width) {
    for (int32_t x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const unsigned black = cmyk[3];
        for (int i = 0; i < 3; ++i) rgb[i] = static_cast<unsigned char>(cmyk[i] * black / 255);
    }
}

// The smallest scale the library decodes at: each 8x8 block becomes one
// pixel. The check uses it.
constexpr unsigned kSmallestScale = 8;

// Decodes at 1/`divisor` of the full size into `picture`, or, without a
// picture, reads every row and keeps none. `full` gets the size from the
// header. Everything between the jump target and the library's calls is
// plain data, so the jump back skips no destructor.
bool decode(tjpeg& jpeg, const unsigned char* data, std::size_t size, unsigned divisor,
            tpicture* picture, tpicturesize& full, std::string& problem) {
    jpeg_decompress_struct& info = jpeg.info;
    std::vector<unsigned char> row;
    if (setjmp(jpeg.handler.back)) {
        if (picture) *picture = tpicture();
        problem = problemOf(jpeg.handler.code);
        return false;
    }
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    full.width = static_cast<int32_t>(info.image_width);
    full.height = static_cast<int32_t>(info.image_height);
    if (int64_t{full.width} * full.height > kMaxPicturePixels) {
        problem =
            "die Grafik ist mit " + sizeText(full.width, full.height) + " Bildpunkten zu gro\xDF";
        return false;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    info.scale_num = 1;
    info.scale_denom = divisor;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&info);

    const std::size_t stride = std::size_t{info.output_width} * 3;
    if (picture) {
        picture->width = static_cast<int32_t>(info.output_width);
        picture->height = static_cast<int32_t>(info.output_height);
        picture->rgb.resize(stride * info.output_height);
    }
    row.resize(std::size_t{info.output_width} * static_cast<std::size_t>(info.output_components));
    while (info.output_scanline < info.output_height) {
        unsigned char* target =
            picture ? picture->rgb.data() + stride * info.output_scanline : nullptr;
        JSAMPROW line = cmyk || !picture ? row.data() : target;
        jpeg_read_scanlines(&info, &line, 1);
        if (cmyk && picture) cmykToRgb(row.data(), target, picture->width);
    }
    jpeg_finish_decompress(&info);
    return true;
}

// Empty bytes are refused before the library sees them.
bool decodeBytes(const unsigned char* data, std::size_t size, unsigned divisor, tpicture* picture,
                 tpicturesize& full, std::string& problem) {
    problem.clear();
    if (size == 0) {
        problem = "die Grafik ist leer";
        return false;
    }
    tjpeg jpeg;
    return decode(jpeg, data, size, divisor, picture, full, problem);
}

}  // namespace

bool decodePicture(const unsigned char* data, std::size_t size, tpicturescale scale,
                   tpicture& picture, std::string& problem) {
    picture = tpicture();
    tpicturesize full;
    return decodeBytes(data, size, static_cast<unsigned>(scale), &picture, full, problem);
}

bool checkPicture(const std::vector<unsigned char>& jpeg, tpicturesize& size,
                  std::string& problem) {
    size = tpicturesize();
    return decodeBytes(jpeg.data(), jpeg.size(), kSmallestScale, nullptr, size, problem);
}

}  // namespace velmo
