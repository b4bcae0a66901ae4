#pragma once
// Our small image-decoding layer: PNG (libpng), JPEG (libjpeg-turbo) and WebP (libwebp), told
// apart by their leading bytes. Pixels come out as 8-bit RGBA rows, top to bottom; PNG and JPEG
// are decoded a row at a time, so a large photo never sits in memory whole (WebP and interlaced
// PNG have no such order and are decoded whole).

#include <cstdint>
#include <string_view>

namespace vantorel::import {

// Receives one image's pixels.
class PixelRowSink {
public:
    virtual ~PixelRowSink() = default;
    // Called once, before the first row.
    virtual void start(std::uint32_t width, std::uint32_t height) = 0;
    // `width` pixels of red, green, blue and alpha bytes.
    virtual void row(const std::uint8_t* rgba) = 0;
};

// Larger images are refused: no photo comes near, and a hostile header must not make us
// allocate or decode for minutes.
inline constexpr std::uint64_t maximumImagePixels = 100'000'000;

// False when the bytes are not an image of a format read here, are damaged or too large. Some
// rows may have reached the sink before a failure.
bool decodeImage(std::string_view bytes, PixelRowSink& sink);

// Each format; the caller has recognised it.
bool decodePNG(std::string_view bytes, PixelRowSink& sink);
bool decodeJPEG(std::string_view bytes, PixelRowSink& sink);
bool decodeWebP(std::string_view bytes, PixelRowSink& sink);

}  // namespace vantorel::import
