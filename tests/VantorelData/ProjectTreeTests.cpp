// The project's tree operations: lookup order, paths, insertion, statistics, group
// assignments and the display-mode setting.

#include <gtest/gtest.h>

#include "ModelTestSupport.h"

namespace vantorel {
namespace {

using testing::colorItem;
using testing::groupItem;
using testing::projectWith;
using testing::srgb;

// Tree used by several tests:
//   0 A (color)          "dup" is shared by the color at [1,0] and the group at [2]
//   1 G1 (group)
//     1.0 dup (color, name "in group")
//     1.1 G2 (group)
//         1.1.0 deep (color)
//   2 dup (group, name "top group")
//     2.0 dup (color, name "inside top group")
std::shared_ptr<QuenzColorProject> sampleProject() {
    return projectWith({
        colorItem("A", "a", srgb(1, 0, 0)),
        groupItem("G1", "g1", {colorItem("dup", "in group", srgb(0, 1, 0)),
                               groupItem("G2", "g2", {colorItem("deep", "deep", srgb(0, 0, 1))})}),
        groupItem("dup", "top group", {colorItem("dup", "inside top group", srgb(0, 0, 0))}),
    });
}

TEST(ProjectLookup, ItemWithIdReturnsTheFirstMatchDepthFirst) {
    const auto project = sampleProject();
    struct Case {
        std::string uuid;
        std::string expectedName;  // empty: no item
    };
    const Case cases[] = {
        {"A", "a"},
        {"deep", "deep"},
        // A group's children are searched before the next top-level item.
        {"dup", "in group"},
        {"G2", "g2"},
        {"missing", ""},
        {"", ""},
        {"a", ""},  // exact comparison, case matters
    };
    for (const Case& c : cases) {
        const auto item = project->itemWithId(c.uuid);
        if (c.expectedName.empty()) {
            EXPECT_EQ(item, nullptr) << c.uuid;
        } else {
            ASSERT_NE(item, nullptr) << c.uuid;
            EXPECT_EQ(item->name(), c.expectedName) << c.uuid;
        }
    }
    // A group comes before its own children.
    const auto nested = projectWith({groupItem("same", "group", {colorItem("same", "child", srgb(0, 0, 0))})});
    EXPECT_EQ(nested->itemWithId("same")->name(), "group");
}

TEST(ProjectLookup, IndexPathAndItemAtPathAreInverse) {
    const auto project = sampleProject();
    struct Case {
        std::string uuid;
        std::optional<ItemPath> path;
    };
    const Case cases[] = {
        {"A", ItemPath{0}},       {"G1", ItemPath{1}},     {"dup", ItemPath{1, 0}},
        {"deep", ItemPath{1, 1, 0}}, {"missing", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(project->indexPath(c.uuid), c.path) << c.uuid;
        if (c.path) {
            EXPECT_EQ(project->itemAtPath(*c.path), project->itemWithId(c.uuid)) << c.uuid;
        }
    }
    EXPECT_EQ(project->itemAtPath({}), nullptr);
    EXPECT_EQ(project->itemAtPath({9}), nullptr);
    EXPECT_EQ(project->itemAtPath({0, 0}), nullptr);  // below a color
    EXPECT_EQ(project->itemAtPath({1, 1, 5}), nullptr);
}

// The identifiers of a list of items, for compact expectations.
std::vector<std::string> uuids(const std::vector<ProjectItemPtr>& items) {
    std::vector<std::string> result;
    for (const auto& item : items) result.push_back(item->uuid());
    return result;
}

TEST(ProjectInsert, PlacesItemsByPath) {
    struct Case {
        const char* label;
        std::optional<ItemPath> path;
        std::vector<std::string> topLevel;
        std::vector<std::string> insideG1;
    };
    const Case cases[] = {
        {"no path appends", std::nullopt, {"A", "G1", "dup", "X", "Y"}, {"dup", "G2"}},
        {"empty path: top at 0", ItemPath{}, {"X", "Y", "A", "G1", "dup"}, {"dup", "G2"}},
        {"top level index", ItemPath{1}, {"A", "X", "Y", "G1", "dup"}, {"dup", "G2"}},
        {"top level index clamped", ItemPath{42}, {"A", "G1", "dup", "X", "Y"}, {"dup", "G2"}},
        {"into a group", ItemPath{1, 1}, {"A", "G1", "dup"}, {"dup", "X", "Y", "G2"}},
        {"into a group clamped", ItemPath{1, 9}, {"A", "G1", "dup"}, {"dup", "G2", "X", "Y"}},
        // The parent is a color, not a group: the last index applies to the top level.
        {"parent not a group", ItemPath{0, 1}, {"A", "X", "Y", "G1", "dup"}, {"dup", "G2"}},
    };
    for (const Case& c : cases) {
        const auto project = sampleProject();
        project->insert({colorItem("X", "x", srgb(0, 0, 0)), colorItem("Y", "y", srgb(0, 0, 0))}, c.path);
        EXPECT_EQ(uuids(project->items()), c.topLevel) << c.label;
        EXPECT_EQ(uuids(project->itemWithId("G1")->group()->items()), c.insideG1) << c.label;
    }
}

TEST(ProjectStatistics, CountsEveryKindInTheWholeTree) {
    auto number = QuenzColorProjectItem::make("n", "n", std::make_shared<QuenzColorNumber>());
    auto shadowSet = QuenzColorProjectItem::make("ss", "ss", std::make_shared<QuenzColorShadowSet>());
    auto stringAlias = QuenzColorProjectItem::make("sa", "sa", std::make_shared<QuenzColorStringAlias>());
    auto project = sampleProject();
    project->insert({groupItem("G3", "g3", {number, shadowSet}), stringAlias});

    QuenzColorProjectStatistics expected;
    expected.colorItemCount = 4;
    expected.groupCount = 4;
    expected.numberCount = 1;
    expected.shadowSetCount = 1;
    expected.stringAliasCount = 1;
    EXPECT_EQ(project->statistics(), expected);
    EXPECT_EQ(QuenzColorProject().statistics(), QuenzColorProjectStatistics{});
}

TEST(ProjectAssignments, ItemsInGroupsAreCollectedDepthFirstByIdentifier) {
    const auto project = sampleProject();
    auto build = std::make_shared<BuildGroup>("Web");
    auto test = std::make_shared<TestGroup>("Contrast");
    project->setBuildGroups({build});
    project->setTestGroups({test});
    for (const char* uuid : {"deep", "G1", "A"}) project->itemWithId(uuid)->setBuildGroup(build);
    project->itemWithId("G2")->setTestGroup(test);
    // A different group object with the same identifier counts as the same group.
    auto lookalike = std::make_shared<BuildGroup>("Copy", std::vector<BuildTaskPtr>{}, build->uuid());

    EXPECT_EQ(uuids(project->itemsInBuildGroup(*build)), (std::vector<std::string>{"A", "G1", "deep"}));
    EXPECT_EQ(uuids(project->itemsInBuildGroup(*lookalike)), (std::vector<std::string>{"A", "G1", "deep"}));
    EXPECT_EQ(uuids(project->itemsInTestGroup(*test)), (std::vector<std::string>{"G2"}));
    EXPECT_TRUE(project->itemsInBuildGroup(BuildGroup("Other")).empty());
}

TEST(ProjectSettings, DisplayModeReadsAndWritesTheFirstSetting) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> settings;
        AppContentMode expected;
    };
    const Case cases[] = {
        {{}, AppContentMode::grid},
        {{{"DisplayMode", "table"}}, AppContentMode::table},
        {{{"DisplayMode", "bigTable"}}, AppContentMode::bigTable},
        {{{"DisplayMode", "group"}}, AppContentMode::grid},
        {{{"DisplayMode", "Table"}}, AppContentMode::grid},
        {{{"Other", "table"}, {"DisplayMode", "bigTable"}, {"DisplayMode", "table"}}, AppContentMode::bigTable},
    };
    for (const Case& c : cases) {
        QuenzColorProject project;
        for (const auto& [key, value] : c.settings) project.addSetting(key, value);
        EXPECT_EQ(project.displayMode(), c.expected);
    }

