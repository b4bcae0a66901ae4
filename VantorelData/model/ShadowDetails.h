#pragma once
// ShadowDetails: one drop shadow (offsets, blur, spread and color), a copied value record.

#include "QuenzColorUtils/ColorValue.h"

namespace vantorel {

struct ShadowDetails {
    ShadowDetails() = default;
    ShadowDetails(quenz::ColorValue shadowColor, double x, double y, double blurRadius, double spreadDistance)
        : xOffset(x), yOffset(y), blur(blurRadius), spread(spreadDistance), color(shadowColor) {}

    double xOffset = 0;
    double yOffset = 0;
    double blur = 0;
    double spread = 0;
    quenz::ColorValue color{quenz::RGBSpace::sRGB, 0, 0, 0, 1, 0};

    friend bool operator==(const ShadowDetails&, const ShadowDetails&) = default;
};

// The numbers of a shadow between `from` (t = 0) and `to` (t = 1) at an already curved
// position, each truncated toward zero to three decimals; the color is `from`'s (shadow ramps
// take their colors from a color interpolator).
ShadowDetails interpolateDetails(const ShadowDetails& from, const ShadowDetails& to, double t);

}  // namespace vantorel
