// Structural edits: ungrouping, deleting, moving and turning color sets into plain colors.

#include "Vantorel/editing/DocumentEditor.h"

#include <algorithm>
#include <functional>
#include <type_traits>
#include <utility>

#include "Vantorel/editing/ItemTreeEditing.h"
#include "Vantorel/editing/SelectionManager.h"

namespace vantorel {
namespace {

std::vector<std::string> uuidsOf(const std::vector<ProjectItemPtr>& items) {
    std::vector<std::string> uuids;
    for (const ProjectItemPtr& item : items) {
        if (item) uuids.push_back(item->uuid());
    }
    return uuids;
}

ItemPath parentOf(const ItemPath& path) { return ItemPath(path.begin(), path.end() - 1); }

// The children of a color set as plain color items, keeping the set's presentation, appearance
// and assignments; each step's name becomes the item's name.
std::vector<ProjectItemPtr> individualColors(const QuenzColorProjectItem& setItem, const QuenzColorSet& set) {
    std::vector<ProjectItemPtr> colors;
    for (const ThemeableColor& step : set.colors()) {
        ThemeableColor value(step.lightVariant, step.lightVariantHighContrast(), step.darkVariant(),
                             step.darkVariantHighContrast());
        auto payload = std::make_shared<QuenzColorItem>(value, ColorPresentation{set.colorSpace(), set.colorFormat()},
                                                        set.commonFields());
        ProjectItemPtr item = QuenzColorProjectItem::make(step.name, std::move(payload));
        item->setBuildGroup(setItem.buildGroup());
        item->setTestGroup(setItem.testGroup());
        item->setTestPosition(setItem.testPosition());
        colors.push_back(std::move(item));
    }
    return colors;
}

}  // namespace

bool QuenzColorDocumentEditor::unGroup() {
    const auto document = document_.lock();
    if (!document) return false;
    const std::vector<std::string> selected = uuidsOf(document->selectionManager().selectedItems());
    std::vector<std::string> freed;
    const bool changed = edit(TransactionScope::items, UndoName::unGroup, [&](QuenzColorProject& project) {
        std::vector<ItemPath> groups;
        for (const std::string& uuid : selected) {
            const auto path = project.indexPath(uuid);
            const ProjectItemPtr item = path ? project.itemAtPath(*path) : nullptr;
            if (item && item->isGroup()) groups.push_back(*path);
        }
        if (groups.empty()) return false;
        // From the last group up, so that inner groups dissolve into outer ones first and the
        // paths still to do stay valid.
        std::sort(groups.begin(), groups.end());
        groups.erase(std::unique(groups.begin(), groups.end()), groups.end());
        for (auto path = groups.rbegin(); path != groups.rend(); ++path) {
            const ProjectItemPtr group = itemtree::removeAt(project, *path);
            const std::vector<ProjectItemPtr> children = group->group()->items();
            itemtree::insertAt(project, parentOf(*path), path->back(), children);
            for (const std::string& uuid : uuidsOf(children)) freed.push_back(uuid);
        }
        return true;
    });
    if (changed) {
        std::vector<ProjectItemPtr> children;
        for (const std::string& uuid : freed) {
            const ProjectItemPtr child = document->project()->itemWithId(uuid);
            if (child && std::find(children.begin(), children.end(), child) == children.end()) children.push_back(child);
        }
        document->selectionManager().selectItems(std::move(children));
    }
    return changed;
}

bool QuenzColorDocumentEditor::deleteItems(const std::vector<std::string>& itemUuids) {
    return edit(TransactionScope::items, UndoName::delete_, [&](QuenzColorProject& project) {
        const std::vector<ItemPath> paths = itemtree::topmostPaths(project, itemUuids);
        for (auto path = paths.rbegin(); path != paths.rend(); ++path) itemtree::removeAt(project, *path);
        return !paths.empty();
    });
}

bool QuenzColorDocumentEditor::deleteBuildGroup(const std::string& groupUuid) {
    const bool changed = edit(TransactionScope::build, UndoName::delete_, [&](QuenzColorProject& project) {
        std::vector<BuildGroupPtr> groups = project.buildGroups();
        const auto found = std::find_if(groups.begin(), groups.end(),
                                        [&](const BuildGroupPtr& g) { return g && g->uuid() == groupUuid; });
        if (found == groups.end()) return false;
        groups.erase(found);
        project.setBuildGroups(std::move(groups));
        return true;
    });
    if (const auto document = document_.lock(); changed && document) document->selectionManager().clearBuildSelection();
    return changed;
}

bool QuenzColorDocumentEditor::deleteTestGroup(const std::string& groupUuid) {
    const bool changed = edit(TransactionScope::test, UndoName::delete_, [&](QuenzColorProject& project) {
        std::vector<TestGroupPtr> groups = project.testGroups();
        const auto found = std::find_if(groups.begin(), groups.end(),
                                        [&](const TestGroupPtr& g) { return g && g->uuid() == groupUuid; });
        if (found == groups.end()) return false;
        groups.erase(found);
        project.setTestGroups(std::move(groups));
        return true;
    });
    if (const auto document = document_.lock(); changed && document) document->selectionManager().clearTestSelection();
    return changed;
}

bool QuenzColorDocumentEditor::deleteTask(TransactionScope scope, const std::string& taskUuid) {
    // Each group loses its first task with the identifier. The edit counts as a change whatever
    // it finds, and the selection of its kind is cleared afterwards.
    const auto removeFirst = [&](auto& tasks) {
        const auto found = std::find_if(tasks.begin(), tasks.end(), [&](const auto& t) { return t && t->uuid() == taskUuid; });
        if (found == tasks.end()) return false;
        tasks.erase(found);
        return true;
    };
    const bool changed = edit(scope, UndoName::delete_, [&](QuenzColorProject& project) {
        if (scope == TransactionScope::build) {
            for (const BuildGroupPtr& group : project.buildGroups()) {
                if (auto tasks = group->tasks(); removeFirst(tasks)) group->setTasks(std::move(tasks));
            }
        } else {
            for (const TestGroupPtr& group : project.testGroups()) {
                if (auto tests = group->tests(); removeFirst(tests)) group->setTests(std::move(tests));
            }
        }
        return true;
    });
    if (const auto document = document_.lock(); changed && document) {
        if (scope == TransactionScope::build) {
            document->selectionManager().clearBuildSelection();
        } else {
            document->selectionManager().clearTestSelection();
        }
    }
    return changed;
}

bool QuenzColorDocumentEditor::deleteBuildTask(const std::string& taskUuid) {
    return deleteTask(TransactionScope::build, taskUuid);
}

bool QuenzColorDocumentEditor::deleteTestTask(const std::string& taskUuid) {
    return deleteTask(TransactionScope::test, taskUuid);
}

bool QuenzColorDocumentEditor::deleteTestColors(const std::vector<std::string>& itemUuids) {
    const UndoName name = itemUuids.size() == 1 ? UndoName::deleteTestColor : UndoName::deleteTestColors;
    return edit(TransactionScope::items, name, [&](QuenzColorProject& project) {
        bool changed = false;
        for (const std::string& uuid : itemUuids) {
            const ProjectItemPtr item = project.itemWithId(uuid);
            if (!item || !item->testGroup()) continue;
            item->setTestGroup(nullptr);
            item->setTestPosition(TestPosition::both);
            changed = true;
        }
        return changed;
    });
}

bool QuenzColorDocumentEditor::move(const std::vector<std::string>& itemUuids,
                                    const std::optional<std::string>& toParent, int atIndex) {
    return edit(TransactionScope::items, UndoName::move, [&](QuenzColorProject& project) {
        ItemPath targetPath;
        ProjectItemPtr target;
        if (toParent) {
            const auto path = project.indexPath(*toParent);
            target = path ? project.itemAtPath(*path) : nullptr;
            if (!target || !target->isGroup()) return false;
            targetPath = *path;
        }
        // The items to move, in the given order; never the target group or one that holds it.
        std::vector<std::pair<ItemPath, ProjectItemPtr>> moving;
        for (const std::string& uuid : itemUuids) {
            const auto path = project.indexPath(uuid);
            if (!path || (target && itemtree::isPrefix(*path, targetPath))) continue;
            const bool repeated = std::any_of(moving.begin(), moving.end(), [&](const auto& m) { return m.first == *path; });
            if (!repeated) moving.emplace_back(*path, project.itemAtPath(*path));
        }
        if (moving.empty()) return false;

        const std::vector<ProjectItemPtr> targetBefore = *itemtree::childrenAt(project, targetPath);
        std::size_t index = static_cast<std::size_t>(std::max(atIndex, 0));
        std::size_t takenBeforeIndex = 0;
        for (const auto& [path, item] : moving) {
            if (parentOf(path) == targetPath && path.back() < index) ++takenBeforeIndex;
        }
        index -= std::min(index, takenBeforeIndex);

        // Take out from the last position up, so that the other paths stay valid; the target
        // group keeps its path, as nothing that holds it moves and nothing before it is taken.
        std::vector<ItemPath> removal;
        for (const auto& entry : moving) removal.push_back(entry.first);
        std::sort(removal.begin(), removal.end(), std::greater<>());
        for (const ItemPath& path : removal) itemtree::removeAt(project, path);
        std::vector<ProjectItemPtr> items;
        for (const auto& entry : moving) items.push_back(entry.second);

        const ItemPath insertionParent = target ? *project.indexPath(target->uuid()) : ItemPath{};
        itemtree::insertAt(project, insertionParent, index, items);
        const bool changedPlaces = *itemtree::childrenAt(project, insertionParent) != targetBefore ||
                                   std::any_of(moving.begin(), moving.end(), [&](const auto& m) {
                                       return project.indexPath(m.second->uuid()) != m.first;
                                   });
        if (target && changedPlaces) target->setExpanded(true);
        return changedPlaces;
    });
}

bool QuenzColorDocumentEditor::moveTasks(TransactionScope scope, const std::vector<std::string>& taskUuids,
                                         const std::string& toGroup, int atIndex) {
    const auto moveIn = [&](const auto& groups) {
        using GroupPtr = std::decay_t<decltype(groups.front())>;
        const auto tasksOf = [](const GroupPtr& g) {
            if constexpr (std::is_same_v<GroupPtr, BuildGroupPtr>) {
                return g->tasks();
            } else {
                return g->tests();
            }
        };
        const auto setTasks = [](const GroupPtr& g, auto tasks) {
            if constexpr (std::is_same_v<GroupPtr, BuildGroupPtr>) {
                g->setTasks(std::move(tasks));
            } else {
                g->setTests(std::move(tasks));
            }
        };
        GroupPtr target;
        for (const GroupPtr& group : groups) {
            if (group && group->uuid() == toGroup) {
                target = group;
                break;
            }
        }
        if (!target) return false;
        const auto targetBefore = tasksOf(target);
        std::size_t index = static_cast<std::size_t>(std::max(atIndex, 0));
        decltype(tasksOf(target)) moving;
        for (const std::string& uuid : taskUuids) {
            for (const GroupPtr& group : groups) {
                auto tasks = tasksOf(group);
                const auto found = std::find_if(tasks.begin(), tasks.end(), [&](const auto& t) { return t && t->uuid() == uuid; });
                if (found == tasks.end()) continue;
                if (group == target && static_cast<std::size_t>(found - tasks.begin()) < index && index > 0) --index;
                moving.push_back(*found);
                tasks.erase(found);
                setTasks(group, std::move(tasks));
                break;
            }
        }
        if (moving.empty()) return false;
        auto tasks = tasksOf(target);
        tasks.insert(tasks.begin() + static_cast<std::ptrdiff_t>(std::min(index, tasks.size())), moving.begin(), moving.end());
        const bool changed = tasks != targetBefore;
        setTasks(target, std::move(tasks));
        if (changed) target->setExpanded(true);
        return changed;
    };
    return edit(scope, UndoName::move, [&](QuenzColorProject& project) {
        return scope == TransactionScope::build ? moveIn(project.buildGroups()) : moveIn(project.testGroups());
    });
}

bool QuenzColorDocumentEditor::moveBuildTasks(const std::vector<std::string>& taskUuids, const std::string& toGroup,
                                              int atIndex) {
    return moveTasks(TransactionScope::build, taskUuids, toGroup, atIndex);
}

bool QuenzColorDocumentEditor::moveTestTasks(const std::vector<std::string>& taskUuids, const std::string& toGroup,
                                             int atIndex) {
    return moveTasks(TransactionScope::test, taskUuids, toGroup, atIndex);
}

bool QuenzColorDocumentEditor::convertToIndividualColors() {
    const auto document = document_.lock();
    if (!document) return false;
    const std::vector<std::string> selected = uuidsOf(document->selectionManager().selectedItems());
    std::vector<std::string> groups;
    const bool changed =
        edit(TransactionScope::items, UndoName::convertToIndividualColors, [&](QuenzColorProject& project) {
            std::vector<ItemPath> sets;
            for (const ItemPath& path : itemtree::topmostPaths(project, selected)) {
                const ProjectItemPtr item = project.itemAtPath(path);
                if (item && item->colorSet()) sets.push_back(path);
            }
            for (auto path = sets.rbegin(); path != sets.rend(); ++path) {
                const ProjectItemPtr setItem = itemtree::removeAt(project, *path);
                const QuenzColorSetPtr set = setItem->colorSet();
                ProjectItemPtr group = QuenzColorProjectItem::make(
                    setItem->name(), std::make_shared<QuenzColorGroup>(individualColors(*setItem, *set)));
                group->setExpanded(true);
                itemtree::insertAt(project, parentOf(*path), path->back(), {group});
                groups.insert(groups.begin(), group->uuid());
            }
            return !sets.empty();
        });
    if (changed) selectItemsLater(groups);
    return changed;
}

}  // namespace vantorel
