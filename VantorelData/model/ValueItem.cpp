#include "VantorelData/model/ValueItem.h"

namespace vantorel {

void QuenzValueItem::setAppearanceType(AppearanceType type) {
    if (common_.appearanceType == type) return;
    common_.appearanceType = type;
    appearanceTypeDidChange();
    notifyChanged(PropertyId::appearanceType);
}

void QuenzValueItem::setAutoContrastAmount(double amount) {
    if (common_.autoContrastAmount == amount) return;
    common_.autoContrastAmount = amount;
    autoContrastAmountDidChange();
    notifyChanged(PropertyId::autoContrastAmount);
}

void QuenzColoredItem::setColorSpace(quenz::ColorSpace space) {
    if (presentation_.colorSpace == space) return;
    presentation_.colorSpace = space;
    if (!ignoreColorspaceChange_) convertStoredColors(quenz::rgbSpaceFor(space));
    notifyChanged(PropertyId::colorSpace);
}

}  // namespace vantorel
