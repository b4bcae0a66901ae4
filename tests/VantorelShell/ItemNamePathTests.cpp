// Item name paths: parsing with escapes, writing them back, and finding items by path.

#include <gtest/gtest.h>

#include "ShellTestSupport.h"
#include "Vantorel/shell/ItemNamePath.h"

namespace vantorel::shell::testing {
namespace {

using Names = std::vector<std::string>;

TEST(ItemNamePath, ParsesNamesAndEscapes) {
    const struct {
        const char* text;
        std::optional<Names> names;
    } cases[] = {
        {"Primary", Names{"Primary"}},
        {"Brand/Primary", Names{"Brand", "Primary"}},
        {R"(Light\/Dark/Primary)", Names{"Light/Dark", "Primary"}},
        {R"(Back\\slash)", Names{"Back\\slash"}},
        {R"(Odd\name)", Names{"Odd\\name"}},
        {"Brand/", Names{"Brand", ""}},
        {"/Primary", Names{"", "Primary"}},
        {"", std::nullopt},
        {"Trailing\\", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parseItemNamePath(c.text), c.names) << c.text;
}

TEST(ItemNamePath, FindsEveryMatchInTreeOrder) {
    QuenzColorProject project;
    const auto first = colorNamed("Primary");
    const auto second = colorNamed("Primary");
    const auto slash = colorNamed("On/Off");
    project.setItems({groupOf("Brand", {colorNamed("Accent")}), groupOf("Brand", {first, slash}),
                      groupOf("Brand", {second}), colorNamed("Primary")});
    EXPECT_EQ(itemsAtNamePath(project, {"Brand", "Primary"}), (std::vector<ProjectItemPtr>{first, second}));
    EXPECT_EQ(itemsAtNamePath(project, *parseItemNamePath(R"(Brand/On\/Off)")), std::vector<ProjectItemPtr>{slash});
    EXPECT_EQ(itemsAtNamePath(project, {"Brand"}).size(), 3u);
    EXPECT_TRUE(itemsAtNamePath(project, {"Primary", "Brand"}).empty());
    EXPECT_TRUE(itemsAtNamePath(project, {"Brand", "Accent", "deeper"}).empty());
    EXPECT_TRUE(itemsAtNamePath(project, {}).empty());
}

}  // namespace
}  // namespace vantorel::shell::testing
