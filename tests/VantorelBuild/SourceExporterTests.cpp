// Every kind of item in every generated language, and every stored variant in every built-in
// output: where an output stands in for a missing dark high-contrast value it uses the light
// one, as the model reads that appearance.

#include <gtest/gtest.h>

#include "ExportFixtures.h"
#include "Vantorel/build/ExporterFactory.h"
#include "Vantorel/build/exporters/OpenGLExporter.h"

using namespace vantorel;
using namespace vantorel::build;
using namespace vantorel::build::testing;

namespace {

using SourceExporterTest = FullStopLocaleTest;

struct OutputCase {
    const char* name;
    BuildFileType type;
    const char* appearance;  // the style sheets' "appearanceColorType"
    const char* file;
    // In order; a part that starts with "!" must not appear anywhere.
    std::vector<std::string> parts;
};

// Names as each language writes them: kebab for style sheets, snake for shaders, camel otherwise.
void expectEveryOutput(const QuenzColorProject& project, const std::vector<OutputCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CustomData data;
        if (*c.appearance) data["appearanceColorType"] = c.appearance;
        const bool styleSheet = c.type == BuildFileType::css || c.type == BuildFileType::scss;
        const bool shader = c.type == BuildFileType::metal || c.type == BuildFileType::gl;
        const auto nameTransform = styleSheet ? BuildNameTransform::kebabCase
                                   : shader   ? BuildNameTransform::snakeCase
                                              : BuildNameTransform::camelCase;
        auto exporter = makeExporter(c.type, project);
        const auto text = exportedText(*exporter, project,
                                       task(c.type, "Tokens", nameTransform, std::nullopt, std::nullopt, data), c.file);
        expectPartsInOrder(text, c.parts);
        EXPECT_EQ(text.find("failed"), std::string::npos) << text;  // no tag wrote a failure note
    }
}

// A little of every kind: an adaptive color, a ramp, a number with a dark value, a boolean that
// is false (a stored value that is falsy must still be written), a string and a shadow.
QuenzColorProjectPtr everyKind() {
    return projectWith({
        color("Surface", colorValue(rgb(1, 1, 1), rgb(0, 0, 0))),
        colorSet("Blue", {colorValue(rgb(0, 0, 0.5), std::nullopt, std::nullopt, std::nullopt, "100"),
                          colorValue(rgb(0, 0, 1), std::nullopt, std::nullopt, std::nullopt, "200")}),
        number("Gap", ThemeableNumber(8, std::nullopt, 0)),
        boolean("Rounded", ThemeableBoolean(false)),
        string("Font", ThemeableString(std::string("Inter"))),
        shadow("Card", ShadowDetails(rgb(0, 0, 0, 0.5), 0, 4, 12, 0)),
        color("Old", colorValue(rgb(0, 0, 0)), deprecatedFields(std::string("Use surface."))),
    });
}

