#include "VantorelData/model/ColorSet.h"

#include "QuenzColorUtils/ColorOperations.h"
#include "VantorelData/model/AutomaticSet.h"

namespace vantorel {

QuenzColorSet::QuenzColorSet() : QuenzColorSet({}, SetParameters{}) {}

QuenzColorSet::QuenzColorSet(std::vector<ThemeableColor> colors, SetParameters parameters,
                             ColorPresentation presentation, CommonValueFields common)
    : QuenzSetBase(std::move(colors), parameters, presentation, std::move(common), PropertyId::colors) {}

std::shared_ptr<QuenzColorSet> QuenzColorSet::makeAutomatic(const ThemeableColor& first,
                                                            const std::optional<ThemeableColor>& middle,
                                                            const ThemeableColor& last,
                                                            const NewSetOptions& options) {
    return makeAutomaticSet<QuenzColorSet>(
        first, middle, last, quenz::colorSpaceOf(first.lightVariant).value_or(quenz::ColorSpace::displayP3),
        options);
}

ThemeableColor QuenzColorSet::templateStep() const {
    const quenz::ColorValue grey{quenz::rgbSpaceFor(colorSpace()), 0.5, 0.5, 0.5, 1, 0};
    return ThemeableColor(grey, std::nullopt, grey);
}

}  // namespace vantorel
