// The custom-template exporter: finding the user's template beside the document, the failures
// when it can't, and a whole build of a representative template.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ExportFixtures.h"
#include "Vantorel/build/Builder.h"
#include "Vantorel/build/ExporterFactory.h"
#include "Vantorel/build/exporters/CustomTemplateExporter.h"
#include "Vantorel/build/templates/TemplateFiles.h"
#include "Vantorel/platform/UserLocale.h"
#include "tests/support/ScopedEnvironmentVariable.h"

namespace vantorel::build {
namespace {

using namespace testing;
namespace fs = std::filesystem;

class CustomTemplateExporterTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::overrideUserLocale("en_US_POSIX");
        fs::create_directories(scratch_.path() / "templates");
        fs::create_directories(scratch_.path() / "out");
    }
    void TearDown() override { platform::overrideUserLocale(""); }

    void write(const fs::path& relative, const std::string& text) {
        std::ofstream(scratch_.path() / relative, std::ios::binary) << text;
    }

    static BuildTask templateTask(std::optional<std::string> location, const std::string& name = "Tokens") {
        CustomData data;
        if (location) data["customTemplateLocation"] = *location;
        auto buildTask = task(BuildFileType::customTemplate, "tokens", BuildNameTransform::none, std::nullopt,
                              std::nullopt, data);
        buildTask.setName(name);
        return buildTask;
    }

    ExportResult run(const BuildTask& buildTask, const std::vector<ProjectItemPtr>& items = {}) {
        auto exporter = makeExporter(BuildFileType::customTemplate, *project_);
        return exporter->exportTask(
            ExportRequest{*project_, scratch_.path(), scratch_.path() / "out", buildTask, items});
    }

    ScratchFolder scratch_;
    QuenzColorProjectPtr project_ = projectWith({color("Red", colorValue(rgb(1, 0, 0)))});
};

TEST_F(CustomTemplateExporterTest, FindsTheTemplateRelativeToTheDocumentFolderAndDropsAByteOrderMark) {
    write("templates/names.stencil", "{% for item in items %}{{ item.name }}{% endfor %}/{{ exportFileName }}");
    write("beside.stencil", "beside");
    write("templates/bom.stencil", "\xEF\xBB\xBFplain");
    const struct {
        std::string location;
        std::string expected;
    } cases[] = {
        {"templates/names.stencil", "Red/tokens"},
        {"./templates/names.stencil", "Red/tokens"},
        {"out/../templates/names.stencil", "Red/tokens"},
        {"beside.stencil", "beside"},
        {(scratch_.path() / "beside.stencil").string(), "beside"},
        {"templates/bom.stencil", "plain"},  // the byte order mark is dropped
    };
    for (const auto& c : cases) {
        auto result = run(templateTask(c.location), project_->items());
        ASSERT_FALSE(result.error) << c.location << ": " << result.error->message;
        EXPECT_EQ(result.outputs, std::vector<fs::path>{scratch_.path() / "out" / "tokens.txt"});
        EXPECT_EQ(fileText(scratch_.path() / "out" / "tokens.txt"), c.expected) << c.location;
    }
}

TEST_F(CustomTemplateExporterTest, FailuresNameTheirCause) {
    write("templates/broken.stencil", "{% for item in items %}");
    write("templates/latin1.stencil", "caf\xE9");
    const struct {
        std::optional<std::string> location;
        std::string message;  // the whole message, or a part of it after "…"
    } cases[] = {
        {std::nullopt, "No location set for custom template in 'Web Tokens'"},
        {"", "No location set for custom template in 'Web Tokens'"},
        {"templates/missing.stencil", "…missing.stencil"},
        {"templates", "…is a folder"},
        {"templates/broken.stencil", "…templates/broken.stencil:1:1: Block is never closed"},
        {"templates/latin1.stencil", "…isn't UTF-8 text"},
    };
    for (const auto& c : cases) {
        write("out/tokens.txt", "earlier");
        auto result = run(templateTask(c.location, "Web Tokens"));
        ASSERT_TRUE(result.error) << c.location.value_or("(none)");
        if (c.message.starts_with("…")) {
            EXPECT_NE(result.error->message.find(c.message.substr(std::string("…").size())), std::string::npos)
                << result.error->message;
        } else {
            EXPECT_EQ(result.error->message, c.message);
        }
        EXPECT_TRUE(result.outputs.empty());
    }
}

