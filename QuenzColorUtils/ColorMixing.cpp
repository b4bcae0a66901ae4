// Mixing in OKLCH for color ramps and the lightness push behind automatic high-contrast variants.

#include <cmath>
#include <numbers>

#include "QuenzColorUtils/ColorOperations.h"

namespace quenz {

namespace {

// Below this chroma a hue is not visible, so it must not steer the mix.
constexpr double powerlessChroma = 1e-5;

double unitFraction(double t) { return t > 0 ? std::min(t, 1.0) : 0.0; }

// Pushes a value in 0…1 away from the middle: towards 1.15 above 0.5, towards −0.15 at or
// below it. Overshooting the range makes the push visible for colors already near the ends.
double pushAwayFromMiddle(double value, double amount) {
    return (1 - amount) * value + amount * (value > 0.5 ? 1.15 : -0.15);
}

}  // namespace

OKLCHValues mixOKLCH(const OKLCHValues& from, const OKLCHValues& to, double t) {
    const double fraction = unitFraction(t);
    double h0 = from.hue;
    double h1 = to.hue;
    if (from.chroma <= powerlessChroma) {
        h0 = h1;
    }
    if (to.chroma <= powerlessChroma) {
        h1 = h0;
    }
    double delta = h1 - h0;
    if (delta > std::numbers::pi) {
        delta -= 2 * std::numbers::pi;
    } else if (delta < -std::numbers::pi) {
        delta += 2 * std::numbers::pi;
    }
    const auto mix = [fraction](double x, double y) { return x + (y - x) * fraction; };
    return OKLCHValues{mix(from.lightness, to.lightness), mix(from.chroma, to.chroma), h0 + delta * fraction,
                       mix(from.alpha, to.alpha)};
}

ColorValue adjustContrast(const ColorValue& color, double amount) {
    // The published OKLab matrices are inverses only to about 1e-7; without a push the color
    // must come back exactly as it was.
    if (amount == 0) {
        return color;
    }
    const std::optional<OKLCHValues> lch = toOKLCH(color);
    if (!lch) {
        return color;
    }
    OKLCHValues pushed = *lch;
    pushed.lightness = pushAwayFromMiddle(lch->lightness, amount);
    const std::optional<ColorValue> result = convert(fromOKLCH(pushed), color.space);
    if (!result) {
        return color;
    }
    ColorValue adjusted = *result;
    adjusted.alpha = color.alpha;
    return adjusted;
}

ColorValue adjustContrastRGB(const ColorValue& color, double amount) {
    ColorValue adjusted = color;
    adjusted.red = pushAwayFromMiddle(color.red, amount);
    adjusted.green = pushAwayFromMiddle(color.green, amount);
    adjusted.blue = pushAwayFromMiddle(color.blue, amount);
    return adjusted;
}

}  // namespace quenz
