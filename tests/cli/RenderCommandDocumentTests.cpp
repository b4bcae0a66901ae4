// `vantorel render --document`: a template rendered against a build group of a saved document,
// under the naming and color settings of one of its tasks.

#include <gtest/gtest.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>

#include "CliTestSupport.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "VantorelData/model/ColorItem.h"
#include "VantorelData/model/PlainValueItems.h"
#include "VantorelData/model/Project.h"

namespace {

namespace fs = std::filesystem;
using namespace vantorel;
using vantorel::cli::testing::runCli;

class RenderDocument : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("vantorel-render-doc-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                   "-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        saveDocument();
        write("names.stencil",
              "{{ exportFileNameWithExtension }}:\n{% for item in items %}\n{{ item.name }}{% if item.colorItem %}="
              "{% colorAsCSSHexRGB item.colorItem.color.light %}{% endif %};\n{% endfor %}");
        write("broken.stencil", "{% for item in items %}");
        write("broken.vantorel", "<QuenzColorProject><unclosed>");
    }
    void TearDown() override { fs::remove_all(folder_); }

    void write(const std::string& name, const std::string& text) { std::ofstream(folder_ / name) << text; }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    // Group "Web" holds a namespace group "Brand" with "Primary Blue" (Display P3), and "Gap";
    // its tasks are "Tokens" (kebab-case, prefix "ds-", sRGB) and "Plain". "Empty" has nothing.
    void saveDocument() {
        auto web = std::make_shared<BuildGroup>("Web");
        BuildTaskFields tokens;
        tokens.name = "Tokens";
        tokens.exportFileType = BuildFileType::css;
        tokens.exportFileName = "web-tokens";
        tokens.nameTransform = BuildNameTransform::kebabCase;
        tokens.namePrefix = "ds-";
        tokens.colorSpaceConversion = ColorSpaceConversion::sRGB;
        BuildTaskFields plain;
        plain.name = "Plain";
        plain.exportFileName = "plain";
        web->setTasks({std::make_shared<BuildTask>(tokens), std::make_shared<BuildTask>(plain)});
        auto empty = std::make_shared<BuildGroup>("Empty");

        auto blue = QuenzColorProjectItem::make(
            "Primary Blue",
            std::make_shared<QuenzColorItem>(ThemeableColor(quenz::ColorValue{quenz::RGBSpace::displayP3, 0, 0.2, 1, 1, 0}),
                                             ColorPresentation{quenz::ColorSpace::displayP3, quenz::ColorFormat::floatRGBA}));
        auto brand = QuenzColorProjectItem::make("Brand", std::make_shared<QuenzColorGroup>(
                                                              std::vector<ProjectItemPtr>{blue}, true));
        auto gap = QuenzColorProjectItem::make("Gap", std::make_shared<QuenzColorNumber>(ThemeableNumber(8)));
        brand->setBuildGroup(web);
        blue->setBuildGroup(web);
        gap->setBuildGroup(web);
        QuenzColorProject project("Render");
        project.setItems({brand, gap});
        project.setBuildGroups({web, empty});
        auto written = format::QuenzColorFileWriter::write(project);
        ASSERT_FALSE(written.error);
        std::ofstream(folder_ / "Colors.vantorel", std::ios::binary) << written.bytes;
    }

    fs::path folder_;
};

TEST_F(RenderDocument, RendersTheGroupUnderTheTaskSettings) {
    const std::string doc = path("Colors.vantorel");
    const struct {
        std::vector<std::string> extra;
        std::string out;
    } cases[] = {
        // Tokens converts the Display P3 blue into sRGB, clipping it; the others keep it as it is.
        {{"--task", "Tokens"}, "web-tokens.css:\nds-brand-primary-blue=#0034FF;\nds-gap;\n"},
        {{"--task", "Plain"}, "plain.txt:\nBrandPrimary Blue=#0033FF;\nGap;\n"},
        {{}, "names.txt:\nBrandPrimary Blue=#0033FF;\nGap;\n"},
        {{"--task", "Tokens", "--trim", "none"}, "web-tokens.css:\n\nds-brand-primary-blue=#0034FF;\n\nds-gap;\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"render", path("names.stencil"), "--document", doc, "--group", "Web"};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        auto result = runCli(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, c.out) << ::testing::PrintToString(c.extra);
    }
    auto empty = runCli({"render", path("names.stencil"), "--document", doc, "--group", "Empty"});
    EXPECT_EQ(empty.exitCode, 0) << empty.err;
    EXPECT_EQ(empty.out, "names.txt:\n");
}

TEST_F(RenderDocument, PrintsTheContextAsJSON) {
    auto result = runCli({"render", path("names.stencil"), "--document", path("Colors.vantorel"), "--group", "Web",
                          "--task", "Tokens", "--print-context"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    auto context = nlohmann::json::parse(result.out);
    EXPECT_EQ(context["exportFileName"], "web-tokens");
    EXPECT_EQ(context["exportFileNameWithExtension"], "web-tokens.css");
    ASSERT_EQ(context["items"].size(), 2u);
    EXPECT_EQ(context["items"][0]["name"], "ds-brand-primary-blue");
    EXPECT_EQ(context["items"][0]["colorItem"]["color"]["light"]["colorSpace"], "sRGB");
    EXPECT_EQ(context["items"][1]["number"]["value"]["light"], 8.0);
}

TEST_F(RenderDocument, UsageErrorsAndFailures) {
    const std::string doc = path("Colors.vantorel");
    const std::string names = path("names.stencil");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    } cases[] = {
        {{"render", names, "--document", doc}, 2, "--document needs --group NAME"},
        {{"render", names, "--document", doc, "--group", "iOS"}, 2,
         "has no build group named 'iOS' (it has 'Web', 'Empty')"},
        {{"render", names, "--document", doc, "--group", "Web", "--task", "Kotlin"}, 2,
         "The build group 'Web' has no task named 'Kotlin' (it has 'Tokens', 'Plain')"},
        {{"render", names, "--document", doc, "--group", "Empty", "--task", "Any"}, 2, "(it has none)"},
        {{"render", names, "--document", doc, "--group", "Web", "--context", path("x.json")}, 2, "excludes"},
        {{"render", names, "--document", doc, "--group", "Web", "--templates", path("")}, 2, "excludes"},
        {{"render", names, "--group", "Web"}, 2, "need --document FILE"},
        {{"render", names, "--document", path("missing.vantorel"), "--group", "Web"}, 2, "missing.vantorel"},
        {{"render", names, "--document", path("broken.vantorel"), "--group", "Web"}, 2, "not well-formed XML"},
        {{"render", path("broken.stencil"), "--document", doc, "--group", "Web"}, 1,
         path("broken.stencil") + ":1:1: Block is never closed"},
        {{"render", path("missing.stencil"), "--document", doc, "--group", "Web"}, 2, "does not exist"},
    };
    for (const auto& c : cases) {
        auto result = runCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << ::testing::PrintToString(c.args) << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty());
    }
}

TEST_F(RenderDocument, JSONContextsSeeTheBuildFiltersAndTags) {
    write("context.json", R"({"name": "brand-primary 500"})");
    write("filters.stencil", "{{ name|replace:\"-\",\"_\" }} {% codeSafeName name %} {% colorAsHex name %}");
    auto result = runCli({"render", path("filters.stencil"), "--context", path("context.json")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "brand_primary 500 brandprimary500 Rendering color failed");
}

}  // namespace
