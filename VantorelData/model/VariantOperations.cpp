#include "VantorelData/model/VariantOperations.h"

#include "QuenzColorUtils/ColorOperations.h"

namespace vantorel {

std::optional<quenz::ColorValue> convertedInto(const quenz::ColorValue& color, quenz::RGBSpace target) {
    if (color.space == target) return color;
    return quenz::convert(color, target);
}

std::optional<ShadowDetails> convertedInto(const ShadowDetails& shadow, quenz::RGBSpace target) {
    auto color = convertedInto(shadow.color, target);
    if (!color) return std::nullopt;
    ShadowDetails result = shadow;
    result.color = *color;
    return result;
}

quenz::ColorValue contrastAdjusted(const quenz::ColorValue& color, double amount) {
    return quenz::adjustContrast(color, amount);
}

ShadowDetails contrastAdjusted(const ShadowDetails& shadow, double amount) {
    ShadowDetails result = shadow;
    result.color = quenz::adjustContrast(shadow.color, amount);
    return result;
}

}  // namespace vantorel
