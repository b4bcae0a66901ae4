#include "VantorelData/model/QuenzColorSpace.h"

#include "VantorelData/model/EnumText.h"

namespace vantorel {
namespace {

constexpr std::array<std::string_view, 3> storedStrings = {"sRGB", "DisplayP3", "extendedSRGB"};
constexpr std::array<std::string_view, 4> conversionNames = {"Original", "sRGB", "sRGB Extended", "Display P3"};

}  // namespace

std::string_view storedString(QuenzColorSpace space) { return enum_text::textOf(storedStrings, space); }

std::optional<std::string_view> cssIdentifier(QuenzColorSpace space) {
    switch (space) {
        case QuenzColorSpace::rgb: return "srgb";
        case QuenzColorSpace::displayP3: return "display-p3";
        case QuenzColorSpace::sRGBExtended: return std::nullopt;
    }
    return std::nullopt;
}

quenz::ColorSpace colorSpace(QuenzColorSpace space) {
    switch (space) {
        case QuenzColorSpace::rgb: return quenz::ColorSpace::sRGB;
        case QuenzColorSpace::displayP3: return quenz::ColorSpace::displayP3;
        case QuenzColorSpace::sRGBExtended: return quenz::ColorSpace::sRGBExtended;
    }
    return quenz::ColorSpace::sRGB;
}

std::optional<QuenzColorSpace> quenzColorSpaceFromStoredString(std::string_view stored) {
    return enum_text::caseWithText<QuenzColorSpace>(storedStrings, stored);
}

QuenzColorSpace quenzColorSpaceFromStoredStringOrRGB(std::optional<std::string_view> stored) {
    if (!stored) return QuenzColorSpace::rgb;
    return quenzColorSpaceFromStoredString(*stored).value_or(QuenzColorSpace::rgb);
}

std::optional<QuenzColorSpace> quenzColorSpaceFromCSSIdentifier(std::string_view identifier) {
    if (identifier == "srgb") return QuenzColorSpace::rgb;
    if (identifier == "display-p3") return QuenzColorSpace::displayP3;
    return std::nullopt;
}

std::string_view displayName(ColorSpaceConversion conversion) {
    return enum_text::textOf(conversionNames, conversion);
}

int code(ColorSpaceConversion conversion) { return static_cast<int>(conversion); }

std::optional<ColorSpaceConversion> colorSpaceConversionFromCode(long long code) {
    return enum_text::caseAt<ColorSpaceConversion, 4>(code);
}

std::optional<quenz::ColorSpace> targetColorSpace(ColorSpaceConversion conversion) {
    switch (conversion) {
        case ColorSpaceConversion::original: return std::nullopt;
        case ColorSpaceConversion::sRGB: return quenz::ColorSpace::sRGB;
        case ColorSpaceConversion::sRGBExtended: return quenz::ColorSpace::sRGBExtended;
        case ColorSpaceConversion::displayP3: return quenz::ColorSpace::displayP3;
    }
    return std::nullopt;
}

}  // namespace vantorel
