// Copy, cut and paste through the editor: one undo step each, fresh identifiers on paste,
// identifiers kept by undoing a cut, and the insertion position from the selection.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "DocumentEditorTestSupport.h"
#include "Vantorel/editing/PasteboardEditing.h"
#include "tests/support/NestedGroups.h"

namespace vantorel::testing {
namespace {

std::set<std::string> allIds(const QuenzColorProject& project) {
    std::set<std::string> ids;
    project.forEachItem([&](const ProjectItemPtr& item) { ids.insert(item->uuid()); });
    return ids;
}

std::vector<std::string> idsInOrder(const QuenzColorProject& project) {
    std::vector<std::string> ids;
    project.forEachItem([&](const ProjectItemPtr& item) { ids.push_back(item->uuid()); });
    return ids;
}

struct PasteboardEditingTest : ::testing::Test {
    std::shared_ptr<InMemoryColorDocument> document = InMemoryColorDocument::make(sampleProject());
    InProcessPasteboard pasteboard;

    QuenzColorProject& project() { return *document->project(); }
    void select(std::initializer_list<const char*> names) {
        std::vector<ProjectItemPtr> items;
        for (const char* name : names) items.push_back(itemNamed(project(), name));
        document->selectionManager().selectItems(items);
    }
    std::vector<ProjectItemPtr> paste(std::optional<ItemPath> at = std::nullopt) {
        auto pasted = pasteboard::paste(*document, document->editor(), pasteboard, at);
        document->settle();
        return pasted;
    }
};

TEST_F(PasteboardEditingTest, CopyPutsOneItemWithTheItemsTypeAndPlainText) {
    select({"G", "A"});
    ASSERT_TRUE(pasteboard::copySelection(*document, pasteboard));
    const auto entries = pasteboard.items();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].hasType(projectItemsPasteboardType));
    EXPECT_EQ(entries[0].data(plainTextPasteboardType), "G (Group)\n  x (Color)\n  y (Color)\nA (Color)\n");
    EXPECT_FALSE(document->editedState()->isEdited());
    EXPECT_EQ(document->enhancedUndoManager().stepCount(), 0u);
}

TEST_F(PasteboardEditingTest, CopyLeavesOutItemsInsideAnotherSelectedItemAndNeedsASelection) {
    select({"x", "G", "C"});
    EXPECT_EQ(treeText(pasteboard::itemsToCopy(*document)), "G[x,y],C");
    document->selectionManager().selectItems({});
    EXPECT_FALSE(pasteboard::copySelection(*document, pasteboard));
    EXPECT_FALSE(pasteboard::cut(*document, document->editor(), pasteboard));
    EXPECT_EQ(document->enhancedUndoManager().stepCount(), 0u);
    EXPECT_EQ(pasteboard.changeCount(), 0u);
}

TEST_F(PasteboardEditingTest, PastingAGroupIntoTheSameDocumentCopiesItWithNewIdentifiers) {
    select({"G"});
    ASSERT_TRUE(pasteboard::copySelection(*document, pasteboard));
    const std::set<std::string> before = allIds(project());

    const auto pasted = paste();
    ASSERT_EQ(pasted.size(), 1u);
    // Pasted after the last selected item, not inside the selected group.
    EXPECT_EQ(treeText(project()), "A,B,G[x,y],G[x,y],C");
    const std::set<std::string> after = allIds(project());
    EXPECT_EQ(after.size(), before.size() + 3) << "every identifier is new and distinct";
    // The pasted group is selected once the paste has finished.
    ASSERT_EQ(document->selectionManager().selectedItems().size(), 1u);
    EXPECT_EQ(document->selectionManager().selectedItems()[0], pasted[0]);
}

TEST_F(PasteboardEditingTest, APasteIsOneUndoStepTitledPaste) {
    select({"A", "C"});
    ASSERT_TRUE(pasteboard::copySelection(*document, pasteboard));
    document->selectionManager().selectItems({});
    const std::vector<std::string> original = idsInOrder(project());

    ASSERT_EQ(paste().size(), 2u);
    EXPECT_EQ(treeText(project()), "A,B,G[x,y],C,A,C");
    auto& undo = document->enhancedUndoManager();
    EXPECT_EQ(undo.stepCount(), 1u);
    EXPECT_EQ(undo.undoActionName(), "Paste");
    EXPECT_TRUE(document->editedState()->isEdited());

    document->undo();
    EXPECT_EQ(idsInOrder(project()), original);
    EXPECT_EQ(undo.redoActionName(), "Paste");
    document->redo();
    EXPECT_EQ(treeText(project()), "A,B,G[x,y],C,A,C");
}

