#include "VantorelData/model/ColorSet.h"

#include "QuenzColorUtils/ColorOperations.h"

namespace vantorel {

QuenzColorSet::QuenzColorSet() : QuenzColorSet({}, SetParameters{}) {}

QuenzColorSet::QuenzColorSet(std::vector<ThemeableColor> colors, SetParameters parameters,
                             ColorPresentation presentation, CommonValueFields common)
    : QuenzSetBase(std::move(colors), parameters, presentation, std::move(common), PropertyId::colors) {}

std::shared_ptr<QuenzColorSet> QuenzColorSet::makeAutomatic(const ThemeableColor& first,
                                                            const std::optional<ThemeableColor>& middle,
                                                            const ThemeableColor& last,
                                                            const NewSetOptions& options) {
    SetParameters parameters;
    parameters.interpolationMethod = options.interpolationMethod;
    parameters.curveType = options.curveType;
    parameters.curveAmount = 1.0;
    parameters.type = middle ? SetType::threeItems : SetType::twoItems;
    parameters.namingScheme = options.namingScheme;
    parameters.middleLocation = 0.5;
    ColorPresentation presentation;
    presentation.colorSpace = quenz::colorSpaceOf(first.lightVariant).value_or(quenz::ColorSpace::displayP3);
    presentation.colorFormat = options.colorFormat;
    CommonValueFields common;
    common.appearanceType = options.appearanceType;
    auto set = std::make_shared<QuenzColorSet>(std::vector<ThemeableColor>{}, parameters, presentation, common);
    set->setSteps(options.steps);
    std::optional<ThemeableColor> centre;
    if (middle) centre = freshAnchor(*middle);
    set->regenerate(freshAnchor(first), centre, freshAnchor(last));
    return set;
}

ThemeableColor QuenzColorSet::templateStep() const {
    const quenz::ColorValue grey{quenz::rgbSpaceFor(colorSpace()), 0.5, 0.5, 0.5, 1, 0};
    return ThemeableColor(grey, std::nullopt, grey);
}

}  // namespace vantorel
