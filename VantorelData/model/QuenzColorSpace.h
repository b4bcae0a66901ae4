#pragma once
// QuenzColorSpace: the RGB space a document's color item is authored in, with the string
// documents store for it. ColorSpaceConversion: the space a build converts colors into.

#include <array>
#include <optional>
#include <string_view>

#include "QuenzColorUtils/ColorSpace.h"

namespace vantorel {

enum class QuenzColorSpace { rgb, displayP3, sRGBExtended };

inline constexpr std::array<QuenzColorSpace, 3> allQuenzColorSpaces = {
    QuenzColorSpace::rgb, QuenzColorSpace::displayP3, QuenzColorSpace::sRGBExtended};

std::string_view storedString(QuenzColorSpace space);                 // "sRGB", "DisplayP3", "extendedSRGB"
std::optional<std::string_view> cssIdentifier(QuenzColorSpace space);  // "srgb", "display-p3", none
quenz::ColorSpace colorSpace(QuenzColorSpace space);

// Strict reader: none for a string that is not stored by any case.
std::optional<QuenzColorSpace> quenzColorSpaceFromStoredString(std::string_view stored);
// Lenient reader used for documents: `rgb` for an unknown or missing string.
QuenzColorSpace quenzColorSpaceFromStoredStringOrRGB(std::optional<std::string_view> stored);
std::optional<QuenzColorSpace> quenzColorSpaceFromCSSIdentifier(std::string_view identifier);

enum class ColorSpaceConversion { original, sRGB, sRGBExtended, displayP3 };

inline constexpr std::array<ColorSpaceConversion, 4> allColorSpaceConversions = {
    ColorSpaceConversion::original, ColorSpaceConversion::sRGB, ColorSpaceConversion::sRGBExtended,
    ColorSpaceConversion::displayP3};

std::string_view displayName(ColorSpaceConversion conversion);  // "Original", "sRGB", …
int code(ColorSpaceConversion conversion);                      // 0-based position
std::optional<ColorSpaceConversion> colorSpaceConversionFromCode(long long code);
// The target space of a conversion; none for `original` (colors keep their own space).
std::optional<quenz::ColorSpace> targetColorSpace(ColorSpaceConversion conversion);

}  // namespace vantorel
