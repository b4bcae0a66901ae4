#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "DocumentEditorTestSupport.h"

namespace vantorel {
namespace {

using namespace vantorel::testing;

using DocumentEditorCreationTest = SampleDocumentTest;

TEST_F(DocumentEditorCreationTest, EachCreationHasItsNameKindStepTitleAndSelection) {
    struct Case {
        const char* name;
        std::function<ProjectItemPtr(QuenzColorDocumentEditor&)> create;
        ProjectItemType kind;
        const char* undoTitle;
    };
    const Case cases[] = {
        {"Color", [](auto& e) { return e.addColor("Color", std::nullopt); }, ProjectItemType::color, "Add Color"},
        {"Color Set", [](auto& e) { return e.addColorSet("Color Set", std::nullopt); }, ProjectItemType::colorSet,
         "Add Color Set"},
        {"Number", [](auto& e) { return e.addNumber("Number", std::nullopt); }, ProjectItemType::number, "Add Number"},
        {"Boolean", [](auto& e) { return e.addBoolean("Boolean", std::nullopt); }, ProjectItemType::boolean,
         "Add Boolean"},
        {"String", [](auto& e) { return e.addString("String", std::nullopt); }, ProjectItemType::string, "Add String"},
        {"Shadow", [](auto& e) { return e.addShadow("Shadow", std::nullopt); }, ProjectItemType::shadow, "Add Shadow"},
        {"Shadow Set", [](auto& e) { return e.addShadowSet("Shadow Set", std::nullopt); }, ProjectItemType::shadowSet,
         "Add Shadow Set"},
        {"Group", [](auto& e) { return e.addGroup(std::nullopt); }, ProjectItemType::group, "Add Group"},
        {"Color Alias", [](auto& e) { return e.addAlias("Color Alias", std::nullopt).at(0); },
         ProjectItemType::colorAlias, "Add Color Alias"},
        {"Shadow Alias", [](auto& e) { return e.addShadowAlias("Shadow Alias", std::nullopt).at(0); },
         ProjectItemType::shadowAlias, "Add Shadow Alias"},
        {"Number Alias", [](auto& e) { return e.addNumberAlias("Number Alias", std::nullopt).at(0); },
         ProjectItemType::numberAlias, "Add Number"},
        {"Boolean Alias", [](auto& e) { return e.addBooleanAlias("Boolean Alias", std::nullopt).at(0); },
         ProjectItemType::booleanAlias, "Add Boolean"},
        {"String Alias", [](auto& e) { return e.addStringAlias("String Alias", std::nullopt).at(0); },
         ProjectItemType::stringAlias, "Add String"},
    };
    for (const Case& c : cases) {
        document->selectionManager().selectItems({});
        const ProjectItemPtr item = c.create(editor);
        ASSERT_TRUE(item) << c.name;
        EXPECT_EQ(item->name(), c.name);
        EXPECT_EQ(item->itemType(), c.kind) << c.name;
        EXPECT_EQ(item->uuid().size(), 36u) << item->uuid();  // the form of new identifiers is checked with them
        EXPECT_EQ(project.items().back(), item) << c.name;
        EXPECT_EQ(undo.undoActionName(), c.undoTitle) << c.name;
        // The selection follows on the next turn of the queue, after the transaction.
        EXPECT_NE(document->selectionManager().selectedItem(), item) << c.name;
        document->settle();
        EXPECT_EQ(document->selectionManager().selectedItem(), item) << c.name;
        document->undo();
        EXPECT_EQ(treeText(project), "A,B,G[x,y],C") << c.name;
    }
}

TEST_F(DocumentEditorCreationTest, NewItemsGoWhereThePositionSays) {
    ASSERT_TRUE(editor.addNumber("n1", ItemPath{1}));
    ASSERT_TRUE(editor.addNumber("n2", ItemPath{3, 1}));  // G is at 3 now: between x and y
    ASSERT_TRUE(editor.addNumber("n3", ItemPath{3, 99}));  // clamped to the end of G
    ASSERT_TRUE(editor.addNumber("n4", ItemPath{99}));
    EXPECT_EQ(treeText(project), "A,n1,B,G[x,n2,y,n3],C,n4");
}

TEST_F(DocumentEditorCreationTest, NewValuesHaveTheirDefaults) {
    const quenz::ColorValue given{quenz::RGBSpace::displayP3, 0.1, 0.2, 0.3, 1, 0};
    const auto color = editor.addColor("Given", std::nullopt, given);
    EXPECT_EQ(color->color()->color().lightVariant, given);
    EXPECT_EQ(color->color()->colorSpace(), quenz::ColorSpace::displayP3);

    editor.setNewColorDefaults([] {
        return NewColorDefaults{quenz::RandomColorAlgorithm::monochrome, quenz::ColorSpace::sRGB,
                                quenz::ColorFormat::hexRGBA};
    });
    const auto random = editor.addColor("Random", std::nullopt);
    const quenz::ColorValue gray = random->color()->color().lightVariant;
    EXPECT_NEAR(gray.red, gray.green, 1e-9);
    EXPECT_NEAR(gray.green, gray.blue, 1e-9);
    EXPECT_EQ(random->color()->colorFormat(), quenz::ColorFormat::hexRGBA);

    const auto set = editor.addColorSet("Ramp", std::nullopt)->colorSet();
    EXPECT_EQ(set->steps(), 10);
    EXPECT_EQ(set->colors().size(), 10u);
    EXPECT_EQ(set->type(), SetType::twoItems);

    const auto group = editor.addGroup(std::nullopt);
    EXPECT_TRUE(group->group()->items().empty());
    EXPECT_FALSE(group->isExpanded());
}

TEST_F(DocumentEditorCreationTest, AliasesAreNamedAfterTheirTargets) {
    itemNamed(project, "A")->setName("Primary");
    document->selectionManager().selectItems({itemNamed(project, "Primary"), itemNamed(project, "G"),
                                              itemNamed(project, "C")});
    const auto aliases = editor.addAlias("Color Alias", ItemPath{1});
    ASSERT_EQ(aliases.size(), 2u);  // the group cannot be aliased
    EXPECT_EQ(aliases[0]->name(), "Primary Alias");
    EXPECT_EQ(aliases[1]->name(), "C Alias");
    EXPECT_EQ(aliases[0]->colorAlias()->aliasType(), AliasSetType::item(uuidOf(project, "Primary")));
    EXPECT_FALSE(aliases[0]->colorAlias()->darkAliasType().isSet());
    EXPECT_EQ(treeText(project), "Primary,Primary Alias,C Alias,B,G[x,y],C");
    EXPECT_EQ(undo.stepCount(), 1u);
    document->settle();
    EXPECT_EQ(document->selectionManager().selectedItems(), aliases);

    // An alias of a color set points at the whole set.
    const auto set = editor.addColorSet("Ramp", std::nullopt);
    document->selectionManager().selectItems({set});
    const auto alias = editor.addAlias("Color Alias", std::nullopt).at(0);
    EXPECT_EQ(alias->colorAlias()->aliasType(), AliasSetType::set(set->uuid()));
    EXPECT_EQ(alias->colorAlias()->resolvedColor().lightVariant, set->colorSet()->middleColor()->lightVariant);
}

TEST_F(DocumentEditorCreationTest, GroupSelectionMovesTheSelectedItemsIntoANewExpandedGroup) {
    document->selectionManager().selectItems({itemNamed(project, "C"), itemNamed(project, "B"),
                                              itemNamed(project, "y")});
    const auto group = editor.groupSelection();
    ASSERT_TRUE(group);
    EXPECT_EQ(treeText(project), "A,Group[B,y,C],G[x]");
    EXPECT_TRUE(group->isExpanded());
    EXPECT_EQ(undo.undoActionName(), "Add Group");
    document->settle();
    EXPECT_EQ(document->selectionManager().selectedItem(), group);
    document->undo();
    EXPECT_EQ(treeText(project), "A,B,G[x,y],C");

    // A group selected with its child takes the child along.
    document->selectionManager().selectItems({itemNamed(project, "x"), itemNamed(project, "G")});
    ASSERT_TRUE(editor.groupSelection());
    EXPECT_EQ(treeText(project), "A,B,Group[G[x,y]],C");
}

TEST_F(DocumentEditorCreationTest, BuildTaskWithoutSelectedGroupComesInANewBuildGroup) {
    const BuildTaskPtr task = editor.addBuildTask();
    ASSERT_TRUE(task);
    ASSERT_EQ(project.buildGroups().size(), 1u);
    const BuildGroupPtr group = project.buildGroups()[0];
    EXPECT_EQ(group->name(), "Build Group");
    ASSERT_EQ(group->tasks().size(), 1u);
    EXPECT_EQ(group->tasks()[0], task);
    EXPECT_EQ(task->name(), "Build Task");
    EXPECT_EQ(task->nameTransform(), BuildNameTransform::kebabCase);
    EXPECT_EQ(task->exportFileFolder(), "./");
    EXPECT_EQ(task->exportFileName(), "vantorel");
    EXPECT_EQ(task->exportFileType(), BuildFileType::css);
    EXPECT_EQ(task->exportFormat(), BuildExportFormat::cssColor);
    EXPECT_EQ(undo.undoActionName(), "Add Build Task");
    document->settle();
    EXPECT_EQ(document->selectionManager().selectedBuildGroup(), group);
    EXPECT_EQ(document->selectionManager().selectedBuildTask(), task);

    // With the group selected the next task joins it.
    const BuildTaskPtr second = editor.addBuildTask();
    ASSERT_EQ(project.buildGroups().size(), 1u);
    EXPECT_EQ(project.buildGroups()[0]->tasks().size(), 2u);
    document->undo();
    document->undo();
    EXPECT_TRUE(project.buildGroups().empty());
}

TEST_F(DocumentEditorCreationTest, BuildAndTestGroupsAndTests) {
    const BuildGroupPtr build = editor.addBuildGroup();
    EXPECT_EQ(build->name(), "Build Group");
    EXPECT_EQ(undo.undoActionName(), "Add Build Task");
    const TestGroupPtr test = editor.addTestGroup();
    EXPECT_EQ(test->name(), "Test Group");
    EXPECT_EQ(undo.undoActionName(), "Add Test Group");
    document->settle();
    EXPECT_EQ(document->selectionManager().selectedTestGroup(), test);

    const TestTaskPtr apca = editor.addTestTask(TestTaskType::apcaContrastTest);
    EXPECT_EQ(apca->name(), "APCA Contrast Test");
    EXPECT_EQ(apca->minFontSize(), 18);
    EXPECT_EQ(apca->minFontWeight(), TestFontWeight::fourHundred);
    EXPECT_EQ(apca->thresholdType(), TestThresholdType::textSize);
    EXPECT_EQ(undo.undoActionName(), "Add Test");
    EXPECT_EQ(test->tests().size(), 1u);

    document->selectionManager().clearTestSelection();
    const TestTaskPtr wcag = editor.addTestTask(TestTaskType::wcagContrastTest);
    EXPECT_EQ(wcag->name(), "WCAG Contrast Test");
    EXPECT_FALSE(wcag->minFontSize());
    ASSERT_EQ(project.testGroups().size(), 2u);
    EXPECT_EQ(project.testGroups()[1]->name(), "Test Group");
    EXPECT_EQ(project.testGroups()[1]->tests(), std::vector<TestTaskPtr>{wcag});
}

}  // namespace
}  // namespace vantorel
