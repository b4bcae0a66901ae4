#pragma once
// Pure operations on ColorValue: color-managed conversion, OKLab/OKLCH, hsb, gamut test,
// brightness, mixing and the automatic high-contrast push.

#include <cmath>
#include <iterator>
#include <optional>

#include "QuenzColorUtils/ColorSpace.h"
#include "QuenzColorUtils/ColorValue.h"

namespace quenz {

// Colorimetric conversion (relative colorimetric); clips to 0…1 when the target is sRGB,
// Display P3 or a device/generic space. None when a component is not a finite number.
std::optional<ColorValue> convert(const ColorValue& color, RGBSpace target);

// sRGB, sRGBExtended or displayP3 by the value's RGBSpace; none for every other space.
std::optional<ColorSpace> colorSpaceOf(const ColorValue& color);

// sRGB and displayP3 clamp each value to 0…1 (NaN and negatives become 0), sRGBExtended to
// −2…2; oklab and oklch take the values unclamped. sRGB and sRGBExtended build extended sRGB.
ColorValue makeRGB(double red, double green, double blue, double alpha, ColorSpace space);
// Each argument clamped to 0…1; built in rgbSpaceFor(space).
ColorValue makeHSB(double hue, double saturation, double brightness, double alpha, ColorSpace space);
// Hexcone hue/saturation/brightness to RGB without clamping, in any space (random colors are
// built in linear light). The hue wraps around: −0.1 is the same hue as 0.9.
ColorValue colorFromHSB(double hue, double saturation, double brightness, double alpha, RGBSpace space);
// Hexcone values of the color's own components; hue in 0…1 (0 for grays).
HSBValues hsb(const ColorValue& color);

// True when an extended sRGB or Display P3 color has a component outside 0…1 in sRGB;
// false for sRGB and every other space.
bool isOutsideSRGB(const ColorValue& color);
// 0.2126·R + 0.7152·G + 0.0722·B on encoded components, for sorting (not WCAG luminance).
double relativeBrightness(const ColorValue& color);

std::optional<OKLabValues> toOKLab(const ColorValue& color);
std::optional<OKLCHValues> toOKLCH(const ColorValue& color);
ColorValue fromOKLab(const OKLabValues& lab);    // extended linear sRGB
ColorValue fromOKLCH(const OKLCHValues& lch);    // extended linear sRGB

// Componentwise mix of two colors of the same space, t clamped to 0…1; normalise first brings
// non-RGB colors (gray, CMYK, linear, …) into extended sRGB. None when that fails.
std::optional<ColorValue> mixRGB(const ColorValue& a, const ColorValue& b, double t, bool normalise);
// Mix along the shorter hue arc; a hue whose chroma is at most 1e-5 takes the other's hue.
OKLCHValues mixOKLCH(const OKLCHValues& from, const OKLCHValues& to, double t);

// The automatic high-contrast variant: pushes OKLCH lightness away from the middle by amount.
ColorValue adjustContrast(const ColorValue& color, double amount);
// The same push applied directly to the encoded RGB components.
ColorValue adjustContrastRGB(const ColorValue& color, double amount);

// Radians ↔ degrees as text forms use them (degrees in 0…360; NaN degrees count as 0).
double degreesFromRadians(double radians);
double radiansFromDegrees(double degrees);

// Powers of ten a double holds exactly, the ones std::pow(10, n) returns for these n.
inline constexpr double exactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// round(value × 10^places) / 10^places, halves away from zero; a value whose scaled form
// overflows is returned as it is.
inline double roundTo(double value, int places) {
    const double scale = places >= 0 && places < static_cast<int>(std::size(exactPowersOfTen))
                             ? exactPowersOfTen[places]
                             : std::pow(10.0, places);
    const double scaled = value * scale;
    if (!std::isfinite(scaled) || scale == 0) {
        return value;
    }
    // std::round already rounds halves away from zero.
    return std::round(scaled) / scale;
}
bool isWhole(double value);

}  // namespace quenz
