#pragma once
// Color texts as importers meet them: the color keywords of CSS Color ("red",
// "rebeccapurple", "transparent", compared as written) and every form the color parser reads.

#include <optional>
#include <string>
#include <string_view>

#include "QuenzColorUtils/ColorValue.h"

namespace vantorel::import {

// The sRGB color of a keyword; none for any other text.
std::optional<quenz::ColorValue> namedCSSColor(std::string_view keyword);

// A color written as text in any form the color parser reads ("#FF0000", "0xFF0000",
// "rgb(…)", …); colors inside sRGB come back in sRGB. None for text without a color.
std::optional<quenz::ColorValue> colorFromText(const std::string& text);

}  // namespace vantorel::import
