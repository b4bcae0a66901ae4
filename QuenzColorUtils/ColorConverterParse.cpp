// parseColor: reads the text forms back. Each form has a matcher that looks for its pattern
// anywhere in the text (so a whole line of source code is accepted), except the CSS hex form,
// which must be the whole text.

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorFormatScanner.h"
#include "QuenzColorUtils/ColorOperations.h"

namespace quenz::ColorConverter {
namespace {

using Scanner = ColorFormatScanner;
using Matcher = std::optional<ColorValue> (*)(std::string_view text, ColorSpace space);

// Runs `afterLead` just past every occurrence of `lead` until one matches.
template <class AfterLead>
std::optional<ColorValue> findAfter(std::string_view text, std::string_view lead, AfterLead afterLead) {
    for (auto at = text.find(lead); at != std::string_view::npos; at = text.find(lead, at + 1)) {
        Scanner s(text, at + lead.size());
        if (auto color = afterLead(s)) return color;
    }
    return std::nullopt;
}

// Reads `count` numbers with separators between them.
bool numbers(Scanner& s, double* out, int count) {
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !s.separator()) return false;
        auto value = s.number();
        if (!value) return false;
        out[i] = *value;
    }
    return true;
}

// `label` then a number, e.g. "green: 0.5"; every field but the first follows a separator.
bool field(Scanner& s, std::string_view label, double& out, bool first = false) {
    if (first) {
        s.skipSpace();
    } else if (!s.separator()) {
        return false;
    }
    if (!s.literal(label)) return false;
    s.skipSpace();
    auto value = s.number();
    if (!value) return false;
    out = *value;
    return true;
}

bool closing(Scanner& s) {
    s.skipSpace();
    return s.literal(")");
}

// The optional alpha of the CSS functions: "/" (or a legacy ","), then a number or percentage.
// An absent alpha is 1.
double cssAlpha(Scanner& s) {
    s.skipSpace();
    if (s.literal("/") || s.literal(",")) s.skipSpace();
    auto value = s.number();
    if (!value) return 1;
    return s.literal("%") ? *value / 100 : *value;
}

// A CSS component that may be written as a percentage; `percentScale` is the value of 100%.
std::optional<double> cssComponent(Scanner& s, double percentScale) {
    auto value = s.number();
    if (!value) return std::nullopt;
    return s.literal("%") ? *value / 100 * percentScale : *value;
}

// Three CSS components with separators, each with its own percentage scale.
bool cssComponents(Scanner& s, double* out, const std::array<double, 3>& percentScales) {
    for (std::size_t i = 0; i < 3; ++i) {
        if (i > 0 && !s.separator()) return false;
        auto value = cssComponent(s, percentScales[i]);
        if (!value) return false;
        out[i] = *value;
    }
    return true;
}

ColorValue fromBytes(std::string_view hex, bool alphaFirst, ColorSpace space) {
    std::array<double, 4> bytes{0, 0, 0, 255};
    for (std::size_t i = 0; i * 2 + 1 < hex.size() && i < 4; ++i) {
        bytes[i] = hexValue(hex[i * 2]) * 16 + hexValue(hex[i * 2 + 1]);
    }
    if (alphaFirst) std::rotate(bytes.begin(), bytes.begin() + 1, bytes.end());
    return makeRGB(bytes[0] / 255, bytes[1] / 255, bytes[2] / 255, bytes[3] / 255, space);
}

// OKLab and OKLCH text lands in the space the caller asked for (Display P3 for the OK spaces).
ColorValue fromLinear(const ColorValue& linear, ColorSpace space) {
    auto converted = convert(linear, rgbSpaceFor(space));
    return converted ? *converted : linear;
}

// --- code initialisers ---

std::optional<ColorValue> rgbInitialiser(Scanner& s, ColorSpace space, std::string_view alphaLabel) {
    double v[4]{};
    s.skipSpace();
    if (!s.literal("displayP3Red:") && !s.literal("red:")) return std::nullopt;
    s.skipSpace();
    auto red = s.number();
    if (!red) return std::nullopt;
    v[0] = *red;
    if (!field(s, "green:", v[1]) || !field(s, "blue:", v[2]) || !field(s, alphaLabel, v[3]) || !closing(s)) {
        return std::nullopt;
    }
    return makeRGB(v[0], v[1], v[2], v[3], space);
}

