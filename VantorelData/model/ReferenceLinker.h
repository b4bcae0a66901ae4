#pragma once
// ReferenceLinker: points every alias of a tree at the items its targets name. Items are
// offered in search order (depth first, a group before its children), so that when two items
// share an identifier the first one wins, as in `itemWithId`. Linking a large document this way
// costs one hash per item and one lookup per target, instead of one walk per alias.

#include <cstddef>
#include <string_view>
#include <vector>

#include "VantorelData/model/ProjectItem.h"

namespace vantorel {

class ReferenceLinker {
public:
    void reserve(std::size_t items) {
        items_.reserve(items);
        hashes_.reserve(items);
    }

    // Takes the next place in search order for an item that is not made yet: a reader that
    // builds a group's children before the group itself claims the group's place first.
    std::size_t claimPlace();
    // Puts the item in a claimed place. The item must outlive `link`, and its identifier must
    // not change before then.
    void fillPlace(std::size_t place, ProjectItemPtr item);
    // Claims and fills the next place.
    void add(ProjectItemPtr item) { fillPlace(claimPlace(), std::move(item)); }

    // Links the references of every alias offered; targets that name no item are cleared.
    void link() const;

private:
    void prefetchAlias(std::size_t k) const;

    std::vector<ProjectItemPtr> items_;   // in search order
    std::vector<std::size_t> hashes_;     // of the items' identifiers, by place
    std::vector<std::size_t> aliases_;  // the places of aliases, the only items that link
    // The identifiers the aliases name, alias by alias, in the order they are linked.
    struct Target {
        const Identifier* uuid;  // in the alias, which outlives the linking
        std::size_t hash;
    };
    std::vector<Target> targets_;
};

}  // namespace vantorel
