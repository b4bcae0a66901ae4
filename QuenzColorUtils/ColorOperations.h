#pragma once
// Pure operations on ColorValue: color-managed conversion, OKLab/OKLCH, hsb, gamut test,
// brightness, mixing and the automatic high-contrast push.

#include <optional>

#include "QuenzColorUtils/ColorSpace.h"
#include "QuenzColorUtils/ColorValue.h"

namespace quenz {

// Colorimetric conversion (relative colorimetric); clips to 0…1 when the target is sRGB or
// Display P3. None when the conversion is not possible.
std::optional<ColorValue> convert(const ColorValue& color, RGBSpace target);

// sRGB, sRGBExtended or displayP3 by the value's RGBSpace; none for every other space.
std::optional<ColorSpace> colorSpaceOf(const ColorValue& color);

ColorValue makeRGB(double red, double green, double blue, double alpha, ColorSpace space);
ColorValue makeHSB(double hue, double saturation, double brightness, double alpha, ColorSpace space);
HSBValues hsb(const ColorValue& color);

bool isOutsideSRGB(const ColorValue& color);
double relativeBrightness(const ColorValue& color);

std::optional<OKLabValues> toOKLab(const ColorValue& color);
std::optional<OKLCHValues> toOKLCH(const ColorValue& color);
ColorValue fromOKLab(const OKLabValues& lab);    // extended linear sRGB
ColorValue fromOKLCH(const OKLCHValues& lch);    // extended linear sRGB

std::optional<ColorValue> mixRGB(const ColorValue& a, const ColorValue& b, double t, bool normalise);
OKLCHValues mixOKLCH(const OKLCHValues& from, const OKLCHValues& to, double t);

// The automatic high-contrast variant: pushes OKLCH lightness away from the middle by amount.
ColorValue adjustContrast(const ColorValue& color, double amount);
// The same push applied directly to the encoded RGB components.
ColorValue adjustContrastRGB(const ColorValue& color, double amount);

// Radians ↔ degrees as text forms use them (degrees in 0…360; NaN degrees count as 0).
double degreesFromRadians(double radians);
double radiansFromDegrees(double degrees);

// round(value × 10^places) / 10^places, halves away from zero.
double roundTo(double value, int places);
bool isWhole(double value);

}  // namespace quenz
