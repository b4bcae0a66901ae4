// Asset catalogs: component texts in every form, the variants of one color set with the
// appearance type they call for, the folder walk, and the example document's own catalog,
// built by our exporter, coming back to the same colors in every appearance.

#include <gtest/gtest.h>

#include <fmt/format.h>

#include <algorithm>

#include "Vantorel/build/Builder.h"
#include "Vantorel/build/exporters/AssetCatalogContents.h"
#include "Vantorel/import/AssetCatalogImporter.h"
#include "Vantorel/import/Importer.h"
#include "VantorelData/format/QuenzColorFileReader.h"
#include "tests/VantorelImport/ImportTestSupport.h"
#include "tests/support/FileContents.h"
#include "tests/support/ScratchFolder.h"

namespace vantorel::import {
namespace {

namespace fs = std::filesystem;
using testing::describe;
using vantorel::testing::ScratchFolder;
using vantorel::testing::writeFileContents;

TEST(AssetCatalogImporter, ReadsComponentsInEveryForm) {
    const struct {
        const char* text;
        bool isAlpha;
        std::optional<double> expected;
    } cases[] = {
        {"0.5", false, 0.5},          {"1.0", false, 1.0},         {"1.000", true, 1.0},
        {"128", false, 128 / 255.0},  {"255", false, 1.0},         {"1", true, 1.0},
        {"0xFF", false, 1.0},         {"0x80", false, 128 / 255.0}, {"0X0a", true, 10 / 255.0},
        {" 0.25 ", false, 0.25},      {"-0.125", false, -0.125},   {"1.25", false, 1.25},
        {"2.5e-1", false, 0.25},      {"+0.5", false, 0.5},        {"0x100", false, std::nullopt},
        {"0x", false, std::nullopt},  {"", false, std::nullopt},   {"red", false, std::nullopt},
        {"nan", false, std::nullopt}, {"inf", true, std::nullopt}, {"0.5px", false, std::nullopt},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(AssetCatalogImporter::componentValue(test.text, test.isAlpha), test.expected) << test.text;
    }
}

std::string entry(const std::string& space, const std::string& components, const std::string& appearances = "") {
    return R"({"idiom":"universal","color":{"color-space":")" + space + R"(","components":)" + components + "}" +
           (appearances.empty() ? "" : R"(,"appearances":)" + appearances) + "}";
}
const std::string redText = R"({"red":"1.000","green":"0.000","blue":"0.000","alpha":"1.000"})";
const std::string dark = R"([{"appearance":"luminosity","value":"dark"}])";
const std::string high = R"([{"appearance":"contrast","value":"high"}])";
const std::string darkHigh = R"([{"appearance":"luminosity","value":"dark"},{"appearance":"contrast","value":"high"}])";

std::string contents(const std::vector<std::string>& entries) {
    std::string list;
    for (const std::string& text : entries) list += (list.empty() ? "" : ",") + text;
    return R"({"info":{"author":"xcode","version":1},"colors":[)" + list + "]}";
}

TEST(AssetCatalogImporter, GivesEachColorSetItsVariantsAndAppearanceType) {
    const struct {
        const char* what;
        std::string json;
        std::string expected;  // "" when the set gives no color
    } cases[] = {
        {"light only", contents({entry("srgb", redText)}), "c=#FF0000"},
        {"light and dark", contents({entry("srgb", redText), entry("display-p3", R"({"red":"0","green":"128","blue":"0xFF","alpha":"0.5"})", dark)}),
         "c=#FF0000/darkp3#0080FF80@lightanddark"},
        {"light and high contrast", contents({entry("extended-srgb", R"({"red":"1.25","green":"0","blue":"0","alpha":"1"})"), entry("srgb", redText, high)}),
         "c=x#FF0000/hc#FF0000@highContrast"},
        {"every appearance", contents({entry("srgb", redText, darkHigh), entry("srgb", redText, dark), entry("srgb", redText), entry("srgb", redText, high)}),
         "c=#FF0000/dark#FF0000/hc#FF0000/dhc#FF0000@lightDarkHighContrast"},
        {"gray with white and alpha", contents({entry("gray-gamma-22", R"({"white":"0.5","alpha":"1"})")}), "c=#808080"},
        {"numbers instead of texts, and an explicit light", contents({entry("srgb", R"({"red":0,"green":1,"blue":0})", R"([{"appearance":"luminosity","value":"light"}])")}),
         "c=#00FF00"},
        {"only dark: shown in light too", contents({entry("srgb", redText, dark)}), "c=#FF0000/dark#FF0000@lightanddark"},
        {"entries without components, of unknown spaces or appearances are passed over",
         contents({R"({"idiom":"universal","color":{"platform":"ios","reference":"systemRedColor"}})",
                   entry("cmyk", redText), entry("srgb", redText, R"([{"appearance":"gamut","value":"p3"}])"),
                   entry("srgb", R"({"red":"x","green":"0","blue":"0"})")}),
         ""},
        {"no colors", R"({"info":{"author":"xcode","version":1}})", ""},
        {"not JSON", "{\"colors\":[", ""},
    };
    for (const auto& test : cases) {
        const ProjectItemPtr item = AssetCatalogImporter::colorSetItem("c", test.json);
        EXPECT_EQ(item ? describe({item}) : "", test.expected) << test.what;
    }
}

TEST(AssetCatalogImporter, WalksFoldersIntoGroupsOfColorSets) {
    ScratchFolder scratch("catalog");
    const fs::path catalog = scratch.path() / "Colors.xcassets";
    const auto colorSet = [&](const fs::path& folder, const std::string& text) {
        fs::create_directories(catalog / folder);
        if (!text.empty()) writeFileContents(catalog / folder / "Contents.json", text);
    };
    fs::create_directories(catalog);
    writeFileContents(catalog / "Contents.json", R"({"info":{}})");
    colorSet("Brand/Primary.colorset", contents({entry("srgb", redText)}));
    colorSet("Brand/Deep/Ink.colorset", contents({entry("srgb", redText), entry("srgb", redText, dark)}));
    colorSet("Accent.colorset", contents({entry("display-p3", redText)}));
    colorSet("Broken.colorset", "{");
    colorSet("Missing.colorset", "");
    colorSet("Empty/Nothing", "");
    colorSet("Icon.imageset", R"({"images":[]})");
    std::error_code ignored;
    fs::create_directory_symlink(catalog, catalog / "Brand" / "Loop", ignored);

    const ImportKindInfo* kind = Importer::kindForFile(catalog);
    ASSERT_TRUE(kind && kind->kind == ImportKind::assetCatalog);
    const ImportResult result = Importer::importFile(kind->kind, catalog);
    ASSERT_FALSE(result.error);
    EXPECT_EQ(describe({result.group}),
              "Asset Catalog Import - Colors.xcassets[Accent=p3#FF0000,Brand[Deep[Ink=#FF0000/dark#FF0000@lightanddark],"
              "Primary=#FF0000]]");
    const ImportResult file = Importer::importFile(ImportKind::assetCatalog, catalog / "Contents.json");
    ASSERT_TRUE(file.error);
    EXPECT_EQ(file.error->description, "The asset catalog is not a folder");
}

// Every stored variant of a color exactly: the space and the components to the last bit.
std::string exactText(const ThemeableColor& color) {
    std::string text;
    for (const ColorSource source : allColorSources) {
        const auto variant = color.variant(source);
        text += variant ? fmt::format("{}:{},{},{},{};", static_cast<int>(variant->space), variant->red, variant->green,
                                      variant->blue, variant->alpha)
                        : "-;";
    }
    return text;
}

void collectExported(const QuenzColorProject& project, const QuenzColorProjectItem& item, std::vector<std::string>& out) {
    switch (item.itemType()) {
        case ProjectItemType::color: out.push_back(exactText(item.color()->color())); break;
        case ProjectItemType::colorAlias: out.push_back(exactText(project.resolvedColor(*item.colorAlias()))); break;
        case ProjectItemType::colorSet:
            for (const auto& step : item.colorSet()->colors()) out.push_back(exactText(step));
            break;
        case ProjectItemType::group:
            for (const auto& child : item.group()->items()) collectExported(project, *child, out);
            break;
        default: break;
    }
}

TEST(AssetCatalogImporter, TheExampleCatalogImportsBackToItsColors) {
    ScratchFolder scratch("catalog");
    const fs::path document = scratch.path() / "Showcase.vantorel";
    fs::copy_file(fs::path(VANTOREL_SOURCE_DIR) / "examples" / "Showcase.vantorel", document);
    const auto project = format::QuenzColorFileReader::read(vantorel::testing::fileContents(document));
    ASSERT_TRUE(project);
    const auto apple = std::find_if(project->buildGroups().begin(), project->buildGroups().end(),
                                    [](const BuildGroupPtr& group) { return group->name() == "Apple"; });
    ASSERT_NE(apple, project->buildGroups().end());
    build::Builder builder(*project, document, "Showcase", {"Apple"});
    ASSERT_TRUE(builder.build().succeeded());

    std::vector<std::string> exported;
    for (const ProjectItemPtr& item : project->itemsInBuildGroup(**apple)) collectExported(*project, *item, exported);
    const ImportResult result = Importer::importFile(ImportKind::assetCatalog, scratch.path() / "build/apple/Colors.xcassets");
    ASSERT_FALSE(result.error);
    std::vector<std::string> imported;
    collectExported(*project, *result.group, imported);

    ASSERT_EQ(exported.size(), 4u);  // two with a dark variant; sRGB, extended sRGB and Display P3
    std::sort(exported.begin(), exported.end());
    std::sort(imported.begin(), imported.end());
    EXPECT_EQ(imported, exported);
}

TEST(AssetCatalogImporter, ExportedVariantsOfEveryAppearanceComeBackExactly) {
    const auto value = [](quenz::RGBSpace space, double red, double alpha) {
        return quenz::ColorValue{space, red, 0.1 + 0.2, 1.0 / 3.0, alpha};
    };
    const ThemeableColor colors[] = {
        ThemeableColor(value(quenz::RGBSpace::sRGB, 0.25, 1), value(quenz::RGBSpace::displayP3, 0.7, 0.5),
                       value(quenz::RGBSpace::extendedSRGB, -0.125, 1), value(quenz::RGBSpace::extendedSRGB, 1.5, 0.01)),
        ThemeableColor(value(quenz::RGBSpace::displayP3, 1e-7, 1), std::nullopt, std::nullopt,
                       value(quenz::RGBSpace::sRGB, 0.999999, 0.3)),
    };
    for (const ThemeableColor& color : colors) {
        const std::string text = build::toJson(build::colorSetContents(color)).dump(2);
        const ProjectItemPtr item = AssetCatalogImporter::colorSetItem("c", text);
        ASSERT_TRUE(item) << text;
        EXPECT_EQ(exactText(item->color()->color()), exactText(color)) << text;
        EXPECT_EQ(item->valueItem()->appearanceType(), AppearanceType::lightDarkHighContrast);
    }
}

}  // namespace
}  // namespace vantorel::import
