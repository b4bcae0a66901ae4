#include "app/tools/ColorGamut.h"

#include <algorithm>
#include <array>

#include "QuenzColorUtils/ColorOperations.h"

namespace vantorel::app {
namespace {

// Rounding in the conversions leaves components a hair outside 0…1 for colors on the edge.
bool inside(const std::optional<quenz::ColorValue>& linear) {
    constexpr double tolerance = 1e-6;
    if (!linear) return true;
    return std::ranges::all_of(std::array{linear->red, linear->green, linear->blue},
                               [](double c) { return c >= -tolerance && c <= 1 + tolerance; });
}

}  // namespace

Gamut gamutOf(const quenz::ColorValue& color) {
    // The linear spaces are not clipped by the conversion, so they show where the color lies.
    if (inside(quenz::convert(color, quenz::RGBSpace::linearSRGB))) return Gamut::sRGB;
    if (inside(quenz::convert(color, quenz::RGBSpace::linearDisplayP3))) return Gamut::displayP3;
    return Gamut::beyondDisplayP3;
}

QString gamutDescription(Gamut gamut, quenz::ColorSpace space) {
    switch (gamut) {
        case Gamut::sRGB: return {};
        case Gamut::displayP3:
            return QStringLiteral("⚠ Outside sRGB: sRGB screens and outputs show the nearest sRGB color.");
        case Gamut::beyondDisplayP3:
            if (space == quenz::ColorSpace::sRGBExtended) {
                return QStringLiteral("⚠ Outside sRGB and Display P3: only extended-range outputs keep this color.");
            }
            return QStringLiteral("⚠ Outside sRGB and Display P3: the document keeps the nearest Display P3 color.");
    }
    return {};
}

}  // namespace vantorel::app
