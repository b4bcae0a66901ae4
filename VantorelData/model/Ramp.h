#pragma once
// One appearance's ramp between two anchors (or three, when `middle` is given) for the two
// step kinds of sets: colors, and shadows whose numbers follow the same eased positions.

#include <vector>

#include "QuenzColorUtils/ColorValue.h"
#include "VantorelData/model/ColorInterpolator.h"
#include "VantorelData/model/ShadowDetails.h"

namespace vantorel {

std::vector<quenz::ColorValue> computeRamp(const ColorInterpolator& interpolator, const quenz::ColorValue& from,
                                           const quenz::ColorValue* middle, const quenz::ColorValue& to,
                                           CurveType curve, double curveAmount);

// Colors come from the interpolator; offsets, blur and spread are interpolated linearly at the
// eased positions and truncated toward zero to three decimals. When the color ramp comes out
// shorter than the number ramp (a failed mix), the whole ramp is empty.
std::vector<ShadowDetails> computeRamp(const ColorInterpolator& interpolator, const ShadowDetails& from,
                                       const ShadowDetails* middle, const ShadowDetails& to, CurveType curve,
                                       double curveAmount);

}  // namespace vantorel
