#include "Vantorel/import/StyleSheetColors.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>
#include <optional>

#include "QuenzColorUtils/ColorOperations.h"

namespace vantorel::import {
namespace {

// --- The six searches ---

enum class Family { hex, colorFunction, rgb, hsl, oklab, oklch };

struct Search {
    Family family;
    const char* pattern;
};

// Function arguments are taken up to the closing parenthesis; arguments that hold another
// function (var(), calc()) are not colors we can read, and no match is made for them.
constexpr std::array<Search, 6> searches{{
    {Family::hex, R"((?<![&\w])#([0-9A-Fa-f]{8}|[0-9A-Fa-f]{6}|[0-9A-Fa-f]{3,4})(?![\w-]))"},
    {Family::colorFunction, R"((?i)\bcolor\(\s*(display-p3|srgb)\s+([^()]*)\))"},
    {Family::rgb, R"((?i)\brgba?\(([^()]*)\))"},
    {Family::hsl, R"((?i)\bhsla?\(([^()]*)\))"},
    {Family::oklab, R"((?i)\boklab\(([^()]*)\))"},
    {Family::oklch, R"((?i)\boklch\(([^()]*)\))"},
}};

struct CodeDeleter {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataDeleter {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
using CompiledPattern = std::unique_ptr<pcre2_code, CodeDeleter>;

struct CompiledSearch {
    CompiledPattern code;
    bool jit = false;
};

// Compiled once for the process; matching only reads them, so any thread may search.
const std::array<CompiledSearch, 6>& compiledSearches() {
    static const std::array<CompiledSearch, 6> compiled = [] {
        std::array<CompiledSearch, 6> result;
        for (std::size_t i = 0; i < searches.size(); ++i) {
            int error = 0;
            PCRE2_SIZE offset = 0;
            result[i].code.reset(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(searches[i].pattern),
                                               PCRE2_ZERO_TERMINATED, PCRE2_NO_UTF_CHECK, &error, &offset,
                                               nullptr));
            if (result[i].code)
                result[i].jit = pcre2_jit_compile(result[i].code.get(), PCRE2_JIT_COMPLETE) == 0;
        }
        return result;
    }();
    return compiled;
}

// --- Function arguments ---

enum class Unit { none, percent, degrees, keywordNone };

struct Argument {
    double value = 0;
    Unit unit = Unit::none;
};

struct Arguments {
    std::array<Argument, 3> channels;
    std::optional<Argument> alpha;
};

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// One argument at the front of `text`: a number with an optional unit, or "none".
std::optional<Argument> readArgument(std::string_view& text) {
    Argument argument;
    if (text.size() >= 4 && (text.substr(0, 4) == "none" || text.substr(0, 4) == "NONE")) {
        text.remove_prefix(4);
        argument.unit = Unit::keywordNone;
        return argument;
    }
    const char* begin = text.data();
    if (!text.empty() && text.front() == '+') ++begin;
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), argument.value);
    if (error != std::errc() || !std::isfinite(argument.value)) return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    const auto unit = [&](std::string_view name, double scale, Unit kind) {
        if (text.size() < name.size()) return false;
        for (std::size_t i = 0; i < name.size(); ++i) {
            if ((text[i] | 0x20) != name[i]) return false;
        }
        text.remove_prefix(name.size());
        argument.value *= scale;
        argument.unit = kind;
        return true;
    };
    if (!text.empty() && text.front() == '%') {
        text.remove_prefix(1);
        argument.unit = Unit::percent;
    } else {
        unit("deg", 1, Unit::degrees) || unit("grad", 0.9, Unit::degrees) ||
            unit("rad", 180 / std::numbers::pi, Unit::degrees) || unit("turn", 360, Unit::degrees);
    }
    return argument;
}

// Three channels and an optional alpha, separated by commas or spaces, alpha after "/" or a
// fourth comma.
std::optional<Arguments> readArguments(std::string_view text) {
    Arguments arguments;
    std::size_t count = 0;
    bool slash = false;
    while (true) {
        while (!text.empty() && (isSpace(text.front()) || text.front() == ',')) text.remove_prefix(1);
        if (text.empty()) break;
        if (text.front() == '/') {
            if (slash || count != 3) return std::nullopt;
            slash = true;
            text.remove_prefix(1);
            continue;
        }
        const auto argument = readArgument(text);
        if (!argument || count == 4) return std::nullopt;
        if (!text.empty() && !isSpace(text.front()) && text.front() != ',' && text.front() != '/')
            return std::nullopt;
        if (count < 3)
            arguments.channels[count] = *argument;
        else
            arguments.alpha = *argument;
        ++count;
    }
    if (count < 3 || (slash && count != 4)) return std::nullopt;
    return arguments;
}

// A channel: a number out of `numberScale`, or a percentage of `percentScale`.
double channel(const Argument& argument, double numberScale, double percentScale) {
    if (argument.unit == Unit::keywordNone) return 0;
    if (argument.unit == Unit::percent) return argument.value / 100 * percentScale;
    return argument.value / numberScale;
}

double alphaOf(const Arguments& arguments) {
    if (!arguments.alpha) return 1;
    return std::clamp(channel(*arguments.alpha, 1, 1), 0.0, 1.0);
}

double unit(double value) {
    return std::clamp(value, 0.0, 1.0);
}

quenz::ColorValue hslColor(const Arguments& a) {
    const double hue = a.channels[0].unit == Unit::keywordNone ? 0 : a.channels[0].value;
    const double saturation = unit(channel(a.channels[1], 100, 1));
    const double lightness = unit(channel(a.channels[2], 100, 1));
    // Hue, saturation and lightness as CSS defines them, as hue, saturation and brightness.
    const double brightness = lightness + saturation * std::min(lightness, 1 - lightness);
    const double hsbSaturation = brightness == 0 ? 0 : 2 * (1 - lightness / brightness);
    const double turn = std::fmod(std::fmod(hue, 360) + 360, 360) / 360;
    return quenz::makeHSB(turn, hsbSaturation, brightness, alphaOf(a), quenz::ColorSpace::sRGB);
}

std::optional<quenz::ColorValue> extendedFromLinear(const quenz::ColorValue& linear) {
    return quenz::convert(linear, quenz::RGBSpace::extendedSRGB);
}

// OKLab's a and b, and OKLCH's chroma, read 100% as 0.4.
constexpr double okPercentReference = 0.4;

std::optional<quenz::ColorValue> colorOf(Family family, std::string_view space, std::string_view text) {
    const auto arguments = readArguments(text);
    if (!arguments) return std::nullopt;
    const auto& c = arguments->channels;
    const double alpha = alphaOf(*arguments);
    switch (family) {
        case Family::colorFunction: {
            const bool p3 = space.size() == 10;  // "display-p3" rather than "srgb"
            return quenz::ColorValue{p3 ? quenz::RGBSpace::displayP3 : quenz::RGBSpace::sRGB,
                                     unit(channel(c[0], 1, 1)),
                                     unit(channel(c[1], 1, 1)),
                                     unit(channel(c[2], 1, 1)),
                                     alpha,
                                     0};
        }
        case Family::rgb:
            return quenz::ColorValue{quenz::RGBSpace::sRGB,
                                     unit(channel(c[0], 255, 1)),
                                     unit(channel(c[1], 255, 1)),
                                     unit(channel(c[2], 255, 1)),
                                     alpha,
                                     0};
        case Family::hsl:
            return hslColor(*arguments);
        case Family::oklab:
            return extendedFromLinear(
                quenz::fromOKLab({channel(c[0], 1, 1), channel(c[1], 1, okPercentReference),
                                  channel(c[2], 1, okPercentReference), alpha}));
        case Family::oklch: {
            const double hue = c[2].unit == Unit::keywordNone ? 0 : c[2].value;
            return extendedFromLinear(
                quenz::fromOKLCH({channel(c[0], 1, 1), channel(c[1], 1, okPercentReference),
                                  quenz::radiansFromDegrees(hue), alpha}));
        }
        case Family::hex:
            break;
    }
    return std::nullopt;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    return (c | 0x20) - 'a' + 10;
}

quenz::ColorValue hexColor(std::string_view digits) {
    std::array<double, 4> channels{0, 0, 0, 1};
    const bool shortForm = digits.size() <= 4;
    const std::size_t count = shortForm ? digits.size() : digits.size() / 2;
    for (std::size_t i = 0; i < count; ++i) {
        const int value =
            shortForm ? hexDigit(digits[i]) * 17 : hexDigit(digits[2 * i]) * 16 + hexDigit(digits[2 * i + 1]);
        channels[i] = value / 255.0;
    }
    return {quenz::RGBSpace::sRGB, channels[0], channels[1], channels[2], channels[3], 0};
}

// --- Names ---

bool isNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '$' || c == '@' || static_cast<unsigned char>(c) >= 0x80;
}

