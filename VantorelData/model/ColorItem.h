#pragma once
// QuenzColorItem: the payload of a color item, one color per appearance. Its automatic
// high-contrast variants follow the light and dark colors and the contrast amount.

#include <memory>

#include "VantorelData/model/Themeable.h"
#include "VantorelData/model/ValueItem.h"

namespace vantorel {

class QuenzColorItem : public QuenzColoredItem {
public:
    QuenzColorItem();
    explicit QuenzColorItem(ThemeableColor color, ColorPresentation presentation = {}, CommonValueFields common = {});

    const ThemeableColor& color() const { return color_; }
    // Replaces the whole value as it stands (no automatic recomputation).
    void setColor(ThemeableColor color);
    // Stores one variant; setting the light or dark color recomputes the automatic high contrast.
    void setColor(const quenz::ColorValue& value, ColorSource source);
    // Recomputes the high-contrast variants of the two auto appearance types.
    void updateAutoContrast();

protected:
    void appearanceTypeDidChange() override;
    void autoContrastAmountDidChange() override;
    void convertStoredColors(quenz::RGBSpace target) override;

private:
    ThemeableColor color_;
};

using QuenzColorItemPtr = std::shared_ptr<QuenzColorItem>;

}  // namespace vantorel
