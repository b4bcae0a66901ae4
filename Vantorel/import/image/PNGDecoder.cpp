#include <png.h>

#include <cstring>
#include <vector>

#include "Vantorel/import/image/ImageDecoder.h"

namespace vantorel::import {
namespace {

struct MemoryStream {
    const char* data;
    std::size_t size;
    std::size_t offset = 0;
};

void readFromMemory(png_structp png, png_bytep target, png_size_t length) {
    auto* stream = static_cast<MemoryStream*>(png_get_io_ptr(png));
    if (length > stream->size - stream->offset) png_error(png, "truncated image");
    std::memcpy(target, stream->data + stream->offset, length);
    stream->offset += length;
}

[[noreturn]] void failDecoding(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

}  // namespace

bool decodePNG(std::string_view bytes, PixelRowSink& sink) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, failDecoding, ignoreWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    MemoryStream stream{bytes.data(), bytes.size()};
    // Declared before the jump point: libpng leaves through longjmp on any error.
    std::vector<png_byte> pixels;
    bool decoded = false;
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_set_read_fn(png, &stream, readFromMemory);
        png_read_info(png, info);
        const png_uint_32 width = png_get_image_width(png, info);
        const png_uint_32 height = png_get_image_height(png, info);
        if (std::uint64_t{width} * height > maximumImagePixels) png_error(png, "image too large");
        png_set_expand(png);
        png_set_strip_16(png);
        png_set_gray_to_rgb(png);
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
        const int passes = png_set_interlace_handling(png);
        png_read_update_info(png, info);
        if (png_get_rowbytes(png, info) != std::size_t{width} * 4) png_error(png, "unexpected pixel layout");
        const std::size_t rowBytes = std::size_t{width} * 4;
        sink.start(width, height);
        if (passes == 1) {
            pixels.resize(rowBytes);
            for (png_uint_32 y = 0; y < height; ++y) {
                png_read_row(png, pixels.data(), nullptr);
                sink.row(pixels.data());
            }
        } else {
            // Interlaced rows are complete only after the last pass.
            pixels.resize(rowBytes * height);
            for (int pass = 0; pass < passes; ++pass) {
                for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, pixels.data() + rowBytes * y, nullptr);
            }
            for (png_uint_32 y = 0; y < height; ++y) sink.row(pixels.data() + rowBytes * y);
        }
        decoded = true;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return decoded;
}

}  // namespace vantorel::import
