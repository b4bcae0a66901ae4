#pragma once
// How the steps of a color set are named. The color set decides how a position turns into a
// step name and how the scheme is stored; this header only fixes the cases and menu texts.

#include <string_view>

namespace quenz {

enum class ColorNamingScheme { smallNumeric, largeNumeric, manual, mediumNumeric };

inline constexpr ColorNamingScheme allColorNamingSchemes[] = {
    ColorNamingScheme::smallNumeric, ColorNamingScheme::largeNumeric, ColorNamingScheme::manual,
    ColorNamingScheme::mediumNumeric};

// "1, 2, 3…", "100, 200, 300…", "Manual Naming", "10, 20, 30…".
constexpr std::string_view displayName(ColorNamingScheme scheme) {
    switch (scheme) {
        case ColorNamingScheme::smallNumeric: return "1, 2, 3…";
        case ColorNamingScheme::largeNumeric: return "100, 200, 300…";
        case ColorNamingScheme::manual: return "Manual Naming";
        case ColorNamingScheme::mediumNumeric: return "10, 20, 30…";
    }
    return "Manual Naming";
}

}  // namespace quenz
