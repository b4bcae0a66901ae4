#include "VantorelData/model/Shadow.h"

#include "QuenzColorUtils/ColorOperations.h"
#include "VantorelData/model/AutomaticSet.h"
#include "VantorelData/model/VariantOperations.h"

namespace vantorel {

ShadowDetails defaultShadowDetails() {
    return ShadowDetails(quenz::ColorValue{quenz::RGBSpace::sRGB, 0, 0, 0, 0.25, 0}, 0, 2, 4, 0);
}

// Shadow item

QuenzColorShadow::QuenzColorShadow() : QuenzColorShadow(ThemeableShadow{defaultShadowDetails()}) {}

QuenzColorShadow::QuenzColorShadow(ThemeableShadow shadow, ColorPresentation presentation,
                                   CommonValueFields common)
    : QuenzSingleValueBase(std::move(shadow), presentation, std::move(common), PropertyId::shadow) {}

// Shadow set

QuenzColorShadowSet::QuenzColorShadowSet() : QuenzColorShadowSet({}, SetParameters{}) {}

QuenzColorShadowSet::QuenzColorShadowSet(std::vector<ThemeableShadow> shadows, SetParameters parameters,
                                         ColorPresentation presentation, CommonValueFields common)
    : QuenzSetBase(std::move(shadows), parameters, presentation, std::move(common), PropertyId::shadows) {}

std::shared_ptr<QuenzColorShadowSet> QuenzColorShadowSet::makeAutomatic(
    const ThemeableShadow& first, const std::optional<ThemeableShadow>& middle, const ThemeableShadow& last,
    const NewSetOptions& options) {
    return makeAutomaticSet<QuenzColorShadowSet>(
        first, middle, last,
        quenz::colorSpaceOf(first.lightVariant.color).value_or(quenz::ColorSpace::displayP3), options);
}

ThemeableShadow QuenzColorShadowSet::templateStep() const {
    ShadowDetails details = defaultShadowDetails();
    if (auto converted = convertedInto(details, quenz::rgbSpaceFor(colorSpace()))) details = *converted;
    return ThemeableShadow(details, std::nullopt, details);
}

}  // namespace vantorel
