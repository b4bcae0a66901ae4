#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FormatTestSupport.h"
#include "VantorelData/model/ItemArena.h"

namespace vantorel::format::testing {
namespace {

TEST(ItemArena, HandsOutAlignedSeparateRangesAndGivesLargeRequestsABlockOfTheirOwn) {
    struct Request {
        std::size_t bytes;
        std::size_t alignment;
    };
    const std::vector<Request> requests = {{1, 1},  {24, 8},   {3, 2},   {176, 16}, {0, 8},
                                           {7, 64}, {40000, 16}, {16, 16}, {ItemArena::blockSize, 8}, {9, 4}};
    ItemArena arena;
    std::vector<std::pair<std::uintptr_t, std::uintptr_t>> taken;
    for (const auto& [bytes, alignment] : requests) {
        const auto start = reinterpret_cast<std::uintptr_t>(arena.allocate(bytes, alignment));
        EXPECT_EQ(start % alignment, 0u) << bytes << " bytes aligned to " << alignment;
        const std::uintptr_t end = start + (bytes == 0 ? 1 : bytes);
        for (const auto& [otherStart, otherEnd] : taken) EXPECT_TRUE(end <= otherStart || start >= otherEnd);
        taken.emplace_back(start, end);
    }
    // Two ordinary blocks at most: the two large requests, rounded up to whole blocks, did not
    // use them up.
    EXPECT_LE(arena.reservedBytes(), 5 * ItemArena::blockSize);
    // Every block goes back to the heap once all of its memory is released (the leak checker
    // of the sanitizer build watches this).
    for (std::size_t i = 0; i < requests.size(); ++i)
        ItemArena::release(reinterpret_cast<void*>(taken[i].first), taken[i].second - taken[i].first);
}

// Items of an opened document live in its arena; items kept after the document closes (by undo
// steps, the pasteboard or an alias's weak reference) keep the arena, and read as before.
TEST(ItemArena, ItemsOutliveTheDocumentTheyWereReadFrom) {
    auto source = std::make_shared<QuenzColorProject>();
    auto color = QuenzColorProjectItem::make("Accent", std::make_shared<QuenzColorItem>(ThemeableColor(rgb(1, 0.5, 0))));
    auto alias = QuenzColorProjectItem::make(
        "Link", std::make_shared<QuenzColorAlias>(AliasSetTargets{AliasSetType::item(color->uuid()), {}, {}, {}}));
    source->setItems({QuenzColorProjectItem::make("Group", std::make_shared<QuenzColorGroup>(
                                                               std::vector<ProjectItemPtr>{color, alias}))});
    const std::string bytes = bytesOf(*source);

    auto project = QuenzColorFileReader::read(bytes);
    ASSERT_EQ(project->items().size(), 1u);
    const ProjectItemPtr group = project->items()[0];
    const QuenzColorItemPtr payload = group->group()->items()[0]->color();
    const std::weak_ptr<QuenzColorProjectItem> linked = group->group()->items()[1]->colorAlias()->referencedProjectItem();
    project.reset();

    ASSERT_EQ(group->group()->items().size(), 2u);
    EXPECT_EQ(group->group()->items()[0]->uuid(), color->uuid());
    EXPECT_EQ(payload->color().lightVariant, rgb(1, 0.5, 0));
    EXPECT_EQ(linked.lock(), group->group()->items()[0]);
    EXPECT_EQ(group->group()->items()[1]->name(), "Link");
}

}  // namespace
}  // namespace vantorel::format::testing
