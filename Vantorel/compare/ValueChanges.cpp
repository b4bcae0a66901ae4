#include "Vantorel/compare/ValueChanges.h"

#include <fmt/format.h>

#include <array>
#include <cmath>

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorOperations.h"
#include "VantorelData/model/Appearance.h"

namespace vantorel::compare {
namespace {

using quenz::ColorValue;

constexpr std::array<std::string_view, 7> valueFields = {"color", "colors", "number", "boolean",
                                                         "string", "shadow", "shadows"};
// Suffixes of the alias fields of each appearance, in the order of allColorSources.
constexpr std::array<std::string_view, 4> aliasTypeFields = {"type", "typeLightHighContrast", "typeDark",
                                                             "typeDarkHighContrast"};
constexpr std::array<std::string_view, 4> aliasReferenceFields = {
    "referencedItemId", "referencedItemIdLightHighContrast", "referencedItemIdDark",
    "referencedItemIdDarkHighContrast"};
constexpr std::array<std::string_view, 4> aliasIndexFields = {"subIndex", "subIndexLightHighContrast",
                                                              "subIndexDark", "subIndexDarkHighContrast"};

std::string appearanceName(ColorSource source) {
    std::string name(displayName(source));
    for (auto& character : name) character = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    return name;
}

std::string hexText(const ColorValue& color) {
    const auto inSRGB = quenz::convert(color, quenz::RGBSpace::sRGB);
    const auto format = color.alpha < 1 ? quenz::ColorFormat::hexRGBA : quenz::ColorFormat::hexRGB;
    const auto text = quenz::ColorConverter::formatColor(inSRGB.value_or(color), format, quenz::ColorSpace::sRGB, {});
    // Swatches are web colors: "#RRGGBB", with the alpha appended when the color is translucent.
    std::string hex = text.colorString.value_or("#000000");
    if (hex.rfind("0x", 0) == 0) hex.replace(0, 2, "#");
    return hex;
}

std::optional<double> distanceInOKLab(const ColorValue& before, const ColorValue& after) {
    const auto from = quenz::toOKLab(before);
    const auto to = quenz::toOKLab(after);
    if (!from || !to) return std::nullopt;
    return 100 * std::sqrt((from->l - to->l) * (from->l - to->l) + (from->a - to->a) * (from->a - to->a) +
                           (from->b - to->b) * (from->b - to->b));
}

std::string numberText(double value) { return fmt::format("{}", value); }
std::string valueText(double value) { return numberText(value); }
std::string valueText(bool value) { return value ? "true" : "false"; }
std::string valueText(const std::string& value) { return value; }
std::string valueText(const ColorValue& value) { return hexText(value); }
std::string valueText(const ShadowDetails& value) {
    return fmt::format("{} {} {} {} {}", numberText(value.xOffset), numberText(value.yOffset), numberText(value.blur),
                       numberText(value.spread), hexText(value.color));
}

template <class V>
std::optional<std::string> swatchOf(const std::optional<V>& value) {
    if constexpr (std::is_same_v<V, ColorValue>) {
        if (value) return hexText(*value);
    } else if constexpr (std::is_same_v<V, ShadowDetails>) {
        if (value) return hexText(value->color);
    }
    return std::nullopt;
}

template <class V>
void compareThemeable(const Themeable<V>& before, const Themeable<V>& after, const std::string& path,
                      const std::string& prefix, std::vector<Change>& changes) {
    for (const auto source : allColorSources) {
        const auto from = before.variant(source);
        const auto to = after.variant(source);
        if (from == to) continue;
        Change change{ChangeKind::valueChanged, ChangeSubject::item, path, prefix + appearanceName(source),
                      from ? valueText(*from) : "none", to ? valueText(*to) : "none"};
        change.beforeHex = swatchOf(from);
        change.afterHex = swatchOf(to);
        if constexpr (std::is_same_v<V, ColorValue>) {
            if (from && to) change.deltaE = distanceInOKLab(*from, *to);
        }
        changes.push_back(std::move(change));
    }
}

template <class Step>
void compareSteps(const std::vector<Step>& before, const std::vector<Step>& after, const std::string& path,
                  std::vector<Change>& changes) {
    const std::size_t shared = std::min(before.size(), after.size());
    for (std::size_t index = 0; index < shared; ++index) {
        compareThemeable<typename Step::Value>(before[index], after[index], path,
                                                 "step " + std::to_string(index) + " ", changes);
    }
    for (std::size_t index = shared; index < std::max(before.size(), after.size()); ++index) {
        const bool added = index >= before.size();
        const auto& step = added ? after[index] : before[index];
        Change change{ChangeKind::valueChanged, ChangeSubject::item, path, "step " + std::to_string(index),
                      added ? "none" : valueText(step.lightVariant), added ? valueText(step.lightVariant) : "none"};
        (added ? change.afterHex : change.beforeHex) = swatchOf(std::optional(step.lightVariant));
        changes.push_back(std::move(change));
    }
}

std::string fieldValue(const Entry& entry, std::string_view field) {
    const auto* property = entry.property(field);
    return property ? property->node.child_value() : std::string();
}

// "Brand/Blue", "Ramp/Blue step 3" or "none": an alias target in words, by its path in its own document.
std::string targetText(const Entry& entry, const DocumentIndex& document, std::size_t appearance) {
    const std::string type = fieldValue(entry, aliasTypeFields[appearance]);
    const std::string reference = fieldValue(entry, aliasReferenceFields[appearance]);
    if (reference.empty()) return "none";
    std::string text = document.pathOf(reference);
    if (type == "2" && entry.elementName != "alias" && entry.elementName != "shadowAlias") return text;
    if (type == "3") text += " step " + fieldValue(entry, aliasIndexFields[appearance]);
    return text;
}

void compareTargets(const Entry& before, const DocumentIndex& beforeDocument, const Entry& after,
                    const DocumentIndex& afterDocument, const std::string& path, std::vector<Change>& changes) {
    for (std::size_t appearance = 0; appearance < aliasTypeFields.size(); ++appearance) {
        const auto sameField = [&](std::string_view field) { return fieldValue(before, field) == fieldValue(after, field); };
        if (sameField(aliasTypeFields[appearance]) && sameField(aliasReferenceFields[appearance]) &&
            sameField(aliasIndexFields[appearance])) {
            continue;
        }
        changes.push_back(Change{ChangeKind::targetChanged, ChangeSubject::item, path,
                                 appearanceName(allColorSources[appearance]),
                                 targetText(before, beforeDocument, appearance),
                                 targetText(after, afterDocument, appearance)});
        changes.back().bump = VersionBump::major;
    }
}

}  // namespace

bool isValueField(std::string_view fieldName) {
    const auto inList = [&](const auto& list) { return std::find(list.begin(), list.end(), fieldName) != list.end(); };
    return inList(valueFields) || inList(aliasTypeFields) || inList(aliasReferenceFields) || inList(aliasIndexFields);
}

std::optional<std::size_t> aliasTargetAppearance(std::string_view fieldName) {
    for (const auto& list : {aliasTypeFields, aliasReferenceFields, aliasIndexFields}) {
        const auto found = std::find(list.begin(), list.end(), fieldName);
        if (found != list.end()) return static_cast<std::size_t>(found - list.begin());
    }
    return std::nullopt;
}

void appendValueChanges(const Entry& before, const DocumentIndex& beforeDocument, const Entry& after,
                        const DocumentIndex& afterDocument, const std::string& path, std::vector<Change>& changes) {
    if (!before.item || !after.item || before.item->itemType() != after.item->itemType()) return;
    const auto& from = *before.item;
    const auto& to = *after.item;
    switch (from.itemType()) {
        case ProjectItemType::color: compareThemeable(from.color()->color(), to.color()->color(), path, {}, changes); break;
        case ProjectItemType::colorSet: compareSteps(from.colorSet()->colors(), to.colorSet()->colors(), path, changes); break;
        case ProjectItemType::number: compareThemeable(from.number()->value(), to.number()->value(), path, {}, changes); break;
        case ProjectItemType::boolean: compareThemeable(from.boolean()->value(), to.boolean()->value(), path, {}, changes); break;
        case ProjectItemType::string: compareThemeable(from.string()->value(), to.string()->value(), path, {}, changes); break;
        case ProjectItemType::shadow: compareThemeable(from.shadow()->shadow(), to.shadow()->shadow(), path, {}, changes); break;
        case ProjectItemType::shadowSet: compareSteps(from.shadowSet()->shadows(), to.shadowSet()->shadows(), path, changes); break;
        case ProjectItemType::colorAlias:
        case ProjectItemType::numberAlias:
        case ProjectItemType::booleanAlias:
        case ProjectItemType::stringAlias:
        case ProjectItemType::shadowAlias:
            compareTargets(before, beforeDocument, after, afterDocument, path, changes);
            break;
        case ProjectItemType::group: break;
    }
}

}  // namespace vantorel::compare
