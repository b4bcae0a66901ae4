#include "VantorelData/model/Project.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace vantorel {
namespace {

// Depth-first walk; `visit` returns true to stop.
bool walk(const std::vector<ProjectItemPtr>& items, const std::function<bool(const ProjectItemPtr&)>& visit) {
    for (const ProjectItemPtr& item : items) {
        if (!item) continue;
        if (visit(item)) return true;
        if (const auto group = item->group(); group && walk(group->items(), visit)) return true;
    }
    return false;
}

bool findPath(const std::vector<ProjectItemPtr>& items, std::string_view uuid, ItemPath& path) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        const ProjectItemPtr& item = items[i];
        if (!item) continue;
        path.push_back(i);
        if (item->uuid() == uuid) return true;
        if (const auto group = item->group(); group && findPath(group->items(), uuid, path)) return true;
        path.pop_back();
    }
    return false;
}

bool isAlias(ProjectItemType type) {
    switch (type) {
        case ProjectItemType::colorAlias:
        case ProjectItemType::numberAlias:
        case ProjectItemType::booleanAlias:
        case ProjectItemType::stringAlias:
        case ProjectItemType::shadowAlias: return true;
        default: return false;
    }
}

// Every item of the tree, depth first (the search order of `itemWithId`), and the aliases
// among them: one walk, since on a large document each item visited is a cache miss.
void collect(const std::vector<ProjectItemPtr>& items, std::vector<const ProjectItemPtr*>& all,
             std::vector<const ProjectItemPtr*>& aliases) {
    for (const ProjectItemPtr& item : items) {
        if (!item) continue;
        all.push_back(&item);
        const ProjectItemType type = item->itemType();
        if (type == ProjectItemType::group) {
            if (const auto& group = std::get<std::shared_ptr<QuenzColorGroup>>(item->payload())) {
                collect(group->items(), all, aliases);
            }
        } else if (isAlias(type)) {
            aliases.push_back(&item);
        }
    }
}

// The first item of each identifier in search order, so that linking every alias of a large
// document costs one walk instead of one walk per alias. Open addressing in a table at most
// half full: a lookup reads one or two slots and the identifier of the item found, where
// a node-based map chased a pointer per node through a cold heap.
class FirstItemById {
public:
    explicit FirstItemById(const std::vector<const ProjectItemPtr*>& items)
        : slots_(std::bit_ceil(2 * items.size() + 1)), mask_(slots_.size() - 1) {
        for (const ProjectItemPtr* item : items) insertFirst(*item);
    }

    // The item with this identifier; the null pointer when there is none.
    const ProjectItemPtr& find(std::string_view uuid) const {
        static const ProjectItemPtr none;
        const std::size_t hash = std::hash<std::string_view>{}(uuid);
        for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
            const Slot& slot = slots_[i];
            if (!slot.item) return none;
            if (slot.hash == hash && (*slot.item)->uuid() == uuid) return *slot.item;
        }
    }

private:
    struct Slot {
        std::size_t hash = 0;
        const ProjectItemPtr* item = nullptr;
    };

    void insertFirst(const ProjectItemPtr& item) {
        const std::string& uuid = item->uuid();
        const std::size_t hash = std::hash<std::string_view>{}(uuid);
        for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
            Slot& slot = slots_[i];
            if (!slot.item) {
                slot = {hash, &item};
                return;
            }
            if (slot.hash == hash && (*slot.item)->uuid() == uuid) return;  // an earlier item keeps the identifier
        }
    }

    std::vector<Slot> slots_;
    std::size_t mask_;
};

template <class Alias>
void linkSetAlias(const FirstItemById& items, Alias& alias) {
    for (ColorSource source : allColorSources) {
        const AliasSetType& target = alias.target(source);
        switch (target.kind) {
            case AliasSetType::Kind::item:
            case AliasSetType::Kind::set: alias.setReference(source, items.find(target.uuid), std::nullopt); break;
            case AliasSetType::Kind::setItem: alias.setReference(source, items.find(target.uuid), target.index); break;
            case AliasSetType::Kind::notSet: alias.setReference(source, nullptr, std::nullopt); break;
        }
    }
}

