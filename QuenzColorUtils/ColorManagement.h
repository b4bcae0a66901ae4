#pragma once
// The color-management engine behind `convert`: the transfer curve and primaries of every
// RGBSpace, and the passage of a color through CIE XYZ (D65). Spaces with a D50 white are
// adapted with the Bradford matrices published with CSS Color 4, so results agree with
// browsers for the CSS color() spaces.

#include <array>
#include <optional>

#include "QuenzColorUtils/ColorValue.h"

namespace quenz::colormanagement {

using Vector3 = std::array<double, 3>;
using Matrix3 = std::array<Vector3, 3>;

Vector3 multiply(const Matrix3& matrix, const Vector3& vector);

// Transfer curves, all sign-symmetric (f(−x) = −f(x)) so extended values survive.
double sRGBToLinear(double encoded);       // IEC 61966-2-1 piecewise curve
double linearToSRGB(double linear);
double adobeRGBToLinear(double encoded);   // pure gamma 563/256
double linearToAdobeRGB(double linear);
double proPhotoToLinear(double encoded);   // gamma 1.8 with a linear toe below 16/512
double linearToProPhoto(double linear);

// True for the bounded spaces whose components a conversion clips to 0…1: sRGB, Display P3
// and the device, generic, gray and CMYK spaces.
bool clipsToUnitRange(RGBSpace space);

// CIE XYZ relative to D65 of a color (alpha ignored); none when a component is not finite.
std::optional<Vector3> xyzD65(const ColorValue& color);

// The color with the given XYZ (D65) in the target space, clipped when the space is bounded.
ColorValue colorFromXYZD65(const Vector3& xyz, RGBSpace target, double alpha);

}  // namespace quenz::colormanagement
