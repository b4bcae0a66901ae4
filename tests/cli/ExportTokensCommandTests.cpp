#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>

#include "CliTestSupport.h"
#include "Vantorel/platform/AtomicFile.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "VantorelData/model/Project.h"
#include "tests/support/ScratchFolder.h"

using vantorel::cli::testing::runCli;

namespace {

namespace fs = std::filesystem;

class ExportTokensCommand : public ::testing::Test {
protected:
    // A document holding one number and, unless light only, one color with a dark value.
    fs::path writeDocument(const std::string& name, bool lightOnly = false) {
        vantorel::QuenzColorProject project("Small");
        std::vector<vantorel::ProjectItemPtr> items = {vantorel::QuenzColorProjectItem::make(
            "Gap/Large", std::make_shared<vantorel::QuenzColorNumber>(vantorel::ThemeableNumber(12345)))};
        if (!lightOnly) {
            items.push_back(vantorel::QuenzColorProjectItem::make(
                "Ink", std::make_shared<vantorel::QuenzColorItem>(vantorel::ThemeableColor(
                           quenz::ColorValue{quenz::RGBSpace::sRGB, 0, 0, 0, 1, 0}, std::nullopt,
                           quenz::ColorValue{quenz::RGBSpace::sRGB, 1, 1, 1, 1, 0}))));
        }
        project.setItems(items);
        auto written = vantorel::format::QuenzColorFileWriter::write(project);
        EXPECT_FALSE(written.error);
        EXPECT_FALSE(vantorel::platform::writeFileAtomically(folder / name, written.bytes));
        return folder / name;
    }

    std::string read(const fs::path& path) {
        auto contents = vantorel::platform::readWholeFile(path);
        EXPECT_FALSE(contents.error) << path;
        return contents.bytes;
    }

    vantorel::testing::ScratchFolder folder{"export-tokens"};
};

}  // namespace

TEST_F(ExportTokensCommand, WritesBesideTheDocumentByDefault) {
    auto result = runCli({"export-tokens", writeDocument("Small.vantorel").string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, (folder / "vantorel.json").string() + "\n");
    const auto document = nlohmann::json::parse(read(folder / "vantorel.json"));
    EXPECT_EQ(document["Light"]["Gap/Large"]["$value"], 12340);
    EXPECT_EQ(document["Dark"]["Ink"]["$value"]["hex"], "#FFFFFF");
    EXPECT_FALSE(document.contains("High Contrast"));
}

TEST_F(ExportTokensCommand, ExactTextOfALightOnlyDocument) {
    // A name without an extension gets ".json", as the save dialog would add it.
    auto result = runCli({"export-tokens", writeDocument("light.vantorel", true).string(), "-o", (folder / "out").string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, (folder / "out.json").string() + "\n");
    EXPECT_EQ(read(folder / "out.json"),
              "{\n  \"Gap\\/Large\" : {\n    \"$type\" : \"number\",\n    \"$value\" : 1.234e+04\n  }\n}");
}
