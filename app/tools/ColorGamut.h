#pragma once
// Where a color lies among the gamuts that matter for screens: inside sRGB, inside Display P3
// only, or beyond both. The picker and the quick convert window mark what lies outside sRGB.

#include <QString>

#include "QuenzColorUtils/ColorSpace.h"
#include "QuenzColorUtils/ColorValue.h"

namespace vantorel::app {

enum class Gamut { sRGB, displayP3, beyondDisplayP3 };

// Judged from the color's unclipped components; a color that cannot be converted counts as sRGB.
Gamut gamutOf(const quenz::ColorValue& color);
// One line for the user; empty inside sRGB. `space` is the space the color is authored in.
QString gamutDescription(Gamut gamut, quenz::ColorSpace space);

}  // namespace vantorel::app
