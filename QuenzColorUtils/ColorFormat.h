#pragma once
// ColorFormat: the eighteen text forms a color can be written in, with the display names shown
// in menus and the color spaces each form can express. The order of the cases is the order of
// every menu and of the quick-convert rows.

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "QuenzColorUtils/ColorSpace.h"

namespace quenz {

enum class ColorFormat {
    floatRGBA,
    floatHSVA,
    htmlRGB,
    cssRGB,
    cssColor,
    cssHSL,
    cssOKLAB,
    cssOKLCH,
    hexRGB,
    hexARGB,
    hexRGBA,
    swiftUIColorRGBA,
    swiftUIColorHSBA,
    swiftNSColorRGBA,
    swiftNSColorHSBA,
    swiftColorRGBA,
    swiftColorHSBA,
    androidComposeColor,
};

inline constexpr ColorFormat allColorFormats[] = {
    ColorFormat::floatRGBA,        ColorFormat::floatHSVA,        ColorFormat::htmlRGB,
    ColorFormat::cssRGB,           ColorFormat::cssColor,         ColorFormat::cssHSL,
    ColorFormat::cssOKLAB,         ColorFormat::cssOKLCH,         ColorFormat::hexRGB,
    ColorFormat::hexARGB,          ColorFormat::hexRGBA,          ColorFormat::swiftUIColorRGBA,
    ColorFormat::swiftUIColorHSBA, ColorFormat::swiftNSColorRGBA, ColorFormat::swiftNSColorHSBA,
    ColorFormat::swiftColorRGBA,   ColorFormat::swiftColorHSBA,   ColorFormat::androidComposeColor,
};

// The user-visible name, e.g. "CSS Hex RGB" for htmlRGB.
std::string_view displayName(ColorFormat format);
// The case name as written in code and on the command line, e.g. "htmlRGB".
std::string_view caseName(ColorFormat format);
// Exact, case-sensitive lookup of a case name.
std::optional<ColorFormat> colorFormatFromCaseName(std::string_view name);

// The spaces the format can be written in, in menu order; never empty.
std::span<const ColorSpace> supportedColorSpaces(ColorFormat format);
bool supportsColorSpace(ColorFormat format, ColorSpace space);
// The formats, in case order, that can be written in `space`.
std::vector<ColorFormat> formatsSupporting(ColorSpace space);
// `space` when the format supports it, otherwise the format's first supported space.
ColorSpace fitSpace(ColorSpace space, ColorFormat format);

}  // namespace quenz
