#include "QuenzColorUtils/ColorSpace.h"

#include "QuenzColorUtils/Precondition.h"

namespace quenz {

std::string_view displayName(ColorSpace space) {
    switch (space) {
        case ColorSpace::sRGB: return "sRGB";
        case ColorSpace::sRGBExtended: return "sRGB Extended";
        case ColorSpace::displayP3: return "Display P3";
        case ColorSpace::oklab: return "OKLAB";
        case ColorSpace::oklch: return "OKLCH";
    }
    return "sRGB";
}

std::string_view caseName(ColorSpace space) {
    switch (space) {
        case ColorSpace::sRGB: return "sRGB";
        case ColorSpace::sRGBExtended: return "sRGBExtended";
        case ColorSpace::displayP3: return "displayP3";
        case ColorSpace::oklab: return "oklab";
        case ColorSpace::oklch: return "oklch";
    }
    return "sRGB";
}

std::optional<ColorSpace> colorSpaceFromCaseName(std::string_view name) {
    for (ColorSpace space : allColorSpaces) {
        if (caseName(space) == name) {
            return space;
        }
    }
    return std::nullopt;
}

std::optional<std::string_view> cssIdentifier(ColorSpace space) {
    switch (space) {
        case ColorSpace::sRGB: return "srgb";
        case ColorSpace::displayP3: return "display-p3";
        case ColorSpace::sRGBExtended:
        case ColorSpace::oklab:
        case ColorSpace::oklch: return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string_view> composeColorSpaceConstant(ColorSpace space) {
    switch (space) {
        case ColorSpace::sRGB: return "ColorSpaces.Srgb";
        case ColorSpace::sRGBExtended: return "ColorSpaces.ExtendedSrgb";
        case ColorSpace::displayP3: return "ColorSpaces.DisplayP3";
        case ColorSpace::oklab:
        case ColorSpace::oklch: return std::nullopt;
    }
    return std::nullopt;
}

std::optional<ColorSpace> colorSpaceFromCSSIdentifier(std::string_view identifier) {
    if (identifier == "srgb") {
        return ColorSpace::sRGB;
    }
    if (identifier == "display-p3") {
        return ColorSpace::displayP3;
    }
    return std::nullopt;
}

std::optional<ColorSpace> colorSpaceForRGBSpace(RGBSpace space) {
    switch (space) {
        case RGBSpace::sRGB: return ColorSpace::sRGB;
        case RGBSpace::extendedSRGB: return ColorSpace::sRGBExtended;
        case RGBSpace::displayP3: return ColorSpace::displayP3;
        default: return std::nullopt;
    }
}

RGBSpace rgbSpaceFor(ColorSpace space) {
    switch (space) {
        case ColorSpace::sRGB: return RGBSpace::sRGB;
        case ColorSpace::sRGBExtended: return RGBSpace::extendedSRGB;
        case ColorSpace::displayP3:
        case ColorSpace::oklab:
        case ColorSpace::oklch: return RGBSpace::displayP3;
    }
    return RGBSpace::sRGB;
}

RGBSpace platformRGBSpace(ColorSpace space) {
    switch (space) {
        case ColorSpace::sRGB:
        case ColorSpace::sRGBExtended: return RGBSpace::sRGB;
        case ColorSpace::displayP3: return RGBSpace::displayP3;
        case ColorSpace::oklab:
        case ColorSpace::oklch: break;
    }
    preconditionFailure("It's not valid to ask for the RGBColorSpace of an OKLCH or OKLAB color");
}

std::optional<RGBSpace> rgbSpaceFromCSSColorIdentifier(std::string_view identifier) {
    struct Entry {
        std::string_view identifier;
        RGBSpace space;
    };
    static constexpr Entry entries[] = {
        {"srgb", RGBSpace::sRGB},
        {"srgb-linear", RGBSpace::linearSRGB},
        {"display-p3", RGBSpace::displayP3},
        {"display-p3-linear", RGBSpace::linearDisplayP3},
        {"a98-rgb", RGBSpace::adobeRGB1998},
        {"prophoto-rgb", RGBSpace::proPhotoRGB},
        {"xyz-d50", RGBSpace::xyzD50},
    };
    for (const Entry& entry : entries) {
        if (entry.identifier == identifier) {
            return entry.space;
        }
    }
    return std::nullopt;
}

}  // namespace quenz
