#include "VantorelData/model/SingleValueBase.h"

#include "VantorelData/model/VariantOperations.h"

namespace vantorel {

template <class Stored>
QuenzSingleValueBase<Stored>::QuenzSingleValueBase(Stored value, ColorPresentation presentation,
                                                   CommonValueFields common, PropertyId valueProperty)
    : QuenzColoredItem(presentation, std::move(common)), valueProperty_(valueProperty), value_(std::move(value)) {}

template <class Stored>
void QuenzSingleValueBase<Stored>::setStoredValue(Stored value) {
    update(value_, std::move(value), valueProperty_);
}

template <class Stored>
void QuenzSingleValueBase<Stored>::setStoredVariant(const typename Stored::Value& variant, ColorSource source) {
    Stored changed = value_;
    changed.setVariant(variant, source);
    if (source == ColorSource::light || source == ColorSource::dark) {
        applyAutoContrast(changed, appearanceType(), autoContrastAmount());
    }
    setStoredValue(std::move(changed));
}

template <class Stored>
void QuenzSingleValueBase<Stored>::updateAutoContrast() {
    Stored changed = value_;
    applyAutoContrast(changed, appearanceType(), autoContrastAmount());
    setStoredValue(std::move(changed));
}

template <class Stored>
void QuenzSingleValueBase<Stored>::appearanceTypeDidChange() {
    Stored changed = value_;
    fillUsedVariants(changed, appearanceType(), autoContrastAmount());
    setStoredValue(std::move(changed));
}

template <class Stored>
void QuenzSingleValueBase<Stored>::autoContrastAmountDidChange() {
    updateAutoContrast();
}

template <class Stored>
void QuenzSingleValueBase<Stored>::convertStoredColors(quenz::RGBSpace target) {
    Stored changed = value_;
    convertVariants(changed, target);
    setStoredValue(std::move(changed));
}

template class QuenzSingleValueBase<ThemeableColor>;
template class QuenzSingleValueBase<ThemeableShadow>;

}  // namespace vantorel
