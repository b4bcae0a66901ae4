// The item filter: names, set step names and groups, compared case-insensitively.

#include <gtest/gtest.h>

#include "ModelTestSupport.h"

namespace vantorel {
namespace {

using testing::colorItem;
using testing::colorSetItem;
using testing::groupItem;
using testing::srgb;

TEST(ItemSearch, MatchesNamesStepsAndGroupContents) {
    const auto color = colorItem("c", "Primary Blue", srgb(0, 0, 1));
    const auto set = colorSetItem("s", "Greys", {"Ink", "Paper"});
    const auto group = groupItem("g", "Brand", {groupItem("g2", "Inner", {colorItem("x", "Straße", srgb(0, 0, 0))})});
    struct Case {
        const ProjectItemPtr& item;
        const char* text;
        bool expected;
    };
    const Case cases[] = {
        {color, "", true},
        {color, "blue", true},
        {color, "PRIMARY", true},
        {color, "mary bl", true},
        {color, "red", false},
        {set, "paper", true},
        {set, "greys", true},
        {set, "pen", false},
        {group, "brand", true},
        {group, "inner", true},
        {group, "STRASSE", true},
        {group, "strasse", true},
        {group, "Ink", false},
    };
    for (const Case& c : cases) EXPECT_EQ(matchesSearch(*c.item, c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace vantorel
