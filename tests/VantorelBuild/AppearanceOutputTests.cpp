// Every stored variant reaches every built-in output, and where an output stands in for a missing
// dark high-contrast value it uses the light one, as the model reads that appearance.

#include <gtest/gtest.h>

#include "ExportFixtures.h"
#include "Vantorel/build/ExporterFactory.h"

using namespace vantorel;
using namespace vantorel::build;
using namespace vantorel::build::testing;

namespace {

using AppearanceOutputTest = FullStopLocaleTest;

ShadowDetails drop(double y) { return ShadowDetails(rgb(0, 0, 0, 0.5), 0, y, y, 0); }

// Values whose dark high-contrast variants were lost before, and values without one whose
// stand-in must be the light value.
QuenzColorProjectPtr appearanceProject() {
    return projectWith({
        color("Ink", colorValue(rgb(0.1, 0.1, 0.1), rgb(0.9, 0.9, 0.9), rgb(0, 0, 0))),
        colorSet("Blue", {colorValue(rgb(0, 0, 0.5), std::nullopt, std::nullopt, std::nullopt, "100"),
                          colorValue(rgb(0, 0, 1), rgb(0.5, 0.5, 1), std::nullopt, rgb(0.8, 0.8, 1), "200")}),
        number("Gap", ThemeableNumber(8, 6, 10, 12)),
        number("Radius", ThemeableNumber(4, 2, 5)),
        string("Label", ThemeableString(std::string("day"), std::nullopt, std::string("night"), std::string("contrast"))),
        boolean("Dense", ThemeableBoolean(false, std::nullopt, std::nullopt, true)),
        QuenzColorProjectItem::make(
            "Card", std::make_shared<QuenzColorShadow>(ThemeableShadow(drop(1), std::nullopt, std::nullopt, drop(9)))),
        QuenzColorProjectItem::make(
            "Levels", std::make_shared<QuenzColorShadowSet>(
                          std::vector<ThemeableShadow>{ThemeableShadow(drop(2), std::nullopt, std::nullopt, std::nullopt, "1"),
                                                       ThemeableShadow(drop(3), std::nullopt, drop(4), drop(5), "2")},
                          SetParameters{})),
    });
}

struct OutputCase {
    const char* name;
    BuildFileType type;
    const char* appearance;  // the style sheets' "appearanceColorType"
    const char* file;
    // In order; a part that starts with "!" must not appear anywhere.
    std::vector<std::string> parts;
};

std::vector<OutputCase> outputCases() {
    return {
        {"CSS light-dark", BuildFileType::css, "lightDark", "tokens.css",
         {"@media (prefers-contrast: more) {",
          "    --ink: light-dark(color(srgb 0 0 0), color(srgb 0.1 0.1 0.1));\n",
          "@media (prefers-color-scheme: dark) and (prefers-contrast: more) {",
          "    --gap: 12.0;\n    --radius: 4.0;\n    --label: \"contrast\";\n    --dense: true;\n",
          "    --card: 0 9px 9px 0 color(srgb 0 0 0 / 0.5);\n",
          "    --levels-2: 0 5px 5px 0 color(srgb 0 0 0 / 0.5);\n"}},
        {"CSS per appearance", BuildFileType::css, "individual", "tokens.css",
         {"@media (prefers-color-scheme: dark) and (prefers-contrast: more) {",
          "    --ink: color(srgb 0.1 0.1 0.1);\n", "    --blue-200: color(srgb 0.8 0.8 1);\n",
          "    --gap: 12.0;\n    --radius: 4.0;\n", "!--radius: 5.0;\n  }\n}\n@media"}},
        {"SCSS light-dark", BuildFileType::scss, "lightDark", "tokens.scss",
         {"$ink-high-contrast: light-dark(color(srgb 0 0 0), color(srgb 0.1 0.1 0.1));\n"}},
        {"SwiftUI", BuildFileType::swiftUIEnum, "", "tokens.swift",
         {"    public static let levelsDark: [VantorelShadow] = [\n"
          "        VantorelShadow(x: 0, y: 2, blur: 2, spread: 0, color: Color(red: 0, green: 0, blue: 0, opacity: 0.5)), // 1\n"
          "        VantorelShadow(x: 0, y: 4, blur: 4, spread: 0, color: Color(red: 0, green: 0, blue: 0, opacity: 0.5)), // 2\n",
          "    public static let levelsDarkHighContrast: [VantorelShadow] = [\n",
          "        let darkHighContrast = darkHighContrast ?? light\n", "!levelsHighContrast"}},
        {"AppKit", BuildFileType::swiftAppKitEnum, "", "tokens.swift",
         {"    public static let levelsDarkHighContrast: [VantorelShadow] = [\n"
          "        VantorelShadow(x: 0, y: 2, blur: 2, spread: 0, color: NSColor(red: 0, green: 0, blue: 0, alpha: 0.5)), // 1\n"
          "        VantorelShadow(x: 0, y: 5, blur: 5, spread: 0, color: NSColor(red: 0, green: 0, blue: 0, alpha: 0.5)), // 2\n"}},
        {"Metal", BuildFileType::metal, "", "tokens.metal",
         {"constant float4 blue_dark[] = {\n    float4(0, 0, 0.5, 1), // 100\n    float4(0.5, 0.5, 1, 1) // 200\n};\n",
          "constant float4 blue_dark_high_contrast[] = {\n    float4(0, 0, 0.5, 1), // 100\n    float4(0.8, 0.8, 1, 1) // 200\n",
          "constant VantorelShadow levels_dark[] = {\n", "constant VantorelShadow levels_dark_high_contrast[] = {\n",
          "} // namespace tokens\n", "!blue_high_contrast", "!levels_high_contrast"}},
        {"OpenGL", BuildFileType::gl, "", "tokens.gl",
         {"const vec4 blue_dark[] = vec4[](\n    vec4(0, 0, 0.5, 1), // 100\n    vec4(0.5, 0.5, 1, 1) // 200\n);\n",
          "const VantorelShadow levels_dark_high_contrast[] = VantorelShadow[](\n"}},
        {"Compose", BuildFileType::androidCompose, "", "tokens.kt",
         {"        val DarkHighContrast = tokens(\n",
          "            ink = Color(red = 0.1f, green = 0.1f, blue = 0.1f, alpha = 1f, colorSpace = ColorSpaces.Srgb),\n",
          "            gap = 12.0f,\n            radius = 4.0f,\n            label = \"contrast\",\n"}},
    };
}

}  // namespace

TEST_F(AppearanceOutputTest, EveryVariantReachesEveryOutput) {
    auto project = appearanceProject();
    for (const auto& c : outputCases()) {
        SCOPED_TRACE(c.name);
        CustomData data;
        if (*c.appearance) data["appearanceColorType"] = c.appearance;
        // Names as each language writes them: kebab for style sheets, snake for shaders.
        const bool styleSheet = c.type == BuildFileType::css || c.type == BuildFileType::scss;
        const bool shader = c.type == BuildFileType::metal || c.type == BuildFileType::gl;
        const auto nameTransform = styleSheet ? BuildNameTransform::kebabCase
                                   : shader   ? BuildNameTransform::snakeCase
                                              : BuildNameTransform::camelCase;
        auto exporter = makeExporter(c.type, *project);
        expectPartsInOrder(exportedText(*exporter, *project, task(c.type, "tokens", nameTransform, std::nullopt, std::nullopt, data), c.file),
                           c.parts);
    }
}
