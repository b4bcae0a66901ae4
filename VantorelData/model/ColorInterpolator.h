#pragma once
// Color interpolators: the ramps of color and shadow sets between two or three anchor colors,
// one class per interpolation space. Step positions are eased by the set's curve; the last
// anchor (and the middle one) are placed exactly, interior steps are mixed.

#include <memory>
#include <optional>
#include <vector>

#include "QuenzColorUtils/ColorValue.h"
#include "VantorelData/model/SetOptions.h"

namespace vantorel {

class ColorInterpolator {
public:
    ColorInterpolator(int steps, int middleColorIndex) : steps_(steps), middleColorIndex_(middleColorIndex) {}
    virtual ~ColorInterpolator() = default;

    int steps() const { return steps_; }
    int middleColorIndex() const { return middleColorIndex_; }

    // The two-anchor ramp: `steps` colors from `from` to `to` (fewer when a mix fails, none
    // when an anchor cannot be taken into the interpolation space).
    std::vector<quenz::ColorValue> interpolate(const quenz::ColorValue& from, const quenz::ColorValue& to,
                                               CurveType curve, double curveAmount) const;
    // The three-anchor ramp with `middle` placed at `middleColorIndex`.
    std::vector<quenz::ColorValue> interpolateThree(const quenz::ColorValue& from, const quenz::ColorValue& middle,
                                                    const quenz::ColorValue& to, CurveType curve,
                                                    double curveAmount) const;

protected:
    // An anchor as the ramp holds it; none when it cannot be taken into the interpolation space.
    virtual std::optional<quenz::ColorValue> prepareAnchor(const quenz::ColorValue& anchor) const = 0;
    // The color at an eased position between two prepared anchors; none when mixing fails.
    virtual std::optional<quenz::ColorValue> mix(const quenz::ColorValue& from, const quenz::ColorValue& to,
                                                 double t) const = 0;

private:
    // Appends the steps strictly after `from` up to and including `to`, over `count` intervals.
    void appendSegment(std::vector<quenz::ColorValue>& ramp, const quenz::ColorValue& from,
                       const quenz::ColorValue& to, int first, int last, int origin, int count, CurveType curve,
                       double curveAmount) const;

    int steps_;
    int middleColorIndex_;
};

// Mixes linear-light components in extended linear sRGB; the anchors are converted there too.
class LinearInterpolator final : public ColorInterpolator {
public:
    using ColorInterpolator::ColorInterpolator;

protected:
    std::optional<quenz::ColorValue> prepareAnchor(const quenz::ColorValue& anchor) const override;
    std::optional<quenz::ColorValue> mix(const quenz::ColorValue& from, const quenz::ColorValue& to,
                                         double t) const override;
};

// Mixes the gamma-encoded components as they are, as older documents did.
class LinearLegacyInterpolator final : public ColorInterpolator {
public:
    using ColorInterpolator::ColorInterpolator;

protected:
    std::optional<quenz::ColorValue> prepareAnchor(const quenz::ColorValue& anchor) const override;
    std::optional<quenz::ColorValue> mix(const quenz::ColorValue& from, const quenz::ColorValue& to,
                                         double t) const override;
};

// Mixes OKLab coordinates and alpha; results are in extended linear sRGB, not gamut-clamped.
class OKLABInterpolator final : public ColorInterpolator {
public:
    using ColorInterpolator::ColorInterpolator;

protected:
    std::optional<quenz::ColorValue> prepareAnchor(const quenz::ColorValue& anchor) const override;
    std::optional<quenz::ColorValue> mix(const quenz::ColorValue& from, const quenz::ColorValue& to,
                                         double t) const override;
};

// Mixes OKLCH along the shorter hue arc; results are in extended linear sRGB, not gamut-clamped.
class OKLCHInterpolator final : public ColorInterpolator {
public:
    using ColorInterpolator::ColorInterpolator;

protected:
    std::optional<quenz::ColorValue> prepareAnchor(const quenz::ColorValue& anchor) const override;
    std::optional<quenz::ColorValue> mix(const quenz::ColorValue& from, const quenz::ColorValue& to,
                                         double t) const override;
};

std::unique_ptr<ColorInterpolator> makeInterpolator(InterpolationMethod method, int steps, int middleColorIndex);

}  // namespace vantorel
