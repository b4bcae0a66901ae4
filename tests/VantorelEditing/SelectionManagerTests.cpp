#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DocumentEditorTestSupport.h"

namespace vantorel {
namespace {

using namespace vantorel::testing;

class SelectionManagerTest : public ::testing::Test {
public:
    std::shared_ptr<InMemoryColorDocument> document = InMemoryColorDocument::make(sampleProject());
    SelectionManager& selection = document->selectionManager();
    QuenzColorProject& project = *document->project();

    std::vector<ProjectItemPtr> named(const std::vector<std::string>& names) {
        std::vector<ProjectItemPtr> items;
        for (const std::string& name : names) items.push_back(itemNamed(project, name));
        return items;
    }
};

TEST_F(SelectionManagerTest, InsertionPathFollowsDisplayModeSelectionAndFlag) {
    struct Case {
        AppContentMode mode;
        std::vector<std::string> selected;
        std::string sideBar;
        bool intoGroup;
        std::optional<ItemPath> expected;
    };
    const Case cases[] = {
        {AppContentMode::table, {}, "", true, std::nullopt},
        {AppContentMode::table, {}, "G", true, std::nullopt},
        {AppContentMode::table, {"A"}, "", true, ItemPath{1}},
        {AppContentMode::table, {"G"}, "", true, ItemPath{2, 2}},   // end of the selected group
        {AppContentMode::table, {"G"}, "", false, ItemPath{3}},     // paste goes after it
        {AppContentMode::bigTable, {"G", "A"}, "", true, ItemPath{3}},
        {AppContentMode::table, {"C", "x"}, "", true, ItemPath{4}},  // after the last in tree order
        {AppContentMode::table, {"x", "A"}, "", false, ItemPath{2, 1}},
        {AppContentMode::grid, {"y"}, "G", true, ItemPath{2, 2}},
        {AppContentMode::grid, {}, "G", false, ItemPath{2, 2}},
        {AppContentMode::grid, {}, "A", true, ItemPath{0, 0}},      // a sidebar item that is no group
        {AppContentMode::grid, {}, "", true, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.selected) + " " + c.sideBar);
        project.setDisplayMode(c.mode);
        selection.setSelectedItems(named(c.selected));
        selection.setSelectedSideBarGroup(c.sideBar.empty() ? nullptr : itemNamed(project, c.sideBar));
        EXPECT_EQ(selection.insertionPath(c.intoGroup), c.expected);
    }
}

TEST_F(SelectionManagerTest, ItemsOutsideTheTreeOrWithoutADocumentGiveNoPosition) {
    const ProjectItemPtr stray = colorItem("Stray");
    project.setDisplayMode(AppContentMode::table);
    selection.setSelectedItems({stray});
    EXPECT_EQ(selection.insertionPath(true), std::nullopt);
    project.setDisplayMode(AppContentMode::grid);
    selection.setSelectedItems({});
    selection.setSelectedSideBarGroup(stray);
    EXPECT_EQ(selection.insertionPath(true), std::nullopt);

    SelectionManager detached;  // belongs to no document
    detached.setSelectedItems(named({"A"}));
    EXPECT_EQ(detached.insertionPath(true), std::nullopt);
}

TEST_F(SelectionManagerTest, RefreshFindsItemsByIdentifierInSelectionOrder) {
    selection.setSelectedItems(named({"C", "x"}));
    selection.setSelectedItem(itemNamed(project, "x"));
    selection.setSelectedSideBarGroup(itemNamed(project, "G"));
    // Objects re-read with the same identifiers stand in for what undo re-creates.
    std::vector<ProjectItemPtr> withIds;
    for (const ProjectItemPtr& item : project.items()) {
        withIds.push_back(snapshot::restoreItem(*snapshot::compress(*item), project));
    }
    selection.refreshItems(withIds);
    ASSERT_EQ(selection.selectedItems().size(), 2u);
    EXPECT_EQ(selection.selectedItems()[0], withIds[3]);
    EXPECT_EQ(selection.selectedItems()[1], withIds[2]->group()->items()[0]);
    EXPECT_EQ(selection.selectedItem(), withIds[2]->group()->items()[0]);
    EXPECT_EQ(selection.selectedSideBarGroup(), withIds[2]);

    // Gone items leave the selection but are found again when they come back.
    selection.refreshItems({withIds[0]});
    EXPECT_TRUE(selection.selectedItems().empty());
    EXPECT_EQ(selection.selectedItemUuids().size(), 2u);
    selection.refreshItems(withIds);
    EXPECT_EQ(selection.selectedItems().size(), 2u);
}

TEST_F(SelectionManagerTest, BuildAndTestSelectionsAreFoundAgainByIdentifier) {
    auto task = std::make_shared<BuildTask>(buildTaskNamed("css"), "TASK");
    auto group = std::make_shared<BuildGroup>("Web", std::vector<BuildTaskPtr>{task}, "GROUP");
    selection.setSelectedBuildGroup(group);
    selection.setSelectedBuildTask(task);
    auto sameTask = std::make_shared<BuildTask>(buildTaskNamed("css"), "TASK");
    auto sameGroup = std::make_shared<BuildGroup>("Web", std::vector<BuildTaskPtr>{sameTask}, "GROUP");
    selection.refreshBuildSelection({sameGroup});
    EXPECT_EQ(selection.selectedBuildGroup(), sameGroup);
    EXPECT_EQ(selection.selectedBuildTask(), sameTask);
    selection.refreshBuildSelection({});
    EXPECT_EQ(selection.selectedBuildGroup(), nullptr);
    EXPECT_EQ(selection.selectedBuildTask(), nullptr);

    auto test = std::make_shared<TestTask>(TestTaskFields{}, "TEST");
    selection.setSelectedTestTask(test);
    auto sameTest = std::make_shared<TestTask>(TestTaskFields{}, "TEST");
    selection.refreshTestSelection({std::make_shared<TestGroup>("Other", std::vector<TestTaskPtr>{sameTest}, "X")});
    EXPECT_EQ(selection.selectedTestTask(), sameTest);
    EXPECT_EQ(selection.selectedTestGroup(), nullptr);
}

TEST_F(SelectionManagerTest, ObserversHearOnlyRealChanges) {
    std::vector<SelectionPart> heard;
    const auto id = selection.addObserver([&](SelectionPart part) { heard.push_back(part); });
    selection.selectItems(named({"A"}));
    selection.selectItems(named({"A"}));
    selection.setSelectedSideBarFilter(FilterItem{FilterType::colors});
    selection.setSelectedSideBarFilter(FilterItem{FilterType::colors});
    EXPECT_EQ(heard, (std::vector<SelectionPart>{SelectionPart::selectedItem, SelectionPart::selectedItems,
                                                 SelectionPart::sideBarFilter}));
    selection.removeObserver(id);
    selection.selectItems({});
    EXPECT_EQ(heard.size(), 3u);
}

}  // namespace
}  // namespace vantorel
