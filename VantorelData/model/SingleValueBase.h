#pragma once
// The behaviour color items and shadow items share: one themeable value whose automatic
// high-contrast variants follow the light and dark ones and the contrast amount, and whose
// variants move along when the item's color space changes. `Stored` is ThemeableColor or
// ThemeableShadow.

#include "VantorelData/model/Themeable.h"
#include "VantorelData/model/ValueItem.h"

namespace vantorel {

template <class Stored>
class QuenzSingleValueBase : public QuenzColoredItem {
public:
    // Recomputes the high-contrast variants of the two auto appearance types.
    void updateAutoContrast();

protected:
    QuenzSingleValueBase(Stored value, ColorPresentation presentation, CommonValueFields common,
                         PropertyId valueProperty);

    const Stored& storedValue() const { return value_; }
    // Replaces the whole value as it stands (no automatic recomputation).
    void setStoredValue(Stored value);
    // Stores one variant; setting the light or dark one recomputes the automatic high contrast.
    void setStoredVariant(const typename Stored::Value& variant, ColorSource source);

    void appearanceTypeDidChange() override;
    void autoContrastAmountDidChange() override;
    void convertStoredColors(quenz::RGBSpace target) override;

private:
    // First, where it fills the end of the colored item's last word.
    PropertyId valueProperty_;
    Stored value_;
};

}  // namespace vantorel
