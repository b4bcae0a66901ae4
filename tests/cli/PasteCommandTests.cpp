// `vantorel paste`: items from `vantorel copy` inserted as one step with fresh identifiers and
// saved atomically; input without readable items changes nothing.

#include <gtest/gtest.h>

#include <unistd.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "CliTestSupport.h"
#include "tests/support/FileContents.h"
#include "tests/support/ItemTreeText.h"
#include "VantorelData/format/QuenzColorFileReader.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "VantorelData/model/Model.h"

namespace vantorel::cli::testing {
namespace {

using vantorel::testing::fileContents;

namespace fs = std::filesystem;

ProjectItemPtr color(const std::string& name) {
    return QuenzColorProjectItem::make(
        name, std::make_shared<QuenzColorItem>(ThemeableColor(quenz::ColorValue{quenz::RGBSpace::sRGB, 0, 0.5, 1, 1, 0})));
}

ProjectItemPtr group(const std::string& name, std::vector<ProjectItemPtr> children) {
    return QuenzColorProjectItem::make(name, std::make_shared<QuenzColorGroup>(std::move(children)));
}

using vantorel::testing::treeText;

std::set<std::string> idsIn(const QuenzColorProject& project) {
    std::set<std::string> ids;
    project.forEachItem([&](const ProjectItemPtr& item) { ids.insert(item->uuid()); });
    return ids;
}

struct PasteCommandTest : ::testing::Test {
    fs::path folder = fs::temp_directory_path() / ("vantorel-paste-" + std::to_string(::getpid()));
    fs::path source = folder / "Brand.vantorel";
    fs::path target = folder / "Product.vantorel";

    void SetUp() override {
        fs::create_directories(folder);
        write(source, {group("Brand", {color("Primary"), color("Secondary")}), color("Accent")});
        write(target, {group("Colors", {color("Existing")}), color("Top")});
    }
    void TearDown() override { fs::remove_all(folder); }

    static void write(const fs::path& path, std::vector<ProjectItemPtr> items) {
        QuenzColorProject project;
        project.setItems(std::move(items));
        std::ofstream(path, std::ios::binary) << format::QuenzColorFileWriter::write(project).bytes;
    }
    static QuenzColorProjectPtr read(const fs::path& path) { return format::QuenzColorFileReader::read(fileContents(path)); }

    std::string copy(const std::vector<std::string>& items) {
        std::vector<std::string> args = {"copy", source.string()};
        args.insert(args.end(), items.begin(), items.end());
        const auto result = runCli(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result.out;
    }
};

TEST_F(PasteCommandTest, CopyOutputPastesIntoAnotherDocument) {
    const std::string payload = copy({"Brand", "Accent"});
    const auto result = runCli({"paste", target.string()}, payload);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Pasted 2 items into " + target.string() + "\n");

    const auto pasted = read(target);
    EXPECT_EQ(treeText(pasted->items()), "Colors[Existing],Top,Brand[Primary,Secondary],Accent");
    // Fresh identifiers throughout: none is shared with the source document.
    const auto sourceIds = idsIn(*read(source));
    for (const std::string& id : idsIn(*pasted)) EXPECT_EQ(sourceIds.count(id), 0u) << id;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);  // no temporary left
}

TEST_F(PasteCommandTest, PastesAtTheEndOfAGroup) {
    const auto result = runCli({"paste", target.string(), "--into", "Colors"}, copy({"Brand/Primary"}));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(treeText(read(target)->items()), "Colors[Existing,Primary],Top");
}

TEST_F(PasteCommandTest, ReportsThePastedItemsAsJson) {
    const auto result = runCli({"paste", target.string(), "--json"}, copy({"Brand"}));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    ASSERT_EQ(json["pasted"].size(), 1u);
    EXPECT_EQ(json["pasted"][0]["name"], "Brand");
    EXPECT_EQ(json["pasted"][0]["type"], "group");
    EXPECT_EQ(json["pasted"][0]["id"], read(target)->items()[2]->uuid());
    EXPECT_EQ(json["file"], target.string());
}

TEST_F(PasteCommandTest, InputWithoutReadableItemsChangesNothing) {
    const std::string before = fileContents(target);
    for (const std::string input : {"", "not json", "[]", "[\"@@@@\"]", "{\"ids\":[\"A\"]}", "[\"AAAA\"]"}) {
        const auto result = runCli({"paste", target.string()}, input);
        EXPECT_EQ(result.exitCode, 1) << input;
        EXPECT_NE(result.err.find("holds no readable item"), std::string::npos) << result.err;
        EXPECT_EQ(fileContents(target), before) << input;
    }
}

TEST_F(PasteCommandTest, RefusesBadDestinations) {
    const std::string payload = copy({"Accent"});
    const std::string before = fileContents(target);
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--into", "Nowhere"}, "no group 'Nowhere'"},
        {{"--into", "Top"}, "no group 'Top'"},
        {{"--into", "Colors/Existing"}, "no group 'Colors/Existing'"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"paste", target.string()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto result = runCli(args, payload);
        EXPECT_EQ(result.exitCode, 2) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(fileContents(target), before) << c.message;
    }
}

TEST_F(PasteCommandTest, NeverOverwritesAFileThatIsNotADocument) {
    const fs::path notes = folder / "notes.vantorel";
    std::ofstream(notes) << "my notes";
    const auto result = runCli({"paste", notes.string()}, copy({"Accent"}));
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("not a Vantorel document"), std::string::npos) << result.err;
    EXPECT_EQ(fileContents(notes), "my notes");
    EXPECT_EQ(runCli({"paste", (folder / "missing.vantorel").string()}, copy({"Accent"})).exitCode, 2);
}

}  // namespace
}  // namespace vantorel::cli::testing
