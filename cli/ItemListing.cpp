#include "cli/ItemListing.h"

#include <fmt/format.h>

#include <algorithm>
#include <ostream>
#include <string_view>
#include <utility>
#include <variant>

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
    const std::string name = item ? "'" + item->name() + "'" : "missing item " + target.uuid.str();
    if (target.kind == AliasSetType::Kind::setItem) return fmt::format("{} step {}", name, target.index);
    if (target.kind == AliasSetType::Kind::set) return name + " (middle step)";
    return name;
}

std::string targetText(const QuenzColorProject& project, const ItemAliasType& target) {
    if (!target.isSet()) return "not set";
    const auto item = project.itemWithId(target.uuid);
    return item ? "'" + item->name() + "'" : "missing item " + target.uuid.str();
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
using SetSteps = std::vector<std::pair<std::string, std::string>>;

SetSteps setSteps(const QuenzColorProjectItem& item) {
    SetSteps steps;
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

// ---- Entries --------------------------------------------------------------------------------

// Where a group's "items" list stands among its fields.
struct ItemList {};

// One field of an item's JSON entry: a text, a flag, a set's steps or a group's items.
struct ItemField {
    std::string_view key;
    std::variant<std::string, bool, SetSteps, ItemList> value;
};

// The fields of an item's entry, in the order of their keys (as JSON objects print them).
std::vector<ItemField> itemFields(const QuenzColorProject& project, const QuenzColorProjectItem& item) {
    std::vector<ItemField> fields;
    fields.reserve(13);
    const auto value = item.valueItem();
    if (value) fields.push_back({"appearance", std::string(rawString(value->appearanceType()))});
    if (const auto& group = item.buildGroup()) fields.push_back({"buildGroup", group->name()});
    if (value && value->deprecated()) fields.push_back({"deprecated", true});
    if (value && value->deprecatedReason()) fields.push_back({"deprecatedReason", *value->deprecatedReason()});
    fields.push_back({"id", item.uuid()});
    const auto group = item.group();
    if (group) fields.push_back({"items", ItemList{}});
    fields.push_back({"kind", std::string(caseName(item.itemType()))});
    fields.push_back({"name", item.name()});
    if (group) fields.push_back({"providesNamespace", group->providesNamespace()});
    if (auto steps = setSteps(item); !steps.empty() || item.colorSet() || item.shadowSet()) {
        fields.push_back({"steps", std::move(steps)});
    }
    if (const auto& testGroup = item.testGroup()) {
        fields.push_back({"testGroup", testGroup->name()});
        fields.push_back({"testPosition", std::string(rawString(item.testPosition()))});
    }
    if (std::string text = lightValueText(project, item); !text.empty()) fields.push_back({"value", std::move(text)});
    return fields;
}

}  // namespace

json itemJSON(const QuenzColorProject& project, const QuenzColorProjectItem& item) {
    json entry = json::object();
    for (auto& field : itemFields(project, item)) {
        json& value = entry[std::string(field.key)];
        if (auto* text = std::get_if<std::string>(&field.value)) value = std::move(*text);
        if (const auto* flag = std::get_if<bool>(&field.value)) value = *flag;
        if (const auto* steps = std::get_if<SetSteps>(&field.value)) {
            value = json::array();
            for (const auto& [name, stepValue] : *steps) value.push_back({{"name", name}, {"value", stepValue}});
        }
        if (std::holds_alternative<ItemList>(field.value)) {
            value = json::array();
            for (const auto& child : item.group()->items()) value.push_back(itemJSON(project, *child));
        }
    }
    return entry;
}

namespace {

// ---- Indented output ------------------------------------------------------------------------

// Levels of the tree that are indented; deeper items keep the indentation of the last one, so
// that deeply nested groups do not print the square of their depth in blanks.
constexpr std::size_t indentedLevels = 32;

// The blanks that start a line `level` levels in, JSON data and text tree alike.
std::string_view indentation(std::size_t level) {
    static const std::string blanks(indentedLevels * 2, ' ');
    return std::string_view(blanks).substr(0, std::min(level, indentedLevels) * 2);
}

void appendLine(std::string& text, std::size_t level) {
    text += '\n';
    text += indentation(level);
}

// A string as JSON text. Most names and values need no escaping and are copied as they are;
// the others are escaped the way all JSON output of the commands is.
void appendJSONString(std::string& text, const std::string& value) {
    const bool plain = std::none_of(value.begin(), value.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == '"' || c == '\\';
    });
    if (plain && platform::isValidUTF8(value)) {
        text += '"';
        text += value;
        text += '"';
    } else {
        text += platform::jsonOutputText(json(value), -1);
    }
}

// A set's steps, their list written `level` levels in.
void appendSteps(std::string& text, const SetSteps& steps, std::size_t level) {
    if (steps.empty()) {
        text += "[]";
        return;
    }
    text += '[';
    for (std::size_t i = 0; i < steps.size(); ++i) {
        text += i == 0 ? "" : ",";
        appendLine(text, level + 1);
        text += '{';
        appendLine(text, level + 2);
        text += "\"name\": ";
        appendJSONString(text, steps[i].first);
        text += ',';
        appendLine(text, level + 2);
        text += "\"value\": ";
        appendJSONString(text, steps[i].second);
        appendLine(text, level + 1);
        text += '}';
    }
    appendLine(text, level);
    text += ']';
}

// Appends the fields from `first` on of an entry written `level` levels in, up to a non-empty
// "items" list (whose opening bracket ends the text; its position comes back) or the end of
// the entry.
std::size_t appendFields(std::string& text, const std::vector<ItemField>& fields, std::size_t first, std::size_t level,
                         bool hasItems) {
    for (std::size_t i = first; i < fields.size(); ++i) {
        if (i > 0) text += ',';
        appendLine(text, level + 1);
        text += '"';
        text += fields[i].key;
        text += "\": ";
        const auto& value = fields[i].value;
        if (const auto* string = std::get_if<std::string>(&value)) appendJSONString(text, *string);
        if (const auto* flag = std::get_if<bool>(&value)) text += *flag ? "true" : "false";
        if (const auto* steps = std::get_if<SetSteps>(&value)) appendSteps(text, *steps, level + 1);
        if (std::holds_alternative<ItemList>(value)) {
            text += '[';
            if (hasItems) return i;
            text += ']';
        }
    }
    appendLine(text, level);
    text += '}';
    return fields.size();
}

// A list of items whose entries are being written: the items from `next` on are still to come,
// and `closing` (from the list's closing bracket on) ends the object that holds the list.
struct OpenItemList {
    const std::vector<ProjectItemPtr>* items;
    std::size_t next;
    std::size_t level;
    std::string closing;
};

// The entry of `item` written `level` levels in; a group with items stops after the opening
// bracket of its list and leaves the list open on `open`.
void appendItemOpening(std::string& text, const QuenzColorProject& project, const QuenzColorProjectItem& item,
                       std::size_t level, std::vector<OpenItemList>& open) {
    const auto fields = itemFields(project, item);
    const auto group = item.group();
    const bool hasItems = group && !group->items().empty();
    text += '{';
    const std::size_t list = appendFields(text, fields, 0, level, hasItems);
    if (list == fields.size()) return;
    std::string closing = "]";
    appendFields(closing, fields, list + 1, level, false);
    open.push_back({&group->items(), 0, level + 1, std::move(closing)});
}

void printItemLine(std::ostream& out, const QuenzColorProject& project, const QuenzColorProjectItem& item,
                   std::size_t depth) {
    const std::string indent(indentation(depth + 1));
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
    const std::string documentText = platform::jsonOutputText(document);
    // The document's own keys are one level in; keys of values inside it are deeper still.
    constexpr std::string_view emptyList = "\n  \"items\": []";
    const std::size_t at = items.empty() ? std::string::npos : documentText.find(emptyList);
    if (at == std::string::npos) {
        out << documentText;
        return;
    }
    const std::size_t listEnd = at + emptyList.size() - 1;
    out << std::string_view(documentText).substr(0, listEnd);

    // The open lists stand in for recursion: groups nest as deep as a document likes.
    std::vector<OpenItemList> open{{&items, 0, 1, documentText.substr(listEnd)}};
    std::string text;
    while (!open.empty()) {
        OpenItemList& list = open.back();
        if (list.next == list.items->size()) {
            appendLine(text, list.level);
            text += list.closing;
            open.pop_back();
        } else {
            const QuenzColorProjectItem& item = *(*list.items)[list.next];
            text += list.next++ == 0 ? "" : ",";
            const std::size_t level = list.level + 1;
            appendLine(text, level);
            appendItemOpening(text, project, item, level, open);
        }
        if (text.size() > 1 << 16 || open.empty()) {
            out << text;
            text.clear();
        }
    }
}

}  // namespace vantorel::cli
