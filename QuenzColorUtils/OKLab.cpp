// OKLab and OKLCH on linear sRGB, with the ten-decimal matrices of the first publication of
// OKLab so that values match other tools that print them.

#include <cmath>

#include "QuenzColorUtils/ColorManagement.h"
#include "QuenzColorUtils/ColorOperations.h"
#include "QuenzColorUtils/OKLabSteps.h"

namespace quenz {

namespace {

using colormanagement::multiply;
using oklab::Matrix3;
using oklab::Vector3;

constexpr Matrix3 labToLMSPrime{{
    {1.0, 0.3963377774, 0.2158037573},
    {1.0, -0.1055613458, -0.0638541728},
    {1.0, -0.0894841775, -1.2914855480},
}};
constexpr Matrix3 lmsToLinearSRGB{{
    {4.0767416621, -3.3077115913, 0.2309699292},
    {-1.2684380046, 2.6097574011, -0.3413193965},
    {-0.0041960863, -0.7034186147, 1.7076147010},
}};

}  // namespace

namespace oklab {

// Colors on sRGB primaries and curve, nearly every color written as oklab() or oklch(), only
// need the curve undone, so they skip the general conversion's model lookups and packing; the
// numbers are the same.
std::optional<Vector3> coneResponses(const ColorValue& color) {
    Vector3 linear{};
    switch (color.space) {
        case RGBSpace::sRGB:
        case RGBSpace::extendedSRGB:
        case RGBSpace::deviceRGB:
        case RGBSpace::genericRGB:
            if (!std::isfinite(color.red) || !std::isfinite(color.green) || !std::isfinite(color.blue) ||
                !std::isfinite(color.cmykBlack)) {
                return std::nullopt;
            }
            linear = {colormanagement::sRGBToLinear(color.red), colormanagement::sRGBToLinear(color.green),
                      colormanagement::sRGBToLinear(color.blue)};
            break;
        default: {
            const std::optional<ColorValue> converted = convert(color, RGBSpace::extendedLinearSRGB);
            if (!converted) {
                return std::nullopt;
            }
            linear = {converted->red, converted->green, converted->blue};
        }
    }
    return multiply(linearSRGBToLMS, linear);
}

Vector3 labOfConeResponses(const Vector3& lms) {
    // std::cbrt keeps the sign, so negative (out-of-gamut) light still converts.
    return multiply(lmsPrimeToLab, {std::cbrt(lms[0]), std::cbrt(lms[1]), std::cbrt(lms[2])});
}

}  // namespace oklab

std::optional<OKLabValues> toOKLab(const ColorValue& color) {
    const std::optional<Vector3> lms = oklab::coneResponses(color);
    if (!lms) {
        return std::nullopt;
    }
    const Vector3 lab = oklab::labOfConeResponses(*lms);
    return OKLabValues{lab[0], lab[1], lab[2], color.alpha};
}

std::optional<OKLCHValues> toOKLCH(const ColorValue& color) {
    const std::optional<OKLabValues> lab = toOKLab(color);
    if (!lab) {
        return std::nullopt;
    }
    return OKLCHValues{lab->l, std::hypot(lab->a, lab->b), std::atan2(lab->b, lab->a), lab->alpha};
}

ColorValue fromOKLab(const OKLabValues& lab) {
    const Vector3 lmsPrime = multiply(labToLMSPrime, {lab.l, lab.a, lab.b});
    const auto cube = [](double x) { return x * x * x; };
    const Vector3 rgb = multiply(lmsToLinearSRGB, {cube(lmsPrime[0]), cube(lmsPrime[1]), cube(lmsPrime[2])});
    return ColorValue{RGBSpace::extendedLinearSRGB, rgb[0], rgb[1], rgb[2], lab.alpha};
}

ColorValue fromOKLCH(const OKLCHValues& lch) {
    return fromOKLab(
        OKLabValues{lch.lightness, lch.chroma * std::cos(lch.hue), lch.chroma * std::sin(lch.hue), lch.alpha});
}

}  // namespace quenz
