#include "VantorelData/model/ColorItem.h"

namespace vantorel {

QuenzColorItem::QuenzColorItem() : QuenzColorItem(ThemeableColor{quenz::ColorValue{}}) {}

QuenzColorItem::QuenzColorItem(ThemeableColor color, ColorPresentation presentation, CommonValueFields common)
    : QuenzSingleValueBase(std::move(color), presentation, std::move(common), PropertyId::color) {}

}  // namespace vantorel
