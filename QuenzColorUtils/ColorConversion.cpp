// Conversion between RGB spaces, the sRGB gamut test, the brightness measure used for sorting and
// componentwise RGB mixing, which share the rule of which spaces count as RGB.

#include <algorithm>
#include <cmath>

#include "QuenzColorUtils/ColorManagement.h"
#include "QuenzColorUtils/ColorOperations.h"

namespace quenz {

namespace {

bool isFinite(const ColorValue& c) {
    return std::isfinite(c.red) && std::isfinite(c.green) && std::isfinite(c.blue) && std::isfinite(c.cmykBlack);
}

// The spaces whose own encoded components count as RGB for brightness and mixing.
bool isRGBFamily(RGBSpace space) {
    switch (space) {
        case RGBSpace::sRGB:
        case RGBSpace::extendedSRGB:
        case RGBSpace::displayP3:
        case RGBSpace::adobeRGB1998:
        case RGBSpace::deviceRGB:
        case RGBSpace::genericRGB: return true;
        default: return false;
    }
}

}  // namespace

std::optional<ColorValue> convert(const ColorValue& color, RGBSpace target) {
    using namespace colormanagement;
    if (!isFinite(color)) {
        return std::nullopt;
    }
    if (color.space == target) {
        ColorValue same = color;
        if (clipsToUnitRange(target)) {
            for (double* c : {&same.red, &same.green, &same.blue, &same.cmykBlack}) *c = std::clamp(*c, 0.0, 1.0);
        }
        return same;
    }
    const Vector3 source = encodedComponents(color);
    const SpaceModel from = modelOf(color.space);
    const SpaceModel to = modelOf(target);
    // Spaces of one model hold the same numbers for the same color, and a grey is the same grey
    // in every RGB space of the same curve: copying keeps such conversions exact.
    const bool grey = source[0] == source[1] && source[1] == source[2];
    const bool rgbPrimaries = from.primaries != Primaries::xyzD50 && to.primaries != Primaries::xyzD50;
    if (from == to || (grey && rgbPrimaries && from.curve == to.curve)) {
        return packed(source, target, color.alpha);
    }
    const Vector3 linear = convertLinear(decode(from.curve, source), from.primaries, to.primaries);
    return packed(encode(to.curve, linear), target, color.alpha);
}

std::optional<ColorSpace> colorSpaceOf(const ColorValue& color) { return colorSpaceForRGBSpace(color.space); }

bool isOutsideSRGB(const ColorValue& color) {
    const auto outside = [](const ColorValue& c) {
        return c.red < 0 || c.red > 1 || c.green < 0 || c.green > 1 || c.blue < 0 || c.blue > 1;
    };
    switch (color.space) {
        case RGBSpace::extendedSRGB: return outside(color);
        case RGBSpace::displayP3: {
            const std::optional<ColorValue> extended = convert(color, RGBSpace::extendedSRGB);
            return extended ? outside(*extended) : false;
        }
        default: return false;
    }
}

double relativeBrightness(const ColorValue& color) {
    ColorValue source = color;
    if (!isRGBFamily(color.space)) {
        const std::optional<ColorValue> converted = convert(color, RGBSpace::sRGB);
        if (!converted) {
            return 0;
        }
        source = *converted;
    }
    return 0.2126 * source.red + 0.7152 * source.green + 0.0722 * source.blue;
}

std::optional<ColorValue> mixRGB(const ColorValue& a, const ColorValue& b, double t, bool normalise) {
    // Written so that a NaN fraction counts as the start of the mix.
    const double fraction = t > 0 ? std::min(t, 1.0) : 0.0;
    ColorValue from = a;
    ColorValue to = b;
    if (normalise) {
        for (ColorValue* c : {&from, &to}) {
            if (!isRGBFamily(c->space)) {
                const std::optional<ColorValue> converted = convert(*c, RGBSpace::extendedSRGB);
                if (!converted) {
                    return std::nullopt;
                }
                *c = *converted;
            }
        }
    }
    const auto mix = [fraction](double x, double y) { return x + (y - x) * fraction; };
    ColorValue result = from;
    result.red = mix(from.red, to.red);
    result.green = mix(from.green, to.green);
    result.blue = mix(from.blue, to.blue);
    result.alpha = mix(from.alpha, to.alpha);
    result.cmykBlack = mix(from.cmykBlack, to.cmykBlack);
    return result;
}

}  // namespace quenz
