// Mode groups ("light", "dark", "high contrast", "dark high contrast") into appearance
// variants of the light group's items.

#include <algorithm>
#include <array>
#include <cctype>
#include <functional>

#include "Vantorel/import/ImportedColor.h"
#include "Vantorel/import/JsonTokenTree.h"

namespace vantorel::import::tokens {
namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

ProjectItemPtr childNamed(const QuenzColorGroup& group, const std::string& name, bool caseless = false) {
    for (const ProjectItemPtr& item : group.items()) {
        if (caseless ? lowerCase(item->name()) == name : item->name() == name) return item;
    }
    return nullptr;
}

// The steps of the light set take the values of the mode set's steps of the same names.
template <class Step>
std::vector<Step> withStepVariants(std::vector<Step> steps, const std::vector<Step>& from,
                                   ColorSource source) {
    for (Step& step : steps) {
        const auto match = std::find_if(from.begin(), from.end(),
                                        [&](const Step& other) { return other.name == step.name; });
        if (match != from.end()) step.setVariant(match->lightVariant, source);
    }
    return steps;
}

// A color's or shadow's variant from the mode item's light value.
template <class Payload, class Value>
void foldSingle(Payload& item, const Payload& mode, const Value& (Payload::*get)() const,
                void (Payload::*set)(Value), ColorSource source) {
    Value value = (item.*get)();
    value.setVariant((mode.*get)().lightVariant, source);
    (item.*set)(std::move(value));
}

template <class Alias>
void copyTarget(Alias& alias, const Alias& from, ColorSource source) {
    alias.setTarget(from.aliasType(), source);
}

// Stores the light value of `mode` as the `source` variant of `item`; false when the two are
// of different kinds (the mode's value is then dropped).
bool foldValue(const QuenzColorProjectItem& item, const QuenzColorProjectItem& mode, ColorSource source) {
    if (item.itemType() != mode.itemType()) return false;
    switch (item.itemType()) {
        case ProjectItemType::color:
            foldSingle(*item.color(), *mode.color(), &QuenzColorItem::color, &QuenzColorItem::setColor,
                       source);
            return true;
        case ProjectItemType::colorSet:
            item.colorSet()->setColors(
                withStepVariants(item.colorSet()->colors(), mode.colorSet()->colors(), source));
            return true;
        case ProjectItemType::shadow:
            foldSingle(*item.shadow(), *mode.shadow(), &QuenzColorShadow::shadow,
                       &QuenzColorShadow::setShadow, source);
            return true;
        case ProjectItemType::shadowSet:
            item.shadowSet()->setShadows(
                withStepVariants(item.shadowSet()->shadows(), mode.shadowSet()->shadows(), source));
            return true;
        case ProjectItemType::number:
            item.number()->setValue(mode.number()->value().lightVariant, source);
            return true;
        case ProjectItemType::boolean:
            item.boolean()->setValue(mode.boolean()->value().lightVariant, source);
            return true;
        case ProjectItemType::string:
            item.string()->setValue(mode.string()->value().lightVariant, source);
            return true;
        case ProjectItemType::colorAlias:
            copyTarget(*item.colorAlias(), *mode.colorAlias(), source);
            return true;
        case ProjectItemType::shadowAlias:
            copyTarget(*item.shadowAlias(), *mode.shadowAlias(), source);
            return true;
        case ProjectItemType::numberAlias:
            copyTarget(*item.numberAlias(), *mode.numberAlias(), source);
            return true;
        case ProjectItemType::booleanAlias:
            copyTarget(*item.booleanAlias(), *mode.booleanAlias(), source);
            return true;
        case ProjectItemType::stringAlias:
            copyTarget(*item.stringAlias(), *mode.stringAlias(), source);
            return true;
        case ProjectItemType::group:
            return false;
    }
    return false;
}

// Which variants each value item of the light tree received.
struct Received {
    bool dark = false, highContrast = false, darkHighContrast = false;
};
using ReceivedMap = std::vector<std::pair<QuenzColorProjectItem*, Received>>;

Received& receivedFor(ReceivedMap& map, QuenzColorProjectItem* item) {
    for (auto& [key, received] : map) {
        if (key == item) return received;
    }
    return map.emplace_back(item, Received{}).second;
}

void markReceived(ReceivedMap& received, QuenzColorProjectItem* item, ColorSource source) {
    Received& flags = receivedFor(received, item);
    if (source == ColorSource::dark) flags.dark = true;
    if (source == ColorSource::lightHighContrast) flags.highContrast = true;
    if (source == ColorSource::darkHighContrast) flags.darkHighContrast = true;
}

// A set's steps as items, so that they match the items of a group of the same name: runs
// become sets in each mode on their own, and one mode may hold fewer items than another.
std::vector<ProjectItemPtr> stepItems(const QuenzColorProjectItem& set) {
    std::vector<ProjectItemPtr> items;
    if (const auto colors = set.colorSet()) {
        for (const auto& step : colors->colors())
            items.push_back(makeImportedColorItem(step.name, step.lightVariant));
    }
    if (const auto shadows = set.shadowSet()) {
        for (const auto& step : shadows->shadows()) {
            items.push_back(QuenzColorProjectItem::make(
                step.name, std::make_shared<QuenzColorShadow>(ThemeableShadow(step))));
        }
    }
    return items;
}

// The steps of the light set whose names match items of the mode group take their values.
template <class Step, class Value>
std::vector<Step> stepsFromItems(
    std::vector<Step> steps, const QuenzColorGroup& mode, ColorSource source,
    const std::function<std::optional<Value>(const QuenzColorProjectItem&)>& valueOf) {
    for (Step& step : steps) {
        const ProjectItemPtr item = childNamed(mode, step.name);
        if (!item) continue;
        if (const auto value = valueOf(*item)) step.setVariant(*value, source);
    }
    return steps;
}

bool foldGroupIntoSet(const QuenzColorProjectItem& set, const QuenzColorGroup& mode, ColorSource source) {
    if (const auto colors = set.colorSet()) {
        colors->setColors(stepsFromItems<ThemeableColor, quenz::ColorValue>(
            colors->colors(), mode, source,
            [](const QuenzColorProjectItem& item) -> std::optional<quenz::ColorValue> {
                if (const auto color = item.color()) return color->color().lightVariant;
                return std::nullopt;
            }));
        return true;
    }
    if (const auto shadows = set.shadowSet()) {
        shadows->setShadows(stepsFromItems<ThemeableShadow, ShadowDetails>(
            shadows->shadows(), mode, source,
            [](const QuenzColorProjectItem& item) -> std::optional<ShadowDetails> {
                if (const auto shadow = item.shadow()) return shadow->shadow().lightVariant;
                return std::nullopt;
            }));
        return true;
    }
    return false;
}

void foldGroup(const QuenzColorGroup& light, const std::vector<ProjectItemPtr>& mode, ColorSource source,
               ReceivedMap& received) {
    for (const ProjectItemPtr& modeItem : mode) {
        const ProjectItemPtr item = childNamed(light, modeItem->name());
        if (!item) continue;
        const bool modeIsSet = modeItem->colorSet() || modeItem->shadowSet();
        if (item->isGroup() && modeItem->isGroup()) {
            foldGroup(*item->group(), modeItem->group()->items(), source, received);
        } else if (item->isGroup() && modeIsSet) {
            foldGroup(*item->group(), stepItems(*modeItem), source, received);
        } else if (modeItem->isGroup() && foldGroupIntoSet(*item, *modeItem->group(), source)) {
            markReceived(received, item.get(), source);
        } else if (foldValue(*item, *modeItem, source)) {
            markReceived(received, item.get(), source);
        }
    }
}

}  // namespace

