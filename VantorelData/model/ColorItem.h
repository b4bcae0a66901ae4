#pragma once
// QuenzColorItem: the payload of a color item, one color per appearance. Its automatic
// high-contrast variants follow the light and dark colors and the contrast amount.

#include <memory>
#include <utility>

#include "VantorelData/model/SingleValueBase.h"
#include "VantorelData/model/Themeable.h"

namespace vantorel {

class QuenzColorItem : public QuenzSingleValueBase<ThemeableColor> {
public:
    QuenzColorItem();
    explicit QuenzColorItem(ThemeableColor color, ColorPresentation presentation = {}, CommonValueFields common = {});

    const ThemeableColor& color() const { return storedValue(); }
    // Replaces the whole value as it stands (no automatic recomputation).
    void setColor(ThemeableColor color) { setStoredValue(std::move(color)); }
    // Stores one variant; setting the light or dark color recomputes the automatic high contrast.
    void setColor(const quenz::ColorValue& value, ColorSource source) { setStoredVariant(value, source); }
};

using QuenzColorItemPtr = std::shared_ptr<QuenzColorItem>;

}  // namespace vantorel
