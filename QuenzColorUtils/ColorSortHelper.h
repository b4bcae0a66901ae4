#pragma once
// Re-sorting a list of colors (the steps of a ramp, a selection of color items) by name, hue,
// saturation or luminance. Sorting is stable: items with equal keys keep their order.

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "QuenzColorUtils/ColorValue.h"

namespace quenz {

enum class ColorSortKey { name, hue, saturation, luminance };

inline constexpr ColorSortKey allColorSortKeys[] = {ColorSortKey::name, ColorSortKey::hue, ColorSortKey::saturation,
                                                     ColorSortKey::luminance};

class ColorSortHelper {
public:
    // "Sort by Name", "Sort by Hue", "Sort by Saturation", "Sort by Luminance".
    static std::string_view menuTitle(ColorSortKey key);

    // The number compared for hue, saturation and luminance: hsb hue or saturation of the
    // color's own components, or relativeBrightness (which converts non-RGB colors to sRGB).
    // Not meaningful for ColorSortKey::name.
    static double numericKey(const ColorValue& color, ColorSortKey key);

    // Sorts items ascending by the key. nameOf(item) gives something convertible to
    // std::string_view, colorOf(item) a ColorValue; each is called once per item.
    template <class Item, class NameOf, class ColorOf>
    static void sort(std::vector<Item>& items, ColorSortKey key, NameOf nameOf, ColorOf colorOf) {
        std::vector<std::size_t> order(items.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            order[i] = i;
        }
        if (key == ColorSortKey::name) {
            std::vector<std::string> names;
            names.reserve(items.size());
            for (const Item& item : items) {
                names.emplace_back(std::string_view(nameOf(item)));
            }
            // std::string compares bytes, so UTF-8 names sort in code-point order.
            std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return names[a] < names[b]; });
        } else {
            std::vector<double> keys;
            keys.reserve(items.size());
            for (const Item& item : items) {
                keys.push_back(numericKey(colorOf(item), key));
            }
            std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return lessKey(keys[a], keys[b]); });
        }
        std::vector<Item> sorted;
        sorted.reserve(items.size());
        for (std::size_t index : order) {
            sorted.push_back(std::move(items[index]));
        }
        items = std::move(sorted);
    }

private:
    // Orders NaN keys after every number so that a broken color cannot upset the sort.
    static bool lessKey(double a, double b);
};

}  // namespace quenz
