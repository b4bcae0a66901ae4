#include "VantorelData/model/SetBase.h"

#include <algorithm>
#include <string>

#include "QuenzColorUtils/ColorSpace.h"
#include "VantorelData/model/Ramp.h"
#include "VantorelData/model/VariantOperations.h"

namespace vantorel {

template <class Step>
QuenzSetBase<Step>::QuenzSetBase(std::vector<Step> steps, SetParameters parameters, ColorPresentation presentation,
                                 CommonValueFields common, PropertyId stepListProperty)
    : QuenzColoredItem(presentation, std::move(common)),
      stepListProperty_(stepListProperty),
      steps_(std::move(steps)),
      stepCount_(static_cast<int>(steps_.size())),
      parameters_(parameters) {}

template <class Step>
void QuenzSetBase<Step>::setStepValues(std::vector<Step> steps) {
    update(steps_, std::move(steps), stepListProperty_);
}

template <class Step>
std::optional<Step> QuenzSetBase<Step>::middleStep() const {
    const int index = middleIndex();
    if (index < 0 || index >= static_cast<int>(steps_.size())) return std::nullopt;
    return steps_[static_cast<std::size_t>(index)];
}

template <class Step>
auto QuenzSetBase<Step>::ramp(const ColorInterpolator& interpolator, const Value* from, const Value* middle,
                              const Value* to) const -> std::vector<Value> {
    if (!from || !to) return {};
    return computeRamp(interpolator, *from, middle, *to, parameters_.curveType, parameters_.curveAmount);
}

template <class Step>
auto QuenzSetBase<Step>::rampOf(const ColorInterpolator& interpolator, const Step& first, const Step* middle,
                                const Step& last, ColorSource source) const -> std::vector<Value> {
    // An anchor without a variant of this appearance leaves the ramp (and so the steps' variant) empty.
    const auto from = first.variant(source);
    const auto to = last.variant(source);
    std::optional<Value> centre;
    if (middle) {
        centre = middle->variant(source);
        if (!centre) return {};
    }
    return ramp(interpolator, from ? &*from : nullptr, centre ? &*centre : nullptr, to ? &*to : nullptr);
}

template <class Step>
void QuenzSetBase<Step>::regenerate(const std::optional<Step>& first, const std::optional<Step>& middle,
                                    const std::optional<Step>& last) {
    if (parameters_.type == SetType::manual) return;
    const bool threeAnchors = parameters_.type == SetType::threeItems;
    const std::optional<Step> from = first ? first : (steps_.empty() ? std::nullopt : std::optional(steps_.front()));
    const std::optional<Step> to = last ? last : (steps_.empty() ? std::nullopt : std::optional(steps_.back()));
    const std::optional<Step> centre = middle ? middle : middleStep();
    if (!from || !to || (threeAnchors && !centre)) return;

    const auto interpolator = makeInterpolator(parameters_.interpolationMethod, stepCount_, middleIndex());
    const Step* centreStep = threeAnchors ? &*centre : nullptr;
    const double amount = autoContrastAmount();

    const std::vector<Value> light = rampOf(*interpolator, *from, centreStep, *to, ColorSource::light);
    std::vector<Value> dark;
    std::vector<Value> lightContrast;
    std::vector<Value> darkContrast;
    const auto adjustedAll = [amount](const std::vector<Value>& values) {
        std::vector<Value> adjusted;
        adjusted.reserve(values.size());
        for (const Value& value : values) adjusted.push_back(contrastAdjusted(value, amount));
        return adjusted;
    };
    switch (appearanceType()) {
        case AppearanceType::none: break;
        case AppearanceType::lightAndDark:
            dark = rampOf(*interpolator, *from, centreStep, *to, ColorSource::dark);
            break;
        case AppearanceType::highContrast:
            lightContrast = rampOf(*interpolator, *from, centreStep, *to, ColorSource::lightHighContrast);
            break;
        case AppearanceType::highContrastAuto: lightContrast = adjustedAll(light); break;
        case AppearanceType::lightDarkHighContrast:
            dark = rampOf(*interpolator, *from, centreStep, *to, ColorSource::dark);
            lightContrast = rampOf(*interpolator, *from, centreStep, *to, ColorSource::lightHighContrast);
            darkContrast = rampOf(*interpolator, *from, centreStep, *to, ColorSource::darkHighContrast);
            break;
        case AppearanceType::lightDarkHighContrastAuto:
            dark = rampOf(*interpolator, *from, centreStep, *to, ColorSource::dark);
            lightContrast = adjustedAll(light);
            darkContrast = adjustedAll(dark);
            break;
    }

    // Every variant is brought into the set's space, so that all steps read back the same
    // way from a document; a step whose light color cannot be converted is left out.
    const quenz::RGBSpace space = quenz::rgbSpaceFor(colorSpace());
    const auto variantAt = [space](const std::vector<Value>& values, std::size_t i) -> std::optional<Value> {
        if (i >= values.size()) return std::nullopt;
        return convertedInto(values[i], space);
    };
    std::vector<Step> assembled;
    assembled.reserve(light.size());
    for (std::size_t i = 0; i < light.size(); ++i) {
        auto lightValue = convertedInto(light[i], space);
        if (!lightValue) continue;
        ItemName name;
        if (parameters_.namingScheme == ColorNamingScheme::manual) {
            name = i < steps_.size() ? steps_[i].name : ItemName(unnamedStepName);
        } else {
            name = stepName(static_cast<int>(i), parameters_.namingScheme);
        }
        assembled.push_back(Step(std::move(*lightValue), variantAt(lightContrast, i), variantAt(dark, i),
                                 variantAt(darkContrast, i), std::move(name)));
    }
    setStepValues(std::move(assembled));
}

template <class Step>
Step QuenzSetBase<Step>::appendedCopy(const Step& last) const {
    Step copy(last.lightVariant, last.lightVariantHighContrast(), last.darkVariant(), last.darkVariantHighContrast(),
              std::string(unnamedStepName));
    const double amount = autoContrastAmount();
    if (appearanceType() == AppearanceType::highContrastAuto) {
        copy.setVariant(contrastAdjusted(copy.lightVariant, amount), ColorSource::lightHighContrast);
    } else if (appearanceType() == AppearanceType::lightDarkHighContrastAuto) {
        copy.setVariant(contrastAdjusted(copy.lightVariant, amount), ColorSource::lightHighContrast);
        // Without a dark variant the dark high contrast follows the light one, as dark reads do.
        copy.setVariant(contrastAdjusted(copy.darkVariant().value_or(copy.lightVariant), amount), ColorSource::darkHighContrast);
    }
    return copy;
}

template <class Step>
void QuenzSetBase<Step>::updateStepCount() {
    if (parameters_.type != SetType::manual) {
        regenerate();
        return;
    }
    const std::size_t wanted = static_cast<std::size_t>(std::max(stepCount_, 0));
    if (steps_.size() == wanted) return;
    std::vector<Step> changed = steps_;
    if (changed.size() > wanted) changed.resize(wanted);
    const Step source = changed.empty() ? templateStep() : changed.back();
    while (changed.size() < wanted) changed.push_back(appendedCopy(source));
    setStepValues(std::move(changed));
}

template <class Step>
void QuenzSetBase<Step>::applyNaming() {
    std::vector<Step> renamed = steps_;
    bool changed = false;
    for (std::size_t i = 0; i < renamed.size(); ++i) {
        std::string name = stepName(static_cast<int>(i), parameters_.namingScheme);
        if (renamed[i].name != name) {
            renamed[i].name = std::move(name);
            changed = true;
        }
    }
    if (changed) setStepValues(std::move(renamed));
}

template <class Step>
void QuenzSetBase<Step>::setMiddleLocation(double location) {
    const std::optional<Step> anchor = middleStep();
    if (!update(parameters_.middleLocation, location, PropertyId::middleLocation)) return;
    const int index = middleIndex();
    if (anchor && index >= 0 && index < static_cast<int>(steps_.size())) {
        std::vector<Step> moved = steps_;
        Step& target = moved[static_cast<std::size_t>(index)];
        target.lightVariant = anchor->lightVariant;
        target.setVariant(anchor->darkVariant(), ColorSource::dark);
        target.setVariant(anchor->lightVariantHighContrast(), ColorSource::lightHighContrast);
        target.setVariant(anchor->darkVariantHighContrast(), ColorSource::darkHighContrast);
        setStepValues(std::move(moved));
    }
    updateStepCount();
}

template <class Step>
void QuenzSetBase<Step>::convertStoredColors(quenz::RGBSpace target) {
    std::vector<Step> converted = steps_;
    for (Step& step : converted) convertVariants(step, target);
    setStepValues(std::move(converted));
}

template class QuenzSetBase<ThemeableColor>;
template class QuenzSetBase<ThemeableShadow>;

}  // namespace vantorel
