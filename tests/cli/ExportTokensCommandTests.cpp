#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <random>
#include <string>

#include "CliTestSupport.h"
#include "Vantorel/platform/AtomicFile.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "VantorelData/model/Project.h"

using vantorel::cli::testing::runCli;

namespace {

namespace fs = std::filesystem;

class ExportTokensCommand : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        folder = fs::temp_directory_path() / ("vantorel-export-tokens-" + std::to_string(random()));
        fs::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    // A document holding one number and one color with a dark value.
    fs::path writeDocument(const std::string& name) {
        vantorel::QuenzColorProject project("Small");
        project.setItems({
            vantorel::QuenzColorProjectItem::make(
                "Gap/Large", std::make_shared<vantorel::QuenzColorNumber>(vantorel::ThemeableNumber(12345))),
            vantorel::QuenzColorProjectItem::make(
                "Ink", std::make_shared<vantorel::QuenzColorItem>(vantorel::ThemeableColor(
                           quenz::ColorValue{quenz::RGBSpace::sRGB, 0, 0, 0, 1, 0}, std::nullopt,
                           quenz::ColorValue{quenz::RGBSpace::sRGB, 1, 1, 1, 1, 0}))),
        });
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

    fs::path folder;
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
    vantorel::QuenzColorProject project("Small");
    project.setItems({vantorel::QuenzColorProjectItem::make(
        "Gap/Large", std::make_shared<vantorel::QuenzColorNumber>(vantorel::ThemeableNumber(12345)))});
    auto written = vantorel::format::QuenzColorFileWriter::write(project);
    ASSERT_FALSE(written.error);
    ASSERT_FALSE(vantorel::platform::writeFileAtomically(folder / "light.vantorel", written.bytes));

    // A name without an extension gets ".json", as the save dialog would add it.
    auto result = runCli({"export-tokens", (folder / "light.vantorel").string(), "-o", (folder / "out").string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, (folder / "out.json").string() + "\n");
    EXPECT_EQ(read(folder / "out.json"),
              "{\n  \"Gap\\/Large\" : {\n    \"$type\" : \"number\",\n    \"$value\" : 1.234e+04\n  }\n}");
}
