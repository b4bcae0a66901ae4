// Build and test task records: output names, the file-type change rule, custom data and the
// enumerations' stored codes.

#include <gtest/gtest.h>

#include "ModelTestSupport.h"

namespace vantorel {
namespace {

BuildTask taskWith(std::string fileName, BuildFileType type) {
    BuildTaskFields fields;
    fields.exportFileName = std::move(fileName);
    fields.exportFileType = type;
    return BuildTask(std::move(fields));
}

TEST(BuildTaskNames, OutputAndBaseFileNames) {
    struct Case {
        const char* fileName;
        BuildFileType type;
        const char* output;
        const char* base;
    };
    const Case cases[] = {
        {"colors", BuildFileType::scss, "colors.scss", "colors"},
        {"colors.txt", BuildFileType::scss, "colors.txt", "colors"},
        {"my.theme.css", BuildFileType::css, "my.theme.css", "my.theme"},
        {"Colors", BuildFileType::assetCatalog, "Colors.xcassets", "Colors"},
        {"Theme", BuildFileType::androidCompose, "Theme.kt", "Theme"},
        {"tokens", BuildFileType::jsonDesignToken, "tokens.json", "tokens"},
        {"tokens.v2", BuildFileType::jsonDesignToken, "tokens.v2", "tokens"},
        {"out", BuildFileType::customTemplate, "out.txt", "out"},
        {"", BuildFileType::less, ".less", ""},
        {".hidden", BuildFileType::css, ".hidden", ""},
    };
    for (const Case& c : cases) {
        const BuildTask task = taskWith(c.fileName, c.type);
        EXPECT_EQ(task.outputFileName(), c.output) << c.fileName;
        EXPECT_EQ(task.baseFileName(), c.base) << c.fileName;
    }
}

TEST(BuildTaskFileType, ChangeDropsTheOldExportersOptions) {
    struct Case {
        const char* label;
        BuildFileType from;
        BuildFileType to;
        bool keepsFormat;
        bool keepsTemplateLocation;
        bool keepsSymbols;
    };
    const Case cases[] = {
        {"css to swift clears the format", BuildFileType::css, BuildFileType::swiftUIEnum, false, true, true},
        {"css to less keeps the format", BuildFileType::css, BuildFileType::less, true, true, true},
        {"css to text keeps the format", BuildFileType::css, BuildFileType::text, true, true, true},
        {"template to css drops the location", BuildFileType::customTemplate, BuildFileType::css, true, false, true},
        {"css to template keeps the custom data", BuildFileType::css, BuildFileType::customTemplate, false, true, true},
        {"catalog to metal drops the symbols", BuildFileType::assetCatalog, BuildFileType::metal, false, true, false},
        {"same type changes nothing", BuildFileType::assetCatalog, BuildFileType::assetCatalog, true, true, true},
    };
    for (const Case& c : cases) {
        BuildTaskFields fields;
        fields.exportFileType = c.from;
        fields.exportFormat = BuildExportFormat::cssOKLCH;
        fields.customData = {{"customTemplateLocation", "/t.stencil"}, {"assetCatalogSymbols", "true"}, {"x", "y"}};
        BuildTask task(fields);
        task.setExportFileType(c.to);
        EXPECT_EQ(task.exportFileType(), c.to) << c.label;
        EXPECT_EQ(task.exportFormat().has_value(), c.keepsFormat) << c.label;
        EXPECT_EQ(task.customData().contains("customTemplateLocation"), c.keepsTemplateLocation) << c.label;
        EXPECT_EQ(task.customData().contains("assetCatalogSymbols"), c.keepsSymbols) << c.label;
        EXPECT_EQ(task.customData().at("x"), "y") << c.label;
    }
}

TEST(BuildTaskCustomData, OptionsReadOnlyTheirRawStrings) {
    BuildTask task;
    task.setCustomData({{"assetCatalogSymbols", "yes"}, {"appearanceColorType", "lightDark"}});
    EXPECT_EQ(task.customValue<AssetCatalogSymbolGeneration>(), std::nullopt);
    EXPECT_EQ(task.customValue<AppearanceColorType>(), AppearanceColorType::lightDark);
    EXPECT_EQ(task.customValue<CustomTemplateLocation>(), std::nullopt);

    task.setCustomValue<AssetCatalogSymbolGeneration>(AssetCatalogSymbolGeneration::no);
    EXPECT_EQ(task.customData().at("assetCatalogSymbols"), "false");
    task.setCustomValue<CustomTemplateLocation>(CustomTemplateLocation{"~/t.stencil"});
    EXPECT_EQ(task.customValue<CustomTemplateLocation>()->location, "~/t.stencil");
    task.setCustomValue<AppearanceColorType>(std::nullopt);
    EXPECT_FALSE(task.customData().contains("appearanceColorType"));

    struct Case {
        const char* raw;
        std::optional<AssetCatalogSymbolGeneration> expected;
    };
    const Case cases[] = {{"notSet", AssetCatalogSymbolGeneration::notSpecified},
                          {"true", AssetCatalogSymbolGeneration::yes},
                          {"false", AssetCatalogSymbolGeneration::no},
                          {"True", std::nullopt},
                          {"", std::nullopt}};
    for (const Case& c : cases) EXPECT_EQ(assetCatalogSymbolGenerationFromRawString(c.raw), c.expected) << c.raw;
    EXPECT_EQ(appearanceColorTypeFromRawString("individual"), AppearanceColorType::individualColors);
}

TEST(BuildTaskHash, FollowsTheIdentifier) {
    const auto task = BuildTask::makeDefault();
    BuildTask copyWithSameId(BuildTaskFields{}, task->uuid());
    EXPECT_EQ(BuildTaskHash{}(copyWithSameId), BuildTaskHash{}(*task));
}

// Stored codes read back only inside their range; menu texts are left to the table itself.
TEST(TaskEnumerations, StoredCodesAndTheirLimits) {
    EXPECT_EQ(buildFileTypeFromCode(13), BuildFileType::less);
    EXPECT_EQ(buildFileTypeFromCode(14), std::nullopt);
    EXPECT_EQ(buildFileTypeFromCode(-1), std::nullopt);
    EXPECT_EQ(buildNameTransformFromCode(4), BuildNameTransform::kebabCase);
    EXPECT_EQ(buildNameTransformFromCode(5), std::nullopt);
    for (BuildExportFormat format : allBuildExportFormats) {
        EXPECT_EQ(buildExportFormatFromRawString(rawString(format)), format);
    }
    EXPECT_EQ(colorSpaceConversionFromCode(0), ColorSpaceConversion::original);
    EXPECT_EQ(colorSpaceConversionFromCode(4), std::nullopt);
    EXPECT_EQ(testTaskTypeFromRawString("apcaContrast"), TestTaskType::apcaContrastTest);
    EXPECT_EQ(testTaskTypeFromRawString("apcaContrastTest"), std::nullopt);
    EXPECT_EQ(testFontWeightFromRawString("700"), TestFontWeight::sevenHundred);
    EXPECT_EQ(testFontWeightFromRawString("800"), std::nullopt);
    EXPECT_EQ(testPositionFromRawString("background"), TestPosition::background);
}

TEST(QuenzColorSpaces, StoredStringsAndLookups) {
    struct Case {
        QuenzColorSpace space;
        const char* stored;
        std::optional<std::string_view> css;
        quenz::ColorSpace equivalent;
    };
    const Case cases[] = {
        {QuenzColorSpace::rgb, "sRGB", "srgb", quenz::ColorSpace::sRGB},
        {QuenzColorSpace::displayP3, "DisplayP3", "display-p3", quenz::ColorSpace::displayP3},
        {QuenzColorSpace::sRGBExtended, "extendedSRGB", std::nullopt, quenz::ColorSpace::sRGBExtended},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(storedString(c.space), c.stored);
        EXPECT_EQ(quenzColorSpaceFromStoredString(c.stored), c.space);
        EXPECT_EQ(cssIdentifier(c.space), c.css);
        EXPECT_EQ(colorSpace(c.space), c.equivalent);
    }
    EXPECT_EQ(quenzColorSpaceFromStoredString("srgb"), std::nullopt);
    EXPECT_EQ(quenzColorSpaceFromStoredStringOrRGB("srgb"), QuenzColorSpace::rgb);
    EXPECT_EQ(quenzColorSpaceFromStoredStringOrRGB(std::nullopt), QuenzColorSpace::rgb);
    EXPECT_EQ(quenzColorSpaceFromCSSIdentifier("display-p3"), QuenzColorSpace::displayP3);
    EXPECT_EQ(quenzColorSpaceFromCSSIdentifier("Display-P3"), std::nullopt);
}

}  // namespace
}  // namespace vantorel
