#include <gtest/gtest.h>

#include <algorithm>

#include "ExportFixtures.h"
#include "Vantorel/build/exporters/AssetCatalogExporter.h"

using namespace vantorel;
using namespace vantorel::build;
using namespace vantorel::build::testing;
namespace fs = std::filesystem;

namespace {

// Every file below the folder, as sorted relative paths.
std::vector<std::string> filesBelow(const fs::path& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), folder).string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

const char* const rootContents =
    "{\n  \"info\" : {\n    \"author\" : \"vantorel\",\n    \"version\" : 1\n  },\n  \"properties\" : {\n\n  }\n}";

std::string namespaceContents(bool provides) {
    return std::string("{\n  \"info\" : {\n    \"author\" : \"vantorel\",\n    \"version\" : 1\n  },\n") +
           "  \"properties\" : {\n    \"provides-namespace\" : " + (provides ? "true" : "false") + "\n  }\n}";
}

const char* const lightOnlyContents = R"({
  "colors" : [
    {
      "appearances" : [

      ],
      "color" : {
        "color-space" : "srgb",
        "components" : {
          "alpha" : "1.0",
          "blue" : "0.0",
          "green" : "0.5",
          "red" : "1.0"
        }
      },
      "idiom" : "universal"
    }
  ],
  "info" : {
    "author" : "vantorel",
    "version" : 1
  }
})";

}  // namespace

TEST(AssetCatalogExporter, WritesTheFolderTree) {
    auto accent = color("Accent", colorValue(rgb(0.25, 0.5, 0.75), rgb(0.1, 0.2, 0.3, 0.5, quenz::RGBSpace::displayP3),
                                             rgb(0, 0, 0), rgb(1.25, 1, 1, 1, quenz::RGBSpace::extendedSRGB)));
    auto project = projectWith({
        color("Brand/Primary", colorValue(rgb(1, 0.5, 0))),
        group("Core", {accent, shadow("Card", ShadowDetails()), number("Gap", ThemeableNumber(4))}),
        colorSet("Blue", {colorValue(rgb(0, 0, 1), std::nullopt, std::nullopt, std::nullopt, "100"),
                          colorValue(rgb(0, 0, 0.5), std::nullopt, std::nullopt, std::nullopt, "200")}),
        group("Named", {}, true),
    });
    ScratchFolder folder;
    fs::create_directories(folder.path() / "Colors.xcassets" / "Stale.colorset");

    auto result = runExport<AssetCatalogExporter>(*project, task(BuildFileType::assetCatalog, "Colors"),
                                                  project->items(), folder.path());
    ASSERT_FALSE(result.error) << result.error->message;
    const fs::path catalog = folder.path() / "Colors.xcassets";
    EXPECT_EQ(result.outputs, std::vector<fs::path>{catalog});
    EXPECT_EQ(filesBelow(catalog), (std::vector<std::string>{
                                       "Blue/100.colorset/Contents.json",
                                       "Blue/200.colorset/Contents.json",
                                       "Blue/Contents.json",
                                       "BrandPrimary.colorset/Contents.json",
                                       "Contents.json",
                                       "Core/Accent.colorset/Contents.json",
                                       "Core/Contents.json",
                                       "Named/Contents.json",
                                   }));
    EXPECT_FALSE(fs::exists(catalog / "Stale.colorset"));

    const std::pair<const char*, std::string> contents[] = {
        {"Contents.json", rootContents},
        {"BrandPrimary.colorset/Contents.json", lightOnlyContents},
        {"Core/Contents.json", namespaceContents(false)},
        {"Named/Contents.json", namespaceContents(true)},
        {"Blue/Contents.json", namespaceContents(true)},
        {"Core/Accent.colorset/Contents.json",
         fileText(fs::path(VANTOREL_TEST_DATA) / "catalog-accent-contents.json")},
    };
    for (const auto& [file, text] : contents) EXPECT_EQ(fileText(catalog / file), text) << file;
}

