#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DocumentEditorTestSupport.h"
#include "Vantorel/editing/ElementSnapshotCache.h"

namespace vantorel {
namespace {

using namespace vantorel::testing;

CompressedElementPtr entry(std::uint8_t byte) { return std::make_shared<const CompressedElement>(1, byte); }

TEST(ScopeSnapshotTest, UnchangedChunksAreSharedWithThePreviousSnapshot) {
    std::vector<CompressedElementPtr> entries;
    for (int i = 0; i < 200; ++i) entries.push_back(entry(static_cast<std::uint8_t>(i)));
    const auto snapshotOf = [&entries](const ScopeSnapshotPtr& previous) {
        ScopeSnapshot::Builder builder(previous);
        for (const auto& e : entries) builder.append(e);
        return builder.finish();
    };
    const ScopeSnapshotPtr before = snapshotOf(nullptr);
    ASSERT_EQ(before->size(), 200u);
    EXPECT_EQ(before->chunks().size(), 4u);
    EXPECT_EQ(snapshotOf(before), before) << "an identical snapshot is the previous one itself";

    entries[70] = entry(0xFF);
    const ScopeSnapshotPtr after = snapshotOf(before);
    EXPECT_EQ(after->chunks()[0], before->chunks()[0]);
    EXPECT_NE(after->chunks()[1], before->chunks()[1]);
    EXPECT_EQ(after->chunks()[2], before->chunks()[2]);
    EXPECT_EQ(after->chunks()[3], before->chunks()[3]);
    EXPECT_EQ((*after)[70], entries[70]);
    EXPECT_EQ((*after)[199], entries[199]);

    entries.pop_back();
    EXPECT_EQ(snapshotOf(before)->size(), 199u);
}

TEST(SnapshotCodecTest, ElementsComeBackWithTheirIdentifiers) {
    auto task = std::make_shared<BuildTask>(buildTaskNamed("Styles"), "TASK-ID");
    BuildGroup build("Web", {task}, "BUILD-ID");
    const BuildGroupPtr buildBack = snapshot::restoreBuildGroup(*snapshot::compress(build));
    ASSERT_TRUE(buildBack);
    EXPECT_EQ(buildBack->uuid(), "BUILD-ID");
    EXPECT_EQ(buildBack->name(), "Web");
    ASSERT_EQ(buildBack->tasks().size(), 1u);
    EXPECT_EQ(buildBack->tasks()[0]->uuid(), "TASK-ID");

    TestGroup tests("Contrast", {std::make_shared<TestTask>(testNamed("AA"), "TEST-ID")}, "TG-ID");
    const TestGroupPtr testsBack = snapshot::restoreTestGroup(*snapshot::compress(tests));
    ASSERT_TRUE(testsBack);
    EXPECT_EQ(testsBack->uuid(), "TG-ID");
    EXPECT_EQ(testsBack->tests().at(0)->uuid(), "TEST-ID");

    QuenzColorProject project;
    const ProjectItemPtr group = groupOf("G", {colorItem("x")});
    const ProjectItemPtr back = snapshot::restoreItem(*snapshot::compress(*group), project);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->uuid(), group->uuid());
    EXPECT_EQ(back->group()->items().at(0)->uuid(), group->group()->items()[0]->uuid());
}

// Neither direction makes an entry or an element of what it cannot read or write.
TEST(SnapshotCodecTest, BadBytesReadAsNothingAndUnwritableTextGivesNoEntry) {
    QuenzColorProject project;
    const std::vector<CompressedElement> bad = {
        {},
        {0x62, 0x76, 0x78},
        lzfse::encode(std::string_view("not xml at all <")),
        lzfse::encode(std::string_view("<testGroup><id>T</id></testGroup>")),  // right XML, wrong scope
        lzfse::encode(std::string_view("<unknownItem/>")),
    };
    for (const CompressedElement& bytes : bad) {
        EXPECT_EQ(snapshot::restoreItem(bytes, project), nullptr);
        EXPECT_EQ(snapshot::restoreBuildGroup(bytes), nullptr);
    }
    EXPECT_EQ(snapshot::restoreTestGroup(bad[2]), nullptr);
    EXPECT_EQ(snapshot::compress(*colorItem(std::string("bad \xff name"))), nullptr);
    EXPECT_EQ(snapshot::compress(BuildGroup(std::string("nul \0 inside", 13))), nullptr);
}

TEST(ElementSnapshotCacheTest, OnlyChangedElementsAreCompressedAgain) {
    ElementSnapshotCache<QuenzColorProjectItem> cache;
    const ProjectItemPtr nested = colorItem("nested");
    std::vector<ProjectItemPtr> items{colorItem("a"), groupOf("g", {nested}), colorItem("b")};
    const ScopeSnapshotPtr first = cache.take(items);
    EXPECT_EQ(cache.compressedCount(), 3u);
    EXPECT_EQ(cache.take(items), first);
    EXPECT_EQ(cache.compressedCount(), 3u);

    struct Case {
        const char* what;
        std::function<void()> change;
        std::size_t compressed;  // elements written again
    };
    const Case cases[] = {
        {"a name", [&] { items[0]->setName("a2"); }, 1},
        {"a payload", [&] { items[2]->color()->setColorFormat(quenz::ColorFormat::hexRGB); }, 1},
        {"a nested child", [&] { nested->color()->setDeprecated(true); }, 1},
        {"a child list", [&] { items[1]->group()->appendItem(colorItem("new")); }, 1},
        {"a new child's value", [&] { items[1]->group()->items().back()->setName("renamed"); }, 1},
        {"an unstored filter", [&] { items[1]->group()->setSearchFilter("abc"); }, 0},
        {"a new element", [&] { items.push_back(colorItem("c")); }, 1},
        {"a reorder", [&] { std::swap(items[0], items[2]); }, 0},
    };
    for (const Case& c : cases) {
        const std::size_t before = cache.compressedCount();
        c.change();
        const ScopeSnapshotPtr snapshot = cache.take(items);
        EXPECT_EQ(cache.compressedCount() - before, c.compressed) << c.what;
        expectSnapshotMatches(snapshot, items);
    }
    // A child taken out of its group no longer counts for it.
    const ProjectItemPtr taken = items[1]->group()->removeItemAt(0);
    cache.take(items);
    const std::size_t before = cache.compressedCount();
    taken->setName("outside");
    cache.take(items);
    EXPECT_EQ(cache.compressedCount(), before);
}

TEST(ElementSnapshotCacheTest, RestoreKeepsUnchangedObjectsAndReadsTheRest) {
    ElementSnapshotCache<BuildGroup> cache;
    std::vector<BuildGroupPtr> groups{std::make_shared<BuildGroup>("one"), std::make_shared<BuildGroup>("two")};
    const ScopeSnapshotPtr before = cache.take(groups);
    const BuildGroupPtr originalTwo = groups[1];
    groups[0]->setName("changed");
    cache.take(groups);

    std::size_t reused = 0;
    const auto read = [](const CompressedElement& bytes) { return snapshot::restoreBuildGroup(bytes); };
    const std::vector<BuildGroupPtr> restored = cache.restore(before, groups, read, &reused);
    ASSERT_EQ(restored.size(), 2u);
    EXPECT_EQ(reused, 1u);
    EXPECT_EQ(restored[0]->name(), "one");
    EXPECT_NE(restored[0], groups[0]);
    EXPECT_EQ(restored[1], originalTwo);
    // A read element is tracked at once: its next change is noticed.
    restored[0]->setName("again");
    expectSnapshotMatches(cache.take(restored), restored);
}

}  // namespace
}  // namespace vantorel
