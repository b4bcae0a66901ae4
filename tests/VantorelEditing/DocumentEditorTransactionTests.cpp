#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "DocumentEditorTestSupport.h"

namespace vantorel {
namespace {

using namespace vantorel::testing;

class DocumentEditorTransactionTest : public SampleDocumentTest {
public:
    std::string id(const std::string& name) { return uuidOf(project, name); }
};

TEST_F(DocumentEditorTransactionTest, EditsThatChangeNothingRecordNothing) {
    struct Case {
        const char* what;
        std::function<bool(DocumentEditorTransactionTest&)> run;
    };
    const Case cases[] = {
        {"same name", [](auto& t) { return t.editor.changeName(t.id("A"), "A"); }},
        {"unknown item", [](auto& t) { return t.editor.changeName("NO-SUCH-ID", "Z"); }},
        {"same color",
         [](auto& t) {
             const auto color = itemNamed(t.project, "A")->color()->color().lightVariant;
             return t.editor.changeColor(t.id("A"), color, ColorSource::light);
         }},
        {"move to where it is", [](auto& t) { return t.editor.move({t.id("B")}, std::nullopt, 1); }},
        {"move after itself", [](auto& t) { return t.editor.move({t.id("B")}, std::nullopt, 2); }},
        {"move a group into itself", [](auto& t) { return t.editor.move({t.id("G")}, t.id("G"), 0); }},
        {"move into a non-group", [](auto& t) { return t.editor.move({t.id("B")}, t.id("A"), 0); }},
        {"delete nothing", [](auto& t) { return t.editor.deleteItems({"NO-SUCH-ID"}); }},
        {"group an empty selection", [](auto& t) { return t.editor.groupSelection() != nullptr; }},
        {"ungroup an empty selection", [](auto& t) { return t.editor.unGroup(); }},
        {"assign to nothing selected", [](auto& t) { return t.editor.assignP3(); }},
        {"same description", [](auto& t) { return t.editor.changeDocumentDescription(""); }},
        {"namespace unchanged", [](auto& t) { return t.editor.changeProvidesNamespace(t.id("G"), false); }},
        {"name of a missing build group", [](auto& t) { return t.editor.changeBuildGroupName("X", "Y"); }},
        {"change reports nothing",
         [](auto& t) {
             return t.editor.edit(TransactionScope::items, UndoName::changeName, [](QuenzColorProject& p) {
                 p.itemAtPath({0})->setName("Changed anyway");
                 return false;
             });
         }},
    };
    for (const Case& c : cases) {
        const std::string before = treeText(project);
        EXPECT_FALSE(c.run(*this)) << c.what;
        EXPECT_EQ(undo.stepCount(), 0u) << c.what;
        EXPECT_FALSE(document->editedState()->isEdited()) << c.what;
        if (std::string(c.what) != "change reports nothing") {
            EXPECT_EQ(treeText(project), before) << c.what;
        }
    }
}

// An item inside a deleted group is deleted once, with its group.
TEST_F(DocumentEditorTransactionTest, UndoOfDeletionRestoresIdentifiersChildrenPositionsAndSelection) {
    const std::string groupId = id("G"), xId = id("x"), yId = id("y"), bId = id("B");
    document->selectionManager().selectItems({itemNamed(project, "G")});
    ASSERT_TRUE(editor.deleteItems({yId, groupId, bId}));
    EXPECT_EQ(treeText(project), "A,C");
    EXPECT_TRUE(document->selectionManager().selectedItems().empty());
    EXPECT_EQ(undo.undoActionName(), "Delete");

    document->undo();
    EXPECT_EQ(treeText(project), "A,B,G[x,y],C");
    EXPECT_EQ(project.indexPath(groupId), (ItemPath{2}));
    EXPECT_EQ(project.indexPath(xId), (ItemPath{2, 0}));
    EXPECT_EQ(project.indexPath(yId), (ItemPath{2, 1}));
    EXPECT_EQ(project.indexPath(bId), (ItemPath{1}));
    ASSERT_EQ(document->selectionManager().selectedItems().size(), 1u);
    EXPECT_EQ(document->selectionManager().selectedItems()[0], project.itemWithId(groupId));
    EXPECT_EQ(document->selectionManager().selectedItem(), project.itemWithId(groupId));

    document->redo();
    EXPECT_EQ(treeText(project), "A,C");
    EXPECT_TRUE(document->selectionManager().selectedItems().empty());
    expectCachesMatch(*document);
    document->undo();
    ASSERT_TRUE(editor.deleteItems({xId}));
    EXPECT_EQ(treeText(project), "A,B,G[y],C");
}

TEST_F(DocumentEditorTransactionTest, UndoAndRedoReplayValueEditsInOrder) {
    const std::string a = id("A"), x = id("x");
    ASSERT_TRUE(editor.changeName(a, "Primary"));
    const quenz::ColorValue red{quenz::RGBSpace::sRGB, 1, 0, 0, 1, 0};
    ASSERT_TRUE(editor.changeColor(x, red, ColorSource::light));
    ASSERT_TRUE(editor.changeColor(x, red, ColorSource::dark));
    EXPECT_EQ(undo.stepCount(), 3u);
    EXPECT_EQ(undo.undoActionName(), "Change Color");

    document->undo();
    document->undo();
    EXPECT_FALSE(project.itemWithId(x)->color()->color().darkVariant());
    EXPECT_NE(project.itemWithId(x)->color()->color().lightVariant, red);
    EXPECT_EQ(project.itemWithId(a)->name(), "Primary");
    document->undo();
    EXPECT_EQ(project.itemWithId(a)->name(), "A");
    EXPECT_FALSE(undo.canUndo());

    document->redo();
    document->redo();
    document->redo();
    EXPECT_EQ(project.itemWithId(a)->name(), "Primary");
    EXPECT_EQ(project.itemWithId(x)->color()->color().lightVariant, red);
    EXPECT_EQ(project.itemWithId(x)->color()->color().darkVariant(), red);
    expectCachesMatch(*document);
}

TEST_F(DocumentEditorTransactionTest, GoneDocumentEndsEveryOperation) {
    auto editorKeptAlive = document->editor().shared_from_this();
    document.reset();
    EXPECT_FALSE(editorKeptAlive->changeName("any", "x"));
    EXPECT_EQ(editorKeptAlive->addColor("Color", std::nullopt), nullptr);
    EXPECT_EQ(editorKeptAlive->addBuildTask(), nullptr);
    EXPECT_FALSE(editorKeptAlive->deleteItems({"any"}));
    EXPECT_FALSE(editorKeptAlive->changeDocumentDescription("text"));
    EXPECT_EQ(editorKeptAlive->snapshot(TransactionScope::items), nullptr);
}

TEST_F(DocumentEditorTransactionTest, WithAnotherUndoManagerEditsApplyWithoutSteps) {
    document->setUndoEnabled(false);
    EXPECT_TRUE(editor.changeName(id("A"), "Renamed"));
    EXPECT_EQ(itemNamed(project, "Renamed")->name(), "Renamed");
    EXPECT_EQ(undo.stepCount(), 0u);
}

TEST_F(DocumentEditorTransactionTest, DescriptionChangesAreUndoneWithoutSnapshots) {
    ASSERT_TRUE(editor.changeDocumentDescription("Brand colors"));
    EXPECT_EQ(undo.undoActionName(), "Change Description");
    document->undo();
    EXPECT_EQ(project.projectDescription(), "");
    document->redo();
    EXPECT_EQ(project.projectDescription(), "Brand colors");
}

TEST_F(DocumentEditorTransactionTest, AnEditCompressesOnlyWhatChanged) {
    std::vector<ProjectItemPtr> many;
    for (int i = 0; i < 300; ++i) many.push_back(colorItem("Item " + std::to_string(i)));
    project.setItems(many);
    editor.snapshot(TransactionScope::items);
    const std::size_t start = editor.compressedElementCount();

    ASSERT_TRUE(editor.changeName(many[150]->uuid(), "Renamed"));
    EXPECT_EQ(editor.compressedElementCount() - start, 1u);

    document->undo();
    EXPECT_EQ(project.items()[150]->name(), "Item 150");
    // Every untouched item object is kept as it is by the restore.
    for (std::size_t i = 0; i < many.size(); ++i) {
        if (i != 150) {
            EXPECT_EQ(project.items()[i], many[i]) << i;
        }
    }
    document->redo();
    EXPECT_EQ(project.items()[150]->name(), "Renamed");
    EXPECT_EQ(editor.compressedElementCount() - start, 1u);
    expectCachesMatch(*document);
}

TEST_F(DocumentEditorTransactionTest, CachedSnapshotsFollowEveryKindOfChange) {
    // Changes reach the model through many objects (items, payloads, nested children); each
    // must invalidate the cached bytes, including changes made outside the editor.
    const std::string x = id("x");
    ASSERT_TRUE(editor.changeName(x, "x2"));
    project.itemWithId(x)->color()->setColorFormat(quenz::ColorFormat::hexRGB);  // not through the editor
    expectCachesMatch(*document);
    ASSERT_TRUE(editor.changeAppearanceType(x, AppearanceType::lightDarkHighContrastAuto));
    ASSERT_TRUE(editor.addGroup(ItemPath{2, 1}) != nullptr);
    ASSERT_TRUE(editor.changeName(uuidOf(project, "Group"), "Inner"));
    ASSERT_TRUE(editor.addColor("Deep", ItemPath{2, 1, 0}) != nullptr);
    expectCachesMatch(*document);
    ASSERT_TRUE(editor.changeColor(id("Deep"), quenz::ColorValue{quenz::RGBSpace::sRGB, 0, 1, 0, 1, 0},
                                   ColorSource::light));
    ASSERT_TRUE(editor.move({id("Deep")}, std::nullopt, 0));
    ASSERT_TRUE(editor.changeName(id("Deep"), "Surface"));
    expectCachesMatch(*document);
    BuildGroupPtr group = editor.addBuildGroup();
    ASSERT_TRUE(editor.changeBuildGroup(id("A"), group->uuid()));
    ASSERT_TRUE(editor.changeBuildGroupName(group->uuid(), "Web"));
    expectCachesMatch(*document);
    for (int i = 0; i < 5; ++i) document->undo();
    expectCachesMatch(*document);
    for (int i = 0; i < 3; ++i) document->redo();
    expectCachesMatch(*document);
    while (undo.canUndo()) document->undo();
    EXPECT_EQ(treeText(project), "A,B,G[x,y],C");
    expectCachesMatch(*document);
}

TEST_F(DocumentEditorTransactionTest, UndoOfABuildGroupEditKeepsItemsAssigned) {
    BuildGroupPtr group = editor.addBuildGroup();
    ASSERT_TRUE(editor.changeBuildGroup(id("A"), group->uuid()));
    ASSERT_TRUE(editor.changeBuildGroupName(group->uuid(), "Web"));
    document->undo();
    const BuildGroupPtr restored = project.buildGroups().at(0);
    EXPECT_EQ(restored->name(), "Build Group");
    EXPECT_EQ(itemNamed(project, "A")->buildGroup(), restored);

    // Undoing the assignment and then the group's creation leaves neither.
    document->undo();
    document->undo();
    EXPECT_TRUE(project.buildGroups().empty());
    EXPECT_EQ(itemNamed(project, "A")->buildGroup(), nullptr);
    expectCachesMatch(*document);
}

TEST_F(DocumentEditorTransactionTest, AliasesFindTheirTargetAgainAfterUndo) {
    document->selectionManager().selectItems({itemNamed(project, "A")});
    const auto aliases = editor.addAlias("Color Alias", std::nullopt);
    ASSERT_EQ(aliases.size(), 1u);
    const auto alias = aliases[0]->colorAlias();
    ASSERT_EQ(alias->referencedProjectItem(), itemNamed(project, "A"));

    ASSERT_TRUE(editor.deleteItems({id("A")}));
    ProjectItemPtr aliasItem = itemNamed(project, "A Alias");
    EXPECT_EQ(aliasItem->colorAlias()->referencedProjectItem(), nullptr);
    document->undo();
    aliasItem = itemNamed(project, "A Alias");
    EXPECT_EQ(aliasItem->colorAlias()->referencedProjectItem(), itemNamed(project, "A"));
}

TEST_F(DocumentEditorTransactionTest, RestoreSkipsEntriesThatCannotBeRead) {
    ScopeSnapshot::Builder builder;
    builder.append(snapshot::compress(*colorItem("First")));
    builder.append(std::make_shared<const CompressedElement>(CompressedElement{1, 2, 3, 4}));
    builder.append(std::make_shared<const CompressedElement>(lzfse::encode(std::string_view("<notAnItem/>"))));
    builder.append(std::make_shared<const CompressedElement>(lzfse::encode(std::string_view("<colorItem><broken"))));
    builder.append(snapshot::compress(*colorItem("Last")));
    editor.restore(TransactionScope::items, builder.finish());
    EXPECT_EQ(treeText(project), "First,Last");
}

TEST_F(DocumentEditorTransactionTest, ReadingTheFileAgainStartsFreshCaches) {
    ASSERT_TRUE(editor.changeName(id("A"), "Before reload"));
    document->setProject(sampleProject());
    QuenzColorProject& reloaded = *document->project();
    ASSERT_TRUE(editor.changeName(uuidOf(reloaded, "B"), "After reload"));
    expectCachesMatch(*document);
    EXPECT_EQ(treeText(reloaded), "A,After reload,G[x,y],C");
}

}  // namespace
}  // namespace vantorel