std::vector<OutputCase> sourceCases() {
    return {
        {"SwiftUI", BuildFileType::swiftUIEnum, "", "Tokens.swift",
         {"import SwiftUI\n", "public enum Tokens {\n",
          "    public static let surface = adaptive(light: Color(red: 1, green: 1, blue: 1), dark: Color(red: 0, green: 0, blue: 0))\n",
          "    /// A ramp: 100, 200\n    public static let blue: [Color] = [\n        Color(red: 0, green: 0, blue: 0.5), // 100\n",
          "    public static let gap: CGFloat = 8.0\n    public static let gapDark: CGFloat = 0.0\n",
          "    public static let rounded = false\n", "    public static let font = \"Inter\"\n",
          "    public static let card = VantorelShadow(x: 0, y: 4, blur: 12, spread: 0, color: Color(red: 0, green: 0, blue: 0, opacity: 0.5))\n",
          "    @available(*, deprecated, message: \"Use surface.\")\n    public static let old = Color(red: 0, green: 0, blue: 0)\n",
          "    public func shadow(_ shadow: Tokens.VantorelShadow) -> some View {\n"}},
        {"UIKit", BuildFileType::swiftUIKitEnum, "", "Tokens.swift",
         {"import UIKit\n", "    public static let blue: [UIColor] = [\n",
          "        UIColor(red: 0, green: 0, blue: 0.5, alpha: 1), // 100\n",
          "        return UIColor { traits in\n"}},
        {"AppKit", BuildFileType::swiftAppKitEnum, "", "Tokens.swift",
         {"import AppKit\n", "adaptive(light: NSColor(red: 1, green: 1, blue: 1, alpha: 1), dark: NSColor(red: 0, green: 0, blue: 0, alpha: 1))\n",
          "        return NSColor(name: nil) { appearance in\n"}},
        {"Metal", BuildFileType::metal, "", "Tokens.metal",
         {"#include <metal_stdlib>\n", "namespace Tokens {\n", "constant float4 surface = float4(1, 1, 1, 1);\n",
          "constant float4 surface_dark = float4(0, 0, 0, 1);\n", "constant float4 blue[] = {\n    float4(0, 0, 0.5, 1), // 100\n",
          "constant float gap = 8.0;\nconstant float gap_dark = 0.0;\n", "constant bool rounded = false;\n",
          "constant VantorelShadow card = { float2(0.0, 4.0), 12.0, 0.0, float4(0, 0, 0, 0.5) };\n",
          "[[deprecated(\"Use surface.\")]]\nconstant float4 old = float4(0, 0, 0, 1);\n"}},
        {"OpenGL", BuildFileType::gl, "", "Tokens.gl",
         {"#ifndef VANTOREL_TOKENS_GL\n#define VANTOREL_TOKENS_GL\n", "const vec4 surface = vec4(1, 1, 1, 1);\n",
          "const vec4 blue[] = vec4[](\n    vec4(0, 0, 0.5, 1), // 100\n    vec4(0, 0, 1, 1) // 200\n);\n",
          "const float gap = float(8.0);\n", "const bool rounded = false;\n",
          "const VantorelShadow card = VantorelShadow(vec2(0.0, 4.0), float(12.0), float(0.0), vec4(0, 0, 0, 0.5));\n",
          "// Deprecated: Use surface.\nconst vec4 old", "#endif\n"}},
        {"Compose", BuildFileType::androidCompose, "", "Tokens.kt",
         {"data class Tokens(\n", "    val surface: Color,\n", "    val blue: List<Color>,\n", "    val gap: Float,\n",
          "    @Deprecated(\"Use surface.\")\n    val old: Color,\n", "        val Light = Tokens(\n",
          "            surface = Color(red = 1f, green = 1f, blue = 1f, alpha = 1f, colorSpace = ColorSpaces.Srgb),\n",
          "            gap = 8.0f,\n", "            rounded = false,\n", "        val Dark = Tokens(\n",
          "            surface = Color(red = 0f, green = 0f, blue = 0f, alpha = 1f, colorSpace = ColorSpaces.Srgb),\n",
          "            gap = 0.0f,\n", "        val HighContrast = Tokens(\n",
          // without a stored contrast value the light one stands in
          "            surface = Color(red = 1f, green = 1f, blue = 1f, alpha = 1f, colorSpace = ColorSpaces.Srgb),\n",
          "        val DarkHighContrast = Tokens(\n",
          // without a stored dark contrast value the light one stands in, not the dark one
          "            surface = Color(red = 1f, green = 1f, blue = 1f, alpha = 1f, colorSpace = ColorSpaces.Srgb),\n",
          "data class VantorelShadow("}},
    };
}

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

