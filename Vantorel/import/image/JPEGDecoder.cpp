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

// The decoder carries on through damaged data, filling the rest of the picture with gray or
// garbage, as many rows as its header claims: for a large photo that costs a second for
// nothing. A file that ends early or whose coded data is damaged fails at once instead. Stray
// bytes before a marker are left alone: cameras and editors write them into good pictures.
bool isDamagedData(int code) {
    switch (code) {
        case JWRN_JPEG_EOF:
        case JWRN_HIT_MARKER:
        case JWRN_HUFF_BAD_CODE:
        case JWRN_ARITH_BAD_CODE:
        case JWRN_MUST_RESYNC:
        case JWRN_NOT_SEQUENTIAL:
        case JWRN_BOGUS_PROGRESSION:
            return true;
        default:
            return false;
    }
}

void onMessage(j_common_ptr info, int level) {
    if (level < 0 && isDamagedData(info->err->msg_code)) failDecoding(info);
}

// Every scan of a progressive picture passes over the whole of it; real encoders write about
// ten, a hostile file can hold thousands of tiny ones.
constexpr int maximumScans = 100;

void checkScans(j_common_ptr info) {
    const auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > maximumScans) failDecoding(info);
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
    jpeg_progress_mgr scans{};
    scans.progress_monitor = checkScans;
    std::vector<std::uint8_t> row;
    std::vector<std::uint8_t> rgba;
    bool decoded = false;
    if (setjmp(errors.jump) == 0) {
        jpeg_create_decompress(&info);
        info.progress = &scans;
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
