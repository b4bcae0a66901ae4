#include <webp/decode.h>

#include <vector>

#include "Vantorel/import/image/ImageDecoder.h"

namespace vantorel::import {

bool decodeWebP(std::string_view bytes, PixelRowSink& sink) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(data, bytes.size(), &features) != VP8_STATUS_OK) return false;
    if (features.width <= 0 || features.height <= 0 || features.has_animation) return false;
    const auto width = static_cast<std::uint32_t>(features.width);
    const auto height = static_cast<std::uint32_t>(features.height);
    if (std::uint64_t{width} * height > maximumImagePixels) return false;
    const std::size_t rowBytes = std::size_t{width} * 4;
    std::vector<std::uint8_t> pixels(rowBytes * height);
    if (!WebPDecodeRGBAInto(data, bytes.size(), pixels.data(), pixels.size(), static_cast<int>(rowBytes)))
        return false;
    sink.start(width, height);
    for (std::uint32_t y = 0; y < height; ++y) sink.row(pixels.data() + rowBytes * y);
    return true;
}

}  // namespace vantorel::import
