// Drag records: the identifier provider, the encodable drag selection, and a drag session
// whose drop moves the dragged items in one undo step.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DocumentEditorTestSupport.h"
#include "Vantorel/editing/DragRecords.h"
#include "Vantorel/editing/DragSession.h"

namespace vantorel::testing {
namespace {

TEST(PasteboardDrag, DragSelectionRoundTripsUnderTheKeyIdsAndRejectsAnythingElse) {
    const DragSelection selection{{"A", "B", "C"}};
    EXPECT_EQ(selection.encode(), R"({"ids":["A","B","C"]})");
    EXPECT_EQ(DragSelection::decode(selection.encode()), selection);
    EXPECT_EQ(DragSelection::decode(R"({"ids":[]})"), DragSelection{});
    for (const char* json : {"", "[]", "{}", R"({"ids":"A"})", R"({"ids":["A",1]})", R"({"id":["A"]})", "{\"ids\":[",
                             "null"}) {
        EXPECT_FALSE(DragSelection::decode(json)) << json;
    }
}

// Each dragged item carries its identifier under its own type and nothing else.
TEST(PasteboardDrag, DraggedIdsAreReadFromTheDragPasteboardInOrder) {
    InProcessPasteboard drag;
    PasteboardItem other;
    other.setData(plainTextPasteboardType, "text");
    drag.setItems({IdPasteboardProvider{"B"}.pasteboardItem(), other, IdPasteboardProvider{""}.pasteboardItem(),
                   IdPasteboardProvider{"A"}.pasteboardItem()});
    EXPECT_EQ(draggedIdsOn(drag), (std::vector<std::string>{"B", "A"}));
    EXPECT_EQ(drag.items()[0].types(), std::vector<std::string>{std::string(itemUuidPasteboardType)});
    EXPECT_EQ(IdPasteboardProvider{"B"}.data(projectItemsPasteboardType), std::nullopt);
}

TEST(PasteboardDrag, ADropMovesTheDraggedItemsAsOneStepAndEndsTheDrag) {
    auto document = InMemoryColorDocument::make(sampleProject());
    auto& project = *document->project();
    InProcessPasteboard drag;
    ItemDragSession session;
    session.begin({uuidOf(project, "C"), uuidOf(project, "A")}, drag);
    EXPECT_TRUE(session.isDragging());
    EXPECT_EQ(draggedIdsOn(drag), session.draggedIds());
    EXPECT_EQ(session.selection().ids, session.draggedIds());

    EXPECT_TRUE(session.drop(document->editor(), uuidOf(project, "G"), 1));
    EXPECT_FALSE(session.isDragging());
    EXPECT_EQ(treeText(project), "B,G[x,C,A,y]");
    EXPECT_EQ(document->enhancedUndoManager().undoActionName(), "Move");
    document->undo();
    EXPECT_EQ(treeText(project), "A,B,G[x,y],C");

    EXPECT_FALSE(session.drop(document->editor(), std::nullopt, 0));  // no drag in progress
    session.begin({uuidOf(project, "A")}, drag);
    session.end();
    EXPECT_FALSE(session.drop(document->editor(), std::nullopt, 0));
    EXPECT_EQ(document->enhancedUndoManager().stepCount(), 1u);
}

}  // namespace
}  // namespace vantorel::testing