template <class Alias>
void linkItemAlias(const FirstItemById& items, Alias& alias) {
    for (ColorSource source : allColorSources) {
        const ItemAliasType& target = alias.target(source);
        if (target.kind == ItemAliasType::Kind::item) {
            alias.setReference(source, items.find(target.uuid));
        } else {
            alias.setReference(source, nullptr);
        }
    }
}

// Links the alias payload in slot I of an item, if it holds one.
template <std::size_t I, class Link>
void linkSlot(const ProjectItemPayload& payload, const Link& link) {
    if (const auto* alias = std::get_if<I>(&payload); alias && *alias) link(**alias);
}

}  // namespace

void QuenzColorProject::appendBuildGroup(BuildGroupPtr group) {
    if (!group) return;
    buildGroups_.push_back(std::move(group));
    notifyChanged(PropertyId::buildGroups);
}

void QuenzColorProject::appendTestGroup(TestGroupPtr group) {
    if (!group) return;
    testGroups_.push_back(std::move(group));
    notifyChanged(PropertyId::testGroups);
}

DocumentSettingPtr QuenzColorProject::setting(std::string_view key) const {
    const auto found = std::find_if(settings_.begin(), settings_.end(),
                                    [key](const DocumentSettingPtr& setting) { return setting && setting->key() == key; });
    return found == settings_.end() ? nullptr : *found;
}

void QuenzColorProject::addSetting(std::string key, std::string value) {
    settings_.push_back(std::make_shared<DocumentSetting>(std::move(key), std::move(value)));
    notifyChanged(PropertyId::settings);
}

void QuenzColorProject::setSettingValue(std::string_view key, std::string value) {
    if (const auto existing = setting(key)) {
        existing->setValue(std::move(value));
    } else {
        addSetting(std::string(key), std::move(value));
    }
}

AppContentMode QuenzColorProject::displayMode() const {
    const auto stored = setting(displayModeSettingKey);
    return appContentModeFromSettingValue(stored ? std::optional(stored->value()) : std::nullopt);
}

void QuenzColorProject::setDisplayMode(AppContentMode mode) {
    setSettingValue(displayModeSettingKey, std::string(settingValue(mode)));
}

ProjectItemPtr QuenzColorProject::itemWithId(std::string_view uuid) const {
    ProjectItemPtr found;
    walk(items_, [&](const ProjectItemPtr& item) {
        if (item->uuid() != uuid) return false;
        found = item;
        return true;
    });
    return found;
}

std::optional<ItemPath> QuenzColorProject::indexPath(std::string_view uuid) const {
    ItemPath path;
    if (!findPath(items_, uuid, path)) return std::nullopt;
    return path;
}

ProjectItemPtr QuenzColorProject::itemAtPath(const ItemPath& path) const {
    const std::vector<ProjectItemPtr>* level = &items_;
    ProjectItemPtr item;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (!level || path[i] >= level->size()) return nullptr;
        item = (*level)[path[i]];
        if (!item) return nullptr;
        const auto group = item->group();
        level = group ? &group->items() : nullptr;
    }
    return item;
}

void QuenzColorProject::insert(const std::vector<ProjectItemPtr>& items, const std::optional<ItemPath>& path) {
    std::vector<ProjectItemPtr> inserted;
    std::copy_if(items.begin(), items.end(), std::back_inserter(inserted), [](const ProjectItemPtr& p) { return p; });
    if (inserted.empty()) return;
    if (!path) {
        std::vector<ProjectItemPtr> changed = items_;
        changed.insert(changed.end(), inserted.begin(), inserted.end());
        setItems(std::move(changed));
        return;
    }
    const std::size_t index = path->empty() ? 0 : path->back();
    const ItemPath parentPath(path->begin(), path->empty() ? path->end() : path->end() - 1);
    const ProjectItemPtr parent = parentPath.empty() ? nullptr : itemAtPath(parentPath);
    if (const auto group = parent ? parent->group() : nullptr) {
        std::vector<ProjectItemPtr> changed = group->items();
        const auto at = changed.begin() + static_cast<std::ptrdiff_t>(std::min(index, changed.size()));
        changed.insert(at, inserted.begin(), inserted.end());
        group->setItems(std::move(changed));
        return;
    }
    std::vector<ProjectItemPtr> changed = items_;
    const auto at = changed.begin() + static_cast<std::ptrdiff_t>(std::min(index, changed.size()));
    changed.insert(at, inserted.begin(), inserted.end());
    setItems(std::move(changed));
}

