#pragma once
// How commands read colors, formats and spaces typed on the command line. A color text's
// leading word picks the preferred format ("color(" → cssColor, "oklab(" → cssOKLAB, "oklch("
// → cssOKLCH, "Color(red =" → androidComposeColor), anything else is read as hex first. A
// format or space that is not known is answered with the names that are.

#include <optional>
#include <string>
#include <string_view>

#include "QuenzColorUtils/ColorFormat.h"
#include "QuenzColorUtils/ColorSpace.h"

namespace vantorel::cli {

inline quenz::ColorFormat preferredFormatFor(std::string_view text) {
    auto start = text.find_first_not_of(" \t\r\n");
    text = start == std::string_view::npos ? std::string_view() : text.substr(start);
    if (text.starts_with("color(")) return quenz::ColorFormat::cssColor;
    if (text.starts_with("oklab(")) return quenz::ColorFormat::cssOKLAB;
    if (text.starts_with("oklch(")) return quenz::ColorFormat::cssOKLCH;
    if (text.starts_with("Color(red =")) return quenz::ColorFormat::androidComposeColor;
    return quenz::ColorFormat::htmlRGB;
}

// "a, b, c" of the case names of `all`.
template <class Range>
std::string caseNameList(const Range& all) {
    std::string names;
    for (const auto value : all) {
        if (!names.empty()) names += ", ";
        names += quenz::caseName(value);
    }
    return names;
}

// "unknown color format 'x' (choose floatRGBA, floatHSVA, …)".
inline std::string unknownFormatMessage(const std::string& name) {
    return "unknown color format '" + name + "' (choose " + caseNameList(quenz::allColorFormats) + ")";
}

inline std::string unknownSpaceMessage(const std::string& name) {
    return "unknown color space '" + name + "' (choose " + caseNameList(quenz::allColorSpaces) + ")";
}

}  // namespace vantorel::cli
