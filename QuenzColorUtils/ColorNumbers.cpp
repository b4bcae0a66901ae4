// Rounding and angle helpers shared by the text forms of colors.

#include <cmath>
#include <iterator>
#include <numbers>

#include "QuenzColorUtils/ColorOperations.h"

namespace quenz {

double degreesFromRadians(double radians) {
    if (std::isnan(radians)) {
        return 0;
    }
    const double degrees = radians * 180 / std::numbers::pi;
    return degrees < 0 ? degrees + 360 : degrees;
}

double radiansFromDegrees(double degrees) {
    if (std::isnan(degrees)) {
        return 0;
    }
    return degrees * 0.017453292519943295;
}

// Powers of ten a double holds exactly, the ones std::pow(10, n) returns for these n; every
// color text rounds several components, so the table saves a pow call per component.
constexpr double exactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

double roundTo(double value, int places) {
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

bool isWhole(double value) { return std::isfinite(value) && std::trunc(value) == value; }

}  // namespace quenz
