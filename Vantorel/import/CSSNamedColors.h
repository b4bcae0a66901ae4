#pragma once
// The color keywords of CSS Color ("red", "rebeccapurple", "transparent"), compared as
// written: SVG drawings and style sheets name colors by them.

#include <optional>
#include <string_view>

#include "QuenzColorUtils/ColorValue.h"

namespace vantorel::import {

// The sRGB color of a keyword; none for any other text.
std::optional<quenz::ColorValue> namedCSSColor(std::string_view keyword);

}  // namespace vantorel::import
