#pragma once
// Structural changes of a project's item tree by position: taking items out, putting them in,
// and finding where selected items are. Positions are paths as the project gives them.

#include <optional>
#include <string>
#include <vector>

#include "VantorelData/model/Project.h"

namespace vantorel::itemtree {

// True when `ancestor` is `path` itself or one of its enclosing positions.
bool isPrefix(const ItemPath& ancestor, const ItemPath& path);

// The paths of the items with these identifiers that are in the tree, ascending (tree order),
// without repeats, and without items that lie inside another listed item.
std::vector<ItemPath> topmostPaths(const QuenzColorProject& project, const std::vector<std::string>& uuids);

// Takes the item at `path` out of its parent; null when there is none.
ProjectItemPtr removeAt(QuenzColorProject& project, const ItemPath& path);

// The children of the group at `parentPath`, or the top level for an empty path; null when the
// path names no group.
const std::vector<ProjectItemPtr>* childrenAt(const QuenzColorProject& project, const ItemPath& parentPath);

// Inserts into the group at `parentPath` (the top level when empty) at min(index, count).
void insertAt(QuenzColorProject& project, const ItemPath& parentPath, std::size_t index,
              const std::vector<ProjectItemPtr>& items);

}  // namespace vantorel::itemtree
