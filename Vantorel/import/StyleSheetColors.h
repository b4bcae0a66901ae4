#pragma once
// StyleSheetColors: the colors written in style-sheet text (CSS, SCSS, or the style elements
// and attributes of HTML), found by six pattern searches, one per family of notation: hex
// ("#RGB", "#RGBA", "#RRGGBB", "#RRGGBBAA"), `color(display-p3 …)` and `color(srgb …)`,
// `rgb()`/`rgba()`, `hsl()`/`hsla()`, `oklab()` and `oklch()`, with comma or space syntax,
// "/ alpha" and percentages as CSS Color 4 allows. Each color is named after the declaration
// it stands in ("--brand-100: #…" gives "brand-100", "color: …" gives "color"), or "Color".
// Equal records (name and color) are collected once, in the order the searches find them.

#include <string>
#include <string_view>
#include <vector>

#include "Vantorel/import/ImportedColor.h"

namespace vantorel::import {

class StyleSheetColors {
public:
    // Searches `text` and appends the colors not collected before.
    void extract(std::string_view text);
    const std::vector<ImportedColor>& records() const { return colors_.records(); }

private:
    DistinctColorRecords colors_;
};

}  // namespace vantorel::import
