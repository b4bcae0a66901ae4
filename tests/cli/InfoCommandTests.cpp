#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>

#include <unistd.h>

#include "CliTestSupport.h"
#include "Vantorel/platform/OutputText.h"
#include "VantorelData/format/QuenzColorFileReader.h"
#include "cli/ItemListing.h"
#include "tests/support/FileContents.h"
#include "tests/support/NestedGroups.h"

using vantorel::cli::testing::runCli;

namespace {

namespace fs = std::filesystem;

const std::string showcase = std::string(VANTOREL_SOURCE_DIR) + "/examples/Showcase.vantorel";

// Collects the item kinds of a JSON item tree.
void collectKinds(const nlohmann::json& items, std::set<std::string>& kinds) {
    for (const auto& item : items) {
        kinds.insert(item.at("kind").get<std::string>());
        if (item.contains("items")) collectKinds(item["items"], kinds);
    }
}

TEST(InfoCommand, JsonReportsEveryKindOfItemOfTheShowcase) {
    const auto result = runCli({"info", showcase, "--json", "--tree"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto data = nlohmann::json::parse(result.out);
    ASSERT_EQ(data.at("statistics").size(), 13u);
    for (const auto& [key, count] : data["statistics"].items()) EXPECT_GT(count.get<int>(), 0) << key;

    std::set<std::string> kinds;
    collectKinds(data.at("items"), kinds);
    EXPECT_EQ(kinds.size(), 13u);

    const auto& web = data.at("buildGroups").at(0);
    EXPECT_EQ(web.at("name"), "Web");
    const auto& css = web.at("tasks").at(0);
    EXPECT_EQ(css.at("fileType"), "CSS");
    EXPECT_EQ(css.at("outputFileName"), "tokens.css");
    EXPECT_EQ(css.at("folder"), "build/web");
    EXPECT_FALSE(data.at("testGroups").at(0).at("tests").empty());
}

TEST(InfoCommand, JsonWithoutTreeLeavesTheItemsOut) {
    const auto result = runCli({"info", showcase, "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto data = nlohmann::json::parse(result.out);
    EXPECT_FALSE(data.contains("items"));
    EXPECT_TRUE(data.at("description").get<std::string>().starts_with("Aurora"));
}

TEST(InfoCommand, TextShowsCountsGroupsAndTheTree) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> expected;
        std::vector<std::string> absent;
    };
    const Case cases[] = {
        {{"info", showcase},
         {"Description: Aurora", "Color sets", "Shadow aliases", "Build groups:", "CSS Variables: CSS -> tokens.css in build/web",
          "Test groups:", "WCAG AA Body: WCAG Contrast (threshold 4.5, Luminosity)"},
         {"Item tree:"}},
        {{"info", showcase, "--tree"},
         {"Item tree:", "group 'Brand'  [namespace]", "colorSet 'Blue'", "- 100  ", "colorAlias 'Primary'  -> 'Blue' step 3",
          "build: Web", "test: Text Contrast (foreground)", "(deprecated)"},
         {}},
    };
    for (const auto& c : cases) {
        const auto result = runCli(c.args);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        for (const auto& text : c.expected) EXPECT_NE(result.out.find(text), std::string::npos) << text << "\n" << result.out;
        for (const auto& text : c.absent) EXPECT_EQ(result.out.find(text), std::string::npos) << text;
    }
}

// The tree written entry by entry reads exactly as the same data printed whole, while the
// nesting stays within the indented levels.
TEST(InfoCommand, TreeWrittenByEntriesMatchesTheWholeData) {
    const std::string awkward = std::string(VANTOREL_SOURCE_DIR) + "/tests/ecosystem/AwkwardNames.vantorel";
    const vantorel::QuenzColorProjectPtr projects[] = {
        vantorel::format::QuenzColorFileReader::read(vantorel::testing::fileContents(showcase)),
        vantorel::format::QuenzColorFileReader::read(vantorel::testing::fileContents(awkward)),
        vantorel::testing::nestedGroupsProject(14),
        vantorel::testing::nestedGroupsProject(2),
        std::make_shared<vantorel::QuenzColorProject>(),
    };
    // Names that are not UTF-8 or hold control characters.
    projects[3]->items().front()->setName("caf\xE9 \x01\t\"q\"");
    for (const auto& project : projects) {
        nlohmann::json whole = {{"file", "x"}, {"items", nlohmann::json::array()}, {"zone", 1}};
        for (const auto& item : project->items()) whole["items"].push_back(vantorel::cli::itemJSON(*project, *item));
        std::ostringstream written;
        vantorel::cli::writeItemTreeJSON(written, {{"file", "x"}, {"items", nlohmann::json::array()}, {"zone", 1}},
                                         *project, project->items());
        EXPECT_EQ(written.str(), vantorel::platform::jsonOutputText(whole));
    }
}

}  // namespace
