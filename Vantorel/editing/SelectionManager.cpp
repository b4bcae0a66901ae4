#include "Vantorel/editing/SelectionManager.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "Vantorel/editing/ColorDocumentHandle.h"
#include "VantorelData/model/ItemTreeWalk.h"

namespace vantorel {
namespace {

// The first item (depth first, a group before its children) for each wanted identifier.
std::unordered_map<std::string, ProjectItemPtr> findItems(const std::vector<ProjectItemPtr>& items,
                                                          const std::set<std::string>& wanted) {
    std::unordered_map<std::string, ProjectItemPtr> found;
    if (wanted.empty()) return found;
    walkItemTree(items, [&](const ProjectItemPtr& item) {
        if (wanted.contains(item->uuid())) found.emplace(item->uuid(), item);
    });
    return found;
}

ProjectItemPtr lookUp(const std::unordered_map<std::string, ProjectItemPtr>& found, const std::string& uuid) {
    if (uuid.empty()) return nullptr;
    const auto it = found.find(uuid);
    return it == found.end() ? nullptr : it->second;
}

template <class Group>
std::shared_ptr<Group> groupWithId(const std::vector<std::shared_ptr<Group>>& groups, const std::string& uuid) {
    for (const auto& group : groups) {
        if (group && group->uuid() == uuid) return group;
    }
    return nullptr;
}

template <class Group, class TasksOf>
auto taskWithId(const std::vector<std::shared_ptr<Group>>& groups, const std::string& uuid, TasksOf tasksOf) {
    for (const auto& group : groups) {
        if (!group) continue;
        for (const auto& task : tasksOf(*group)) {
            if (task && task->uuid() == uuid) return task;
        }
    }
    return std::decay_t<decltype(tasksOf(*groups.front()).front())>();
}

template <class T>
std::string uuidOf(const std::shared_ptr<T>& object) {
    return object ? std::string(object->uuid()) : std::string();
}

}  // namespace

SelectionManager::SelectionManager(std::weak_ptr<ColorDocumentHandle> document) : document_(std::move(document)) {}

void SelectionManager::setSelectedSideBarFilter(std::optional<FilterItem> filter) {
    if (sideBarFilter_ == filter) return;
    sideBarFilter_ = filter;
    notify(SelectionPart::sideBarFilter);
}

void SelectionManager::setSelectedSideBarGroup(ProjectItemPtr group) {
    sideBarGroupUuid_ = uuidOf(group);
    if (sideBarGroup_ == group) return;
    sideBarGroup_ = std::move(group);
    notify(SelectionPart::sideBarGroup);
}

void SelectionManager::setSelectedItems(std::vector<ProjectItemPtr> items) {
    std::erase(items, nullptr);
    selectionOrder_.clear();
    selectedItemUuids_.clear();
    for (const ProjectItemPtr& item : items) {
        selectionOrder_.push_back(item->uuid());
        selectedItemUuids_.insert(item->uuid());
    }
    if (selectedItems_ == items) return;
    selectedItems_ = std::move(items);
    notify(SelectionPart::selectedItems);
}

void SelectionManager::setSelectedItem(ProjectItemPtr item) {
    selectedItemUuid_ = uuidOf(item);
    if (selectedItem_ == item) return;
    selectedItem_ = std::move(item);
    notify(SelectionPart::selectedItem);
}

void SelectionManager::selectItems(std::vector<ProjectItemPtr> items) {
    std::erase(items, nullptr);
    setSelectedItem(items.size() == 1 ? items.front() : nullptr);
    setSelectedItems(std::move(items));
}

void SelectionManager::setSelectedBuildGroup(BuildGroupPtr group) {
    buildGroupUuid_ = uuidOf(group);
    if (buildGroup_ == group) return;
    buildGroup_ = std::move(group);
    notify(SelectionPart::buildGroup);
}

void SelectionManager::setSelectedBuildTask(BuildTaskPtr task) {
    buildTaskUuid_ = uuidOf(task);
    if (buildTask_ == task) return;
    buildTask_ = std::move(task);
    notify(SelectionPart::buildTask);
}

void SelectionManager::setSelectedTestGroup(TestGroupPtr group) {
    testGroupUuid_ = uuidOf(group);
    if (testGroup_ == group) return;
    testGroup_ = std::move(group);
    notify(SelectionPart::testGroup);
}

void SelectionManager::setSelectedTestTask(TestTaskPtr task) {
    testTaskUuid_ = uuidOf(task);
    if (testTask_ == task) return;
    testTask_ = std::move(task);
    notify(SelectionPart::testTask);
}

void SelectionManager::clearBuildSelection() {
    setSelectedBuildTask(nullptr);
    setSelectedBuildGroup(nullptr);
}

void SelectionManager::clearTestSelection() {
    setSelectedTestTask(nullptr);
    setSelectedTestGroup(nullptr);
}

void SelectionManager::refreshItems(const std::vector<ProjectItemPtr>& items) {
    std::set<std::string> wanted = selectedItemUuids_;
    if (!selectedItemUuid_.empty()) wanted.insert(selectedItemUuid_);
    if (!sideBarGroupUuid_.empty()) wanted.insert(sideBarGroupUuid_);
    const auto found = findItems(items, wanted);

    std::vector<ProjectItemPtr> resolved;
    for (const std::string& uuid : selectionOrder_) {
        if (ProjectItemPtr item = lookUp(found, uuid)) resolved.push_back(std::move(item));
    }
    if (resolved != selectedItems_) {
        selectedItems_ = std::move(resolved);
        notify(SelectionPart::selectedItems);
    }
    if (ProjectItemPtr item = lookUp(found, selectedItemUuid_); item != selectedItem_) {
        selectedItem_ = std::move(item);
        notify(SelectionPart::selectedItem);
    }
    if (ProjectItemPtr group = lookUp(found, sideBarGroupUuid_); group != sideBarGroup_) {
        sideBarGroup_ = std::move(group);
        notify(SelectionPart::sideBarGroup);
    }
}

void SelectionManager::refreshBuildSelection(const std::vector<BuildGroupPtr>& groups) {
    if (BuildGroupPtr group = buildGroupUuid_.empty() ? nullptr : groupWithId(groups, buildGroupUuid_);
        group != buildGroup_) {
        buildGroup_ = std::move(group);
        notify(SelectionPart::buildGroup);
    }
    BuildTaskPtr task;
    if (!buildTaskUuid_.empty() && !groups.empty()) {
        task = taskWithId(groups, buildTaskUuid_, [](const BuildGroup& g) -> const auto& { return g.tasks(); });
    }
    if (task != buildTask_) {
        buildTask_ = std::move(task);
        notify(SelectionPart::buildTask);
    }
}

void SelectionManager::refreshTestSelection(const std::vector<TestGroupPtr>& groups) {
    if (TestGroupPtr group = testGroupUuid_.empty() ? nullptr : groupWithId(groups, testGroupUuid_);
        group != testGroup_) {
        testGroup_ = std::move(group);
        notify(SelectionPart::testGroup);
    }
    TestTaskPtr task;
    if (!testTaskUuid_.empty() && !groups.empty()) {
        task = taskWithId(groups, testTaskUuid_, [](const TestGroup& g) -> const auto& { return g.tests(); });
    }
    if (task != testTask_) {
        testTask_ = std::move(task);
        notify(SelectionPart::testTask);
    }
}

std::optional<ItemPath> SelectionManager::pathAfterLastSelected(const QuenzColorProject& project) const {
    std::optional<ItemPath> greatest;
    for (const ProjectItemPtr& item : selectedItems_) {
        std::optional<ItemPath> path = project.indexPath(item->uuid());
        if (path && !path->empty() && (!greatest || *greatest < *path)) greatest = std::move(path);
    }
    if (greatest) ++greatest->back();
    return greatest;
}

std::optional<ItemPath> SelectionManager::insertionPath(bool intoGroup) const {
    const auto document = document_.lock();
    if (!document) return std::nullopt;
    const QuenzColorProjectPtr project = document->project();
    if (!project) return std::nullopt;

    const auto endOfGroup = [&](const ProjectItemPtr& item) -> std::optional<ItemPath> {
        std::optional<ItemPath> path = project->indexPath(item->uuid());
        if (!path) return std::nullopt;
        const auto group = item->group();
        path->push_back(group ? group->items().size() : 0);
        return path;
    };

    switch (project->displayMode()) {
        case AppContentMode::table:
        case AppContentMode::bigTable:
            if (selectedItems_.empty()) return std::nullopt;
            if (intoGroup && selectedItems_.size() == 1 && selectedItems_.front()->isGroup()) {
                if (auto path = endOfGroup(selectedItems_.front())) return path;
            }
            return pathAfterLastSelected(*project);
        case AppContentMode::grid:
            if (!selectedItems_.empty()) return pathAfterLastSelected(*project);
            if (sideBarGroup_) return endOfGroup(sideBarGroup_);
            return std::nullopt;
    }
    return std::nullopt;
}

SelectionManager::ObserverId SelectionManager::addObserver(Observer observer) {
    const ObserverId id = nextObserverId_++;
    observers_.emplace_back(id, std::move(observer));
    return id;
}

void SelectionManager::removeObserver(ObserverId id) {
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void SelectionManager::notify(SelectionPart part) {
    const auto observers = observers_;  // observers may add or remove observers
    for (const auto& [id, observer] : observers) {
        if (observer) observer(part);
    }
}

}  // namespace vantorel
