#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "Vantorel/import/image/ImageDecoder.h"

namespace vantorel::import {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void failDecoding(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// A file that ends early would otherwise be finished with gray rows, as many as its header
// claims: a truncated file fails instead of costing the time of a whole picture.
void onMessage(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) failDecoding(info);
}

void ignoreOutput(j_common_ptr) {}

std::uint8_t inkToLight(unsigned ink, unsigned black, bool inverted) {
    // Adobe's files store CMYK inverted: 255 is no ink.
    return inverted ? static_cast<std::uint8_t>(ink * black / 255)
                    : static_cast<std::uint8_t>((255 - ink) * (255 - black) / 255);
}

}  // namespace

bool decodeJPEG(std::string_view bytes, PixelRowSink& sink) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = failDecoding;
    errors.base.emit_message = onMessage;
    errors.base.output_message = ignoreOutput;
    // Declared before the jump point: the decoder leaves through longjmp on any error.
    std::vector<std::uint8_t> row;
    std::vector<std::uint8_t> rgba;
    bool decoded = false;
    if (setjmp(errors.jump) == 0) {
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                     static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&info, TRUE);
        const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
        info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
        if (std::uint64_t{info.image_width} * info.image_height > maximumImagePixels) failDecoding(
            reinterpret_cast<j_common_ptr>(&info));
        jpeg_start_decompress(&info);
        const std::uint32_t width = info.output_width;
        row.resize(std::size_t{width} * 4);
        if (cmyk) rgba.resize(row.size());
        sink.start(width, info.output_height);
        while (info.output_scanline < info.output_height) {
            JSAMPROW rows[] = {row.data()};
            if (jpeg_read_scanlines(&info, rows, 1) != 1) failDecoding(reinterpret_cast<j_common_ptr>(&info));
            if (!cmyk) {
                sink.row(row.data());
                continue;
            }
            const bool inverted = info.saw_Adobe_marker;
            for (std::size_t x = 0; x < width; ++x) {
                const std::uint8_t* ink = row.data() + x * 4;
                for (int channel = 0; channel < 3; ++channel)
                    rgba[x * 4 + channel] = inkToLight(ink[channel], ink[3], inverted);
                rgba[x * 4 + 3] = 255;
            }
            sink.row(rgba.data());
        }
        jpeg_finish_decompress(&info);
        decoded = true;
    }
    jpeg_destroy_decompress(&info);
    return decoded;
}

}  // namespace vantorel::import