std::optional<ColorValue> hsbInitialiser(Scanner& s, ColorSpace space, std::string_view alphaLabel) {
    double v[4]{};
    if (!field(s, "hue:", v[0], true) || !field(s, "saturation:", v[1]) || !field(s, "brightness:", v[2]) ||
        !field(s, alphaLabel, v[3]) || !closing(s)) {
        return std::nullopt;
    }
    return makeHSB(v[0], v[1], v[2], v[3], space);
}

std::optional<ColorValue> swiftNSColorRGBA(std::string_view text, ColorSpace space) {
    return findAfter(text, "NSColor(", [&](Scanner& s) { return rgbInitialiser(s, space, "alpha:"); });
}

std::optional<ColorValue> swiftNSColorHSBA(std::string_view text, ColorSpace space) {
    return findAfter(text, "NSColor(", [&](Scanner& s) -> std::optional<ColorValue> {
        s.skipSpace();
        if (s.literal("colorSpace:")) {
            s.skipSpace();
            if (!s.literal(".displayP3") && !s.literal(".extendedSRGB")) return std::nullopt;
            if (!s.separator()) return std::nullopt;
        }
        return hsbInitialiser(s, space, "alpha:");
    });
}

std::optional<ColorValue> swiftUIColorRGBA(std::string_view text, ColorSpace space) {
    return findAfter(text, "UIColor(", [&](Scanner& s) { return rgbInitialiser(s, space, "alpha:"); });
}

std::optional<ColorValue> swiftUIColorHSBA(std::string_view text, ColorSpace space) {
    return findAfter(text, "UIColor(", [&](Scanner& s) { return hsbInitialiser(s, space, "alpha:"); });
}

std::optional<ColorValue> swiftColorRGBA(std::string_view text, ColorSpace space) {
    return findAfter(text, "Color(", [&](Scanner& s) -> std::optional<ColorValue> {
        double v[4]{0, 0, 0, 1};
        s.skipSpace();
        if (s.literal(".displayP3") && !s.separator()) return std::nullopt;
        if (!field(s, "red:", v[0], true) || !field(s, "green:", v[1]) || !field(s, "blue:", v[2])) {
            return std::nullopt;
        }
        Scanner beforeOpacity = s;
        if (!field(s, "opacity:", v[3])) s = beforeOpacity;
        if (!closing(s)) return std::nullopt;
        return makeRGB(v[0], v[1], v[2], v[3], space);
    });
}

std::optional<ColorValue> swiftColorHSBA(std::string_view text, ColorSpace space) {
    return findAfter(text, "Color(", [&](Scanner& s) { return hsbInitialiser(s, space, "opacity:"); });
}

std::optional<ColorValue> androidComposeColor(std::string_view text, ColorSpace space) {
    return findAfter(text, "Color(", [&](Scanner& s) -> std::optional<ColorValue> {
        double v[4]{};
        constexpr std::string_view labels[] = {"red", "green", "blue", "alpha"};
        for (std::size_t i = 0; i < 4; ++i) {
            if (i == 0) {
                s.skipSpace();
            } else if (!s.separator()) {
                return std::nullopt;
            }
            if (!s.literal(labels[i])) return std::nullopt;
            s.skipSpace();
            if (!s.literal("=")) return std::nullopt;
            s.skipSpace();
            auto value = s.number();
            if (!value) return std::nullopt;
            v[i] = *value;
            s.literal("f");
        }
        Scanner beforeSpace = s;
        if (s.separator() && s.literal("colorSpace")) {
            s.skipSpace();
            if (!s.literal("=")) return std::nullopt;
            s.skipSpace();
            if (!s.literal("ColorSpaces.")) return std::nullopt;
            if (s.identifier().empty() || !closing(s)) return std::nullopt;
            return makeRGB(v[0], v[1], v[2], v[3], space);
        }
        s = beforeSpace;
        if (!closing(s)) return std::nullopt;
        return makeRGB(v[0], v[1], v[2], v[3], space);
    });
}

