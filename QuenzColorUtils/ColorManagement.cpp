#include "QuenzColorUtils/ColorManagement.h"

#include <algorithm>
#include <cmath>

namespace quenz::colormanagement {

namespace {

// Linear-light RGB ↔ XYZ matrices from the CSS Color 4 sample code. The rational forms are
// derived from the chromaticities of each space's primaries and white.
constexpr Matrix3 linearSRGBToXYZ{{
    {506752.0 / 1228815.0, 87881.0 / 245763.0, 12673.0 / 70218.0},
    {87098.0 / 409605.0, 175762.0 / 245763.0, 12673.0 / 175545.0},
    {7918.0 / 409605.0, 87881.0 / 737289.0, 1001167.0 / 1053270.0},
}};
constexpr Matrix3 xyzToLinearSRGB{{
    {12831.0 / 3959.0, -329.0 / 214.0, -1974.0 / 3959.0},
    {-851781.0 / 878810.0, 1648619.0 / 878810.0, 36519.0 / 878810.0},
    {705.0 / 12673.0, -2585.0 / 12673.0, 705.0 / 667.0},
}};
constexpr Matrix3 linearP3ToXYZ{{
    {608311.0 / 1250200.0, 189793.0 / 714400.0, 198249.0 / 1000160.0},
    {35783.0 / 156275.0, 247089.0 / 357200.0, 198249.0 / 2500400.0},
    {0.0, 32229.0 / 714400.0, 5220557.0 / 5000800.0},
}};
constexpr Matrix3 xyzToLinearP3{{
    {446124.0 / 178915.0, -333277.0 / 357830.0, -72051.0 / 178915.0},
    {-14852.0 / 17905.0, 63121.0 / 35810.0, 423.0 / 17905.0},
    {11844.0 / 330415.0, -50337.0 / 660830.0, 316169.0 / 330415.0},
}};
constexpr Matrix3 linearAdobeRGBToXYZ{{
    {573536.0 / 994567.0, 263643.0 / 1420810.0, 187206.0 / 994567.0},
    {591459.0 / 1989134.0, 6239551.0 / 9945670.0, 374412.0 / 4972835.0},
    {53769.0 / 1989134.0, 351524.0 / 4972835.0, 4929758.0 / 4972835.0},
}};
constexpr Matrix3 xyzToLinearAdobeRGB{{
    {1829569.0 / 896150.0, -506331.0 / 896150.0, -308931.0 / 896150.0},
    {-851781.0 / 878810.0, 1648619.0 / 878810.0, 36519.0 / 878810.0},
    {16779.0 / 1248040.0, -147721.0 / 1248040.0, 1266979.0 / 1248040.0},
}};
// ProPhoto (ROMM) RGB is defined against D50; these give and take XYZ relative to D50.
constexpr Matrix3 linearProPhotoToXYZD50{{
    {0.79776664490064230, 0.13518129740053308, 0.03134773412839220},
    {0.28807482881940130, 0.71183523424187300, 0.00008993693872564},
    {0.00000000000000000, 0.00000000000000000, 0.82510460251046020},
}};
constexpr Matrix3 xyzD50ToLinearProPhoto{{
    {1.34578688164715830, -0.25557208737979464, -0.05110186497554526},
    {-0.54463070512490190, 1.50824774284514680, 0.02052744743642139},
    {0.00000000000000000, 0.00000000000000000, 1.21196754563894520},
}};
// Bradford chromatic adaptation between the D50 and D65 whites.
constexpr Matrix3 bradfordD50ToD65{{
    {0.955473421488075, -0.02309845494876471, 0.06325924320057072},
    {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
    {0.012314014864481998, -0.020507649298898964, 1.330365926242124},
}};
constexpr Matrix3 bradfordD65ToD50{{
    {1.0479297925449969, 0.022946870601609652, -0.05019226628920524},
    {0.02962780877005599, 0.9904344267538799, -0.017073799063418826},
    {-0.009243040646204504, 0.015055191490298152, 0.7518742814281371},
}};

double signedPower(double value, double exponent) {
    return std::copysign(std::pow(std::fabs(value), exponent), value);
}

Vector3 map(const Vector3& v, double (*function)(double)) {
    return {function(v[0]), function(v[1]), function(v[2])};
}

double clipUnit(double value) {
    // A NaN cannot be shown on a bounded display; treat it as no light at all.
    if (std::isnan(value)) {
        return 0;
    }
    return std::clamp(value, 0.0, 1.0);
}

// Gray, CMYK and the device/generic RGB spaces are treated as sRGB-encoded: gray repeats its
// level in all three channels, and CMYK uses the naive complement formula
// r = (1 − c)(1 − k), which ignores ink behaviour but is what untagged CMYK values expect.
Vector3 encodedSRGBOf(const ColorValue& color) {
    switch (color.space) {
        case RGBSpace::deviceGray:
        case RGBSpace::genericGray: return {color.red, color.red, color.red};
        case RGBSpace::deviceCMYK:
        case RGBSpace::genericCMYK: {
            const double keep = 1 - color.cmykBlack;
            return {(1 - color.red) * keep, (1 - color.green) * keep, (1 - color.blue) * keep};
        }
        default: return {color.red, color.green, color.blue};
    }
}

}  // namespace

Vector3 multiply(const Matrix3& m, const Vector3& v) {
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2], m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

double sRGBToLinear(double encoded) {
    const double magnitude = std::fabs(encoded);
    if (magnitude < 0.04045) {
        return encoded / 12.92;
    }
    return std::copysign(std::pow((magnitude + 0.055) / 1.055, 2.4), encoded);
}

double linearToSRGB(double linear) {
    const double magnitude = std::fabs(linear);
    if (magnitude > 0.0031308) {
        return std::copysign(1.055 * std::pow(magnitude, 1 / 2.4) - 0.055, linear);
    }
    return 12.92 * linear;
}

double adobeRGBToLinear(double encoded) { return signedPower(encoded, 563.0 / 256.0); }
double linearToAdobeRGB(double linear) { return signedPower(linear, 256.0 / 563.0); }

double proPhotoToLinear(double encoded) {
    if (std::fabs(encoded) <= 16.0 / 512.0) {
        return encoded / 16;
    }
    return signedPower(encoded, 1.8);
}

double linearToProPhoto(double linear) {
    if (std::fabs(linear) >= 1.0 / 512.0) {
        return signedPower(linear, 1 / 1.8);
    }
    return 16 * linear;
}

bool clipsToUnitRange(RGBSpace space) {
    switch (space) {
        case RGBSpace::sRGB:
        case RGBSpace::displayP3:
        case RGBSpace::deviceRGB:
        case RGBSpace::genericRGB:
        case RGBSpace::deviceGray:
        case RGBSpace::genericGray:
        case RGBSpace::deviceCMYK:
        case RGBSpace::genericCMYK: return true;
        case RGBSpace::extendedSRGB:
        case RGBSpace::extendedLinearSRGB:
        case RGBSpace::linearSRGB:
        case RGBSpace::linearDisplayP3:
        case RGBSpace::adobeRGB1998:
        case RGBSpace::proPhotoRGB:
        case RGBSpace::xyzD50: return false;
    }
    return true;
}

std::optional<Vector3> xyzD65(const ColorValue& color) {
    const Vector3 components = encodedSRGBOf(color);
    for (double c : components) {
        if (!std::isfinite(c)) {
            return std::nullopt;
        }
    }
    switch (color.space) {
        case RGBSpace::extendedLinearSRGB:
        case RGBSpace::linearSRGB: return multiply(linearSRGBToXYZ, components);
        case RGBSpace::displayP3: return multiply(linearP3ToXYZ, map(components, sRGBToLinear));
        case RGBSpace::linearDisplayP3: return multiply(linearP3ToXYZ, components);
        case RGBSpace::adobeRGB1998: return multiply(linearAdobeRGBToXYZ, map(components, adobeRGBToLinear));
        case RGBSpace::proPhotoRGB:
            return multiply(bradfordD50ToD65, multiply(linearProPhotoToXYZD50, map(components, proPhotoToLinear)));
        case RGBSpace::xyzD50: return multiply(bradfordD50ToD65, components);
        case RGBSpace::sRGB:
        case RGBSpace::extendedSRGB:
        case RGBSpace::deviceRGB:
        case RGBSpace::genericRGB:
        case RGBSpace::deviceGray:
        case RGBSpace::genericGray:
        case RGBSpace::deviceCMYK:
        case RGBSpace::genericCMYK: return multiply(linearSRGBToXYZ, map(components, sRGBToLinear));
    }
    return std::nullopt;
}

ColorValue colorFromXYZD65(const Vector3& xyz, RGBSpace target, double alpha) {
    Vector3 components{};
    double black = 0;
    switch (target) {
        case RGBSpace::extendedLinearSRGB:
        case RGBSpace::linearSRGB: components = multiply(xyzToLinearSRGB, xyz); break;
        case RGBSpace::displayP3: components = map(multiply(xyzToLinearP3, xyz), linearToSRGB); break;
        case RGBSpace::linearDisplayP3: components = multiply(xyzToLinearP3, xyz); break;
        case RGBSpace::adobeRGB1998: components = map(multiply(xyzToLinearAdobeRGB, xyz), linearToAdobeRGB); break;
        case RGBSpace::proPhotoRGB:
            components = map(multiply(xyzD50ToLinearProPhoto, multiply(bradfordD65ToD50, xyz)), linearToProPhoto);
            break;
        case RGBSpace::xyzD50: components = multiply(bradfordD65ToD50, xyz); break;
        case RGBSpace::sRGB:
        case RGBSpace::extendedSRGB:
        case RGBSpace::deviceRGB:
        case RGBSpace::genericRGB: components = map(multiply(xyzToLinearSRGB, xyz), linearToSRGB); break;
        case RGBSpace::deviceGray:
        case RGBSpace::genericGray: {
            // The gray level is the luminance, encoded with the sRGB curve.
            const double level = clipUnit(linearToSRGB(xyz[1]));
            components = {level, level, level};
            break;
        }
        case RGBSpace::deviceCMYK:
        case RGBSpace::genericCMYK: {
            const Vector3 rgb = map(map(multiply(xyzToLinearSRGB, xyz), linearToSRGB), clipUnit);
            black = 1 - std::max({rgb[0], rgb[1], rgb[2]});
            if (black >= 1) {
                components = {0, 0, 0};
                black = 1;
            } else {
                const double keep = 1 - black;
                components = {(1 - rgb[0] - black) / keep, (1 - rgb[1] - black) / keep, (1 - rgb[2] - black) / keep};
            }
            break;
        }
    }
    if (clipsToUnitRange(target)) {
        components = map(components, clipUnit);
        black = clipUnit(black);
    }
    return ColorValue{target, components[0], components[1], components[2], alpha, black};
}

}  // namespace quenz::colormanagement
