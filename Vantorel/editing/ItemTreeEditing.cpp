#include "Vantorel/editing/ItemTreeEditing.h"

#include <algorithm>
#include <iterator>

namespace vantorel::itemtree {

bool isPrefix(const ItemPath& ancestor, const ItemPath& path) {
    return ancestor.size() <= path.size() && std::equal(ancestor.begin(), ancestor.end(), path.begin());
}

std::vector<ItemPath> topmostPaths(const QuenzColorProject& project, const std::vector<std::string>& uuids) {
    std::vector<ItemPath> paths;
    for (const std::string& uuid : uuids) {
        if (auto path = project.indexPath(uuid)) paths.push_back(std::move(*path));
    }
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    std::vector<ItemPath> topmost;
    for (ItemPath& path : paths) {
        // Sorted order puts an ancestor right before its descendants.
        if (!topmost.empty() && isPrefix(topmost.back(), path)) continue;
        topmost.push_back(std::move(path));
    }
    return topmost;
}

const std::vector<ProjectItemPtr>* childrenAt(const QuenzColorProject& project, const ItemPath& parentPath) {
    if (parentPath.empty()) return &project.items();
    const ProjectItemPtr parent = project.itemAtPath(parentPath);
    const auto group = parent ? parent->group() : nullptr;
    return group ? &group->items() : nullptr;
}

ProjectItemPtr removeAt(QuenzColorProject& project, const ItemPath& path) {
    if (path.empty()) return nullptr;
    const std::size_t index = path.back();
    const ItemPath parentPath(path.begin(), path.end() - 1);
    if (parentPath.empty()) {
        std::vector<ProjectItemPtr> items = project.items();
        if (index >= items.size()) return nullptr;
        ProjectItemPtr removed = items[index];
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
        project.setItems(std::move(items));
        return removed;
    }
    const ProjectItemPtr parent = project.itemAtPath(parentPath);
    const auto group = parent ? parent->group() : nullptr;
    return group ? group->removeItemAt(index) : nullptr;
}

void insertAt(QuenzColorProject& project, const ItemPath& parentPath, std::size_t index,
              const std::vector<ProjectItemPtr>& items) {
    if (items.empty()) return;
    const ProjectItemPtr parent = parentPath.empty() ? nullptr : project.itemAtPath(parentPath);
    const auto group = parent ? parent->group() : nullptr;
    std::vector<ProjectItemPtr> children = group ? group->items() : project.items();
    const auto at = children.begin() + static_cast<std::ptrdiff_t>(std::min(index, children.size()));
    children.insert(at, items.begin(), items.end());
    if (group) {
        group->setItems(std::move(children));
    } else {
        project.setItems(std::move(children));
    }
}

}  // namespace vantorel::itemtree
