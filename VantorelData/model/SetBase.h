#pragma once
// The behaviour color sets and shadow sets share: an ordered list of steps that automatic
// sets regenerate by interpolating between anchors, and manual sets grow or shrink; step
// naming; and the middle anchor of three-value sets. `Step` is ThemeableColor or
// ThemeableShadow.

#include <optional>
#include <vector>

#include "VantorelData/model/ColorInterpolator.h"
#include "VantorelData/model/SetOptions.h"
#include "VantorelData/model/Themeable.h"
#include "VantorelData/model/ValueItem.h"

namespace vantorel {

struct SetParameters {
    InterpolationMethod interpolationMethod = InterpolationMethod::linear;
    CurveType curveType = CurveType::linear;
    double curveAmount = 1.0;
    SetType type = SetType::twoItems;
    ColorNamingScheme namingScheme = ColorNamingScheme::largeNumeric;
    double middleLocation = 0.5;
};

template <class Step>
class QuenzSetBase : public QuenzColoredItem {
public:
    using Value = typename Step::Value;

    // The steps; each step's name is its step name.
    const std::vector<Step>& stepValues() const { return steps_; }
    // Replaces the steps as they stand; `steps` is left to the caller.
    void setStepValues(std::vector<Step> steps);

    int steps() const { return stepCount_; }
    void setSteps(int count) { update(stepCount_, count, PropertyId::steps); }
    InterpolationMethod interpolationMethod() const { return parameters_.interpolationMethod; }
    void setInterpolationMethod(InterpolationMethod method) {
        update(parameters_.interpolationMethod, method, PropertyId::interpolationMethod);
    }
    CurveType curveType() const { return parameters_.curveType; }
    void setCurveType(CurveType curve) { update(parameters_.curveType, curve, PropertyId::curveType); }
    double curveAmount() const { return parameters_.curveAmount; }
    void setCurveAmount(double amount) { update(parameters_.curveAmount, amount, PropertyId::curveAmount); }
    SetType type() const { return parameters_.type; }
    void setType(SetType type) { update(parameters_.type, type, PropertyId::type); }
    ColorNamingScheme namingScheme() const { return parameters_.namingScheme; }
    void setNamingScheme(ColorNamingScheme scheme) { update(parameters_.namingScheme, scheme, PropertyId::namingScheme); }
    double middleLocation() const { return parameters_.middleLocation; }
    const SetParameters& parameters() const { return parameters_; }

    // The step index of the middle anchor (never the first or the last step).
    int middleIndex() const { return middleIndexFor(parameters_.middleLocation, stepCount_); }
    // The step at `middleIndex`; none when the set has no such step.
    std::optional<Step> middleStep() const;

    // Rebuilds every step of an automatic set from the anchors; a missing anchor is the
    // current first, middle or last step. Does nothing for a manual set.
    void regenerate(const std::optional<Step>& first = std::nullopt, const std::optional<Step>& middle = std::nullopt,
                    const std::optional<Step>& last = std::nullopt);
    // Brings the steps in line with `steps` after `steps` or `type` changed: a manual set
    // appends copies of its last step ("Unnamed") or drops steps from the end; an automatic
    // set regenerates.
    void updateStepCount();
    // Renames every step by `namingScheme`.
    void applyNaming();
    // Moves the middle anchor: its variants move to the step at the new middle index, then
    // the step count is brought up to date (which regenerates an automatic set).
    void setMiddleLocation(double location);

protected:
    QuenzSetBase(std::vector<Step> steps, SetParameters parameters, ColorPresentation presentation,
                 CommonValueFields common, PropertyId stepListProperty);

    void convertStoredColors(quenz::RGBSpace target) override;
    // The step a manual set copies when it grows from empty.
    virtual Step templateStep() const = 0;

private:
    std::vector<Value> ramp(const ColorInterpolator& interpolator, const Value* from, const Value* middle,
                            const Value* to) const;
    std::vector<Value> rampOf(const ColorInterpolator& interpolator, const Step& first, const Step* middle,
                              const Step& last, ColorSource source) const;
    Step appendedCopy(const Step& last) const;

    // First, where it fills the end of the colored item's last word.
    PropertyId stepListProperty_;
    std::vector<Step> steps_;
    int stepCount_ = 0;
    SetParameters parameters_;
};

}  // namespace vantorel
