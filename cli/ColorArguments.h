#pragma once
// How commands read a color typed on the command line: the text's leading word picks the
// preferred format ("color(" → cssColor, "oklab(" → cssOKLAB, "oklch(" → cssOKLCH,
// "Color(red =" → androidComposeColor), anything else is read as hex first. A color() text is
// read in its own CSS space; the other texts by the color parser's rules. A format or space that
// is not known is answered with the names that are.

#include <fmt/format.h>

#include <optional>
#include <string>
#include <string_view>

#include "QuenzColorUtils/ColorConverter.h"
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

// The case names of an enumeration, comma-separated, for "choose …" messages.
template <class Values, class Name>
std::string caseNames(const Values& values, Name name) {
    std::string names;
    for (const auto& value : values) {
        if (!names.empty()) names += ", ";
        names += name(value);
    }
    return names;
}

// "a, b, c" of the case names of `all`.
template <class Range>
std::string caseNameList(const Range& all) {
    return caseNames(all, [](auto value) { return quenz::caseName(value); });
}

// What the command read from the text, and how.
struct ReadColor {
    quenz::ColorValue color;
    quenz::ColorSpace space;                  // shown when no --to is given
    std::string description;                  // "CSS Hex RGB in sRGB", "CSS color() in a98-rgb"
    std::optional<std::string> clampedRange;  // set when a float form clamped its numbers
};

// The range a float form held its numbers in, when any number read lay outside it.
inline std::optional<std::string> clampedRange(std::string_view text, quenz::ColorFormat format,
                                               quenz::ColorSpace space) {
    using quenz::ColorFormat;
    using quenz::ColorSpace;
    if (format != ColorFormat::floatRGBA && format != ColorFormat::floatHSVA) return std::nullopt;
    double low = 0, high = 1;
    if (format == ColorFormat::floatRGBA && space == ColorSpace::sRGBExtended) {
        low = -2;
        high = 2;
    } else if (format == ColorFormat::floatRGBA && (space == ColorSpace::oklab || space == ColorSpace::oklch)) {
        return std::nullopt;
    }
    // The OK spaces take float numbers unclamped, which gives the numbers as written.
    auto raw = quenz::ColorConverter::parseColor(text, ColorFormat::floatRGBA, ColorSpace::oklab, false).color;
    if (!raw) return std::nullopt;
    for (double number : {raw->red, raw->green, raw->blue, raw->alpha}) {
        if (number < low || number > high) return fmt::format("{}…{}", low, high);
    }
    return std::nullopt;
}

// A color() text in any CSS space is read in its own space; every other text by the parser's
// rules, except that oklab() and oklch() are kept unclipped, as the color they name.
inline std::optional<ReadColor> readColor(const std::string& text, quenz::ColorFormat preferred,
                                          std::optional<quenz::ColorSpace> target) {
    using quenz::ColorFormat;
    using quenz::ColorSpace;
    if (preferred == ColorFormat::cssColor) {
        if (auto function = quenz::ColorConverter::parseCSSColorFunction(text)) {
            bool srgbPrimaries = function->identifier == "srgb" || function->identifier == "srgb-linear";
            return ReadColor{function->color, srgbPrimaries ? ColorSpace::sRGB : ColorSpace::displayP3,
                             fmt::format("{} in {}", quenz::displayName(ColorFormat::cssColor), function->identifier),
                             std::nullopt};
        }
    }
    auto parsed = quenz::ColorConverter::parseColor(text, preferred, target.value_or(ColorSpace::sRGB), true);
    if (!parsed.color) return std::nullopt;
    ColorFormat format = *parsed.detectedFormat;
    ColorSpace space = *parsed.detectedColorSpace;
    ReadColor read{*parsed.color, space,
                   fmt::format("{} in {}", quenz::displayName(format), quenz::displayName(space)),
                   clampedRange(text, format, space)};
    if (format == ColorFormat::cssOKLAB || format == ColorFormat::cssOKLCH) {
        // The OK forms name a color of no RGB space; keep it whole, in extended sRGB.
        auto unclipped = quenz::ColorConverter::parseColor(text, format, ColorSpace::sRGBExtended, false);
        if (unclipped.color) read.color = *unclipped.color;
        read.description = quenz::displayName(format);
    }
    return read;
}

// "unknown color format 'x' (choose floatRGBA, floatHSVA, …)".
inline std::string unknownFormatMessage(const std::string& name) {
    return "unknown color format '" + name + "' (choose " + caseNameList(quenz::allColorFormats) + ")";
}

inline std::string unknownSpaceMessage(const std::string& name) {
    return "unknown color space '" + name + "' (choose " + caseNameList(quenz::allColorSpaces) + ")";
}

}  // namespace vantorel::cli
