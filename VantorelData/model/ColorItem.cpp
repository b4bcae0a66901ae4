#include "VantorelData/model/ColorItem.h"

#include "VantorelData/model/VariantOperations.h"

namespace vantorel {

QuenzColorItem::QuenzColorItem() : QuenzColorItem(ThemeableColor{quenz::ColorValue{}}) {}

QuenzColorItem::QuenzColorItem(ThemeableColor color, ColorPresentation presentation, CommonValueFields common)
    : QuenzColoredItem(presentation, std::move(common)), color_(std::move(color)) {}

void QuenzColorItem::setColor(ThemeableColor color) {
    if (color_ == color) return;
    color_ = std::move(color);
    notifyChanged(PropertyId::color);
}

void QuenzColorItem::setColor(const quenz::ColorValue& value, ColorSource source) {
    ThemeableColor changed = color_;
    changed.setVariant(value, source);
    if (source == ColorSource::light || source == ColorSource::dark) {
        applyAutoContrast(changed, appearanceType(), autoContrastAmount());
    }
    setColor(std::move(changed));
}

void QuenzColorItem::updateAutoContrast() {
    ThemeableColor changed = color_;
    applyAutoContrast(changed, appearanceType(), autoContrastAmount());
    setColor(std::move(changed));
}

void QuenzColorItem::appearanceTypeDidChange() {
    ThemeableColor changed = color_;
    fillUsedVariants(changed, appearanceType(), autoContrastAmount());
    setColor(std::move(changed));
}

void QuenzColorItem::autoContrastAmountDidChange() { updateAutoContrast(); }

void QuenzColorItem::convertStoredColors(quenz::RGBSpace target) {
    ThemeableColor changed = color_;
    convertVariants(changed, target);
    setColor(std::move(changed));
}

}  // namespace vantorel