void QuenzColorProject::forEachItem(const std::function<void(const ProjectItemPtr&)>& visit) const {
    walk(items_, [&](const ProjectItemPtr& item) {
        visit(item);
        return false;
    });
}

void QuenzColorProject::linkReferences() {
    std::vector<const ProjectItemPtr*> all;
    std::vector<const ProjectItemPtr*> aliases;
    collect(items_, all, aliases);
    const FirstItemById firstItems(all);
    const auto setAlias = [&](auto& alias) { linkSetAlias(firstItems, alias); };
    const auto itemAlias = [&](auto& alias) { linkItemAlias(firstItems, alias); };
    for (const ProjectItemPtr* item : aliases) {
        const ProjectItemPayload& payload = (*item)->payload();
        switch ((*item)->itemType()) {
            case ProjectItemType::colorAlias: linkSlot<3>(payload, setAlias); break;
            case ProjectItemType::numberAlias: linkSlot<5>(payload, itemAlias); break;
            case ProjectItemType::booleanAlias: linkSlot<7>(payload, itemAlias); break;
            case ProjectItemType::stringAlias: linkSlot<9>(payload, itemAlias); break;
            case ProjectItemType::shadowAlias: linkSlot<12>(payload, setAlias); break;
            default: break;
        }
    }
}

ResolvedAliasTarget QuenzColorProject::resolveAliasTarget(const AliasSetType& target) const {
    switch (target.kind) {
        case AliasSetType::Kind::item:
        case AliasSetType::Kind::set: return {itemWithId(target.uuid), std::nullopt};
        case AliasSetType::Kind::setItem: return {itemWithId(target.uuid), target.index};
        case AliasSetType::Kind::notSet: return {};
    }
    return {};
}

ProjectItemPtr QuenzColorProject::resolveAliasTarget(const ItemAliasType& target) const {
    return target.kind == ItemAliasType::Kind::item ? itemWithId(target.uuid) : nullptr;
}

std::vector<ProjectItemPtr> QuenzColorProject::itemsInBuildGroup(const BuildGroup& group) const {
    std::vector<ProjectItemPtr> assigned;
    forEachItem([&](const ProjectItemPtr& item) {
        if (item->buildGroup() && item->buildGroup()->uuid() == group.uuid()) assigned.push_back(item);
    });
    return assigned;
}

std::vector<ProjectItemPtr> QuenzColorProject::itemsInTestGroup(const TestGroup& group) const {
    std::vector<ProjectItemPtr> assigned;
    forEachItem([&](const ProjectItemPtr& item) {
        if (item->testGroup() && item->testGroup()->uuid() == group.uuid()) assigned.push_back(item);
    });
    return assigned;
}

QuenzColorProjectStatistics QuenzColorProject::statistics() const {
    QuenzColorProjectStatistics counts;
    forEachItem([&counts](const ProjectItemPtr& item) {
        switch (item->itemType()) {
            case ProjectItemType::group: ++counts.groupCount; break;
            case ProjectItemType::color: ++counts.colorItemCount; break;
            case ProjectItemType::colorSet: ++counts.colorSetCount; break;
            case ProjectItemType::colorAlias: ++counts.colorAliasCount; break;
            case ProjectItemType::number: ++counts.numberCount; break;
            case ProjectItemType::numberAlias: ++counts.numberAliasCount; break;
            case ProjectItemType::boolean: ++counts.booleanCount; break;
            case ProjectItemType::booleanAlias: ++counts.booleanAliasCount; break;
            case ProjectItemType::string: ++counts.stringCount; break;
            case ProjectItemType::stringAlias: ++counts.stringAliasCount; break;
            case ProjectItemType::shadow: ++counts.shadowCount; break;
            case ProjectItemType::shadowSet: ++counts.shadowSetCount; break;
            case ProjectItemType::shadowAlias: ++counts.shadowAliasCount; break;
        }
    });
    return counts;
}

}  // namespace vantorel
