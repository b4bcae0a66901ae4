#include "VantorelData/model/Ramp.h"

#include <algorithm>
#include <cmath>

namespace vantorel {
namespace {

double truncatedToThousandths(double value) { return std::trunc(value * 1000) / 1000; }

// The numbers of the shadow steps strictly after `from` up to and including `to`.
void appendNumbers(std::vector<ShadowDetails>& ramp, const ShadowDetails& from, const ShadowDetails& to, int first,
                   int last, int origin, int count, CurveType curve, double curveAmount) {
    for (int i = first; i <= last; ++i) {
        const double t = count == 0 ? 1.0 : static_cast<double>(i - origin) / count;
        if (t == 1.0) {
            ramp.push_back(to);
            continue;
        }
        ramp.push_back(interpolateDetails(from, to, applyCurve(curve, t, curveAmount)));
    }
}

}  // namespace

ShadowDetails interpolateDetails(const ShadowDetails& from, const ShadowDetails& to, double t) {
    const auto lerp = [t](double a, double b) { return truncatedToThousandths(a + (b - a) * t); };
    ShadowDetails result = from;
    result.xOffset = lerp(from.xOffset, to.xOffset);
    result.yOffset = lerp(from.yOffset, to.yOffset);
    result.blur = lerp(from.blur, to.blur);
    result.spread = lerp(from.spread, to.spread);
    return result;
}

std::vector<quenz::ColorValue> computeRamp(const ColorInterpolator& interpolator, const quenz::ColorValue& from,
                                           const quenz::ColorValue* middle, const quenz::ColorValue& to,
                                           CurveType curve, double curveAmount) {
    if (middle) return interpolator.interpolateThree(from, *middle, to, curve, curveAmount);
    return interpolator.interpolate(from, to, curve, curveAmount);
}

std::vector<ShadowDetails> computeRamp(const ColorInterpolator& interpolator, const ShadowDetails& from,
                                       const ShadowDetails* middle, const ShadowDetails& to, CurveType curve,
                                       double curveAmount) {
    const auto colors = computeRamp(interpolator, from.color, middle ? &middle->color : nullptr, to.color, curve,
                                    curveAmount);
    const int n = interpolator.steps();
    std::vector<ShadowDetails> numbers;
    if (n >= 1) {
        numbers.push_back(from);
        if (middle) {
            const int m = interpolator.middleColorIndex();
            appendNumbers(numbers, from, *middle, 1, std::min(m, n - 1), 0, m, curve, curveAmount);
            appendNumbers(numbers, *middle, to, std::max(m + 1, 1), n - 1, m, (n - 1) - m, curve, curveAmount);
        } else {
            appendNumbers(numbers, from, to, 1, n - 1, 0, n - 1, curve, curveAmount);
        }
    }
    if (numbers.size() != colors.size()) return {};
    for (std::size_t i = 0; i < numbers.size(); ++i) numbers[i].color = colors[i];
    return numbers;
}

}  // namespace vantorel
