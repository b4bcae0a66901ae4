// Mode groups ("light", "dark", "high contrast", "dark high contrast") into appearance
// variants of the light group's items.

#include <algorithm>
#include <array>
#include <cctype>

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

template <class Step>
std::vector<Step> withStepVariants(std::vector<Step> steps, const std::vector<Step>& from, ColorSource source) {
    for (std::size_t i = 0; i < steps.size() && i < from.size(); ++i) steps[i].setVariant(from[i].lightVariant, source);
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
            foldSingle(*item.color(), *mode.color(), &QuenzColorItem::color, &QuenzColorItem::setColor, source);
            return true;
        case ProjectItemType::colorSet:
            item.colorSet()->setColors(withStepVariants(item.colorSet()->colors(), mode.colorSet()->colors(), source));
            return true;
        case ProjectItemType::shadow:
            foldSingle(*item.shadow(), *mode.shadow(), &QuenzColorShadow::shadow, &QuenzColorShadow::setShadow, source);
            return true;
        case ProjectItemType::shadowSet:
            item.shadowSet()->setShadows(
                withStepVariants(item.shadowSet()->shadows(), mode.shadowSet()->shadows(), source));
            return true;
        case ProjectItemType::number: item.number()->setValue(mode.number()->value().lightVariant, source); return true;
        case ProjectItemType::boolean: item.boolean()->setValue(mode.boolean()->value().lightVariant, source); return true;
        case ProjectItemType::string: item.string()->setValue(mode.string()->value().lightVariant, source); return true;
        case ProjectItemType::colorAlias: copyTarget(*item.colorAlias(), *mode.colorAlias(), source); return true;
        case ProjectItemType::shadowAlias: copyTarget(*item.shadowAlias(), *mode.shadowAlias(), source); return true;
        case ProjectItemType::numberAlias: copyTarget(*item.numberAlias(), *mode.numberAlias(), source); return true;
        case ProjectItemType::booleanAlias: copyTarget(*item.booleanAlias(), *mode.booleanAlias(), source); return true;
        case ProjectItemType::stringAlias: copyTarget(*item.stringAlias(), *mode.stringAlias(), source); return true;
        case ProjectItemType::group: return false;
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

void foldGroup(const QuenzColorGroup& light, const QuenzColorGroup& mode, ColorSource source, ReceivedMap& received) {
    for (const ProjectItemPtr& modeItem : mode.items()) {
        const ProjectItemPtr item = childNamed(light, modeItem->name());
        if (!item) continue;
        if (item->isGroup() && modeItem->isGroup()) {
            foldGroup(*item->group(), *modeItem->group(), source, received);
        } else if (foldValue(*item, *modeItem, source)) {
            Received& flags = receivedFor(received, item.get());
            if (source == ColorSource::dark) flags.dark = true;
            if (source == ColorSource::lightHighContrast) flags.highContrast = true;
            if (source == ColorSource::darkHighContrast) flags.darkHighContrast = true;
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
        foldGroup(*light->group(), *group->group(), mode.source, received);
        modeGroups.push_back(group);
    }
    for (auto& [item, flags] : received) {
        AppearanceType type = AppearanceType::lightAndDark;
        if (flags.darkHighContrast || (flags.highContrast && darkFound)) type = AppearanceType::lightDarkHighContrast;
        else if (flags.highContrast) type = AppearanceType::highContrast;
        item->valueItem()->setAppearanceType(type);
    }

    std::vector<ProjectItemPtr> remaining;
    for (const ProjectItemPtr& item : importGroup.items()) {
        if (std::find(modeGroups.begin(), modeGroups.end(), item) == modeGroups.end()) remaining.push_back(item);
    }
    if (remaining.size() == 1 && remaining.front() == light) remaining = light->group()->items();
    importGroup.setItems(std::move(remaining));
}

}  // namespace vantorel::import::tokens
