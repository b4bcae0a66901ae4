#pragma once
// SVGImporter: the colors an SVG drawing uses: the fill and stroke attributes of its elements
// (named "fill" and "stroke"), the stop-color of gradient stops ("Gradient Color") and every
// color value in its style elements ("Style Color"). A value is a CSS color keyword or any
// color text the color parser reads; other values ("none", "currentColor", "url(#a)") give
// nothing. Each distinct named color is imported once.

#include <map>
#include <string>
#include <string_view>

#include "Vantorel/import/ColorImporter.h"
#include "Vantorel/import/ImportedColor.h"

namespace vantorel::import {

// The rules of an SVG style element: selector → property → value.
struct SVGStyleSheet {
    std::map<std::string, std::map<std::string, std::string>> styles;
    // Reads "selectors { property: value; … }" rules; selector lists are split at commas,
    // comments and at-rule statements are skipped and the rules inside block at-rules read.
    static SVGStyleSheet parse(std::string_view text);
};

// The color of an SVG or CSS color value; none when the value is not a color.
std::optional<quenz::ColorValue> svgColor(std::string_view value);

class SVGImporter final : public ColorImporter {
public:
    std::optional<ImportError> importFile(const std::filesystem::path& file, QuenzColorGroup& group) override;
    // The same for bytes already read.
    static std::optional<ImportError> importText(std::string_view text, QuenzColorGroup& group);
};

}  // namespace vantorel::import
