#pragma once
// The APCA lightness contrast Lc of a text color over a background (APCA-W3 0.1.x constants).
// Dark text on a light background is positive, light text on a dark background negative.

#include <optional>

#include "QuenzColorUtils/ColorValue.h"

namespace vantorel {

// APCA screen luminance of encoded sRGB components (plain 2.4 power, no linear segment).
double apcaScreenLuminance(double red, double green, double blue);

// Lc × 100 from text and background screen luminances, rounded to 1 decimal place;
// none when the luminances are not numbers (components outside what sRGB can hold).
std::optional<double> apcaContrastOfLuminances(double text, double background);

// Lc of a text color over a background, after compositing both into sRGB: black on white is
// 106.0, white on black −107.9.
std::optional<double> apcaLightnessContrast(const quenz::ColorValue& foreground, const quenz::ColorValue& background);

}  // namespace vantorel
