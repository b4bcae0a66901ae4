// Token values: color value objects and color text, pixel and dimension texts, references.

#include <charconv>
#include <cmath>

#include "QuenzColorUtils/ColorOperations.h"
#include "Vantorel/import/ColorText.h"
#include "Vantorel/import/JsonTokenTree.h"

namespace vantorel::import::tokens {
namespace {

using nlohmann::json;

std::optional<double> leadingNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end == text.data() || !std::isfinite(number)) return std::nullopt;
    return number;
}

// A component of a value object: a number, or "none" (lenient), which counts as 0.
std::optional<double> component(const json& components, std::size_t index, bool lenient) {
    if (index >= components.size()) return 0.0;
    const json& entry = components[index];
    if (entry.is_number()) return entry.get<double>();
    if (lenient && entry.is_string() && entry.get_ref<const std::string&>() == "none") return 0.0;
    return lenient ? std::nullopt : std::optional<double>(0.0);
}

std::optional<quenz::ColorValue> extended(const quenz::ColorValue& linear) {
    return quenz::convert(linear, quenz::RGBSpace::extendedSRGB);
}

// The spaces beyond sRGB and Display P3 that other tools write in value objects.
std::optional<quenz::ColorValue> lenientSpace(const std::string& space, double a, double b, double c,
                                              double alpha) {
    if (space == "oklab") return extended(quenz::fromOKLab({a, b, c, alpha}));
    if (space == "oklch") return extended(quenz::fromOKLCH({a, b, quenz::radiansFromDegrees(c), alpha}));
    if (space == "hsl") {
        // Hue in degrees, saturation and lightness in 0…100, as the format writes them.
        const double l = c / 100, s = b / 100;
        const double v = l + s * std::min(l, 1 - l);
        const double sv = v == 0 ? 0 : 2 * (1 - l / v);
        return quenz::makeHSB(std::fmod(std::fmod(a, 360) + 360, 360) / 360, sv, v, alpha,
                              quenz::ColorSpace::sRGB);
    }
    return std::nullopt;
}

}  // namespace

std::optional<quenz::ColorValue> colorFromValueObject(const json& value, bool lenient) {
    const auto space = value.find("colorSpace");
    const auto components = value.find("components");
    if (space != value.end() && space->is_string() && components != value.end() && components->is_array()) {
        const std::string& name = space->get_ref<const std::string&>();
        double alpha = 1;
        if (const auto found = value.find("alpha"); found != value.end() && found->is_number())
            alpha = found->get<double>();
        const auto r = component(*components, 0, lenient), g = component(*components, 1, lenient),
                   b = component(*components, 2, lenient);
        if (r && g && b) {
            if (name == "display-p3")
                return quenz::ColorValue{quenz::RGBSpace::displayP3, *r, *g, *b, alpha, 0};
            if (!lenient || name == "srgb")
                return quenz::ColorValue{quenz::RGBSpace::sRGB, *r, *g, *b, alpha, 0};
            if (auto color = lenientSpace(name, *r, *g, *b, alpha)) return color;
        }
    }
    const auto hex = value.find("hex");
    if (hex != value.end() && hex->is_string()) return colorFromText(hex->get<std::string>());
    return std::nullopt;
}

double pixelsFromText(std::string text) {
    for (std::size_t at = text.find("px"); at != std::string::npos; at = text.find("px", at))
        text.erase(at, 2);
    // Shadow offsets are written in the writer's locale: a lone decimal comma reads as a point.
    if (text.find('.') == std::string::npos && text.find(',') == text.rfind(',')) {
        if (const auto comma = text.find(','); comma != std::string::npos) text[comma] = '.';
    }
    return leadingNumber(text).value_or(0.0);
}

std::optional<double> dimensionValue(const json& value) {
    if (value.is_number()) return value.get<double>();
    if (value.is_string()) return leadingNumber(value.get_ref<const std::string&>());
    if (value.is_object()) {
        const auto number = value.find("value");
        if (number != value.end() && number->is_number()) return number->get<double>();
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>> referencePath(const json& value) {
    if (!value.is_string()) return std::nullopt;
    const std::string& text = value.get_ref<const std::string&>();
    if (text.size() < 3 || text.front() != '{' || text.back() != '}') return std::nullopt;
    std::vector<std::string> path;
    std::string part;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        const char c = text[i];
        if (c == '{' || c == '}') return std::nullopt;
        if (c == '.') {
            path.push_back(std::move(part));
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    path.push_back(std::move(part));
    for (const std::string& name : path) {
        if (name.empty()) return std::nullopt;
    }
    return path;
}

}  // namespace vantorel::import::tokens
