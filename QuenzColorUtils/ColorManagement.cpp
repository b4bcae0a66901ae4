#include "QuenzColorUtils/ColorManagement.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace quenz::colormanagement {

namespace {

struct Chromaticity {
    double x, y;
};

// CIE 1931 chromaticities of the whites and primaries.
constexpr Chromaticity whiteD65{0.3127, 0.3290};
constexpr Chromaticity whiteD50{0.3457, 0.3585};
constexpr std::array<Chromaticity, 3> sRGBPrimaries{{{0.64, 0.33}, {0.30, 0.60}, {0.15, 0.06}}};
constexpr std::array<Chromaticity, 3> displayP3Primaries{{{0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}}};
constexpr std::array<Chromaticity, 3> adobeRGBPrimaries{{{0.64, 0.33}, {0.21, 0.71}, {0.15, 0.06}}};
constexpr std::array<Chromaticity, 3> proPhotoPrimaries{
    {{0.734699, 0.265301}, {0.159597, 0.840403}, {0.036598, 0.000105}}};

// The cone response matrix of the Bradford chromatic adaptation transform.
constexpr Matrix3 bradfordConeResponse{{
    {0.8951, 0.2664, -0.1614},
    {-0.7502, 1.7135, 0.0367},
    {0.0389, -0.0685, 1.0296},
}};

Vector3 xyzOf(Chromaticity c) { return {c.x / c.y, 1.0, (1 - c.x - c.y) / c.y}; }

// Linear RGB → XYZ: the primaries' XYZ as columns, each scaled so that (1, 1, 1) is the white.
Matrix3 rgbToXYZ(const std::array<Chromaticity, 3>& primaries, Chromaticity white) {
    Matrix3 columns{};
    for (std::size_t i = 0; i < 3; ++i) {
        const Vector3 xyz = xyzOf(primaries[i]);
        for (std::size_t row = 0; row < 3; ++row) columns[row][i] = xyz[row];
    }
    const Vector3 scale = multiply(inverse(columns), xyzOf(white));
    for (auto& row : columns) {
        for (std::size_t i = 0; i < 3; ++i) row[i] *= scale[i];
    }
    return columns;
}

// XYZ relative to `from` white → XYZ relative to `to` white.
Matrix3 bradford(Chromaticity from, Chromaticity to) {
    const Vector3 source = multiply(bradfordConeResponse, xyzOf(from));
    const Vector3 destination = multiply(bradfordConeResponse, xyzOf(to));
    Matrix3 scale{};
    for (std::size_t i = 0; i < 3; ++i) scale[i][i] = destination[i] / source[i];
    return product(inverse(bradfordConeResponse), product(scale, bradfordConeResponse));
}

constexpr std::size_t primariesCount = 5;

struct ConversionTables {
    std::array<Matrix3, primariesCount> toXYZ{};
    std::array<std::array<Matrix3, primariesCount>, primariesCount> between{};
};

const ConversionTables& tables() {
    static const ConversionTables built = [] {
        ConversionTables t;
        const Matrix3 d50ToD65 = bradford(whiteD50, whiteD65);
        t.toXYZ[static_cast<std::size_t>(Primaries::sRGB)] = rgbToXYZ(sRGBPrimaries, whiteD65);
        t.toXYZ[static_cast<std::size_t>(Primaries::displayP3)] = rgbToXYZ(displayP3Primaries, whiteD65);
        t.toXYZ[static_cast<std::size_t>(Primaries::adobeRGB)] = rgbToXYZ(adobeRGBPrimaries, whiteD65);
        t.toXYZ[static_cast<std::size_t>(Primaries::proPhoto)] =
            product(d50ToD65, rgbToXYZ(proPhotoPrimaries, whiteD50));
        t.toXYZ[static_cast<std::size_t>(Primaries::xyzD50)] = d50ToD65;
        for (std::size_t from = 0; from < primariesCount; ++from) {
            for (std::size_t to = 0; to < primariesCount; ++to) {
                t.between[from][to] = product(inverse(t.toXYZ[to]), t.toXYZ[from]);
            }
        }
        return t;
    }();
    return built;
}

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

bool isGrey(const Vector3& v) { return v[0] == v[1] && v[1] == v[2]; }

}  // namespace

Matrix3 product(const Matrix3& left, const Matrix3& right) {
    Matrix3 result{};
    for (std::size_t row = 0; row < 3; ++row) {
        for (std::size_t column = 0; column < 3; ++column) {
            result[row][column] = left[row][0] * right[0][column] + left[row][1] * right[1][column] +
                                   left[row][2] * right[2][column];
        }
    }
    return result;
}

