#pragma once
// Encoders for the images the image-import tests and benchmarks make themselves: RGBA pixels
// to PNG (optionally interlaced), JPEG and lossless WebP bytes, through the same libraries the
// decoders use.

#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <png.h>
#include <webp/encode.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vantorel::import::testing {

struct RGBAImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> pixels;  // rows of red, green, blue, alpha

    RGBAImage(std::uint32_t w, std::uint32_t h) : width(w), height(h), pixels(std::size_t{w} * h * 4) {}
    void set(std::size_t index, std::uint32_t rgba) {
        for (int byte = 0; byte < 4; ++byte)
            pixels[index * 4 + static_cast<std::size_t>(byte)] = static_cast<std::uint8_t>(rgba >> (24 - 8 * byte));
    }
    // The first `count` pixels from `start` (row-major) in one color; returns the next index.
    std::size_t fill(std::size_t start, std::size_t count, std::uint32_t rgba) {
        for (std::size_t i = start; i < start + count; ++i) set(i, rgba);
        return start + count;
    }
};

inline std::string encodePNG(const RGBAImage& image, bool interlaced = false) {
    std::string bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("PNG encoding failed");
    }
    png_set_write_fn(
        png, &bytes,
        [](png_structp p, png_bytep data, png_size_t length) {
            static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<const char*>(data), length);
        },
        nullptr);
    png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGBA,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass) {
        for (std::uint32_t y = 0; y < image.height; ++y)
            png_write_row(png, image.pixels.data() + std::size_t{y} * image.width * 4);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

// Alpha is dropped. Quality 100 without chroma subsampling keeps flat areas of color exact.
inline std::string encodeJPEG(const RGBAImage& image, int quality = 100) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = image.width;
    info.image_height = image.height;
    info.input_components = 4;
    info.in_color_space = JCS_EXT_RGBA;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    for (int component = 0; component < info.num_components; ++component) {
        info.comp_info[component].h_samp_factor = 1;
        info.comp_info[component].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.pixels.data() + std::size_t{info.next_scanline} * image.width * 4);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

inline std::string encodeWebP(const RGBAImage& image) {
    std::uint8_t* output = nullptr;
    const std::size_t size = WebPEncodeLosslessRGBA(image.pixels.data(), static_cast<int>(image.width),
                                                    static_cast<int>(image.height),
                                                    static_cast<int>(image.width * 4), &output);
    std::string bytes(reinterpret_cast<const char*>(output), size);
    WebPFree(output);
    return bytes;
}

}  // namespace vantorel::import::testing
