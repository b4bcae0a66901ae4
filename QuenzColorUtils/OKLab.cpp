// OKLab and OKLCH on linear sRGB, with the ten-decimal matrices of the first publication of
// OKLab so that values match other tools that print them.

#include <cmath>

#include "QuenzColorUtils/ColorManagement.h"
#include "QuenzColorUtils/ColorOperations.h"

namespace quenz {

namespace {

using colormanagement::Matrix3;
using colormanagement::multiply;
using colormanagement::Vector3;

constexpr Matrix3 linearSRGBToLMS{{
    {0.4122214708, 0.5363325363, 0.0514459929},
    {0.2119034982, 0.6806995451, 0.1073969566},
    {0.0883024619, 0.2817188376, 0.6299787005},
}};
constexpr Matrix3 lmsPrimeToLab{{
    {0.2104542553, 0.7936177850, -0.0040720468},
    {1.9779984951, -2.4285922050, 0.4505937099},
    {0.0259040371, 0.7827717662, -0.8086757660},
}};
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

// Extended linear sRGB of the color, as convert gives it. Colors on sRGB primaries and curve,
// nearly every color written as oklab() or oklch(), only need the curve undone, so they skip
// the general conversion's model lookups and packing; the numbers are the same.
std::optional<Vector3> linearSRGB(const ColorValue& color) {
    switch (color.space) {
        case RGBSpace::sRGB:
        case RGBSpace::extendedSRGB:
        case RGBSpace::deviceRGB:
        case RGBSpace::genericRGB:
            if (!std::isfinite(color.red) || !std::isfinite(color.green) || !std::isfinite(color.blue) ||
                !std::isfinite(color.cmykBlack)) {
                return std::nullopt;
            }
            return Vector3{colormanagement::sRGBToLinear(color.red), colormanagement::sRGBToLinear(color.green),
                           colormanagement::sRGBToLinear(color.blue)};
        default: break;
    }
    const std::optional<ColorValue> linear = convert(color, RGBSpace::extendedLinearSRGB);
    if (!linear) {
        return std::nullopt;
    }
    return Vector3{linear->red, linear->green, linear->blue};
}

}  // namespace

std::optional<OKLabValues> toOKLab(const ColorValue& color) {
    const std::optional<Vector3> linear = linearSRGB(color);
    if (!linear) {
        return std::nullopt;
    }
    const Vector3 lms = multiply(linearSRGBToLMS, *linear);
    // std::cbrt keeps the sign, so negative (out-of-gamut) light still converts.
    const Vector3 lab = multiply(lmsPrimeToLab, {std::cbrt(lms[0]), std::cbrt(lms[1]), std::cbrt(lms[2])});
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
