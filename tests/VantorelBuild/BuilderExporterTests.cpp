#include <gtest/gtest.h>

#include "BuilderTestSupport.h"
#include "Vantorel/build/Builder.h"
#include "Vantorel/build/ExporterFactory.h"
#include "tests/support/FileContents.h"

using namespace vantorel;
using namespace vantorel::build;
using namespace vantorel::build::testing;

TEST(ExporterFactory, EveryFileTypeWritesItsOwnKindOfOutput) {
    // Each task of the build gets the exporter of its file type, so each writes the file its
    // type names; "text" is written by the style-sheet exporter like CSS.
    const struct {
        BuildFileType type;
        const char* output;     // below the task's folder
        const char* contains;   // a trace of the exporter that wrote it
    } cases[] = {
        {BuildFileType::text, "colors.txt", "--accent"},
        {BuildFileType::css, "colors.css", "--accent"},
        {BuildFileType::scss, "colors.scss", "$accent"},
        {BuildFileType::less, "colors.less", "@accent"},
        {BuildFileType::assetCatalog, "colors.xcassets", nullptr},
        {BuildFileType::swiftUIEnum, "colors.swift", "import SwiftUI"},
        {BuildFileType::swiftUIKitEnum, "colors.swift", "for UIKit."},
        {BuildFileType::swiftAppKitEnum, "colors.swift", "for AppKit."},
        {BuildFileType::metal, "colors.metal", "metal_stdlib"},
        {BuildFileType::gl, "colors.gl", "VANTOREL_"},
        {BuildFileType::androidResource, "colors.xml", "<resources"},
        {BuildFileType::androidCompose, "colors.kt", "androidx.compose"},
        {BuildFileType::jsonDesignToken, "colors.json", "\"accent\""},
        {BuildFileType::customTemplate, "colors.txt", "custom: accent"},
    };
    ASSERT_EQ(std::size(cases), static_cast<std::size_t>(buildFileTypeCount));
    for (const auto& c : cases) {
        SCOPED_TRACE(displayName(c.type));
        ScratchFolder scratch("factory");
        std::ofstream(scratch.path() / "list.stencil") << "{% for item in items %}custom: {{ item.name }}\n{% endfor %}";
        auto project = std::make_shared<QuenzColorProject>();
        auto out = task("Out", c.type, "out", "colors");
        out->setNameTransform(BuildNameTransform::kebabCase);
        if (c.type == BuildFileType::customTemplate) {
            out->setCustomValue(std::optional(CustomTemplateLocation{"list.stencil"}));
        }
        auto web = buildGroup("Web", {out});
        auto a = colorNamed("Accent");
        assign({a}, web);
        project->setItems({a});
        project->setBuildGroups({web});

        auto result = Builder(*project, scratch.document(), "Colors", {"Web"}).build();
        ASSERT_FALSE(result.failure) << std::get<BuildError>(*result.failure).message;
        const fs::path expected = scratch.path() / "out" / c.output;
        ASSERT_EQ(result.outputs, std::vector<fs::path>{expected});
        ASSERT_TRUE(fs::exists(expected));
        if (c.contains) {
            const std::string text = vantorel::testing::fileContents(expected);
            EXPECT_NE(text.find(c.contains), std::string::npos) << text;
        }
    }
}

TEST(ExporterFactory, AnExporterThisVersionLacksFailsNamingTheOutput) {
    UnavailableExporter exporter("CSS");
    QuenzColorProject project;
    auto css = task("css");
    std::vector<ProjectItemPtr> items;
    auto result = exporter.exportTask(ExportRequest{project, "/tmp", "/tmp/out", *css, items});
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->message, "This version of Vantorel can't write CSS files yet.");
    EXPECT_TRUE(result.outputs.empty());
}