// --- CSS functions ---

std::optional<ColorValue> cssRGB(std::string_view text, ColorSpace space) {
    auto legacy = findAfter(text, "rgb(", [&](Scanner& s) -> std::optional<ColorValue> {
        double v[3]{};
        s.skipSpace();
        if (!cssComponents(s, v, {255, 255, 255})) return std::nullopt;
        double alpha = cssAlpha(s);
        if (!closing(s)) return std::nullopt;
        return makeRGB(v[0] / 255, v[1] / 255, v[2] / 255, alpha, space);
    });
    if (legacy) return legacy;
    // Display P3 colors are written with color(display-p3 …) by this format too.
    return findAfter(text, "color(", [&](Scanner& s) -> std::optional<ColorValue> {
        double v[3]{};
        s.skipSpace();
        if (!s.literal("display-p3") || !s.separator() || !cssComponents(s, v, {1, 1, 1})) return std::nullopt;
        double alpha = cssAlpha(s);
        if (!closing(s)) return std::nullopt;
        return makeRGB(v[0], v[1], v[2], alpha, space);
    });
}

std::optional<ColorValue> cssColor(std::string_view text, ColorSpace space) {
    return findAfter(text, "color(", [&](Scanner& s) -> std::optional<ColorValue> {
        double v[3]{};
        s.skipSpace();
        if (!s.literal("srgb") && !s.literal("display-p3")) return std::nullopt;
        if (!s.separator() || !cssComponents(s, v, {1, 1, 1})) return std::nullopt;
        double alpha = cssAlpha(s);
        if (!closing(s)) return std::nullopt;
        return makeRGB(v[0], v[1], v[2], alpha, space);
    });
}

// CSS Color 4 hsl(): hue in degrees, saturation and lightness in 0…1.
ColorValue fromHSL(double hueDegrees, double saturation, double lightness, double alpha, ColorSpace space) {
    saturation = std::clamp(saturation, 0.0, 1.0);
    lightness = std::clamp(lightness, 0.0, 1.0);
    double hue = std::fmod(hueDegrees, 360.0);
    if (hue < 0) hue += 360;
    auto channel = [&](double n) {
        double k = std::fmod(n + hue / 30, 12.0);
        double a = saturation * std::min(lightness, 1 - lightness);
        return lightness - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
    };
    return makeRGB(channel(0), channel(8), channel(4), alpha, space);
}

std::optional<ColorValue> cssHSL(std::string_view text, ColorSpace space) {
    return findAfter(text, "hsl(", [&](Scanner& s) -> std::optional<ColorValue> {
        s.skipSpace();
        auto hue = s.number();
        if (!hue) return std::nullopt;
        s.literal("deg");
        double v[2]{};
        for (double& value : v) {
            if (!s.separator()) return std::nullopt;
            auto percent = s.number();
            if (!percent) return std::nullopt;
            s.literal("%");
            value = *percent;
        }
        double alpha = cssAlpha(s);
        if (!closing(s)) return std::nullopt;
        return fromHSL(*hue, v[0] / 100, v[1] / 100, alpha, space);
    });
}

// 100% of a, b and chroma is 0.4, as CSS Color 4 defines.
constexpr double okPercentReference = 0.4;

std::optional<ColorValue> cssOKLAB(std::string_view text, ColorSpace space) {
    return findAfter(text, "oklab(", [&](Scanner& s) -> std::optional<ColorValue> {
        double v[3]{};
        s.skipSpace();
        if (!cssComponents(s, v, {1, okPercentReference, okPercentReference})) return std::nullopt;
        double alpha = cssAlpha(s);
        if (!closing(s)) return std::nullopt;
        return fromLinear(fromOKLab({v[0], v[1], v[2], alpha}), space);
    });
}

