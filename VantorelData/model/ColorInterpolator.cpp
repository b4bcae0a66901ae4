#include "VantorelData/model/ColorInterpolator.h"

#include <algorithm>

#include "QuenzColorUtils/ColorOperations.h"

namespace vantorel {

using quenz::ColorValue;

namespace {

// Coordinates taken through extended linear sRGB, where the OKLab matrices apply.
std::optional<quenz::OKLabValues> oklabOf(const ColorValue& color) {
    const auto linear = quenz::convert(color, quenz::RGBSpace::extendedLinearSRGB);
    return linear ? quenz::toOKLab(*linear) : std::nullopt;
}

std::optional<quenz::OKLCHValues> oklchOf(const ColorValue& color) {
    const auto linear = quenz::convert(color, quenz::RGBSpace::extendedLinearSRGB);
    return linear ? quenz::toOKLCH(*linear) : std::nullopt;
}

}  // namespace

std::vector<ColorValue> ColorInterpolator::interpolate(const ColorValue& from, const ColorValue& to, CurveType curve,
                                                       double curveAmount) const {
    const auto first = prepareAnchor(from);
    const auto last = prepareAnchor(to);
    if (!first || !last || steps_ < 1) return {};
    std::vector<ColorValue> ramp;
    ramp.reserve(static_cast<std::size_t>(steps_));
    ramp.push_back(*first);
    appendSegment(ramp, *first, *last, 1, steps_ - 1, 0, steps_ - 1, curve, curveAmount);
    return ramp;
}

std::vector<ColorValue> ColorInterpolator::interpolateThree(const ColorValue& from, const ColorValue& middle,
                                                            const ColorValue& to, CurveType curve,
                                                            double curveAmount) const {
    const auto first = prepareAnchor(from);
    const auto centre = prepareAnchor(middle);
    const auto last = prepareAnchor(to);
    if (!first || !centre || !last || steps_ < 1) return {};
    const int m = middleColorIndex_;
    std::vector<ColorValue> ramp;
    ramp.reserve(static_cast<std::size_t>(steps_));
    ramp.push_back(*first);
    // First half: positions i / m, with the middle anchor itself at i = m.
    appendSegment(ramp, *first, *centre, 1, std::min(m, steps_ - 1), 0, m, curve, curveAmount);
    // Second half: positions (i − m) / ((n − 1) − m), ending on the last anchor.
    appendSegment(ramp, *centre, *last, std::max(m + 1, 1), steps_ - 1, m, (steps_ - 1) - m, curve, curveAmount);
    return ramp;
}

void ColorInterpolator::appendSegment(std::vector<ColorValue>& ramp, const ColorValue& from, const ColorValue& to,
                                      int first, int last, int origin, int count, CurveType curve,
                                      double curveAmount) const {
    for (int i = first; i <= last; ++i) {
        const double t = count == 0 ? 1.0 : static_cast<double>(i - origin) / count;
        if (t == 1.0) {
            ramp.push_back(to);
            continue;
        }
        if (auto mixed = mix(from, to, applyCurve(curve, t, curveAmount))) ramp.push_back(*mixed);
    }
}

// Linear light

std::optional<ColorValue> LinearInterpolator::prepareAnchor(const ColorValue& anchor) const {
    return quenz::convert(anchor, quenz::RGBSpace::extendedLinearSRGB);
}

std::optional<ColorValue> LinearInterpolator::mix(const ColorValue& from, const ColorValue& to, double t) const {
    return quenz::mixRGB(from, to, t, false);
}

// Gamma-encoded components

std::optional<ColorValue> LinearLegacyInterpolator::prepareAnchor(const ColorValue& anchor) const { return anchor; }

std::optional<ColorValue> LinearLegacyInterpolator::mix(const ColorValue& from, const ColorValue& to,
                                                        double t) const {
    return quenz::mixRGB(from, to, t, true);
}

// OKLab

std::optional<ColorValue> OKLABInterpolator::prepareAnchor(const ColorValue& anchor) const {
    // Kept as given: the ramp places anchors unchanged and mixes from their OKLab coordinates.
    if (!quenz::convert(anchor, quenz::RGBSpace::extendedLinearSRGB)) return std::nullopt;
    return anchor;
}

std::optional<ColorValue> OKLABInterpolator::mix(const ColorValue& from, const ColorValue& to, double t) const {
    const auto a = oklabOf(from);
    const auto b = oklabOf(to);
    if (!a || !b) return std::nullopt;
    const double u = std::clamp(t, 0.0, 1.0);
    const auto lerp = [u](double x, double y) { return x + (y - x) * u; };
    return quenz::fromOKLab(
        quenz::OKLabValues{lerp(a->l, b->l), lerp(a->a, b->a), lerp(a->b, b->b), lerp(a->alpha, b->alpha)});
}

// OKLCH

std::optional<ColorValue> OKLCHInterpolator::prepareAnchor(const ColorValue& anchor) const {
    if (!quenz::convert(anchor, quenz::RGBSpace::extendedLinearSRGB)) return std::nullopt;
    return anchor;
}

std::optional<ColorValue> OKLCHInterpolator::mix(const ColorValue& from, const ColorValue& to, double t) const {
    const auto a = oklchOf(from);
    const auto b = oklchOf(to);
    if (!a || !b) return std::nullopt;
    return quenz::fromOKLCH(quenz::mixOKLCH(*a, *b, t));
}

std::unique_ptr<ColorInterpolator> makeInterpolator(InterpolationMethod method, int steps, int middleColorIndex) {
    switch (method) {
        case InterpolationMethod::linear: return std::make_unique<LinearInterpolator>(steps, middleColorIndex);
        case InterpolationMethod::linearLegacy:
            return std::make_unique<LinearLegacyInterpolator>(steps, middleColorIndex);
        case InterpolationMethod::oklch: return std::make_unique<OKLCHInterpolator>(steps, middleColorIndex);
        case InterpolationMethod::oklab: return std::make_unique<OKLABInterpolator>(steps, middleColorIndex);
    }
    return std::make_unique<LinearInterpolator>(steps, middleColorIndex);
}

}  // namespace vantorel

