#pragma once
// The CSS oklab() and oklch() forms of a color, written without a template: they take no
// prefix and never clip, so formatColor hands them over whole.

#include <optional>
#include <string>

#include "QuenzColorUtils/ColorValue.h"

namespace quenz {

// "oklab(L% a b)" or "oklab(L% a b / alpha)"; L is roundTo(L, places) × 100, the others are
// rounded to `places` (0…17). None when the color cannot be converted to linear sRGB.
std::optional<std::string> oklabText(const ColorValue& color, int places);

// "oklch(L% C h)" or "oklch(L% C h / alpha)": L × 100 and the hue in degrees to one place,
// chroma and alpha to `places` (0…17). None when the color cannot be converted.
std::optional<std::string> oklchText(const ColorValue& color, int places);

}  // namespace quenz
