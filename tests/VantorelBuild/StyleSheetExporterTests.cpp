#include <gtest/gtest.h>

#include <tuple>

#include "ExportFixtures.h"
#include "Vantorel/build/exporters/CSSExporter.h"
#include "Vantorel/build/exporters/LESSExporter.h"
#include "Vantorel/build/exporters/SCSSExporter.h"
#include "tests/support/ScopedEnvironmentVariable.h"

using namespace vantorel;
using namespace vantorel::build;
using namespace vantorel::build::testing;
namespace fs = std::filesystem;

namespace {

using StyleSheetExporterTest = FullStopLocaleTest;

BuildTask styleTask(BuildFileType type, std::optional<BuildExportFormat> format, const std::string& appearance = {}) {
    CustomData data;
    if (!appearance.empty()) data["appearanceColorType"] = appearance;
    auto result = task(type, "tokens", BuildNameTransform::kebabCase, std::nullopt, std::nullopt, data);
    result.setExportFormat(format);
    return result;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(StyleSheetTemplateTest, FormatSelectsTheColorTagAndTheLightDarkFormat) {
    struct Case {
        std::optional<BuildExportFormat> format;
        std::string colorTag, lightDarkFormat;
    } cases[] = {
        {BuildExportFormat::cssHex, "colorAsCSSHexRGB", "cssHex"},
        {BuildExportFormat::cssRGBA, "colorAsCSSRgb", "cssRgb"},
        {BuildExportFormat::cssColor, "colorAsCSSColor", "cssColor"},
        {BuildExportFormat::cssOKLCH, "colorAsCSSOklch", "cssOKLCH"},
        {std::nullopt, "colorAsCSSColor", "cssColor"},
    };
    for (const auto& c : cases) {
        const auto text = substituted("{% COLOR_FORMAT_TAG a %} {% lightDark a b LIGHT_DARK_FORMAT_TAG %} COLOR_FORMAT_TAG",
                                      styleSheetSubstitutions(styleTask(BuildFileType::css, c.format)));
        EXPECT_EQ(text, "{% " + c.colorTag + " a %} {% lightDark a b " + c.lightDarkFormat + " %} " + c.colorTag);
    }
}

TEST(StyleSheetTemplateTest, AppearanceSettingChoosesTheTemplate) {
    const std::tuple<std::string, std::string_view, std::string_view, std::string_view> cases[] = {
        {"lightDark", "cssBaseLightDark", "scssBaseLightDark", "lessBaseLightDark"},
        {"individual", "cssBase", "scssBase", "lessBase"},
        {"", "cssBase", "scssBase", "lessBase"},
        {"LIGHTDARK", "cssBase", "scssBase", "lessBase"},  // raw values are exact
    };
    for (const auto& [appearance, css, scss, less] : cases) {
        const auto t = styleTask(BuildFileType::css, std::nullopt, appearance);
        EXPECT_EQ(styleSheetTemplateName(CSSExporter::templates, t), css) << appearance;
        EXPECT_EQ(styleSheetTemplateName(SCSSExporter::templates, t), scss) << appearance;
        EXPECT_EQ(styleSheetTemplateName(LESSExporter::templates, t), less) << appearance;
    }
}

TEST(StyleSheetTemplateTest, SubstitutionReplacesEveryOccurrenceInOrder) {
    EXPECT_EQ(substituted("aXbXX", {{"X", "YY"}}), "aYYbYYYY");
    EXPECT_EQ(substituted("AB", {{"A", "B"}, {"B", "C"}}), "CC");
    EXPECT_EQ(substituted("same", {{"", "never"}}), "same");
    EXPECT_EQ(substituted("", {{"A", "B"}}), "");
}

// The lines each style sheet writes; the order of the parts is the order in the file.
TEST_F(StyleSheetExporterTest, ValuesPerAppearanceInEveryStyleSheet) {
    auto project = projectWith({color("Brand", colorValue(rgb(1, 0.5, 0), rgb(0, 0, 1), rgb(0.5, 0.25, 0))),
                                number("Radius", ThemeableNumber(4)),
                                string("Font", ThemeableString(std::string("Inter"))),
                                color("Old", colorValue(rgb(0, 0, 0)), deprecatedFields(std::string("Use brand.")))});
    CSSExporter css(*project);
    expectPartsInOrder(exportedText(css, *project, styleTask(BuildFileType::css, std::nullopt), "tokens.css"),
                       {"  --brand: color(srgb 1 0.5 0);\n", "  --radius: 4.0;\n", "  --font: \"Inter\";\n",
                        "  /* Deprecated: Use brand. */\n  --old: color(srgb 0 0 0);\n",
                        "@media (prefers-color-scheme: dark) {\n  :root {\n    --brand: color(srgb 0 0 1);\n",
                        "@media (prefers-contrast: more) {\n  :root {\n    --brand: color(srgb 0.5 0.25 0);\n"});

    auto pairs = projectWith({color("Surface", colorValue(rgb(1, 1, 1), rgb(0, 0, 0))),
                              color("Accent", colorValue(rgb(1, 0.5, 0)))});
    CSSExporter lightDark(*pairs);
    expectPartsInOrder(
        exportedText(lightDark, *pairs, styleTask(BuildFileType::css, BuildExportFormat::cssHex, "lightDark"), "tokens.css"),
        {"  color-scheme: light dark;\n", "  --surface: light-dark(#FFFFFF, #000000);\n", "  --accent: #FF8000;\n"});

    // A text task writes the CSS into a text file.
    ScratchFolder folder;
    auto result = runExport<CSSExporter>(*pairs, styleTask(BuildFileType::text, BuildExportFormat::cssRGBA),
                                         pairs->items(), folder.path());
    ASSERT_FALSE(result.error) << result.error->message;
    EXPECT_TRUE(contains(fileText(folder.path() / "tokens.txt"), "--accent: rgb(255, 128, 0);"));
    EXPECT_FALSE(fs::exists(folder.path() / "tokens.css"));

    auto ramp = projectWith({color("Brand", colorValue(rgb(1, 0.5, 0), rgb(0, 0, 1))),
                             colorSet("Blue", {colorValue(rgb(0, 0, 0.5), std::nullopt, std::nullopt, std::nullopt, "100"),
                                               colorValue(rgb(0, 0, 1), std::nullopt, std::nullopt, std::nullopt, "200")})});
    SCSSExporter scss(*ramp);
    expectPartsInOrder(exportedText(scss, *ramp, styleTask(BuildFileType::scss, BuildExportFormat::cssHex), "tokens.scss"),
                       {"$brand: #FF8000;\n$brand-dark: #0000FF;\n", "$blue-100: #000080;\n$blue-200: #0000FF;\n",
                        "$blue: (\n  \"100\": $blue-100,\n  \"200\": $blue-200,\n);\n"});
    LESSExporter less(*ramp);
    expectPartsInOrder(exportedText(less, *ramp, styleTask(BuildFileType::less, BuildExportFormat::cssHex), "tokens.less"),
                       {"@brand: ~\"#FF8000\";\n@brand-dark: ~\"#0000FF\";\n", "@blue-200: ~\"#0000FF\";\n"});
}

TEST_F(StyleSheetExporterTest, UnreadableTemplateFailsAndWritesNothing) {
    ScratchFolder folder;
    ScratchFolder emptyResources;
    auto result = [&] {
        const vantorel::testing::ScopedEnvironmentVariable resources("VANTOREL_RESOURCES", emptyResources.path().string());
        auto project = projectWith({color("Brand", colorValue(rgb(1, 0.5, 0)))});
        return runExport<CSSExporter>(*project, styleTask(BuildFileType::css, std::nullopt), project->items(), folder.path());
    }();
    ASSERT_TRUE(result.error);
    EXPECT_TRUE(contains(result.error->message, "cssBase.stencil")) << result.error->message;
    EXPECT_FALSE(fs::exists(folder.path() / "tokens.css"));
}