std::optional<ColorValue> cssOKLCH(std::string_view text, ColorSpace space) {
    return findAfter(text, "oklch(", [&](Scanner& s) -> std::optional<ColorValue> {
        double v[3]{};
        s.skipSpace();
        if (!cssComponents(s, v, {1, okPercentReference, 360})) return std::nullopt;
        double alpha = cssAlpha(s);
        if (!closing(s)) return std::nullopt;
        return fromLinear(fromOKLCH({v[0], v[1], radiansFromDegrees(v[2]), alpha}), space);
    });
}

// --- hex forms ---

// "0x" and exactly `digits` hexadecimal digits.
std::optional<ColorValue> zeroXHex(std::string_view text, ColorSpace space, std::size_t digits, bool alphaFirst) {
    return findAfter(text, "0x", [&](Scanner& s) -> std::optional<ColorValue> {
        auto hex = s.hexDigits(digits);
        if (hex.size() != digits) return std::nullopt;
        return fromBytes(hex, alphaFirst, space);
    });
}

std::optional<ColorValue> hexRGBA(std::string_view text, ColorSpace space) { return zeroXHex(text, space, 8, false); }
std::optional<ColorValue> hexARGB(std::string_view text, ColorSpace space) { return zeroXHex(text, space, 8, true); }
std::optional<ColorValue> hexRGB(std::string_view text, ColorSpace space) { return zeroXHex(text, space, 6, false); }

std::optional<ColorValue> htmlRGB(std::string_view text, ColorSpace space) {
    std::string digits;
    digits.reserve(text.size());
    for (char c : text) {
        if (c != '#') digits.push_back(c);
    }
    Scanner s(digits);
    s.skipSpace();
    // The "p3: " prefix of the quick-convert tool, in either case and with or without the colon.
    if (s.literal("p3") || s.literal("P3")) {
        s.literal(":");
        s.skipSpace();
    }
    auto hex = s.hexDigits(8);
    s.skipSpace();
    if (!s.atEnd()) return std::nullopt;
    switch (hex.size()) {
        case 6:
        case 8:
            return fromBytes(hex, false, space);
        case 3:
        case 4: {
            // The short CSS forms repeat each digit: #F80 is #FF8800.
            std::string doubled;
            for (char c : hex) doubled.append(2, c);
            return fromBytes(doubled, false, space);
        }
        default:
            return std::nullopt;
    }
}

// --- float forms ---

// Three or four numbers anywhere in the text.
template <class Build>
std::optional<ColorValue> floatNumbers(std::string_view text, Build build) {
    std::size_t start = 0;
    while (start < text.size()) {
        Scanner probe(text, start);
        if (!probe.number()) {
            ++start;
            continue;
        }
        Scanner s(text, start);
        double v[4]{0, 0, 0, 1};
        if (numbers(s, v, 3)) {
            if (s.separator()) {
                if (auto alpha = s.number()) v[3] = *alpha;
            }
            return build(v);
        }
        // Any start inside the first number meets the same failing remainder.
        start = std::max(start + 1, probe.position());
    }
    return std::nullopt;
}

std::optional<ColorValue> floatRGBA(std::string_view text, ColorSpace space) {
    return floatNumbers(text, [&](const double* v) { return makeRGB(v[0], v[1], v[2], v[3], space); });
}

std::optional<ColorValue> floatHSVA(std::string_view text, ColorSpace space) {
    return floatNumbers(text, [&](const double* v) { return makeHSB(v[0], v[1], v[2], v[3], space); });
}

