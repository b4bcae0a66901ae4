#include "QuenzColorUtils/ColorSortHelper.h"

#include <cmath>

#include "QuenzColorUtils/ColorOperations.h"

namespace quenz {

std::string_view ColorSortHelper::menuTitle(ColorSortKey key) {
    switch (key) {
        case ColorSortKey::name: return "Sort by Name";
        case ColorSortKey::hue: return "Sort by Hue";
        case ColorSortKey::saturation: return "Sort by Saturation";
        case ColorSortKey::luminance: return "Sort by Luminance";
    }
    return "Sort by Name";
}

double ColorSortHelper::numericKey(const ColorValue& color, ColorSortKey key) {
    switch (key) {
        case ColorSortKey::hue: return hsb(color).hue;
        case ColorSortKey::saturation: return hsb(color).saturation;
        case ColorSortKey::luminance: return relativeBrightness(color);
        case ColorSortKey::name: return 0;
    }
    return 0;
}

bool ColorSortHelper::lessKey(double a, double b) {
    if (std::isnan(a)) {
        return false;
    }
    if (std::isnan(b)) {
        return true;
    }
    return a < b;
}

}  // namespace quenz
