// `vantorel copy` writes the pasteboard payload of items named by path or identifier;
// `vantorel paste` inserts such items as one step with fresh identifiers and saves atomically.
// Input without readable items, and names or places it cannot resolve exactly, change nothing.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <iterator>
#include <set>

#include "CliTestSupport.h"
#include "Vantorel/editing/PasteboardPayload.h"
#include "VantorelData/format/QuenzColorFileReader.h"
#include "tests/support/FileContents.h"
#include "tests/support/ItemTreeText.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/SmallProjects.h"

namespace vantorel::cli::testing {
namespace {

using vantorel::testing::fileContents;
using vantorel::testing::treeText;
namespace fs = std::filesystem;

ProjectItemPtr color(const std::string& name) { return vantorel::testing::srgbColorItem(name, 1, 0, 0); }
using vantorel::testing::groupOf;

std::vector<std::string> operator+(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::set<std::string> idsIn(const QuenzColorProject& project) {
    std::set<std::string> ids;
    project.forEachItem([&](const ProjectItemPtr& item) { ids.insert(item->uuid()); });
    return ids;
}

// Source: Brand[Primary,On/Off],Accent,Twin,Twin. Target: Colors[Existing],Top.
struct CopyPasteCommandTest : ::testing::Test {
    vantorel::testing::ScratchFolder folder{"copy-paste"};
    fs::path source = folder / "Brand.vantorel";
    fs::path target = folder / "Product.vantorel";
    QuenzColorProject project;

    void SetUp() override {
        project.setItems({groupOf("Brand", {color("Primary"), color("On/Off")}), color("Accent"), color("Twin"),
                          color("Twin")});
        vantorel::testing::writeFileContents(source, vantorel::testing::documentBytes(project));
        QuenzColorProject product;
        product.setItems({groupOf("Colors", {color("Existing")}), color("Top")});
        vantorel::testing::writeFileContents(target, vantorel::testing::documentBytes(product));
    }

    static QuenzColorProjectPtr read(const fs::path& path) { return format::QuenzColorFileReader::read(fileContents(path)); }

    std::string copy(const std::vector<std::string>& items) {
        const auto result = runCli(std::vector<std::string>{"copy", source.string()} + items);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result.out;
    }
};

TEST_F(CopyPasteCommandTest, CopyWritesExactlyThePayloadOfTheNamedItems) {
    const std::string idOfAccent = project.items()[1]->uuid();
    const auto result = runCli({"copy", source.string(), "Brand/Primary", "--id", idOfAccent, R"(Brand/On\/Off)"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const auto expected = pasteboard::encodeItems(
        {project.items()[0]->group()->items()[0], project.items()[0]->group()->items()[1], project.items()[1]});
    // Same elements; only the item texts' identifiers are kept, so the bytes match exactly.
    EXPECT_EQ(result.out, expected.value());
    std::vector<std::string> names;
    for (const auto& item : pasteboard::readItems(result.out, QuenzColorProject{})) names.push_back(item->name());
    EXPECT_EQ(names, (std::vector<std::string>{"Primary", "On/Off", "Accent"}));
}

TEST_F(CopyPasteCommandTest, PasteInsertsWithFreshIdentifiersAtTheEndOrIntoAGroup) {
    const auto result = runCli({"paste", target.string()}, copy({"Brand", "Accent"}));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Pasted 2 items into " + target.string() + "\n");
    const auto pasted = read(target);
    EXPECT_EQ(treeText(pasted->items()), "Colors[Existing],Top,Brand[Primary,On/Off],Accent");
    const auto sourceIds = idsIn(*read(source));
    for (const std::string& id : idsIn(*pasted)) EXPECT_EQ(sourceIds.count(id), 0u) << id;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2) << "no temporary left";

    const auto into = runCli({"paste", target.string(), "--into", "Colors", "--json"}, copy({"Brand/Primary"}));
    ASSERT_EQ(into.exitCode, 0) << into.err;
    EXPECT_EQ(treeText(read(target)->items()), "Colors[Existing,Primary],Top,Brand[Primary,On/Off],Accent");
    const auto json = nlohmann::json::parse(into.out);
    ASSERT_EQ(json["pasted"].size(), 1u);
    EXPECT_EQ(json["pasted"][0]["name"], "Primary");
    EXPECT_EQ(json["pasted"][0]["type"], "color");
    EXPECT_EQ(json["pasted"][0]["id"], read(target)->items()[0]->group()->items()[1]->uuid());
    EXPECT_EQ(json["file"], target.string());
}

TEST_F(CopyPasteCommandTest, WhatCannotBeResolvedExactlyChangesNothing) {
    const std::string payload = copy({"Accent"});
    const std::string before = fileContents(target);
    const fs::path notes = folder / "notes.vantorel";
    vantorel::testing::writeFileContents(notes, "my notes");
    const std::string missing = (folder / "missing.vantorel").string();
    const struct {
        std::vector<std::string> args;
        std::string input;
        int exitCode;
        const char* message;
    } cases[] = {
        {{"copy", source.string()}, "", 2, "name at least one item"},
        {{"copy", source.string(), "Missing"}, "", 2, "no item 'Missing'"},
        {{"copy", source.string(), "Brand/Accent"}, "", 2, "no item 'Brand/Accent'"},
        {{"copy", source.string(), "Twin"}, "", 2, "'Twin' names 2 items"},
        {{"copy", source.string(), "--id", "NOT-AN-ID"}, "", 2, "no item with identifier NOT-AN-ID"},
        {{"copy", source.string(), "Trailing\\"}, "", 2, "is not an item name path"},
        {{"copy", notes.string(), "Brand/Primary"}, "", 2, "not a Vantorel document"},
        {{"copy", missing, "Brand/Primary"}, "", 2, ""},
        {{"paste", target.string(), "--into", "Nowhere"}, payload, 2, "no group 'Nowhere'"},
        {{"paste", target.string(), "--into", "Top"}, payload, 2, "no group 'Top'"},
        {{"paste", target.string(), "--into", "Colors/Existing"}, payload, 2, "no group 'Colors/Existing'"},
        {{"paste", notes.string()}, payload, 2, "not a Vantorel document"},
        {{"paste", missing}, payload, 2, ""},
        {{"paste", target.string()}, "", 1, "holds no readable item"},
        {{"paste", target.string()}, "not json", 1, "holds no readable item"},
        {{"paste", target.string()}, "[]", 1, "holds no readable item"},
        {{"paste", target.string()}, "[\"@@@@\"]", 1, "holds no readable item"},
        {{"paste", target.string()}, "{\"ids\":[\"A\"]}", 1, "holds no readable item"},
        {{"paste", target.string()}, "[\"AAAA\"]", 1, "holds no readable item"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args) + " " + c.input);
        const auto result = runCli(c.args, c.input);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_EQ(fileContents(target), before);
    EXPECT_EQ(fileContents(notes), "my notes");
}

}  // namespace
}  // namespace vantorel::cli::testing
