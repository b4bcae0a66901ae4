#include <gtest/gtest.h>

#include "ExportFixtures.h"
#include "Vantorel/build/exporters/AndroidResourceExporter.h"

using namespace vantorel;
using namespace vantorel::build;
using namespace vantorel::build::testing;
namespace fs = std::filesystem;

namespace {

using AndroidResourceExporterTest = FullStopLocaleTest;

const char* const header = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

}  // namespace

TEST_F(AndroidResourceExporterTest, LightValuesThenTheDarkStyle) {
    auto primary = color("Primary", colorValue(rgb(1, 0.5, 0), rgb(0.25, 0.5, 0.75, 0.5), rgb(1, 1, 1)));
    auto project = projectWith({
        primary,
        color("Light Only", colorValue(rgb(0, 0, 0))),
        number("Radius", ThemeableNumber(3.0)),
        number("Half", ThemeableNumber(2.5)),
        number("Large", ThemeableNumber(4, std::nullopt, 8)),
        boolean("Enabled", ThemeableBoolean(true)),
        string("Title", ThemeableString("Fish & Chips")),
        group("Brand",
              {colorSet("Blue", {colorValue(rgb(0, 0, 1), std::nullopt, std::nullopt, std::nullopt, "100"),
                                 colorValue(rgb(0, 0, 0.5), std::nullopt, std::nullopt, std::nullopt, "200")}),
               shadow("Card", ShadowDetails())},
              true),
        group("Plain", {color("Inner", colorValue(rgb(0.2, 0.4, 0.6)))}),
    });
    auto items = project->items();
    items.push_back(colorAlias("Accent", primary));
    items.push_back(primary);  // assigned twice: written once per pass
    project->setItems(items);
    project->linkReferences();

    ScratchFolder folder;
    ASSERT_FALSE(platform::writeFileAtomically(folder.path() / "colors.xml", "old"));
    auto result = runExport<AndroidResourceExporter>(
        *project, task(BuildFileType::androidResource, "colors", BuildNameTransform::snakeCase), items, folder.path());
    ASSERT_FALSE(result.error) << result.error->message;
    EXPECT_EQ(result.outputs, std::vector<fs::path>{folder.path() / "colors.xml"});
    EXPECT_EQ(fileText(folder.path() / "colors.xml"), fileText(fs::path(VANTOREL_TEST_DATA) / "android-resources.xml"));
}

TEST_F(AndroidResourceExporterTest, ResourceNames) {
    auto project = projectWith({group(
        "Brand", {group("Core", {colorSet("Blue Ramp", {colorValue(rgb(0, 0, 0), std::nullopt, std::nullopt,
                                                                   std::nullopt, "Step 1")})},
                        true)},
        true)});
    // Resource names become Java fields: spaces and hyphens become "_".
    const std::pair<BuildNameTransform, const char*> cases[] = {
        {BuildNameTransform::none, "dsBrandCoreBlue_RampStep_1Color"},
        {BuildNameTransform::camelCase, "dsbrandCoreBlueRampStep1Color"},
        {BuildNameTransform::pascalCase, "dsBrandCoreBlueRampStep1Color"},
        {BuildNameTransform::snakeCase, "dsbrand_core_blue_ramp_step_1Color"},
        {BuildNameTransform::kebabCase, "dsbrand_core_blue_ramp_step_1Color"},
    };
    for (const auto& [nameTransform, name] : cases) {
        auto text = AndroidResourceExporter::resourceText(
            *project, task(BuildFileType::androidResource, "r", nameTransform, "ds", "Color"), project->items());
        EXPECT_NE(text.find(std::string("<color name=\"") + name + "\">#FF000000</color>"), std::string::npos)
            << text;
    }
}

TEST_F(AndroidResourceExporterTest, EmptyAndLightOnlyProjects) {
    const struct {
        std::vector<ProjectItemPtr> items;
        std::string text;
    } cases[] = {
        {{}, std::string(header) + "<resources>\n  <style name=\"Dark\" />\n</resources>\n"},
        {{number("N", ThemeableNumber(1)), boolean("B", ThemeableBoolean(false)), string("S", ThemeableString(""))},
         std::string(header) +
             "<resources>\n  <integer name=\"N\">1</integer>\n  <bool name=\"B\">false</bool>\n"
             "  <string name=\"S\"></string>\n  <style name=\"Dark\" />\n</resources>\n"},
        {{shadow("Only Shadow", ShadowDetails())},
         std::string(header) + "<resources>\n  <style name=\"Dark\" />\n</resources>\n"},
    };
    for (const auto& c : cases) {
        auto project = projectWith(c.items);
        EXPECT_EQ(AndroidResourceExporter::resourceText(*project, task(BuildFileType::androidResource, "r"),
                                                        project->items()),
                  c.text);
    }
}

TEST_F(AndroidResourceExporterTest, FailureTexts) {
    ScratchFolder folder;
    auto project = projectWith({number("N", ThemeableNumber(1))});
    auto missing = runExport<AndroidResourceExporter>(*project, task(BuildFileType::androidResource, "values"),
                                                      project->items(), folder.path() / "missing");
    ASSERT_TRUE(missing.error);
    EXPECT_TRUE(missing.error->message.starts_with("Could not ")) << missing.error->message;
    EXPECT_NE(missing.error->message.find("values.xml"), std::string::npos) << missing.error->message;

    auto badName = runExport<AndroidResourceExporter>(*project, task(BuildFileType::androidResource, "res/values.xml"),
                                                      project->items(), folder.path());
    ASSERT_TRUE(badName.error);
    EXPECT_EQ(badName.error->message,
              "The output file name \"res/values.xml\" of the build task \"Task\" is not a valid file name. Enter a "
              "name without \"/\".");
}
