// `vantorel import`: shows what an import would add, adds it to a document as one step, and
// leaves the document untouched when the import or its arguments fail.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "CliTestSupport.h"
#include "VantorelData/format/QuenzColorFileReader.h"
#include "tests/support/FileContents.h"
#include "tests/support/ItemTreeText.h"
#include "tests/support/ScratchFolder.h"

namespace vantorel::cli::testing {
namespace {

using vantorel::testing::fileContents;
using vantorel::testing::writeFileContents;

struct ImportCommandTest : ::testing::Test {
    vantorel::testing::ScratchFolder folder{"import-command"};
    std::string document = folder.document().string();

    void SetUp() override {
        ASSERT_EQ(runCli({"new", document}).exitCode, 0);
        writeFileContents(folder / "tokens.json",
                          R"({"n":{"$type":"number","$value":4},"c":{"$type":"color","$value":"#FF0000"}})");
        writeFileContents(folder / "brand.css",
                          ":root{--brand-1:#111;--brand-2:#222;--brand-3:#333;--ink:#000}");
        writeFileContents(folder / "broken.svg", "no markup");
        writeFileContents(folder / "broken.fig", "no archive");
        writeFileContents(folder / "notes.txt", "#FFFFFF");
        writeFileContents(folder / "design.sketch", "PK not an archive");
        writeFileContents(folder / "photo.png", "\x89PNG\r\n");
    }
    std::string path(const char* name) const { return (folder / name).string(); }
    std::string topLevel() const {
        return vantorel::testing::treeText(*format::QuenzColorFileReader::read(fileContents(document)));
    }
};

TEST_F(ImportCommandTest, ShowsTheGroupWithoutChangingAnything) {
    const std::string before = fileContents(document);
    const CliResult plain = runCli({"import", path("tokens.json")});
    EXPECT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_EQ(plain.out.substr(0, plain.out.find('\n')), "Design Tokens JSON Import - tokens.json: 1 number");
    EXPECT_NE(plain.out.find("number 'n'  4"), std::string::npos) << plain.out;

    const CliResult lenient = runCli({"import", path("tokens.json"), "--lenient", "--json"});
    ASSERT_EQ(lenient.exitCode, 0) << lenient.err;
    const auto data = nlohmann::json::parse(lenient.out);
    EXPECT_EQ(data["group"]["name"], "Design Tokens JSON Import - tokens.json");
    EXPECT_EQ(data["group"]["items"].size(), 2u);
    EXPECT_EQ(fileContents(document), before);
}

TEST_F(ImportCommandTest, AddsTheGroupAsOneStepAndSaves) {
    const CliResult result = runCli({"import", path("brand.css"), "--into", document});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Added 'CSS Import - brand.css' to " + document + ": 1 color, 1 colorSet\n");
    const std::string tree = topLevel();
    EXPECT_EQ(tree.substr(tree.rfind("CSS Import")), "CSS Import - brand.css[brand,ink]");

    const CliResult svg =
        runCli({"import", path("tokens.json"), "--kind", "tokens", "--into", document, "--json"});
    ASSERT_EQ(svg.exitCode, 0) << svg.err;
    EXPECT_EQ(nlohmann::json::parse(svg.out)["counts"], nlohmann::json({{"number", 1}}));
}

TEST_F(ImportCommandTest, FailuresLeaveTheDocumentUntouched) {
    const std::string before = fileContents(document);
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* error;
    } cases[] = {
        {{"import", path("broken.svg"), "--into", document},
         1,
         "vantorel: Failed to import colors: SVG has no root element, unable to parse\n"},
        {{"import", path("broken.fig"), "--into", document},
         1,
         "vantorel: Failed to import colors: Unable to open Figma document\n"},
        {{"import", path("tokens.json"), "--kind", "quenz", "--into", document},
         2,
         "vantorel: 'quenz' is not an import kind (kinds: figma, svg, css, tokens, sketch, asset-catalog, image)\n"},
        {{"import", path("design.sketch"), "--into", document},
         1,
         "vantorel: Failed to import colors: The file is not a Sketch document\n"},
        {{"import", path("photo.png"), "--into", document}, 1, "vantorel: Failed to import colors: Unable to open image file\n"},
        {{"import", path("notes.txt"), "--kind", "asset-catalog", "--into", document}, 2, nullptr},
        {{"import", path("notes.txt"), "--into", document}, 2, nullptr},
        {{"import", path("missing.json"), "--into", document}, 2, nullptr},
        {{"import", path("tokens.json"), "--into", path("notes.txt")}, 2, nullptr},
    };
    for (const auto& test : cases) {
        const CliResult result = runCli(test.args);
        EXPECT_EQ(result.exitCode, test.exitCode) << test.args[1];
        if (test.error) {
            EXPECT_EQ(result.err, test.error);
        }
        EXPECT_EQ(fileContents(document), before) << test.args[1];
    }
    EXPECT_EQ(fileContents(path("notes.txt")), "#FFFFFF");
}

TEST_F(ImportCommandTest, AddsAnAssetCatalogFolderNamedWithATrailingSlash) {
    const auto colorSet = folder / "Colors.xcassets" / "Ink.colorset";
    std::filesystem::create_directories(colorSet);
    writeFileContents(colorSet / "Contents.json",
                      R"({"colors":[{"idiom":"universal","color":{"color-space":"srgb","components":)"
                      R"({"red":"0x11","green":"34","blue":"0.2","alpha":"1.000"}}}]})");
    const CliResult result = runCli({"import", path("Colors.xcassets") + "/", "--into", document});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Added 'Asset Catalog Import - Colors.xcassets' to " + document + ": 1 color\n");
}

}  // namespace
}  // namespace vantorel::cli::testing