Matrix3 inverse(const Matrix3& m) {
    // The adjugate over the determinant; every matrix inverted here is well conditioned.
    const Matrix3 cofactors{{
        {m[1][1] * m[2][2] - m[1][2] * m[2][1], m[0][2] * m[2][1] - m[0][1] * m[2][2],
         m[0][1] * m[1][2] - m[0][2] * m[1][1]},
        {m[1][2] * m[2][0] - m[1][0] * m[2][2], m[0][0] * m[2][2] - m[0][2] * m[2][0],
         m[0][2] * m[1][0] - m[0][0] * m[1][2]},
        {m[1][0] * m[2][1] - m[1][1] * m[2][0], m[0][1] * m[2][0] - m[0][0] * m[2][1],
         m[0][0] * m[1][1] - m[0][1] * m[1][0]},
    }};
    const double determinant = m[0][0] * cofactors[0][0] + m[0][1] * cofactors[1][0] + m[0][2] * cofactors[2][0];
    Matrix3 result{};
    for (std::size_t row = 0; row < 3; ++row) {
        for (std::size_t column = 0; column < 3; ++column) result[row][column] = cofactors[row][column] / determinant;
    }
    return result;
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

SpaceModel modelOf(RGBSpace space) {
    switch (space) {
        case RGBSpace::extendedLinearSRGB:
        case RGBSpace::linearSRGB: return {Primaries::sRGB, Curve::linear};
        case RGBSpace::displayP3: return {Primaries::displayP3, Curve::sRGB};
        case RGBSpace::linearDisplayP3: return {Primaries::displayP3, Curve::linear};
        case RGBSpace::adobeRGB1998: return {Primaries::adobeRGB, Curve::adobeRGB};
        case RGBSpace::proPhotoRGB: return {Primaries::proPhoto, Curve::proPhoto};
        case RGBSpace::xyzD50: return {Primaries::xyzD50, Curve::linear};
        case RGBSpace::sRGB:
        case RGBSpace::extendedSRGB:
        case RGBSpace::deviceRGB:
        case RGBSpace::genericRGB:
        case RGBSpace::deviceGray:
        case RGBSpace::genericGray:
        case RGBSpace::deviceCMYK:
        case RGBSpace::genericCMYK: break;
    }
    return {Primaries::sRGB, Curve::sRGB};
}

Matrix3 toXYZD65(Primaries primaries) { return tables().toXYZ[static_cast<std::size_t>(primaries)]; }

Vector3 convertLinear(const Vector3& linear, Primaries from, Primaries to) {
    if (from == to) {
        return linear;
    }
    const Matrix3& m = tables().between[static_cast<std::size_t>(from)][static_cast<std::size_t>(to)];
    if (from == Primaries::xyzD50 || to == Primaries::xyzD50) {
        return multiply(m, linear);
    }
    // The rows of m sum to 1 (white stays white), so m·v = g + m·(v − g) with g the green channel;
    // written this way a grey's offsets are exactly 0 and no rounding can tint it.
    const double g = linear[1];
    const double dr = linear[0] - g;
    const double db = linear[2] - g;
    return {g + m[0][0] * dr + m[0][2] * db, g + m[1][0] * dr + m[1][2] * db, g + m[2][0] * dr + m[2][2] * db};
}

Vector3 decode(Curve curve, const Vector3& encoded) {
    switch (curve) {
        case Curve::linear: return encoded;
        case Curve::sRGB: return map(encoded, sRGBToLinear);
        case Curve::adobeRGB: return map(encoded, adobeRGBToLinear);
        case Curve::proPhoto: return map(encoded, proPhotoToLinear);
    }
    return encoded;
}

Vector3 encode(Curve curve, const Vector3& linear) {
    switch (curve) {
        case Curve::linear: return linear;
        case Curve::sRGB: return map(linear, linearToSRGB);
        case Curve::adobeRGB: return map(linear, linearToAdobeRGB);
        case Curve::proPhoto: return map(linear, linearToProPhoto);
    }
    return linear;
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

// Untagged CMYK values expect the naive complement r = (1 − c)(1 − k), which ignores ink behaviour.
Vector3 encodedComponents(const ColorValue& color) {
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

ColorValue packed(const Vector3& encoded, RGBSpace target, double alpha) {
    Vector3 components = encoded;
    double black = 0;
    switch (target) {
        case RGBSpace::deviceGray:
        case RGBSpace::genericGray: {
            // The gray level is the luminance, encoded with the sRGB curve; a grey keeps its level.
            double level = encoded[0];
            if (!isGrey(encoded)) {
                level = linearToSRGB(multiply(toXYZD65(Primaries::sRGB), decode(Curve::sRGB, encoded))[1]);
            }
            components = {level, level, level};
            break;
        }
        case RGBSpace::deviceCMYK:
        case RGBSpace::genericCMYK: {
            const Vector3 rgb = map(encoded, clipUnit);
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
        default: break;
    }
    if (clipsToUnitRange(target)) {
        components = map(components, clipUnit);
        black = clipUnit(black);
    }
    return ColorValue{target, components[0], components[1], components[2], alpha, black};
}

}  // namespace quenz::colormanagement