Matcher matcherFor(ColorFormat format) {
    switch (format) {
        case ColorFormat::floatRGBA: return floatRGBA;
        case ColorFormat::floatHSVA: return floatHSVA;
        case ColorFormat::htmlRGB: return htmlRGB;
        case ColorFormat::cssRGB: return cssRGB;
        case ColorFormat::cssColor: return cssColor;
        case ColorFormat::cssHSL: return cssHSL;
        case ColorFormat::cssOKLAB: return cssOKLAB;
        case ColorFormat::cssOKLCH: return cssOKLCH;
        case ColorFormat::hexRGB: return hexRGB;
        case ColorFormat::hexARGB: return hexARGB;
        case ColorFormat::hexRGBA: return hexRGBA;
        case ColorFormat::swiftUIColorRGBA: return swiftUIColorRGBA;
        case ColorFormat::swiftUIColorHSBA: return swiftUIColorHSBA;
        case ColorFormat::swiftNSColorRGBA: return swiftNSColorRGBA;
        case ColorFormat::swiftNSColorHSBA: return swiftNSColorHSBA;
        case ColorFormat::swiftColorRGBA: return swiftColorRGBA;
        case ColorFormat::swiftColorHSBA: return swiftColorHSBA;
        case ColorFormat::androidComposeColor: return androidComposeColor;
    }
    return nullptr;
}

// Tried in this order after the preferred format; the CSS color()/oklab()/oklch() and Compose
// forms are recognised only when preferred.
constexpr ColorFormat fallbackOrder[] = {
    ColorFormat::swiftNSColorRGBA, ColorFormat::swiftNSColorHSBA, ColorFormat::swiftUIColorRGBA,
    ColorFormat::swiftUIColorHSBA, ColorFormat::swiftColorRGBA,   ColorFormat::swiftColorHSBA,
    ColorFormat::cssRGB,           ColorFormat::cssHSL,           ColorFormat::hexRGBA,
    ColorFormat::hexARGB,          ColorFormat::hexRGB,           ColorFormat::htmlRGB,
    ColorFormat::floatRGBA,        ColorFormat::floatHSVA,
};

bool mentionsP3(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if ((text[i] == 'p' || text[i] == 'P') && text[i + 1] == '3') return true;
    }
    return false;
}

}  // namespace

std::optional<CSSColorFunction> parseCSSColorFunction(std::string_view text) {
    // Longest first, so that "srgb" does not cut "srgb-linear" short.
    static constexpr std::string_view identifiers[] = {"display-p3-linear", "prophoto-rgb", "srgb-linear",
                                                       "display-p3",        "a98-rgb",      "xyz-d50",
                                                       "srgb"};
    std::string_view found;
    auto color = findAfter(text, "color(", [&](Scanner& s) -> std::optional<ColorValue> {
        s.skipSpace();
        for (std::string_view identifier : identifiers) {
            Scanner afterName = s;
            double v[3]{};
            if (!afterName.literal(identifier) || !afterName.separator() || !cssComponents(afterName, v, {1, 1, 1})) {
                continue;
            }
            double alpha = std::clamp(cssAlpha(afterName), 0.0, 1.0);
            if (!closing(afterName)) return std::nullopt;
            RGBSpace space = rgbSpaceFromCSSColorIdentifier(identifier).value_or(RGBSpace::sRGB);
            if (space == RGBSpace::sRGB) space = RGBSpace::extendedSRGB;
            found = identifier;
            return ColorValue{space, v[0], v[1], v[2], alpha};
        }
        return std::nullopt;
    });
    if (!color) return std::nullopt;
    return CSSColorFunction{*color, found};
}

ConvertedColor parseColor(std::string_view text, ColorFormat preferredFormat, ColorSpace requestedSpace,
                          bool detectColorSpace) {
    ColorSpace space = requestedSpace;
    if (detectColorSpace) {
        if (mentionsP3(text)) {
            space = ColorSpace::displayP3;
        } else if (space == ColorSpace::displayP3) {
            space = ColorSpace::sRGB;
        }
    }
    auto attempt = [&](ColorFormat format) -> ConvertedColor {
        Matcher matcher = matcherFor(format);
        if (!matcher) return {};
        if (auto color = matcher(text, space)) return {color, format, space};
        return {};
    };
    if (auto preferred = attempt(preferredFormat); preferred.color) return preferred;
    for (ColorFormat format : fallbackOrder) {
        if (format == preferredFormat) continue;
        if (auto found = attempt(format); found.color) return found;
    }
    return {};
}

}  // namespace quenz::ColorConverter
