#pragma once
// ColorSpace: the space in which a color is written as text or shown in the color picker.

#include <optional>
#include <string_view>

#include "QuenzColorUtils/ColorValue.h"

namespace quenz {

enum class ColorSpace { sRGB, sRGBExtended, displayP3, oklab, oklch };

inline constexpr ColorSpace allColorSpaces[] = {ColorSpace::sRGB, ColorSpace::sRGBExtended, ColorSpace::displayP3,
                                                ColorSpace::oklab, ColorSpace::oklch};

std::string_view displayName(ColorSpace space);            // "sRGB", "sRGB Extended", …
std::string_view caseName(ColorSpace space);               // "sRGB", "sRGBExtended", "displayP3", "oklab", "oklch"
std::optional<ColorSpace> colorSpaceFromCaseName(std::string_view name);
std::optional<std::string_view> cssIdentifier(ColorSpace space);          // "srgb", "display-p3", none
std::optional<std::string_view> composeColorSpaceConstant(ColorSpace space);  // "ColorSpaces.Srgb", …
std::optional<ColorSpace> colorSpaceFromCSSIdentifier(std::string_view identifier);
std::optional<ColorSpace> colorSpaceForRGBSpace(RGBSpace space);
// The RGBSpace a color is prepared in before it is written in this space.
RGBSpace rgbSpaceFor(ColorSpace space);
// The platform RGB profile (sRGB or Display P3); asking it of oklab/oklch is a programming error.
RGBSpace platformRGBSpace(ColorSpace space);
// CSS color() identifiers that importers understand ("srgb-linear", "a98-rgb", …).
std::optional<RGBSpace> rgbSpaceFromCSSColorIdentifier(std::string_view identifier);

}  // namespace quenz
