#pragma once
// Operations shared by the color-holding kinds, written once for colors and shadows: color
// space conversion of a variant, the automatic high-contrast push, and filling the variants an
// appearance type uses.

#include <optional>

#include "QuenzColorUtils/ColorValue.h"
#include "VantorelData/model/Appearance.h"
#include "VantorelData/model/ShadowDetails.h"
#include "VantorelData/model/Themeable.h"

namespace vantorel {

// The value converted into `target` (a shadow converts its color); none when the conversion fails.
std::optional<quenz::ColorValue> convertedInto(const quenz::ColorValue& color, quenz::RGBSpace target);
std::optional<ShadowDetails> convertedInto(const ShadowDetails& shadow, quenz::RGBSpace target);

// The automatic high-contrast form (a shadow pushes its color).
quenz::ColorValue contrastAdjusted(const quenz::ColorValue& color, double amount);
ShadowDetails contrastAdjusted(const ShadowDetails& shadow, double amount);

// Converts each stored variant into `target`, keeping the ones that cannot be converted.
template <class V>
void convertVariants(Themeable<V>& value, quenz::RGBSpace target) {
    for (ColorSource source : allColorSources) {
        if (auto stored = value.variant(source)) {
            if (auto converted = convertedInto(*stored, target)) value.setVariant(std::move(converted), source);
        }
    }
}

// Recomputes the high-contrast variants of the two auto appearance types from the regular
// ones; for `lightDarkHighContrastAuto` a missing dark variant first becomes the light one.
// Other types are left unchanged.
template <class V>
void applyAutoContrast(Themeable<V>& value, AppearanceType type, double amount) {
    if (type == AppearanceType::highContrastAuto) {
        value.setVariant(contrastAdjusted(value.lightVariant, amount), ColorSource::lightHighContrast);
    } else if (type == AppearanceType::lightDarkHighContrastAuto) {
        value.setVariant(contrastAdjusted(value.lightVariant, amount), ColorSource::lightHighContrast);
        if (!value.darkVariant()) value.setVariant(value.lightVariant, ColorSource::dark);
        value.setVariant(contrastAdjusted(*value.darkVariant(), amount), ColorSource::darkHighContrast);
    }
}

// Gives every appearance that `type` uses and the value lacks a copy of the light variant,
// then computes the automatic high contrast for the auto types.
template <class V>
void fillUsedVariants(Themeable<V>& value, AppearanceType type, double amount) {
    for (ColorSource source : allColorSources) {
        if (usesAppearance(type, source) && !value.variant(source)) value.setVariant(value.lightVariant, source);
    }
    applyAutoContrast(value, type, amount);
}

}  // namespace vantorel
