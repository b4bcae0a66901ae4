// `vantorel copy`: the pasteboard payload of items named by path or identifier.

#include <gtest/gtest.h>

#include <unistd.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <string>

#include "CliTestSupport.h"
#include "Vantorel/editing/PasteboardPayload.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "VantorelData/model/Model.h"

namespace vantorel::cli::testing {
namespace {

namespace fs = std::filesystem;

ProjectItemPtr color(const std::string& name) {
    return QuenzColorProjectItem::make(
        name, std::make_shared<QuenzColorItem>(ThemeableColor(quenz::ColorValue{quenz::RGBSpace::sRGB, 1, 0, 0, 1, 0})));
}

ProjectItemPtr group(const std::string& name, std::vector<ProjectItemPtr> children) {
    return QuenzColorProjectItem::make(name, std::make_shared<QuenzColorGroup>(std::move(children)));
}

struct CopyCommandTest : ::testing::Test {
    fs::path folder = fs::temp_directory_path() / ("vantorel-copy-" + std::to_string(::getpid()));
    fs::path file = folder / "Brand.vantorel";
    QuenzColorProject project;

    void SetUp() override {
        fs::create_directories(folder);
        project.setItems({group("Brand", {color("Primary"), color("On/Off")}), color("Accent"), color("Twin"),
                          color("Twin")});
        std::ofstream(file, std::ios::binary) << format::QuenzColorFileWriter::write(project).bytes;
    }
    void TearDown() override { fs::remove_all(folder); }

    // The names of the items the payload carries, read back into an empty project.
    static std::vector<std::string> copiedNames(const std::string& payload) {
        std::vector<std::string> names;
        for (const auto& item : pasteboard::readItems(payload, QuenzColorProject{})) names.push_back(item->name());
        return names;
    }
};

TEST_F(CopyCommandTest, WritesExactlyThePayloadOfTheNamedItems) {
    const std::string idOfAccent = project.items()[1]->uuid();
    const auto result = runCli({"copy", file.string(), "Brand/Primary", "--id", idOfAccent, R"(Brand/On\/Off)"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const auto expected = pasteboard::encodeItems(
        {project.items()[0]->group()->items()[0], project.items()[0]->group()->items()[1], project.items()[1]});
    // Same elements; only the item texts' identifiers are kept, so the bytes match exactly.
    EXPECT_EQ(result.out, expected.value());
    EXPECT_EQ(copiedNames(result.out), (std::vector<std::string>{"Primary", "On/Off", "Accent"}));
}

TEST_F(CopyCommandTest, RefusesItemsItCannotNameExactly) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{}, "name at least one item"},
        {{"Missing"}, "no item 'Missing'"},
        {{"Brand/Accent"}, "no item 'Brand/Accent'"},
        {{"Twin"}, "'Twin' names 2 items"},
        {{"--id", "NOT-AN-ID"}, "no item with identifier NOT-AN-ID"},
        {{"Trailing\\"}, "is not an item name path"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"copy", file.string()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto result = runCli(args);
        EXPECT_EQ(result.exitCode, 2) << c.message;
        EXPECT_EQ(result.out, "") << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
}

TEST_F(CopyCommandTest, RefusesFilesThatAreNotDocuments) {
    std::ofstream(folder / "notes.txt") << "Brand/Primary";
    EXPECT_EQ(runCli({"copy", (folder / "notes.txt").string(), "Brand/Primary"}).exitCode, 2);
    EXPECT_EQ(runCli({"copy", (folder / "missing.vantorel").string(), "Brand/Primary"}).exitCode, 2);
}

}  // namespace
}  // namespace vantorel::cli::testing