void foldModeGroups(QuenzColorGroup& importGroup) {
    const ProjectItemPtr light = childNamed(importGroup, "light", true);
    if (!light || !light->isGroup()) return;
    struct Mode {
        const char* name;
        ColorSource source;
    };
    static constexpr std::array<Mode, 3> modes{{{"dark", ColorSource::dark},
                                                {"high contrast", ColorSource::lightHighContrast},
                                                {"dark high contrast", ColorSource::darkHighContrast}}};
    ReceivedMap received;
    std::vector<ProjectItemPtr> modeGroups;
    bool darkFound = false;
    for (const Mode& mode : modes) {
        const ProjectItemPtr group = childNamed(importGroup, mode.name, true);
        if (!group || !group->isGroup()) continue;
        if (mode.source == ColorSource::dark) darkFound = true;
        foldGroup(*light->group(), group->group()->items(), mode.source, received);
        modeGroups.push_back(group);
    }
    for (auto& [item, flags] : received) {
        AppearanceType type = AppearanceType::lightAndDark;
        if (flags.darkHighContrast || (flags.highContrast && darkFound))
            type = AppearanceType::lightDarkHighContrast;
        else if (flags.highContrast)
            type = AppearanceType::highContrast;
        item->valueItem()->setAppearanceType(type);
    }

    std::vector<ProjectItemPtr> remaining;
    for (const ProjectItemPtr& item : importGroup.items()) {
        if (std::find(modeGroups.begin(), modeGroups.end(), item) == modeGroups.end())
            remaining.push_back(item);
    }
    if (remaining.size() == 1 && remaining.front() == light) remaining = light->group()->items();
    importGroup.setItems(std::move(remaining));
}

}  // namespace vantorel::import::tokens
