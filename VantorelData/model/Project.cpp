#include "VantorelData/model/Project.h"

#include "VantorelData/model/ItemTreeWalk.h"
#include "VantorelData/model/ReferenceLinker.h"

#include <algorithm>
#include <functional>

namespace vantorel {
namespace {

// The path of the first item with this identifier, in search order.
std::optional<ItemPath> findPath(const std::vector<ProjectItemPtr>& items, const Identifier& uuid) {
    ItemPath path;
    bool found = false;
    walkItemTree(items, [&](const ProjectItemPtr& item, const ItemPlace& place) {
        path.resize(place.depth);
        path.push_back(place.index);
        found = item->uuid() == uuid;
        return found ? WalkStep::stop : WalkStep::descend;
    });
    if (!found) return std::nullopt;
    return path;
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

ProjectItemPtr QuenzColorProject::itemWithId(const Identifier& uuid) const {
    ProjectItemPtr found;
    walkItemTree(items_, [&](const ProjectItemPtr& item) {
        if (item->uuid() != uuid) return WalkStep::descend;
        found = item;
        return WalkStep::stop;
    });
    return found;
}

std::optional<ItemPath> QuenzColorProject::indexPath(const Identifier& uuid) const {
    return findPath(items_, uuid);
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
    walkItemTree(items_, [&](const ProjectItemPtr& item) { visit(item); });
}

void QuenzColorProject::linkReferences() {
    // Every item offered in search order, in one walk: on a large document each item visited is
    // a cache miss.
    ReferenceLinker linker;
    walkItemTree(items_, [&](const ProjectItemPtr& item) { linker.add(item); });
    linker.link();
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
