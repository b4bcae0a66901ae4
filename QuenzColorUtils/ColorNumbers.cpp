// Rounding and angle helpers shared by the text forms of colors.

#include <cmath>
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

bool isWhole(double value) { return std::isfinite(value) && std::trunc(value) == value; }

}  // namespace quenz