// The name of the declaration the color at `at` stands in: the property before the ":" of
// the same declaration, without the "--", "$" or "@" of custom properties and variables.
std::string declarationName(std::string_view text, std::size_t at) {
    constexpr std::size_t window = 256;
    std::size_t begin = at;
    while (begin > 0 && at - begin < window) {
        const char c = text[begin - 1];
        // Declarations end at these; markup around style attributes ends them too.
        if (c == ';' || c == '{' || c == '}' || c == '<' || c == '>' || c == '"') break;
        --begin;
    }
    const std::string_view declaration = text.substr(begin, at - begin);
    const std::size_t colon = declaration.find(':');
    if (colon == std::string_view::npos) return "Color";
    std::size_t end = colon;
    while (end > 0 && isSpace(declaration[end - 1])) --end;
    std::size_t start = end;
    while (start > 0 && isNameCharacter(declaration[start - 1])) --start;
    std::string_view name = declaration.substr(start, end - start);
    if (name.substr(0, 2) == "--") name.remove_prefix(2);
    while (!name.empty() && (name.front() == '$' || name.front() == '@')) name.remove_prefix(1);
    return name.empty() ? "Color" : std::string(name);
}

}  // namespace

void StyleSheetColors::extract(std::string_view text) {
    const auto& compiled = compiledSearches();
    const auto subject = reinterpret_cast<PCRE2_SPTR>(text.data());
    for (std::size_t i = 0; i < searches.size(); ++i) {
        pcre2_code* code = compiled[i].code.get();
        if (!code) continue;
        std::unique_ptr<pcre2_match_data, MatchDataDeleter> match(
            pcre2_match_data_create_from_pattern(code, nullptr));
        PCRE2_SIZE offset = 0;
        while (offset <= text.size()) {
            const int found =
                compiled[i].jit ? pcre2_jit_match(code, subject, text.size(), offset, 0, match.get(), nullptr)
                                : pcre2_match(code, subject, text.size(), offset, PCRE2_NO_UTF_CHECK,
                                              match.get(), nullptr);
            if (found < 0) break;
            const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(match.get());
            const auto group = [&](int n) {
                return text.substr(ovector[2 * n], ovector[2 * n + 1] - ovector[2 * n]);
            };
            const Family family = searches[i].family;
            std::optional<quenz::ColorValue> color;
            if (family == Family::hex)
                color = hexColor(group(1));
            else if (family == Family::colorFunction)
                color = colorOf(family, group(1), group(2));
            else
                color = colorOf(family, {}, group(1));
            if (color) colors_.add(declarationName(text, ovector[0]), *color);
            offset = ovector[1] > ovector[0] ? ovector[1] : ovector[0] + 1;
        }
    }
}

}  // namespace vantorel::import
