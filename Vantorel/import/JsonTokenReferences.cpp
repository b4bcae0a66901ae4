// References between tokens ("{group.token}") into aliases of the items they name.

#include "Vantorel/import/JsonTokenTree.h"

namespace vantorel::import::tokens {
namespace {

struct Target {
    ProjectItemPtr item;      // a value item, or a set
    std::optional<int> step;  // the step of `item` when it is a set
};

// The item at `path` below `group`; the last name may also name a step of a set.
std::optional<Target> find(const QuenzColorGroup& group, const std::vector<std::string>& path,
                           std::size_t at = 0) {
    for (const ProjectItemPtr& item : group.items()) {
        if (item->name() != path[at]) continue;
        if (at + 1 == path.size()) {
            if (item->isGroup()) return std::nullopt;
            return Target{item, std::nullopt};
        }
        if (item->isGroup()) {
            if (auto found = find(*item->group(), path, at + 1)) return found;
            continue;
        }
        if (at + 2 != path.size()) continue;
        const auto stepNamed = [&](const auto& steps) -> std::optional<Target> {
            for (std::size_t i = 0; i < steps.size(); ++i) {
                if (steps[i].name == path[at + 1]) return Target{item, static_cast<int>(i)};
            }
            return std::nullopt;
        };
        if (const auto set = item->colorSet()) return stepNamed(set->colors());
        if (const auto set = item->shadowSet()) return stepNamed(set->shadows());
    }
    return std::nullopt;
}

ProjectItemPtr aliasOf(const QuenzColorProjectItem& placeholder, const Target& target) {
    const CommonValueFields common = placeholder.valueItem()->commonFields();
    const std::string& uuid = target.item->uuid();
    const AliasSetType setTarget = target.step ? AliasSetType::setItem(uuid, *target.step)
                                   : target.item->colorSet() || target.item->shadowSet()
                                       ? AliasSetType::set(uuid)
                                       : AliasSetType::item(uuid);
    const auto make = [&](auto payload) {
        return QuenzColorProjectItem::make(placeholder.name(), std::move(payload));
    };
    switch (target.item->itemType()) {
        case ProjectItemType::color:
        case ProjectItemType::colorSet:
            return make(std::make_shared<QuenzColorAlias>(AliasSetTargets{setTarget}, common));
        case ProjectItemType::shadow:
        case ProjectItemType::shadowSet:
            return make(std::make_shared<QuenzColorShadowAlias>(AliasSetTargets{setTarget}, common));
        case ProjectItemType::number:
            return make(
                std::make_shared<QuenzColorNumberAlias>(ItemAliasTargets{ItemAliasType::item(uuid)}, common));
        case ProjectItemType::boolean:
            return make(std::make_shared<QuenzColorBooleanAlias>(ItemAliasTargets{ItemAliasType::item(uuid)},
                                                                 common));
        case ProjectItemType::string:
            return make(
                std::make_shared<QuenzColorStringAlias>(ItemAliasTargets{ItemAliasType::item(uuid)}, common));
        default:
            return nullptr;  // aliases point at plain value items only
    }
}

bool replace(QuenzColorGroup& group, const ProjectItemPtr& old, const ProjectItemPtr& replacement) {
    std::vector<ProjectItemPtr> items = group.items();
    for (ProjectItemPtr& item : items) {
        if (item == old) {
            item = replacement;
            group.setItems(std::move(items));
            return true;
        }
        if (item->isGroup() && replace(*item->group(), old, replacement)) return true;
    }
    return false;
}

}  // namespace

void resolveReferences(QuenzColorGroup& importGroup, const std::vector<PendingReference>& references) {
    const auto targetOf = [&](const PendingReference& reference) {
        std::optional<Target> target = find(importGroup, reference.reference);
        // Within a mode group ("light", "dark", …) a reference names a token of the same mode.
        if (!target && reference.path.size() > 1) {
            std::vector<std::string> inMode{reference.path.front()};
            inMode.insert(inMode.end(), reference.reference.begin(), reference.reference.end());
            target = find(importGroup, inMode);
        }
        return target;
    };
    const auto pendingFor = [&](const ProjectItemPtr& item) -> const PendingReference* {
        for (const PendingReference& reference : references) {
            if (reference.placeholder == item) return &reference;
        }
        return nullptr;
    };
    // Targets first, all while the placeholders are still in place: a reference to another
    // reference follows it to the value it ends at (aliases never point at aliases).
    std::vector<std::pair<ProjectItemPtr, ProjectItemPtr>> replacements;
    for (const PendingReference& reference : references) {
        std::optional<Target> target = targetOf(reference);
        for (int hop = 0; target && hop < 16; ++hop) {
            const PendingReference* next = target->step ? nullptr : pendingFor(target->item);
            if (!next) break;
            target = targetOf(*next);
        }
        if (!target || pendingFor(target->item)) continue;
        if (ProjectItemPtr alias = aliasOf(*reference.placeholder, *target)) {
            replacements.emplace_back(reference.placeholder, std::move(alias));
        }
    }
    for (const auto& [placeholder, alias] : replacements) replace(importGroup, placeholder, alias);
}

}  // namespace vantorel::import::tokens