std::vector<OutputCase> appearanceCases() {
    return {
        {"CSS light-dark", BuildFileType::css, "lightDark", "Tokens.css",
         {"@media (prefers-contrast: more) {",
          "    --ink: light-dark(color(srgb 0 0 0), color(srgb 0.1 0.1 0.1));\n",
          "@media (prefers-color-scheme: dark) and (prefers-contrast: more) {",
          "    --gap: 12.0;\n    --radius: 4.0;\n    --label: \"contrast\";\n    --dense: true;\n",
          "    --card: 0 9px 9px 0 color(srgb 0 0 0 / 0.5);\n",
          "    --levels-2: 0 5px 5px 0 color(srgb 0 0 0 / 0.5);\n"}},
        {"CSS per appearance", BuildFileType::css, "individual", "Tokens.css",
         {"@media (prefers-color-scheme: dark) and (prefers-contrast: more) {",
          "    --ink: color(srgb 0.1 0.1 0.1);\n", "    --blue-200: color(srgb 0.8 0.8 1);\n",
          "    --gap: 12.0;\n    --radius: 4.0;\n", "!--radius: 5.0;\n  }\n}\n@media"}},
        {"SCSS light-dark", BuildFileType::scss, "lightDark", "Tokens.scss",
         {"$ink-high-contrast: light-dark(color(srgb 0 0 0), color(srgb 0.1 0.1 0.1));\n"}},
        {"SwiftUI", BuildFileType::swiftUIEnum, "", "Tokens.swift",
         {"    public static let levelsDark: [VantorelShadow] = [\n"
          "        VantorelShadow(x: 0, y: 2, blur: 2, spread: 0, color: Color(red: 0, green: 0, blue: 0, opacity: 0.5)), // 1\n"
          "        VantorelShadow(x: 0, y: 4, blur: 4, spread: 0, color: Color(red: 0, green: 0, blue: 0, opacity: 0.5)), // 2\n",
          "    public static let levelsDarkHighContrast: [VantorelShadow] = [\n",
          "        let darkHighContrast = darkHighContrast ?? light\n", "!levelsHighContrast"}},
        {"AppKit", BuildFileType::swiftAppKitEnum, "", "Tokens.swift",
         {"    public static let levelsDarkHighContrast: [VantorelShadow] = [\n"
          "        VantorelShadow(x: 0, y: 2, blur: 2, spread: 0, color: NSColor(red: 0, green: 0, blue: 0, alpha: 0.5)), // 1\n"
          "        VantorelShadow(x: 0, y: 5, blur: 5, spread: 0, color: NSColor(red: 0, green: 0, blue: 0, alpha: 0.5)), // 2\n"}},
        {"Metal", BuildFileType::metal, "", "Tokens.metal",
         {"constant float4 blue_dark[] = {\n    float4(0, 0, 0.5, 1), // 100\n    float4(0.5, 0.5, 1, 1) // 200\n};\n",
          "constant float4 blue_dark_high_contrast[] = {\n    float4(0, 0, 0.5, 1), // 100\n    float4(0.8, 0.8, 1, 1) // 200\n",
          "constant VantorelShadow levels_dark[] = {\n", "constant VantorelShadow levels_dark_high_contrast[] = {\n",
          "} // namespace Tokens\n", "!blue_high_contrast", "!levels_high_contrast"}},
        {"OpenGL", BuildFileType::gl, "", "Tokens.gl",
         {"const vec4 blue_dark[] = vec4[](\n    vec4(0, 0, 0.5, 1), // 100\n    vec4(0.5, 0.5, 1, 1) // 200\n);\n",
          "const VantorelShadow levels_dark_high_contrast[] = VantorelShadow[](\n"}},
        {"Compose", BuildFileType::androidCompose, "", "Tokens.kt",
         {"        val DarkHighContrast = Tokens(\n",
          "            ink = Color(red = 0.1f, green = 0.1f, blue = 0.1f, alpha = 1f, colorSpace = ColorSpaces.Srgb),\n",
          "            gap = 12.0f,\n            radius = 4.0f,\n            label = \"contrast\",\n"}},
    };
}

}  // namespace

TEST_F(SourceExporterTest, EveryKindInEveryLanguage) { expectEveryOutput(*everyKind(), sourceCases()); }

TEST_F(SourceExporterTest, EveryVariantReachesEveryOutput) { expectEveryOutput(*appearanceProject(), appearanceCases()); }

TEST_F(SourceExporterTest, EmptyGroupStillWritesACompilableFrame) {
    auto project = projectWith({});
    OpenGLExporter exporter(*project);
    const auto text = exportedText(exporter, *project, task(BuildFileType::gl, "empty"), "empty.gl");
    EXPECT_NE(text.find("#define VANTOREL_EMPTY_GL\n"), std::string::npos) << text;
    EXPECT_NE(text.find("#endif\n"), std::string::npos) << text;
}
