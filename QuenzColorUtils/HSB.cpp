// Hue/saturation/brightness (hexcone model) and the clamping constructors of colors.

#include <algorithm>
#include <cmath>

#include "QuenzColorUtils/ColorOperations.h"

namespace quenz {

namespace {

// Clamps to lo…hi; a NaN becomes lo so that garbage never reaches a color.
double clampOrLow(double value, double lo, double hi) {
    if (std::isnan(value)) {
        return lo;
    }
    return std::clamp(value, lo, hi);
}

}  // namespace

ColorValue colorFromHSB(double hue, double saturation, double brightness, double alpha, RGBSpace space) {
    double turn = std::isfinite(hue) ? hue - std::floor(hue) : 0.0;
    if (turn >= 1) {  // floor rounding of tiny negative hues
        turn = 0;
    }
    const double sector = turn * 6;
    const int index = static_cast<int>(sector);
    const double f = sector - index;
    const double v = brightness;
    const double p = v * (1 - saturation);
    const double q = v * (1 - saturation * f);
    const double t = v * (1 - saturation * (1 - f));
    double r = v, g = t, b = p;
    switch (index) {
        case 0: r = v, g = t, b = p; break;
        case 1: r = q, g = v, b = p; break;
        case 2: r = p, g = v, b = t; break;
        case 3: r = p, g = q, b = v; break;
        case 4: r = t, g = p, b = v; break;
        default: r = v, g = p, b = q; break;
    }
    return ColorValue{space, r, g, b, alpha};
}

ColorValue makeHSB(double hue, double saturation, double brightness, double alpha, ColorSpace space) {
    return colorFromHSB(clampOrLow(hue, 0, 1), clampOrLow(saturation, 0, 1), clampOrLow(brightness, 0, 1),
                        clampOrLow(alpha, 0, 1), rgbSpaceFor(space));
}

HSBValues hsb(const ColorValue& color) {
    const double r = color.red, g = color.green, b = color.blue;
    const double maximum = std::max({r, g, b});
    const double minimum = std::min({r, g, b});
    const double delta = maximum - minimum;
    HSBValues result;
    result.brightness = maximum;
    result.saturation = maximum == 0 ? 0 : delta / maximum;
    if (delta > 0) {
        double sector = 0;
        if (maximum == r) {
            sector = (g - b) / delta;
        } else if (maximum == g) {
            sector = (b - r) / delta + 2;
        } else {
            sector = (r - g) / delta + 4;
        }
        double turn = sector / 6;
        if (turn < 0) {
            turn += 1;
        }
        result.hue = turn >= 1 ? 0 : turn;
    }
    return result;
}

ColorValue makeRGB(double red, double green, double blue, double alpha, ColorSpace space) {
    switch (space) {
        case ColorSpace::sRGB:
        case ColorSpace::displayP3:
            return ColorValue{space == ColorSpace::displayP3 ? RGBSpace::displayP3 : RGBSpace::extendedSRGB,
                              clampOrLow(red, 0, 1), clampOrLow(green, 0, 1), clampOrLow(blue, 0, 1),
                              clampOrLow(alpha, 0, 1)};
        case ColorSpace::sRGBExtended:
            return ColorValue{RGBSpace::extendedSRGB, clampOrLow(red, -2, 2), clampOrLow(green, -2, 2),
                              clampOrLow(blue, -2, 2), clampOrLow(alpha, -2, 2)};
        case ColorSpace::oklab:
        case ColorSpace::oklch: break;
    }
    return ColorValue{RGBSpace::extendedSRGB, red, green, blue, alpha};
}

}  // namespace quenz
