#pragma once
// How the contrast tests and the inspector write the colors they show, through the shared
// color formatter.

#include <optional>
#include <string>

#include "QuenzColorUtils/ColorFormat.h"
#include "QuenzColorUtils/ColorSpace.h"
#include "QuenzColorUtils/ColorValue.h"

namespace vantorel {

// The color as CSS color() text in its own space (4 decimals, "p3: " before Display P3 forms);
// none for colors in spaces other than sRGB, extended sRGB and Display P3, or when the
// formatter cannot write it. Such colors are left out of test results.
std::optional<std::string> testedColorCSSText(const quenz::ColorValue& color);

// The color in the inspector's chosen format and space: converted into that space first, and
// written in the nearest space the format supports. None when the format cannot write it.
std::optional<std::string> inspectorColorText(const quenz::ColorValue& color, quenz::ColorFormat format,
                                              quenz::ColorSpace space);

}  // namespace vantorel
