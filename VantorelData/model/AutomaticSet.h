#pragma once
// Making a new automatic set from its anchors, shared by color sets and shadow sets.

#include <memory>
#include <optional>
#include <vector>

#include "VantorelData/model/ColorSet.h"

namespace vantorel {

// A new automatic set of two anchors (`twoItems`), or three when `middle` is given
// (`threeItems`), in `space`, filled by `regenerate`; color sets and shadow sets alike.
template <class Set, class Step>
std::shared_ptr<Set> makeAutomaticSet(const Step& first, const std::optional<Step>& middle, const Step& last,
                                      quenz::ColorSpace space, const NewSetOptions& options) {
    SetParameters parameters;
    parameters.interpolationMethod = options.interpolationMethod;
    parameters.curveType = options.curveType;
    parameters.curveAmount = 1.0;
    parameters.type = middle ? SetType::threeItems : SetType::twoItems;
    parameters.namingScheme = options.namingScheme;
    parameters.middleLocation = 0.5;
    ColorPresentation presentation;
    presentation.colorSpace = space;
    presentation.colorFormat = options.colorFormat;
    CommonValueFields common;
    common.appearanceType = options.appearanceType;
    auto set = std::make_shared<Set>(std::vector<Step>{}, parameters, presentation, common);
    set->setSteps(options.steps);
    std::optional<Step> centre;
    if (middle) centre = freshAnchor(*middle);
    set->regenerate(freshAnchor(first), centre, freshAnchor(last));
    return set;
}

}  // namespace vantorel
