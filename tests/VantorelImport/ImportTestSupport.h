#pragma once
// What the import tests compare: an item tree written as one line with every value, so that a
// table row can state a whole import result.

#include <fmt/format.h>

#include <cmath>
#include <string>
#include <vector>

#include "QuenzColorUtils/ColorOperations.h"
#include "VantorelData/model/Model.h"

namespace vantorel::import::testing {

// "#RRGGBB" (and "AA" below opaque) in sRGB; "p3#…" for Display P3, "x#…" for extended sRGB.
inline std::string colorText(const quenz::ColorValue& color) {
    const auto byte = [](double value) {
        return static_cast<int>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
    };
    std::string prefix = color.space == quenz::RGBSpace::displayP3      ? "p3"
                         : color.space == quenz::RGBSpace::extendedSRGB ? "x"
                                                                        : "";
    std::string text =
        fmt::format("{}#{:02X}{:02X}{:02X}", prefix, byte(color.red), byte(color.green), byte(color.blue));
    if (color.alpha < 1) text += fmt::format("{:02X}", byte(color.alpha));
    return text;
}

inline std::string shadowText(const ShadowDetails& shadow) {
    return fmt::format("shadow({},{},{},{},{})", shadow.xOffset, shadow.yOffset, shadow.blur, shadow.spread,
                       colorText(shadow.color));
}

// The stored variants: "light", and "/dark", "/hc", "/dhc" where set.
template <class V, class Text>
std::string variantsText(const Themeable<V>& value, Text text) {
    std::string result = text(value.lightVariant);
    if (value.darkVariant()) result += "/dark" + text(*value.darkVariant());
    if (value.lightVariantHighContrast()) result += "/hc" + text(*value.lightVariantHighContrast());
    if (value.darkVariantHighContrast()) result += "/dhc" + text(*value.darkVariantHighContrast());
    return result;
}

inline std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}
inline std::string numberText(double value) {
    return fmt::format("{}", value);
}
inline std::string booleanText(bool value) {
    return value ? "true" : "false";
}

// "a=#FF0000,g[b=4,s={1=#000000,2=#FFFFFF}]": each item's name and light value (with stored
// variants), "@type" for an appearance type, "!" (and the reason) when deprecated, a group's
// children in brackets, a set's steps in braces, "->" and the target's name for an alias.
inline std::string describe(const std::vector<ProjectItemPtr>& items);

inline std::string describe(const QuenzColorProjectItem& item) {
    std::string text = item.name();
    const auto steps = [](const auto& list, auto stepText) {
        std::string result;
        for (const auto& step : list)
            result += (result.empty() ? "" : ",") + step.name + "=" + variantsText(step, stepText);
        return "{" + result + "}";
    };
    switch (item.itemType()) {
        case ProjectItemType::group:
            return text + "[" + describe(item.group()->items()) + "]";
        case ProjectItemType::color:
            text += "=" + variantsText(item.color()->color(), colorText);
            break;
        case ProjectItemType::colorSet:
            text += "=" + steps(item.colorSet()->colors(), colorText);
            break;
        case ProjectItemType::number:
            text += "=" + variantsText(item.number()->value(), numberText);
            break;
        case ProjectItemType::boolean:
            text += "=" + variantsText(item.boolean()->value(), booleanText);
            break;
        case ProjectItemType::string:
            text += "=" + variantsText(item.string()->value(), quoted);
            break;
        case ProjectItemType::shadow:
            text += "=" + variantsText(item.shadow()->shadow(), shadowText);
            break;
        case ProjectItemType::shadowSet:
            text += "=" + steps(item.shadowSet()->shadows(), shadowText);
            break;
        case ProjectItemType::colorAlias:
        case ProjectItemType::shadowAlias:
        case ProjectItemType::numberAlias:
        case ProjectItemType::booleanAlias:
        case ProjectItemType::stringAlias:
            text += "->alias";
            break;
    }
    const auto value = item.valueItem();
    if (value->appearanceType() != AppearanceType::none)
        text += "@" + std::string(rawString(value->appearanceType()));
    if (value->deprecated()) text += "!" + value->deprecatedReason().value_or("");
    return text;
}

inline std::string describe(const std::vector<ProjectItemPtr>& items) {
    std::string text;
    for (const ProjectItemPtr& item : items) text += (text.empty() ? "" : ",") + describe(*item);
    return text;
}

}  // namespace vantorel::import::testing
