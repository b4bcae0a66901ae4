#include <gtest/gtest.h>

#include "BuilderTestSupport.h"
#include "Vantorel/build/Builder.h"
#include "Vantorel/build/ExporterFactory.h"

using namespace vantorel;
using namespace vantorel::build;
using namespace vantorel::build::testing;

TEST(ExporterFactory, EveryFileTypeHasAnExporter) {
    // The exporters this version has write their output; the others fail with a message that
    // names what cannot be written.
    const struct {
        BuildFileType type;
        const char* missingExporterMessage;  // nullptr: the exporter writes
    } cases[] = {
        {BuildFileType::text, "This version of Vantorel can't write CSS files yet."},
        {BuildFileType::css, "This version of Vantorel can't write CSS files yet."},
        {BuildFileType::scss, "This version of Vantorel can't write SCSS files yet."},
        {BuildFileType::less, "This version of Vantorel can't write LESS files yet."},
        {BuildFileType::assetCatalog, nullptr},
        {BuildFileType::swiftUIEnum, "This version of Vantorel can't write SwiftUI Enum files yet."},
        {BuildFileType::swiftUIKitEnum, "This version of Vantorel can't write Swift UIKit Enum files yet."},
        {BuildFileType::swiftAppKitEnum, "This version of Vantorel can't write Swift AppKit Enum files yet."},
        {BuildFileType::metal, "This version of Vantorel can't write Metal files yet."},
        {BuildFileType::gl, "This version of Vantorel can't write OpenGL/WebGL files yet."},
        {BuildFileType::androidResource, nullptr},
        {BuildFileType::androidCompose, "This version of Vantorel can't write Android Compose files yet."},
        {BuildFileType::jsonDesignToken, nullptr},
        {BuildFileType::customTemplate, "This version of Vantorel can't write custom template files yet."},
    };
    ASSERT_EQ(std::size(cases), static_cast<std::size_t>(buildFileTypeCount));
    for (const auto& c : cases) {
        SCOPED_TRACE(displayName(c.type));
        ScratchFolder scratch("factory");
        auto project = std::make_shared<QuenzColorProject>();
        auto web = buildGroup("Web", {task("Out", c.type, "out", "colors")});
        auto a = colorNamed("Accent");
        assign({a}, web);
        project->setItems({a});
        project->setBuildGroups({web});

        auto result = Builder(*project, scratch.document(), "Colors", {"Web"}).build();
        if (c.missingExporterMessage) {
            ASSERT_TRUE(result.failure);
            EXPECT_EQ(std::get<BuildError>(*result.failure).message, c.missingExporterMessage);
        } else {
            ASSERT_FALSE(result.failure) << std::get<BuildError>(*result.failure).message;
            ASSERT_EQ(result.outputs.size(), 1u);
            EXPECT_EQ(result.outputs[0], scratch.path() / "out" / ("colors" + std::string(fileExtension(c.type))));
            EXPECT_TRUE(fs::exists(result.outputs[0]));
        }
    }
}

TEST(ExporterFactory, AFileNameWithAFullStopKeepsItsOwnExtension) {
    ScratchFolder scratch("tokens");
    auto project = std::make_shared<QuenzColorProject>();
    auto tokens = task("Tokens", BuildFileType::jsonDesignToken, "", "tokens.v2");
    auto web = buildGroup("Web", {tokens});
    auto a = colorNamed("Accent");
    assign({a}, web);
    project->setItems({a});
    project->setBuildGroups({web});

    auto result = Builder(*project, scratch.document(), "Colors", {"Web"}).build();
    ASSERT_TRUE(result.succeeded());
    EXPECT_EQ(result.outputs, std::vector<fs::path>{scratch.path() / "tokens.v2"});
    EXPECT_TRUE(fs::is_regular_file(scratch.path() / "tokens.v2"));
    EXPECT_FALSE(fs::exists(scratch.path() / "tokens.v2.json"));
    EXPECT_EQ(tokens->baseFileName(), "tokens");
}
