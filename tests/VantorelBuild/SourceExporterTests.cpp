#include <gtest/gtest.h>

#include <functional>

#include "ExportFixtures.h"
#include "Vantorel/build/exporters/AndroidComposeExporter.h"
#include "Vantorel/build/exporters/MetalExporter.h"
#include "Vantorel/build/exporters/OpenGLExporter.h"
#include "Vantorel/build/exporters/SwiftEnumExporter.h"

using namespace vantorel;
using namespace vantorel::build;
using namespace vantorel::build::testing;

namespace {

using SourceExporterTest = FullStopLocaleTest;

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

struct SourceCase {
    const char* name;
    BuildFileType type;
    std::function<BuildTaskExporterPtr(const QuenzColorProject&)> make;
    const char* file;
    std::vector<std::string> expected;  // lines or parts of lines, in order
};

std::vector<SourceCase> sourceCases() {
    return {
        {"SwiftUI", BuildFileType::swiftUIEnum,
         [](const QuenzColorProject& p) { return std::make_unique<SwiftEnumExporter>(p, SwiftFlavour::swiftUI); },
         "Tokens.swift",
         {"import SwiftUI\n", "public enum Tokens {\n",
          "    public static let surface = adaptive(light: Color(red: 1, green: 1, blue: 1), dark: Color(red: 0, green: 0, blue: 0))\n",
          "    /// A ramp: 100, 200\n    public static let blue: [Color] = [\n        Color(red: 0, green: 0, blue: 0.5), // 100\n",
          "    public static let gap: CGFloat = 8.0\n    public static let gapDark: CGFloat = 0.0\n",
          "    public static let rounded = false\n", "    public static let font = \"Inter\"\n",
          "    public static let card = VantorelShadow(x: 0, y: 4, blur: 12, spread: 0, color: Color(red: 0, green: 0, blue: 0, opacity: 0.5))\n",
          "    @available(*, deprecated, message: \"Use surface.\")\n    public static let old = Color(red: 0, green: 0, blue: 0)\n",
          "    public func shadow(_ shadow: Tokens.VantorelShadow) -> some View {\n"}},
        {"UIKit", BuildFileType::swiftUIKitEnum,
         [](const QuenzColorProject& p) { return std::make_unique<SwiftEnumExporter>(p, SwiftFlavour::uiKit); },
         "Tokens.swift",
         {"import UIKit\n", "    public static let blue: [UIColor] = [\n",
          "        UIColor(red: 0, green: 0, blue: 0.5, alpha: 1), // 100\n",
          "        return UIColor { traits in\n"}},
        {"AppKit", BuildFileType::swiftAppKitEnum,
         [](const QuenzColorProject& p) { return std::make_unique<SwiftEnumExporter>(p, SwiftFlavour::appKit); },
         "Tokens.swift",
         {"import AppKit\n", "adaptive(light: NSColor(red: 1, green: 1, blue: 1, alpha: 1), dark: NSColor(red: 0, green: 0, blue: 0, alpha: 1))\n",
          "        return NSColor(name: nil) { appearance in\n"}},
        {"Metal", BuildFileType::metal, [](const QuenzColorProject& p) { return std::make_unique<MetalExporter>(p); },
         "Tokens.metal",
         {"#include <metal_stdlib>\n", "namespace Tokens {\n", "constant float4 surface = float4(1, 1, 1, 1);\n",
          "constant float4 surface_dark = float4(0, 0, 0, 1);\n", "constant float4 blue[] = {\n    float4(0, 0, 0.5, 1), // 100\n",
          "constant float gap = 8.0;\nconstant float gap_dark = 0.0;\n", "constant bool rounded = false;\n",
          "constant VantorelShadow card = { float2(0.0, 4.0), 12.0, 0.0, float4(0, 0, 0, 0.5) };\n",
          "[[deprecated(\"Use surface.\")]]\nconstant float4 old = float4(0, 0, 0, 1);\n"}},
        {"OpenGL", BuildFileType::gl, [](const QuenzColorProject& p) { return std::make_unique<OpenGLExporter>(p); },
         "Tokens.gl",
         {"#ifndef VANTOREL_TOKENS_GL\n#define VANTOREL_TOKENS_GL\n", "const vec4 surface = vec4(1, 1, 1, 1);\n",
          "const vec4 blue[] = vec4[](\n    vec4(0, 0, 0.5, 1), // 100\n    vec4(0, 0, 1, 1) // 200\n);\n",
          "const float gap = float(8.0);\n", "const bool rounded = false;\n",
          "const VantorelShadow card = VantorelShadow(vec2(0.0, 4.0), float(12.0), float(0.0), vec4(0, 0, 0, 0.5));\n",
          "// Deprecated: Use surface.\nconst vec4 old", "#endif\n"}},
        {"Compose", BuildFileType::androidCompose,
         [](const QuenzColorProject& p) { return std::make_unique<AndroidComposeExporter>(p); }, "Tokens.kt",
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

}  // namespace

TEST_F(SourceExporterTest, EveryKindInEveryLanguage) {
    auto project = everyKind();
    for (const auto& c : sourceCases()) {
        SCOPED_TRACE(c.name);
        const auto t = task(c.type, "Tokens", c.type == BuildFileType::metal || c.type == BuildFileType::gl
                                                  ? BuildNameTransform::snakeCase
                                                  : BuildNameTransform::camelCase);
        auto exporter = c.make(*project);
        const auto text = exportedText(*exporter, *project, t, c.file);
        expectPartsInOrder(text, c.expected);
        EXPECT_EQ(text.find("failed"), std::string::npos) << text;  // no tag wrote a failure note
    }
}

TEST_F(SourceExporterTest, EmptyGroupStillWritesACompilableFrame) {
    auto project = projectWith({});
    OpenGLExporter exporter(*project);
    const auto text = exportedText(exporter, *project, task(BuildFileType::gl, "empty"), "empty.gl");
    EXPECT_NE(text.find("#define VANTOREL_EMPTY_GL\n"), std::string::npos) << text;
    EXPECT_NE(text.find("#endif\n"), std::string::npos) << text;
}
