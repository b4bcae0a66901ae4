#include "cli/ItemListing.h"

#include <fmt/format.h>

#include <algorithm>
#include <ostream>
#include <sstream>
#include <string_view>
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

namespace {

// The entry of one item without what lies below it: a group's "items" list is left empty.
json itemEntry(const QuenzColorProject& project, const QuenzColorProjectItem& item) {
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
        entry["items"] = json::array();
    }
    return entry;
}

}  // namespace

json itemJSON(const QuenzColorProject& project, const QuenzColorProjectItem& item) {
    json entry = itemEntry(project, item);
    if (const auto group = item.group()) {
        for (const auto& child : group->items()) entry["items"].push_back(itemJSON(project, *child));
    }
    return entry;
}

namespace {

// Levels of the tree that are indented; deeper items keep the indentation of the last one, so
// that deeply nested groups do not print the square of their depth in blanks.
constexpr std::size_t indentedLevels = 32;

// The blanks that start a line `level` levels in, JSON data and text tree alike.
std::string indentation(std::size_t level) {
    return std::string(std::min(level, indentedLevels) * 2, ' ');
}

// JSON text written `level` levels in: the lines after the first get that level's blanks. Text
// from the JSON library holds line breaks only between values, never inside a string.
void writeIndented(std::ostream& out, std::string_view text, std::size_t level) {
    const std::string lineStart = indentation(level);
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        out << text.substr(start, end - start);
        if (end < text.size()) out << '\n' << lineStart;
        start = end + 1;
    }
}

// A list of items whose entries are being written: the items from `next` on are still to come,
// and `closing` (from the list's closing bracket on) ends the object that holds the list.
struct OpenItemList {
    const std::vector<ProjectItemPtr>* items;
    std::size_t next;
    std::size_t level;
    std::string closing;
};

// Writes `object` `level` levels in; when it holds an empty "items" list and `items` is not
// empty, stops after the list's opening bracket and leaves the list open on `open`.
void writeOpening(std::ostream& out, const json& object, const std::vector<ProjectItemPtr>* items, std::size_t level,
                  std::vector<OpenItemList>& open) {
    const std::string text = platform::jsonOutputText(object);
    // The object's own keys are one level in; keys of values inside it are deeper still.
    constexpr std::string_view emptyList = "\n  \"items\": []";
    const std::size_t at = items && !items->empty() ? text.find(emptyList) : std::string::npos;
    if (at == std::string::npos) {
        writeIndented(out, text, level);
        return;
    }
    const std::size_t listStart = at + emptyList.size() - 1;
    writeIndented(out, std::string_view(text).substr(0, listStart), level);
    std::ostringstream closing;
    writeIndented(closing, std::string_view(text).substr(listStart), level);
    open.push_back({items, 0, level + 1, std::move(closing).str()});
}

void printItemLine(std::ostream& out, const QuenzColorProject& project, const QuenzColorProjectItem& item,
                   std::size_t depth) {
    const std::string indent = indentation(depth + 1);
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

void writeItemTreeJSON(std::ostream& out, const json& document, const QuenzColorProject& project,
                       const std::vector<ProjectItemPtr>& items) {
    // The open lists stand in for recursion: groups nest as deep as a document likes.
    std::vector<OpenItemList> open;
    writeOpening(out, document, &items, 0, open);
    while (!open.empty()) {
        OpenItemList& list = open.back();
        if (list.next == list.items->size()) {
            out << '\n' << indentation(list.level) << list.closing;
            open.pop_back();
            continue;
        }
        const QuenzColorProjectItem& item = *(*list.items)[list.next];
        out << (list.next++ == 0 ? "\n" : ",\n") << indentation(list.level + 1);
        const auto group = item.group();
        writeOpening(out, itemEntry(project, item), group ? &group->items() : nullptr, list.level + 1, open);
    }
}

}  // namespace vantorel::cli
