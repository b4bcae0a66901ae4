#pragma once
// The color-management engine behind `convert`: the transfer curve and primaries of every
// RGBSpace, and the passage of linear light from one set of primaries to another through CIE
// XYZ (D65). Every matrix is derived at full double precision from the chromaticities of the
// primaries and the white point; the D50 spaces are adapted with the Bradford transform.

#include <array>

#include "QuenzColorUtils/ColorValue.h"

namespace quenz::colormanagement {

using Vector3 = std::array<double, 3>;
using Matrix3 = std::array<Vector3, 3>;

// Inline: OKLab text pays two of these per color.
inline Vector3 multiply(const Matrix3& m, const Vector3& v) {
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2], m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}
Matrix3 product(const Matrix3& left, const Matrix3& right);
Matrix3 inverse(const Matrix3& matrix);

// Transfer curves, all sign-symmetric (f(−x) = −f(x)) so extended values survive.
double sRGBToLinear(double encoded);       // IEC 61966-2-1 piecewise curve
double linearToSRGB(double linear);
double adobeRGBToLinear(double encoded);   // pure gamma 563/256
double linearToAdobeRGB(double linear);
double proPhotoToLinear(double encoded);   // gamma 1.8 with a linear toe below 16/512
double linearToProPhoto(double linear);

// The primaries a space's linear components are expressed in; `xyzD50` is CIE XYZ itself.
enum class Primaries { sRGB, displayP3, adobeRGB, proPhoto, xyzD50 };
enum class Curve { linear, sRGB, adobeRGB, proPhoto };

struct SpaceModel {
    Primaries primaries;
    Curve curve;
    friend bool operator==(const SpaceModel&, const SpaceModel&) = default;
};

// Gray, CMYK and the device/generic RGB spaces are modelled as sRGB.
SpaceModel modelOf(RGBSpace space);

// CIE XYZ (D65 white, Y of white = 1) of linear components in these primaries.
Matrix3 toXYZD65(Primaries primaries);
// Linear components in `to` of linear components in `from`. Between two RGB primaries that share
// a white the matrix maps white to white, and it is applied as an offset from the green channel
// so that a grey comes out as exactly the same grey.
Vector3 convertLinear(const Vector3& linear, Primaries from, Primaries to);

Vector3 decode(Curve curve, const Vector3& encoded);
Vector3 encode(Curve curve, const Vector3& linear);

// True for the bounded spaces whose components a conversion clips to 0…1: sRGB, Display P3
// and the device, generic, gray and CMYK spaces.
bool clipsToUnitRange(RGBSpace space);

// The components of a color encoded in its model's curve: gray repeats its level in all three
// channels and CMYK becomes sRGB by the naive complement formula.
Vector3 encodedComponents(const ColorValue& color);

// The color in `target` whose encoded components (in the target's model) are given: gray takes
// the luminance as its level, CMYK the complement with the largest possible black; bounded
// spaces clip.
ColorValue packed(const Vector3& encoded, RGBSpace target, double alpha);

}  // namespace quenz::colormanagement
