#pragma once
// The steps of the OKLab conversion, shared by toOKLab and the oklab()/oklch() text writer,
// which needs the cone responses before their cube roots are taken.

#include <optional>

#include "QuenzColorUtils/ColorManagement.h"
#include "QuenzColorUtils/ColorValue.h"

namespace quenz::oklab {

using colormanagement::Matrix3;
using colormanagement::Vector3;

// The ten-decimal matrices of the first publication of OKLab, so that values match other tools
// that print them.
inline constexpr Matrix3 linearSRGBToLMS{{
    {0.4122214708, 0.5363325363, 0.0514459929},
    {0.2119034982, 0.6806995451, 0.1073969566},
    {0.0883024619, 0.2817188376, 0.6299787005},
}};
inline constexpr Matrix3 lmsPrimeToLab{{
    {0.2104542553, 0.7936177850, -0.0040720468},
    {1.9779984951, -2.4285922050, 0.4505937099},
    {0.0259040371, 0.7827717662, -0.8086757660},
}};

// The cone responses (l, m, s) of a color, from its extended linear sRGB as convert gives it;
// none when the color cannot be converted.
std::optional<Vector3> coneResponses(const ColorValue& color);

// L, a, b of cone responses: sign-preserving cube roots, then the second matrix.
Vector3 labOfConeResponses(const Vector3& lms);

}  // namespace quenz::oklab
