#pragma once
// The one color record of the system: an RGB color space, three components and an alpha.
// Conversions between spaces, OKLab/OKLCH, hsb, mixing and the automatic contrast push live
// here as pure functions; text forms of colors are in ColorConverter.h.

#include <optional>
#include <string_view>

namespace quenz {

// The spaces a ColorValue may be in.
enum class RGBSpace {
    sRGB,               // IEC 61966-2-1, components held in 0…1
    extendedSRGB,       // sRGB primaries and curve, sign-symmetric, unbounded
    displayP3,          // DCI-P3 primaries, D65, sRGB curve, components held in 0…1
    extendedLinearSRGB, // sRGB primaries, linear light, unbounded
    linearSRGB,         // CSS "srgb-linear"
    linearDisplayP3,    // CSS "display-p3-linear"
    adobeRGB1998,       // CSS "a98-rgb"
    proPhotoRGB,        // CSS "prophoto-rgb" (D50, adapted to D65)
    xyzD50,             // CSS "xyz-d50" (adapted to D65)
    deviceRGB,
    genericRGB,
    deviceGray,         // gray level in red (green and blue mirror it)
    genericGray,
    deviceCMYK,         // cyan, magenta, yellow in red, green, blue; see cmykBlack
    genericCMYK,
};

struct ColorValue {
    RGBSpace space = RGBSpace::sRGB;
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 1;
    // Only meaningful for the CMYK spaces: the key (black) component.
    double cmykBlack = 0;

    friend bool operator==(const ColorValue&, const ColorValue&) = default;
};

// (L, a, b, alpha) or (L, C, h in radians, alpha).
struct OKLabValues {
    double l = 0, a = 0, b = 0, alpha = 1;
    friend bool operator==(const OKLabValues&, const OKLabValues&) = default;
};
struct OKLCHValues {
    double lightness = 0, chroma = 0, hue = 0, alpha = 1;
    friend bool operator==(const OKLCHValues&, const OKLCHValues&) = default;
};
struct HSBValues {
    double hue = 0, saturation = 0, brightness = 0;
};

}  // namespace quenz
