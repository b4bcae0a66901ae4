#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DocumentEditorTestSupport.h"

namespace vantorel {
namespace {

using namespace vantorel::testing;

class DocumentEditorStructureTest : public SampleDocumentTest {
public:
    std::vector<std::string> ids(const std::vector<std::string>& names) {
        std::vector<std::string> uuids;
        for (const std::string& name : names) uuids.push_back(uuidOf(project, name));
        return uuids;
    }
};

TEST_F(DocumentEditorStructureTest, MovePlacesItemsInTheirGivenOrder) {
    struct Case {
        std::vector<std::string> items;
        std::optional<std::string> parent;
        int index;
        const char* expected;
    };
    const Case cases[] = {
        {{"C"}, std::nullopt, 0, "C,A,B,G[x,y]"},
        {{"C"}, std::nullopt, -5, "C,A,B,G[x,y]"},
        {{"A"}, std::nullopt, 4, "B,G[x,y],C,A"},      // after C: A counts as already taken out
        {{"A"}, std::nullopt, 99, "B,G[x,y],C,A"},
        {{"A", "B"}, std::nullopt, 3, "G[x,y],A,B,C"},  // before C
        {{"C", "A"}, "G", 1, "B,G[x,C,A,y]"},
        {{"x"}, std::nullopt, 1, "A,x,B,G[y],C"},
        {{"y", "x"}, std::nullopt, 0, "y,x,A,B,G[],C"},
        {{"G", "A"}, "G", 0, "B,G[A,x,y],C"},           // a group never goes into itself
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        const std::optional<std::string> parent = c.parent ? std::optional(uuidOf(project, *c.parent)) : std::nullopt;
        ASSERT_TRUE(editor.move(ids(c.items), parent, c.index));
        EXPECT_EQ(treeText(project), c.expected);
        EXPECT_EQ(undo.undoActionName(), "Move");
        if (c.parent) {
            EXPECT_TRUE(itemNamed(project, *c.parent)->isExpanded());
        }
        document->undo();
        EXPECT_EQ(treeText(project), "A,B,G[x,y],C");
        EXPECT_FALSE(itemNamed(project, "G")->isExpanded());
    }
}

TEST_F(DocumentEditorStructureTest, UnGroupPutsTheChildrenInTheGroupsPlace) {
    auto& selection = document->selectionManager();
    selection.selectItems({itemNamed(project, "G"), itemNamed(project, "A")});
    ASSERT_TRUE(editor.unGroup());
    EXPECT_EQ(treeText(project), "A,B,x,y,C");
    EXPECT_EQ(undo.undoActionName(), "Ungroup");
    ASSERT_EQ(selection.selectedItems().size(), 2u);
    EXPECT_EQ(selection.selectedItems()[0]->name(), "x");
    document->undo();
    EXPECT_EQ(treeText(project), "A,B,G[x,y],C");

    // A selected group inside another selected group is dissolved too.
    project.setItems({groupOf("Outer", {colorItem("a"), groupOf("Inner", {colorItem("b")}), colorItem("c")})});
    selection.selectItems({itemNamed(project, "Outer"), itemNamed(project, "Inner")});
    ASSERT_TRUE(editor.unGroup());
    EXPECT_EQ(treeText(project), "a,b,c");
}

TEST_F(DocumentEditorStructureTest, DeletingTasksClearsTheirSelection) {
    const BuildTaskPtr task = editor.addBuildTask();
    const TestTaskPtr test = editor.addTestTask(TestTaskType::wcagContrastTest);
    document->settle();
    auto& selection = document->selectionManager();
    ASSERT_EQ(selection.selectedBuildTask(), task);

    ASSERT_TRUE(editor.deleteBuildTask(task->uuid()));
    EXPECT_TRUE(project.buildGroups()[0]->tasks().empty());
    EXPECT_EQ(selection.selectedBuildTask(), nullptr);
    EXPECT_EQ(selection.selectedBuildGroup(), nullptr);
    EXPECT_EQ(undo.undoActionName(), "Delete");
    // Deleting a task counts as a change even when nothing matched.
    EXPECT_TRUE(editor.deleteBuildTask("NO-SUCH-TASK"));

    ASSERT_TRUE(editor.deleteTestTask(test->uuid()));
    EXPECT_TRUE(project.testGroups()[0]->tests().empty());
    EXPECT_EQ(selection.selectedTestTask(), nullptr);
    document->undo();
    ASSERT_EQ(project.testGroups()[0]->tests().size(), 1u);
    EXPECT_EQ(project.testGroups()[0]->tests()[0]->uuid(), test->uuid());

    ASSERT_TRUE(editor.deleteTestGroup(project.testGroups()[0]->uuid()));
    EXPECT_TRUE(project.testGroups().empty());
    ASSERT_TRUE(editor.deleteBuildGroup(project.buildGroups()[0]->uuid()));
    EXPECT_TRUE(project.buildGroups().empty());
}

TEST_F(DocumentEditorStructureTest, TasksMoveBetweenGroups) {
    const BuildTaskPtr first = editor.addBuildTask();
    document->settle();
    const BuildTaskPtr second = editor.addBuildTask();
    document->selectionManager().clearBuildSelection();
    const BuildTaskPtr other = editor.addBuildTask();  // in a second group
    const auto& groups = project.buildGroups();
    ASSERT_EQ(groups.size(), 2u);

    ASSERT_TRUE(editor.moveBuildTasks({other->uuid()}, groups[0]->uuid(), 1));
    EXPECT_EQ(groups[0]->tasks(), (std::vector<BuildTaskPtr>{first, other, second}));
    EXPECT_TRUE(groups[1]->tasks().empty());
    EXPECT_TRUE(groups[0]->isExpanded());
    ASSERT_TRUE(editor.moveBuildTasks({first->uuid()}, groups[0]->uuid(), 3));
    EXPECT_EQ(groups[0]->tasks(), (std::vector<BuildTaskPtr>{other, second, first}));
    EXPECT_FALSE(editor.moveBuildTasks({first->uuid()}, groups[0]->uuid(), 3));
    document->undo();
    document->undo();
    EXPECT_EQ(project.buildGroups()[1]->tasks().size(), 1u);
}

TEST_F(DocumentEditorStructureTest, TestColorsLeaveTheirTestGroup) {
    const TestGroupPtr group = editor.addTestGroup();
    ASSERT_TRUE(editor.changeTestGroup(uuidOf(project, "A"), group->uuid()));
    ASSERT_TRUE(editor.changeTestPosition(uuidOf(project, "A"), TestPosition::foreground));
    ASSERT_TRUE(editor.changeTestGroup(uuidOf(project, "B"), group->uuid()));
    ASSERT_TRUE(editor.deleteTestColors(ids({"A"})));
    EXPECT_EQ(undo.undoActionName(), "Delete Test Color");
    EXPECT_EQ(itemNamed(project, "A")->testGroup(), nullptr);
    EXPECT_EQ(itemNamed(project, "A")->testPosition(), TestPosition::both);
    document->undo();
    EXPECT_EQ(itemNamed(project, "A")->testGroup(), project.testGroups()[0]);
    EXPECT_EQ(itemNamed(project, "A")->testPosition(), TestPosition::foreground);
    ASSERT_TRUE(editor.deleteTestColors(ids({"A", "B"})));
    EXPECT_EQ(undo.undoActionName(), "Delete Test Colors");
}

TEST_F(DocumentEditorStructureTest, ColorSetsBecomeGroupsOfIndividualColors) {
    const auto set = editor.addColorSet("Ramp", ItemPath{1}, setWithSteps(3));
    document->selectionManager().selectItems({set});
    ASSERT_TRUE(editor.convertToIndividualColors());
    EXPECT_EQ(treeText(project), "A,Ramp[100,200,300],B,G[x,y],C");
    const auto converted = itemNamed(project, "Ramp");
    EXPECT_EQ(converted->group()->items()[2]->color()->color().lightVariant,
              set->colorSet()->colors()[2].lightVariant);
    EXPECT_EQ(undo.undoActionName(), "Convert to Individual Colors");
    document->undo();
    EXPECT_EQ(itemNamed(project, "Ramp")->itemType(), ProjectItemType::colorSet);
}

TEST_F(DocumentEditorStructureTest, AssigningAColorSpaceKeepsTheComponents) {
    const auto a = itemNamed(project, "A");
    const quenz::ColorValue before = a->color()->color().lightVariant;
    document->selectionManager().selectItems({a, itemNamed(project, "G")});
    ASSERT_TRUE(editor.assignP3());
    const quenz::ColorValue after = itemNamed(project, "A")->color()->color().lightVariant;
    EXPECT_EQ(after.space, quenz::RGBSpace::displayP3);
    EXPECT_EQ(after.red, before.red);
    EXPECT_EQ(after.blue, before.blue);
    EXPECT_EQ(itemNamed(project, "A")->color()->colorSpace(), quenz::ColorSpace::displayP3);
    EXPECT_EQ(undo.undoActionName(), "Assign P3");
    EXPECT_FALSE(editor.assignP3());
    ASSERT_TRUE(editor.assignSRGB());
    EXPECT_EQ(itemNamed(project, "A")->color()->color().lightVariant, before);
}

TEST_F(DocumentEditorStructureTest, RampsSortAndTakeNamesFromASchemeAsUndoableSteps) {
    const auto set = editor.addColorSet("Ramp", std::nullopt, setWithSteps(4));
    ASSERT_TRUE(editor.changeSetType(set->uuid(), SetType::manual));
    const std::vector<ThemeableColor> steps = set->colorSet()->colors();
    // A ramp from light to dark sorts the other way round by luminance.
    ASSERT_TRUE(editor.sortRampColors(set->uuid(), quenz::ColorSortKey::luminance));
    const auto sorted = itemNamed(project, "Ramp")->colorSet()->colors();
    EXPECT_EQ(sorted.front().name, steps.back().name);
    EXPECT_EQ(undo.undoActionName(), "Sort Color Set Colors");
    EXPECT_FALSE(editor.sortRampColors(set->uuid(), quenz::ColorSortKey::luminance));

    ASSERT_TRUE(editor.applyRampNaming(set->uuid(), ColorNamingScheme::smallNumeric));
    const auto named = itemNamed(project, "Ramp")->colorSet()->colors();
    EXPECT_EQ(named[0].name, "1");
    EXPECT_EQ(named[3].name, "4");
    EXPECT_EQ(undo.undoActionName(), "Apply Naming From");
    document->undo();
    EXPECT_EQ(itemNamed(project, "Ramp")->colorSet()->colors()[0].name, steps.back().name);
}

// Every setter's step title; the properties without a step name of their own show the nearest
// one (auto-contrast amount, color format, string value, a test's settings).
TEST_F(DocumentEditorStructureTest, EverySetterRecordsItsStepTitle) {
    const std::string number = editor.addNumber("N", std::nullopt)->uuid();
    const std::string text = editor.addString("T", std::nullopt)->uuid();
    const std::string flag = editor.addBoolean("F", std::nullopt)->uuid();
    const std::string shadow = editor.addShadow("S", std::nullopt)->uuid();
    const std::string set = editor.addColorSet("R", std::nullopt)->uuid();
    const std::string shadowSet = editor.addShadowSet("L", std::nullopt)->uuid();
    // The last step of the shadow set is an anchor: its edit survives the regeneration.
    const auto changeLastShadow = [&](const std::function<void(ShadowDetails&)>& change) {
        const auto& steps = itemNamed(project, "L")->shadowSet()->stepValues();
        ShadowDetails details = steps.back().value(ColorSource::light);
        change(details);
        return editor.changeSetShadow(shadowSet, steps.size() - 1, details, ColorSource::light);
    };
    const std::string buildTask = editor.addBuildTask()->uuid();
    const std::string buildGroup = project.buildGroups().back()->uuid();
    const std::string test = editor.addTestTask(TestTaskType::wcagContrastTest)->uuid();
    const std::string testGroup = project.testGroups().back()->uuid();
    const std::string a = uuidOf(project, "A");
    const std::string g = uuidOf(project, "G");
    const quenz::ColorValue red{quenz::RGBSpace::sRGB, 1, 0, 0, 1, 0};
    const auto threshold = [](double value) {
        return [value](TestTask& task) {
            if (task.threshold() == value) return false;
            task.setThreshold(value);
            return true;
        };
    };
    struct Case {
        std::function<bool()> change;
        const char* title;
    };
    const Case cases[] = {
        {[&] { return editor.changeName(a, "Z"); }, "Change Name"},
        {[&] { return editor.changeColor(a, red, ColorSource::dark); }, "Change Color"},
        {[&] { return editor.changeBuildGroup(a, buildGroup); }, "Change Build Group"},
        {[&] { return editor.changeTestGroup(a, testGroup); }, "Change Test Group"},
        {[&] { return editor.changeTestPosition(a, TestPosition::background); }, "Change Test Role"},
        {[&] { return editor.changeAutoContrastAmount(a, 0.8); }, "Change Appearance"},
        {[&] { return editor.changeColorFormat(a, quenz::ColorFormat::cssOKLCH); }, "Change Color Space"},
        {[&] { return editor.changeStringValue(text, "Inter", ColorSource::light); }, "Change Number Value"},
        {[&] { return editor.changeBooleanValue(flag, true, ColorSource::dark); }, "Change Boolean Value"},
        {[&] { return editor.changeBuildGroupName(buildGroup, "Web"); }, "Change Name"},
        {[&] { return editor.changeBuildTaskName(buildTask, "Styles"); }, "Edit Build Task"},
        {[&] { return editor.changeBuildTaskFolder(buildTask, "out/"); }, "Edit Build Task"},
        {[&] { return editor.changeTestGroupName(testGroup, "Text"); }, "Change Name"},
        {[&] { return editor.changeTestTaskName(test, "Body Text"); }, "Change Name"},
        {[&] { return editor.changeTestTask(test, threshold(7)); }, "Change Test Group"},
        {[&] { return editor.changeProvidesNamespace(g, true); }, "Change Provides Namespace"},
        {[&] { return editor.changeAppearanceType(a, AppearanceType::lightAndDark); }, "Change Appearance"},
        {[&] { return editor.changeColorSpace(a, quenz::ColorSpace::displayP3); }, "Change Color Space"},
        {[&] { return editor.changeDeprecated(a, true); }, "Change Deprecated"},
        {[&] { return editor.changeDeprecatedReason(a, "old"); }, "Change Deprecated Reason"},
        {[&] { return editor.changeNumberValue(number, 4, ColorSource::light); }, "Change Number Value"},
        {[&] { return editor.changeNumberMin(number, 1); }, "Change Minimum"},
        {[&] { return editor.changeNumberMax(number, 9); }, "Change Maximum"},
        {[&] { return editor.changeNumberSteps(number, 3); }, "Change Steps"},
        {[&] { return editor.changeShadowX(shadow, 7, ColorSource::light); }, "Change X Offset"},
        {[&] { return editor.changeShadowY(shadow, 7, ColorSource::dark); }, "Change Y Offset"},
        {[&] { return editor.changeShadowBlur(shadow, 7, ColorSource::light); }, "Change Blur"},
        {[&] { return editor.changeShadowSpread(shadow, 7, ColorSource::light); }, "Change Spread"},
        {[&] { return editor.changeStepCount(set, 5); }, "Change Steps"},
        {[&] { return editor.changeInterpolationMethod(set, InterpolationMethod::oklab); }, "Change Interpolation"},
        {[&] { return editor.changeCurveType(set, CurveType::cosine); }, "Change Curve Type"},
        {[&] { return editor.changeCurveAmount(set, 0.5); }, "Change Curve Amount"},
        {[&] { return editor.changeNamingScheme(set, ColorNamingScheme::smallNumeric); }, "Change Naming Scheme"},
        {[&] { return editor.changeSetType(set, SetType::threeItems); }, "Change Set Type"},
        {[&] { return editor.changeMiddleColor(set, 0.3); }, "Change Middle Color"},
        {[&] { return editor.changeStepName(set, 1, "Second"); }, "Change Name"},
        {[&] { return editor.changeSetColor(set, 0, red, ColorSource::light); }, "Change Color"},
        {[&] { return changeLastShadow([](ShadowDetails& d) { d.blur = 40; }); }, "Change Blur"},
        {[&] { return changeLastShadow([&](ShadowDetails& d) { d.color = red; }); }, "Change Color"},
        {[&] { return editor.changeSetShadow(shadowSet, 99, ShadowDetails(), ColorSource::light); }, ""},
        {[&] { return editor.changeAliasLink(a, ColorSource::light, AliasSetType::notSet()); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        const std::size_t before = undo.stepCount();
        const bool changed = c.change();
        EXPECT_EQ(changed, std::string(c.title) != "");
        if (!changed) continue;
        EXPECT_EQ(undo.stepCount(), before + 1);
        EXPECT_EQ(undo.undoActionName(), c.title);
        EXPECT_FALSE(c.change()) << "a repeat changes nothing";
    }
    EXPECT_EQ(itemNamed(project, "R")->colorSet()->colors().size(), 5u);
    EXPECT_EQ(itemNamed(project, "R")->colorSet()->colors()[0].name, "1");
    expectCachesMatch(*document);
}

}  // namespace
}  // namespace vantorel
