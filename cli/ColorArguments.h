#pragma once
// How commands read a color typed on the command line: the text's leading word picks the
// preferred format ("color(" → cssColor, "oklab(" → cssOKLAB, "oklch(" → cssOKLCH,
// "Color(red =" → androidComposeColor), anything else is read as hex first.

#include <string_view>

#include "QuenzColorUtils/ColorFormat.h"

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

}  // namespace vantorel::cli