TEST_F(CustomTemplateExporterTest, BuildsARepresentativeTemplate) {
    const fs::path data = fs::path(VANTOREL_TEST_DATA) / "templates";
    fs::copy_file(data / "tokens.stencil", scratch_.path() / "templates" / "tokens.stencil");

    auto web = std::make_shared<BuildGroup>("Web");
    CustomData customData{{"customTemplateLocation", "templates/tokens.stencil"}};
    auto webTokens = std::make_shared<BuildTask>(BuildTaskFields{
        "Web Tokens", BuildNameTransform::kebabCase, "out", "web-tokens", BuildFileType::customTemplate,
        std::nullopt, std::nullopt, std::nullopt, ColorSpaceConversion::sRGB, customData});
    web->setTasks({webTokens});

    auto red = color("Red", colorValue(rgb(1, 0, 0), rgb(0.5, 0, 0)));
    auto old = color("Old", colorValue(rgb(0, 1, 0)), deprecatedFields("Use brand-red"));
    auto brand = group("Brand", {red, old}, true);
    auto grey = colorSet("Grey", {colorValue(rgb(0.1, 0.1, 0.1), std::nullopt, std::nullopt, std::nullopt, "100"),
                                  colorValue(rgb(0.9, 0.9, 0.9), std::nullopt, std::nullopt, std::nullopt, "900")});
    auto gap = number("Gap", ThemeableNumber(8));
    auto card = shadow("Card", ShadowDetails(rgb(0, 0, 0, 0.25), 0, 2, 8, 0));
    for (const auto& item : {brand, red, grey, gap, card}) item->setBuildGroup(web);  // Red twice: itself and in Brand
    auto project = projectWith({brand, grey, gap, card});
    project->setBuildGroups({web});

    Builder builder(*project, scratch_.path() / "Colors.vantorel", "Colors", {"Web"});
    auto result = builder.build();
    ASSERT_TRUE(result.succeeded()) << alertFor(*result.failure).text;
    auto expected = platform::readWholeFile(data / "tokens.expected");
    ASSERT_FALSE(expected.error);
    EXPECT_EQ(fileText(scratch_.path() / "out" / "web-tokens.txt"), expected.bytes);
}

TEST(BuiltInTemplates, AreReadFromTheResourcesFolder) {
    ScratchFolder resources;
    fs::create_directories(resources.path() / "Templates");
    std::ofstream(resources.path() / "Templates" / "cssBase.stencil") << "css {{ exportFileName }}";
    const vantorel::testing::ScopedEnvironmentVariable override("VANTOREL_RESOURCES", resources.path().string());
    const struct {
        std::string name;
        std::string text;       // when readable
        std::string errorPart;  // when not
    } cases[] = {
        {"cssBase", "css {{ exportFileName }}", ""},
        {"scssBase", "", "scssBase.stencil"},
        {"../cssBase", "", "no built-in template named"},
        {"", "", "no built-in template named"},
    };
    for (const auto& c : cases) {
        auto read = builtInTemplate(c.name);
        if (c.errorPart.empty()) {
            ASSERT_FALSE(read.error) << read.error->message;
            EXPECT_EQ(read.text, c.text);
        } else {
            ASSERT_TRUE(read.error) << c.name;
            EXPECT_NE(read.error->message.find(c.errorPart), std::string::npos) << read.error->message;
        }
    }
    EXPECT_EQ(builtInTemplatePath("Metal"), resources.path() / "Templates" / "Metal.stencil");
}

}  // namespace
}  // namespace vantorel::build