    QuenzColorProject project;
    project.addSetting("Unrelated", "kept");
    project.setDisplayMode(AppContentMode::grid);
    ASSERT_EQ(project.settings().size(), 2u);
    EXPECT_EQ(project.settings()[1]->key(), "DisplayMode");
    EXPECT_EQ(project.settings()[1]->value(), "group");
    project.setDisplayMode(AppContentMode::bigTable);
    ASSERT_EQ(project.settings().size(), 2u);
    EXPECT_EQ(project.settings()[1]->value(), "bigTable");
    EXPECT_EQ(project.displayMode(), AppContentMode::bigTable);
    EXPECT_EQ(project.settings()[0]->value(), "kept");
}

TEST(ProjectItems, EmptyPayloadIsReplacedSoTheSlotMatchesTheKind) {
    const auto item = QuenzColorProjectItem::make("u", "n", QuenzColorSetPtr{});
    EXPECT_EQ(item->itemType(), ProjectItemType::colorSet);
    EXPECT_NE(item->colorSet(), nullptr);
    EXPECT_EQ(item->color(), nullptr);
    EXPECT_NE(item->valueItem(), nullptr);
    EXPECT_EQ(groupItem("g", "g", {})->valueItem(), nullptr);
}

}  // namespace
}  // namespace vantorel
