#include "cli/ItemListing.h"

#include <fmt/format.h>

#include <algorithm>
#include <ostream>
#include <utility>

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorOperations.h"
#include "VantorelData/format/NumberText.h"
#include "VantorelData/model/ItemTreeWalk.h"
#include "Vantorel/platform/OutputText.h"

namespace vantorel::cli {

std::string numberText(double value) {
    const auto text = format::measuredNumberText(value);
    return text ? std::string(text->view()) : fmt::format("{}", value);
}

namespace {

using nlohmann::json;

// ---- Values as text -------------------------------------------------------------------------

// A color in the item's own format and space, as the editor shows it.
std::string colorText(const quenz::ColorValue& color, quenz::ColorFormat format, quenz::ColorSpace space) {
    const quenz::ColorSpace shownSpace = quenz::fitSpace(space, format);
    const quenz::ColorValue prepared = quenz::convert(color, quenz::rgbSpaceFor(shownSpace)).value_or(color);
    const auto result = quenz::ColorConverter::formatColor(prepared, format, shownSpace, {});
    if (result.colorString) return *result.colorString;
    return fmt::format("{} {} {} {}", color.red, color.green, color.blue, color.alpha);
}


std::string shadowText(const ShadowDetails& shadow, quenz::ColorFormat format, quenz::ColorSpace space) {
    return fmt::format("{} {} {} {} {}", numberText(shadow.xOffset), numberText(shadow.yOffset),
                       numberText(shadow.blur), numberText(shadow.spread), colorText(shadow.color, format, space));
}

std::string targetText(const QuenzColorProject& project, const AliasSetType& target) {
    if (!target.isSet()) return "not set";
    const auto item = project.itemWithId(target.uuid);
    const std::string name = item ? "'" + item->name() + "'" : "missing item " + target.uuid;
    if (target.kind == AliasSetType::Kind::setItem) return fmt::format("{} step {}", name, target.index);
    if (target.kind == AliasSetType::Kind::set) return name + " (middle step)";
    return name;
}

std::string targetText(const QuenzColorProject& project, const ItemAliasType& target) {
    if (!target.isSet()) return "not set";
    const auto item = project.itemWithId(target.uuid);
    return item ? "'" + item->name() + "'" : "missing item " + target.uuid;
}

template <class Alias>
std::string aliasText(const QuenzColorProject& project, const Alias& alias) {
    return "-> " + targetText(project, alias.aliasType());
}

// The light value of a value item, or its target for an alias; empty for groups and sets.
std::string lightValueText(const QuenzColorProject& project, const QuenzColorProjectItem& item) {
    switch (item.itemType()) {
        case ProjectItemType::color: {
            const auto color = item.color();
            return colorText(color->color().lightVariant, color->colorFormat(), color->colorSpace());
        }
        case ProjectItemType::number: return numberText(item.number()->value().lightVariant);
        case ProjectItemType::boolean: return item.boolean()->value().lightVariant ? "true" : "false";
        case ProjectItemType::string: return platform::jsonOutputText(json(item.string()->value().lightVariant), -1);
        case ProjectItemType::shadow: {
            const auto shadow = item.shadow();
            return shadowText(shadow->shadow().lightVariant, shadow->colorFormat(), shadow->colorSpace());
        }
        case ProjectItemType::colorAlias: return aliasText(project, *item.colorAlias());
        case ProjectItemType::shadowAlias: return aliasText(project, *item.shadowAlias());
        case ProjectItemType::numberAlias: return aliasText(project, *item.numberAlias());
        case ProjectItemType::booleanAlias: return aliasText(project, *item.booleanAlias());
        case ProjectItemType::stringAlias: return aliasText(project, *item.stringAlias());
        case ProjectItemType::group:
        case ProjectItemType::colorSet:
        case ProjectItemType::shadowSet: return {};
    }
    return {};
}

// The steps of a set as (name, light value) pairs.
std::vector<std::pair<std::string, std::string>> setSteps(const QuenzColorProjectItem& item) {
    std::vector<std::pair<std::string, std::string>> steps;
    if (const auto set = item.colorSet()) {
        for (const auto& step : set->colors()) {
            steps.emplace_back(step.name, colorText(step.lightVariant, set->colorFormat(), set->colorSpace()));
        }
    } else if (const auto shadows = item.shadowSet()) {
        for (const auto& step : shadows->shadows()) {
            steps.emplace_back(step.name, shadowText(step.lightVariant, shadows->colorFormat(), shadows->colorSpace()));
        }
    }
    return steps;
}

}  // namespace

json itemJSON(const QuenzColorProject& project, const QuenzColorProjectItem& item) {
    json entry = {{"kind", caseName(item.itemType())}, {"name", item.name()}, {"id", item.uuid()}};
    if (const auto value = item.valueItem()) {
        entry["appearance"] = rawString(value->appearanceType());
        if (value->deprecated()) entry["deprecated"] = true;
        if (const auto& reason = value->deprecatedReason()) entry["deprecatedReason"] = *reason;
    }
    if (const std::string value = lightValueText(project, item); !value.empty()) entry["value"] = value;
    const auto steps = setSteps(item);
    if (!steps.empty() || item.colorSet() || item.shadowSet()) {
        json list = json::array();
        for (const auto& [name, value] : steps) list.push_back({{"name", name}, {"value", value}});
        entry["steps"] = list;
    }
    if (const auto& group = item.buildGroup()) entry["buildGroup"] = group->name();
    if (const auto& group = item.testGroup()) {
        entry["testGroup"] = group->name();
        entry["testPosition"] = rawString(item.testPosition());
    }
    if (const auto group = item.group()) {
        entry["providesNamespace"] = group->providesNamespace();
        json children = json::array();
        for (const auto& child : group->items()) children.push_back(itemJSON(project, *child));
        entry["items"] = children;
    }
    return entry;
}

namespace {

// Levels of the tree that are indented; deeper items keep the indentation of the last one, so
// that deeply nested groups do not print the square of their depth in blanks.
constexpr std::size_t indentedLevels = 32;

void printItemLine(std::ostream& out, const QuenzColorProject& project, const QuenzColorProjectItem& item,
                   std::size_t depth) {
    const std::string indent(std::min(depth, indentedLevels) * 2 + 2, ' ');
    std::string line = fmt::format("{}{} '{}'", indent, caseName(item.itemType()), item.name());
    if (const std::string value = lightValueText(project, item); !value.empty()) line += "  " + value;
    if (const auto value = item.valueItem(); value && value->appearanceType() != AppearanceType::none) {
        line += fmt::format("  [{}]", rawString(value->appearanceType()));
    }
    if (const auto group = item.group(); group && group->providesNamespace()) line += "  [namespace]";
    if (const auto& group = item.buildGroup()) line += "  build: " + group->name();
    if (const auto& group = item.testGroup()) {
        line += fmt::format("  test: {} ({})", group->name(), rawString(item.testPosition()));
    }
    if (const auto value = item.valueItem(); value && value->deprecated()) line += "  (deprecated)";
    out << line << '\n';
    for (const auto& [name, value] : setSteps(item)) out << indent << "  - " << name << "  " << value << '\n';
}

}  // namespace

void printItemTree(std::ostream& out, const QuenzColorProject& project, const std::vector<ProjectItemPtr>& items) {
    walkItemTree(items, [&](const ProjectItemPtr& item, const ItemPlace& place) {
        printItemLine(out, project, *item, place.depth);
    });
}

}  // namespace vantorel::cli