TEST_F(PasteboardEditingTest, ACutUndoneRestoresTheItemsWithTheirIdentifiers) {
    select({"B", "x"});
    const std::vector<std::string> original = idsInOrder(project());
    ASSERT_TRUE(pasteboard::cut(*document, document->editor(), pasteboard));
    EXPECT_EQ(treeText(project()), "A,G[y],C");
    EXPECT_EQ(document->enhancedUndoManager().undoActionName(), "Cut");
    EXPECT_EQ(document->enhancedUndoManager().stepCount(), 1u);

    document->undo();
    EXPECT_EQ(idsInOrder(project()), original);
    EXPECT_EQ(treeText(project()), "A,B,G[x,y],C");

    // What was cut can still be pasted, as new items.
    document->selectionManager().selectItems({});
    const auto pasted = paste();
    EXPECT_EQ(treeText(pasted), "B,x");
    EXPECT_EQ(allIds(project()).size(), original.size() + 2);
}

// Without a position a paste goes where the selection manager's insertion path says (checked
// there; above: appended with nothing selected, after a selected group rather than into it).
TEST_F(PasteboardEditingTest, AGivenPositionWinsOverTheSelection) {
    pasteboard::copyItems(pasteboard, {colorItem("N")});
    select({"A"});
    paste(ItemPath{2, 0});
    EXPECT_EQ(treeText(project()), "A,B,G[N,x,y],C");
}

TEST_F(PasteboardEditingTest, UnreadablePasteboardDataChangesNothing) {
    PasteboardItem foreign;
    foreign.setData(projectItemsPasteboardType, "[\"not base64!\"]");
    foreign.setData(plainTextPasteboardType, "A (Color)");
    PasteboardItem textOnly;
    textOnly.setData(plainTextPasteboardType, "hello");
    pasteboard.setItems({foreign, textOnly});

    EXPECT_TRUE(paste().empty());
    EXPECT_EQ(treeText(project()), "A,B,G[x,y],C");
    EXPECT_EQ(document->enhancedUndoManager().stepCount(), 0u);
    EXPECT_FALSE(document->editedState()->isEdited());
}

TEST_F(PasteboardEditingTest, PastesFromEveryPasteboardItemCarryingTheItemsType) {
    InProcessPasteboard first, second;
    pasteboard::copyItems(first, {colorItem("P")});
    pasteboard::copyItems(second, {colorItem("Q"), colorItem("R")});
    PasteboardItem textOnly;
    textOnly.setData(plainTextPasteboardType, "ignored");
    pasteboard.setItems({first.items()[0], textOnly, second.items()[0]});

    const auto pasted = paste();
    EXPECT_EQ(treeText(pasted), "P,Q,R");
    EXPECT_EQ(document->enhancedUndoManager().stepCount(), 1u);
}

TEST_F(PasteboardEditingTest, PastedAliasesFindTargetsInTheDocument) {
    const ProjectItemPtr target = itemNamed(project(), "A");
    auto alias = std::make_shared<QuenzColorAlias>();
    alias->setAliasType(AliasSetType::item(target->uuid()));
    pasteboard::copyItems(pasteboard, {QuenzColorProjectItem::make("A Alias", alias)});

    const auto pasted = paste();
    ASSERT_EQ(pasted.size(), 1u);
    ASSERT_TRUE(pasted[0]->colorAlias());
    EXPECT_EQ(pasted[0]->colorAlias()->referencedProjectItem(), target);
}

// Copying, pasting, undoing and redoing a group nested far deeper than recursion could go keeps
// every level: snapshots and the pasteboard walk the tree without recursing.
TEST(PasteboardDeepNesting, CopyPasteUndoAndRedoKeepEveryLevel) {
    auto document = InMemoryColorDocument::make(nestedGroupsProject(deepNesting));
    QuenzColorProject& project = *document->project();
    InProcessPasteboard pasteboard;
    document->selectionManager().selectItems({project.items()[0]});
    ASSERT_TRUE(pasteboard::copySelection(*document, pasteboard));
    const std::string text(pasteboard.items()[0].data(plainTextPasteboardType).value_or(""));
    EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')), deepNesting + 1);

    const auto pasted = pasteboard::paste(*document, document->editor(), pasteboard, std::nullopt);
    document->settle();
    ASSERT_EQ(pasted.size(), 1u);
    const auto levels = [](const ProjectItemPtr& top) { return innermost({top}); };
    const auto [copy, groups] = levels(pasted[0]);
    ASSERT_TRUE(copy);
    EXPECT_EQ(groups, deepNesting);
    EXPECT_EQ(copy->name(), "Deep");
    EXPECT_NE(copy->uuid(), "DEEP");
    EXPECT_EQ(project.items().size(), 3u);

    document->undo();
    EXPECT_EQ(project.items().size(), 2u);
    EXPECT_EQ(levels(project.items()[0]).second, deepNesting);
    document->redo();
    ASSERT_EQ(project.items().size(), 3u);
    EXPECT_EQ(project.statistics().groupCount, static_cast<int>(2 * deepNesting));
}

}  // namespace
}  // namespace vantorel::testing
