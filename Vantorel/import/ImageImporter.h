#pragma once
// ImageImporter: the dominant colors of a bitmap image (PNG, JPEG or WebP). Every pixel whose
// alpha is above 0.4 is counted by its exact color; a color counts when it covers more than a
// thousandth of the image (the threshold truncated to whole pixels). The counted colors are
// taken most frequent first (equal counts by color value), and one is kept unless it is too
// close to a color already kept: red, green and blue each within 0.1, or both near-gray
// (green and blue each within 0.03 of red) whatever their lightness. Each kept color is named
// "Color " + its pixel count.

#include <cstdint>
#include <string_view>
#include <vector>

#include "Vantorel/import/ColorImporter.h"
#include "Vantorel/import/ImportedColor.h"

namespace vantorel::import {

// A color of the image and how many pixels show it.
struct CountedColor {
    std::uint32_t rgba = 0;  // red in the highest byte, alpha in the lowest
    std::uint64_t count = 0;
};

class ImageImporter final : public ColorImporter {
public:
    std::optional<ImportError> importFile(const std::filesystem::path& file, QuenzColorGroup& group) override;
    // The dominant colors of encoded image bytes, or the failure.
    static std::optional<ImportError> importImage(std::string_view bytes, std::vector<ImportedColor>& records);
    // The colors kept from counted candidates, as records in the order kept.
    static std::vector<ImportedColor> dominantColors(std::vector<CountedColor> candidates);
};

}  // namespace vantorel::import
