#pragma once
// Walks over the item tree with a list of open groups instead of recursion: groups nest to any
// depth, and a recursive walk over a document of deeply nested groups would exhaust the stack.

#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

#include "VantorelData/model/ProjectItem.h"

namespace vantorel {

// What a walk does after entering an item: go into a group's children, pass over them, or end.
enum class WalkStep { descend, skipChildren, stop };

// Where an entered item sits: how many groups enclose it and its index among its siblings.
struct ItemPlace {
    std::size_t depth = 0;
    std::size_t index = 0;
};

// Visits every item of `items` depth first, a group before its children, siblings in order;
// null entries are passed over. `enter(item)` or `enter(item, place)` returns a `WalkStep`, or
// nothing to descend everywhere; `leave(group)` follows the children of every group the walk
// went into. The tree must not change during the walk. False when `enter` stopped it.
template <class Enter, class Leave>
bool walkItemTree(const std::vector<ProjectItemPtr>& items, Enter&& enter, Leave&& leave) {
    struct Level {
        const std::vector<ProjectItemPtr>* items;
        std::size_t next;
        const ProjectItemPtr* group;
    };
    std::vector<Level> levels{{&items, 0, nullptr}};
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.items->size()) {
            const ProjectItemPtr* group = level.group;
            levels.pop_back();
            if (group) leave(*group);
            continue;
        }
        const std::size_t index = level.next++;
        const ProjectItemPtr& item = (*level.items)[index];
        if (!item) continue;
        WalkStep step = WalkStep::descend;
        if constexpr (std::is_invocable_v<Enter&, const ProjectItemPtr&, const ItemPlace&>) {
            using Result = std::invoke_result_t<Enter&, const ProjectItemPtr&, const ItemPlace&>;
            const ItemPlace place{levels.size() - 1, index};
            if constexpr (std::is_void_v<Result>) {
                enter(item, place);
            } else {
                step = enter(item, place);
            }
        } else {
            if constexpr (std::is_void_v<std::invoke_result_t<Enter&, const ProjectItemPtr&>>) {
                enter(item);
            } else {
                step = enter(item);
            }
        }
        if (step == WalkStep::stop) return false;
        if (step == WalkStep::skipChildren) continue;
        if (const auto* group = item->payloadIf<QuenzColorGroup>()) levels.push_back({&group->items(), 0, &item});
    }
    return true;
}

// The same without a step after the children.
template <class Enter>
bool walkItemTree(const std::vector<ProjectItemPtr>& items, Enter&& enter) {
    return walkItemTree(items, std::forward<Enter>(enter), [](const ProjectItemPtr&) {});
}

}  // namespace vantorel