TEST(AssetCatalogExporter, SymbolGenerationOfTheCatalog) {
    const std::pair<std::optional<std::string>, const char*> cases[] = {
        {"true", "    \"generate-swift-asset-symbol-extensions\" : \"enabled\"\n"},
        {"false", "    \"generate-swift-asset-symbol-extensions\" : \"disabled\"\n"},
        {"notSet", "\n"},
        {"maybe", "\n"},
        {std::nullopt, "\n"},
    };
    auto project = projectWith({});
    for (const auto& [raw, properties] : cases) {
        ScratchFolder folder;
        CustomData data;
        if (raw) data["assetCatalogSymbols"] = *raw;
        auto result = runExport<AssetCatalogExporter>(
            *project, task(BuildFileType::assetCatalog, "Symbols", BuildNameTransform::none, {}, {}, data), {},
            folder.path());
        ASSERT_FALSE(result.error);
        EXPECT_EQ(fileText(folder.path() / "Symbols.xcassets" / "Contents.json"),
                  std::string("{\n  \"info\" : {\n    \"author\" : \"vantorel\",\n    \"version\" : 1\n  },\n"
                              "  \"properties\" : {\n") +
                      properties + "  }\n}")
            << raw.value_or("absent");
    }
}

TEST(AssetCatalogExporter, FolderNames) {
    auto primary = color("Brand/Primary", colorValue(rgb(1, 0, 0)));
    auto project = projectWith({
        group("My Group", {primary}),
        colorSet("Blue Ramp", {colorValue(rgb(0, 0, 1), std::nullopt, std::nullopt, std::nullopt, "Step 1")}),
    });
    const struct {
        BuildNameTransform transform;
        std::vector<std::string> files;
    } cases[] = {
        {BuildNameTransform::none,
         {"Contents.json", "My Group/Contents.json", "My Group/dsBrandPrimaryColor.colorset/Contents.json",
          "dsBlue RampColor/Contents.json", "dsBlue RampColor/dsStep 1Color.colorset/Contents.json",
          "dsBrandPrimaryColor.colorset/Contents.json"}},
        {BuildNameTransform::snakeCase,
         {"Contents.json", "dsblue_rampColor/Contents.json", "dsblue_rampColor/dsstep_1Color.colorset/Contents.json",
          "dsbrandPrimaryColor.colorset/Contents.json", "my_group/Contents.json",
          "my_group/dsbrandPrimaryColor.colorset/Contents.json"}},
    };
    for (const auto& c : cases) {
        ScratchFolder folder;
        // Groups take the transform only; colors, sets and steps also the prefix and suffix.
        // The color is assigned itself and through its group: it is written in both places.
        auto result = runExport<AssetCatalogExporter>(
            *project, task(BuildFileType::assetCatalog, "Names", c.transform, "ds", "Color"),
            {project->items()[0], primary, project->items()[1]}, folder.path());
        ASSERT_FALSE(result.error) << result.error->message;
        EXPECT_EQ(filesBelow(folder.path() / "Names.xcassets"), c.files);
    }
}

TEST(AssetCatalogExporter, FailureTexts) {
    ScratchFolder folder;
    auto project = projectWith({group("..", {color("Escaped", colorValue(rgb(0, 0, 0)))})});
    auto badName = runExport<AssetCatalogExporter>(*project, task(BuildFileType::assetCatalog, "Colors"),
                                                   project->items(), folder.path());
    ASSERT_TRUE(badName.error);
    EXPECT_EQ(badName.error->message,
              "The name \"..\" cannot be used as a folder name in an asset catalog. Rename the item and build again.");
    EXPECT_FALSE(fs::exists(folder.path() / "Escaped.colorset"));
    EXPECT_TRUE(fs::exists(folder.path() / "Colors.xcassets" / "Contents.json")) << "earlier files stay";

    // The catalog cannot be created inside a file.
    ASSERT_FALSE(platform::writeFileAtomically(folder.path() / "file", "x"));
    auto blocked = runExport<AssetCatalogExporter>(*project, task(BuildFileType::assetCatalog, "Colors"), {},
                                                   folder.path() / "file");
    ASSERT_TRUE(blocked.error);
    EXPECT_TRUE(blocked.error->message.starts_with("Could not create the folder \"" +
                                                   (folder.path() / "file" / "Colors.xcassets").string() + "\": "))
        << blocked.error->message;

    // A file name that climbs out of the output folder never reaches the file system.
    auto climbing = runExport<AssetCatalogExporter>(*project, task(BuildFileType::assetCatalog, ".."), {},
                                                    folder.path());
    ASSERT_TRUE(climbing.error);
    EXPECT_TRUE(fs::exists(folder.path() / "file"));
}
