#pragma once
// SelectionManager: what the user has selected in one document (the sidebar filter and group,
// the items in selection order, the item shown in the detail editor, the build and test group
// and task), and the questions that depend on it: where new or pasted items go.
//
// Items are remembered by identifier as well as by object, so that a selection survives undo
// and redo, which replace item objects: after each edit and restore the editor hands over the
// scope's new elements and the selection is looked up again by identifier. An identifier whose
// item has gone stays remembered, so that undoing a deletion selects the item again.
// Observers hear which part of the selection changed. Confined to the document's thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "VantorelData/model/Project.h"

namespace vantorel {

class ColorDocumentHandle;

enum class SelectionPart {
    sideBarFilter,
    sideBarGroup,
    selectedItems,
    selectedItem,
    buildTask,
    buildGroup,
    testGroup,
    testTask,
};

class SelectionManager {
public:
    using Observer = std::function<void(SelectionPart)>;
    using ObserverId = std::uint64_t;

    explicit SelectionManager(std::weak_ptr<ColorDocumentHandle> document = {});
    SelectionManager(const SelectionManager&) = delete;
    SelectionManager& operator=(const SelectionManager&) = delete;

    void setDocument(std::weak_ptr<ColorDocumentHandle> document) { document_ = std::move(document); }

    const std::optional<FilterItem>& selectedSideBarFilter() const { return sideBarFilter_; }
    void setSelectedSideBarFilter(std::optional<FilterItem> filter);

    const ProjectItemPtr& selectedSideBarGroup() const { return sideBarGroup_; }
    void setSelectedSideBarGroup(ProjectItemPtr group);

    // In selection order.
    const std::vector<ProjectItemPtr>& selectedItems() const { return selectedItems_; }
    const std::set<std::string>& selectedItemUuids() const { return selectedItemUuids_; }
    // Replaces the selection (null items are ignored); the identifiers follow.
    void setSelectedItems(std::vector<ProjectItemPtr> items);

    const ProjectItemPtr& selectedItem() const { return selectedItem_; }
    void setSelectedItem(ProjectItemPtr item);
    // Both at once: `items` become the selection, and the detail editor shows the item when
    // there is exactly one.
    void selectItems(std::vector<ProjectItemPtr> items);

    const BuildGroupPtr& selectedBuildGroup() const { return buildGroup_; }
    const BuildTaskPtr& selectedBuildTask() const { return buildTask_; }
    const TestGroupPtr& selectedTestGroup() const { return testGroup_; }
    const TestTaskPtr& selectedTestTask() const { return testTask_; }
    void setSelectedBuildGroup(BuildGroupPtr group);
    void setSelectedBuildTask(BuildTaskPtr task);
    void setSelectedTestGroup(TestGroupPtr group);
    void setSelectedTestTask(TestTaskPtr task);
    void clearBuildSelection();
    void clearTestSelection();

    // Looks the selection of one scope up again, by identifier, among new elements: the item
    // tree whose top level is `items`, or the build or test groups (with their tasks).
    // Identifiers not found leave the object empty but stay remembered.
    void refreshItems(const std::vector<ProjectItemPtr>& items);
    void refreshBuildSelection(const std::vector<BuildGroupPtr>& groups);
    void refreshTestSelection(const std::vector<TestGroupPtr>& groups);

    // Where new items (`intoGroup` set: the menu and toolbar commands) or pasted items
    // (`intoGroup` clear) go, as a path for the project's `insert`; none appends them to the
    // end of the top level.
    std::optional<ItemPath> insertionPath(bool intoGroup) const;

    ObserverId addObserver(Observer observer);
    void removeObserver(ObserverId id);

private:
    std::optional<ItemPath> pathAfterLastSelected(const QuenzColorProject& project) const;
    void notify(SelectionPart part);

    std::weak_ptr<ColorDocumentHandle> document_;

    std::optional<FilterItem> sideBarFilter_;
    ProjectItemPtr sideBarGroup_;
    std::string sideBarGroupUuid_;
    std::vector<ProjectItemPtr> selectedItems_;
    std::vector<std::string> selectionOrder_;  // identifiers of the selection, in selection order
    std::set<std::string> selectedItemUuids_;
    ProjectItemPtr selectedItem_;
    std::string selectedItemUuid_;

    BuildGroupPtr buildGroup_;
    BuildTaskPtr buildTask_;
    TestGroupPtr testGroup_;
    TestTaskPtr testTask_;
    std::string buildGroupUuid_, buildTaskUuid_, testGroupUuid_, testTaskUuid_;

    std::vector<std::pair<ObserverId, Observer>> observers_;
    ObserverId nextObserverId_ = 1;
};

}  // namespace vantorel
