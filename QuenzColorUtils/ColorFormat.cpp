#include "QuenzColorUtils/ColorFormat.h"

#include <algorithm>
#include <array>

namespace quenz {
namespace {

using S = ColorSpace;

struct FormatEntry {
    ColorFormat format;
    std::string_view caseName;
    std::string_view displayName;
    std::span<const ColorSpace> spaces;
};

constexpr ColorSpace rgbExtendedP3[] = {S::sRGB, S::sRGBExtended, S::displayP3};
constexpr ColorSpace rgbP3[] = {S::sRGB, S::displayP3};
constexpr ColorSpace rgbOnly[] = {S::sRGB};
constexpr ColorSpace extendedP3Oklab[] = {S::sRGBExtended, S::displayP3, S::oklab};
constexpr ColorSpace extendedP3Oklch[] = {S::sRGBExtended, S::displayP3, S::oklch};

// Indexed by the enumeration's value.
constexpr std::array<FormatEntry, std::size(allColorFormats)> catalogue{{
    {ColorFormat::floatRGBA, "floatRGBA", "Float RGBA", rgbExtendedP3},
    {ColorFormat::floatHSVA, "floatHSVA", "Float HSVA", rgbP3},
    {ColorFormat::htmlRGB, "htmlRGB", "CSS Hex RGB", rgbP3},
    {ColorFormat::cssRGB, "cssRGB", "CSS rgb()", rgbOnly},
    {ColorFormat::cssColor, "cssColor", "CSS color()", rgbP3},
    {ColorFormat::cssHSL, "cssHSL", "CSS hsl()", rgbOnly},
    {ColorFormat::cssOKLAB, "cssOKLAB", "CSS oklab()", extendedP3Oklab},
    {ColorFormat::cssOKLCH, "cssOKLCH", "CSS oklch()", extendedP3Oklch},
    {ColorFormat::hexRGB, "hexRGB", "Hex RGB", rgbP3},
    {ColorFormat::hexARGB, "hexARGB", "Hex ARGB", rgbP3},
    {ColorFormat::hexRGBA, "hexRGBA", "Hex RGBA", rgbP3},
    {ColorFormat::swiftUIColorRGBA, "swiftUIColorRGBA", "Swift UIColor RGBA", rgbExtendedP3},
    {ColorFormat::swiftUIColorHSBA, "swiftUIColorHSBA", "Swift UIColor HSBA", rgbOnly},
    {ColorFormat::swiftNSColorRGBA, "swiftNSColorRGBA", "Swift NSColor RGBA", rgbExtendedP3},
    {ColorFormat::swiftNSColorHSBA, "swiftNSColorHSBA", "Swift NSColor HSBA", rgbExtendedP3},
    {ColorFormat::swiftColorRGBA, "swiftColorRGBA", "SwiftUI Color RGBA", rgbExtendedP3},
    {ColorFormat::swiftColorHSBA, "swiftColorHSBA", "SwiftUI Color HSBA", rgbOnly},
    {ColorFormat::androidComposeColor, "androidComposeColor", "Android Compose Color", rgbExtendedP3},
}};

constexpr bool catalogueFollowsCaseOrder() {
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        if (static_cast<std::size_t>(catalogue[i].format) != i) return false;
    }
    return true;
}
static_assert(catalogueFollowsCaseOrder(), "the format catalogue must list the cases in order");

const FormatEntry& entry(ColorFormat format) {
    auto index = static_cast<std::size_t>(format);
    return index < catalogue.size() ? catalogue[index] : catalogue[0];
}

}  // namespace

std::string_view displayName(ColorFormat format) { return entry(format).displayName; }

std::string_view caseName(ColorFormat format) { return entry(format).caseName; }

std::optional<ColorFormat> colorFormatFromCaseName(std::string_view name) {
    for (const auto& e : catalogue) {
        if (e.caseName == name) return e.format;
    }
    return std::nullopt;
}

std::span<const ColorSpace> supportedColorSpaces(ColorFormat format) { return entry(format).spaces; }

bool supportsColorSpace(ColorFormat format, ColorSpace space) {
    auto spaces = supportedColorSpaces(format);
    return std::find(spaces.begin(), spaces.end(), space) != spaces.end();
}

std::vector<ColorFormat> formatsSupporting(ColorSpace space) {
    std::vector<ColorFormat> formats;
    for (const auto& e : catalogue) {
        if (supportsColorSpace(e.format, space)) formats.push_back(e.format);
    }
    return formats;
}

ColorSpace fitSpace(ColorSpace space, ColorFormat format) {
    return supportsColorSpace(format, space) ? space : supportedColorSpaces(format).front();
}

}  // namespace quenz
