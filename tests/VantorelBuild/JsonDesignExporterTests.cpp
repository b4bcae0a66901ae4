#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>

#include "ExportFixtures.h"
#include "Vantorel/build/exporters/JsonDesignExporter.h"
#include "Vantorel/build/exporters/JsonDesignNonBuildExporter.h"
#include "Vantorel/build/exporters/SortedJsonText.h"

using namespace vantorel;
using namespace vantorel::build;
using namespace vantorel::build::testing;
using nlohmann::json;

namespace {

class JsonDesignExporterTest : public FullStopLocaleTest {
protected:

    // The exported document, parsed; the export must succeed.
    json exported(const QuenzColorProject& project, const BuildTask& buildTask, const std::vector<ProjectItemPtr>& items) {
        auto result = JsonDesignExporter::designTokenText(project, buildTask, items);
        EXPECT_FALSE(result.error) << result.error->message;
        return json::parse(result.text);
    }
    json exported(const QuenzColorProject& project, const BuildTask& buildTask) {
        return exported(project, buildTask, project.items());
    }

    BuildTask tokens = task(BuildFileType::jsonDesignToken, "tokens");
};

std::string expectedText(const char* name) { return fileText(std::filesystem::path(VANTOREL_TEST_DATA) / name); }

}  // namespace

TEST_F(JsonDesignExporterTest, LightOnlyDocumentHasNoAppearanceWrapper) {
    ShadowDetails card(rgb(0, 0, 0, 0.3), 0, 2, 4.5, -1);
    auto project = projectWith({
        group("Brand",
              {
                  color("Primary", colorValue(rgb(1, 0.5, 0))),
                  color("Overlay", colorValue(rgb(0, 0, 0, 0.5)), deprecatedFields("Use Scrim")),
                  colorSet("Blue",
                           {colorValue(rgb(0, 0, 1), std::nullopt, std::nullopt, std::nullopt, "100"),
                            colorValue(rgb(0, 0, 0.5), std::nullopt, std::nullopt, std::nullopt, "200")},
                           deprecatedFields("")),
              }),
        number("Big", ThemeableNumber(12345)),
        number("Ratio", ThemeableNumber(0.123456)),
        boolean("Enabled", ThemeableBoolean(true)),
        string("Font/Family", ThemeableString("Inter/Sans")),
        shadow("Card", card),
    });
    ScratchFolder folder;
    auto result = runExport<JsonDesignExporter>(*project, tokens, project->items(), folder.path());
    ASSERT_FALSE(result.error) << result.error->message;
    ASSERT_EQ(result.outputs, std::vector<std::filesystem::path>{folder.path() / "tokens.json"});
    EXPECT_EQ(fileText(folder.path() / "tokens.json"), expectedText("tokens-light-only.json"));
}

TEST_F(JsonDesignExporterTest, AppearanceTreesOnlyWhereSomethingDiffers) {
    auto project = projectWith({
        color("Primary", colorValue(rgb(1, 0.5, 0), rgb(0.25, 0.5, 0.75), std::nullopt, rgb(1, 1, 1))),
        number("Radius", ThemeableNumber(4)),
        boolean("Flag", ThemeableBoolean(true, std::nullopt, false)),
    });
    auto result = JsonDesignExporter::designTokenText(*project, tokens, project->items());
    ASSERT_FALSE(result.error);
    EXPECT_EQ(result.text, expectedText("tokens-appearances.json"));
}

TEST_F(JsonDesignExporterTest, ColorSpacesOfColorTokens) {
    const struct {
        quenz::ColorValue color;
        const char* space;
        bool convertsToDisplayP3;
    } cases[] = {
        {rgb(0.2, 0.4, 0.6), "srgb", false},
        {rgb(0.2, 0.4, 0.6, 1, quenz::RGBSpace::displayP3), "display-p3", false},
        {rgb(1.2, 0.4, -0.1, 1, quenz::RGBSpace::extendedSRGB), "display-p3", true},
        {rgb(0.2, 0.4, 0.6, 1, quenz::RGBSpace::adobeRGB1998), "srgb", false},
    };
    for (const auto& c : cases) {
        auto project = projectWith({color("C", colorValue(c.color))});
        const json value = exported(*project, tokens)["C"]["$value"];
        EXPECT_EQ(value["colorSpace"], c.space);
        ASSERT_EQ(value["components"].size(), 3u);
        if (!c.convertsToDisplayP3) {
            EXPECT_NEAR(value["components"][0].get<double>(), c.color.red, 1e-4);
            EXPECT_NEAR(value["components"][2].get<double>(), c.color.blue, 1e-4);
        } else {
            // The wide red needs Display P3 room but is no longer outside it.
            EXPECT_LT(value["components"][0].get<double>(), c.color.red);
        }
        EXPECT_TRUE(value["hex"].get<std::string>().starts_with("#"));
        EXPECT_EQ(value["hex"].get<std::string>().size(), 7u);
        EXPECT_FALSE(value.contains("alpha"));
    }
}

TEST_F(JsonDesignExporterTest, NamesPathsAndDuplicates) {
    auto primary = color("Primary", colorValue(rgb(1, 0, 0)));
    auto brand = group("Brand Colors", {primary, color("Secondary", colorValue(rgb(0, 1, 0)))});
    auto project = projectWith({group("Outer", {brand}), colorAlias("Accent Alias", primary),
                                numberAlias("Gap Alias", number("Gap", ThemeableNumber(8)))});

    // Every enclosing group makes a level, namespace or not; group names are transformed,
    // prefix and suffix only touch token keys.
    auto camel = task(BuildFileType::jsonDesignToken, "t", BuildNameTransform::camelCase, "ds", "Token");
    json document = exported(*project, camel, {brand});
    ASSERT_TRUE(document.contains("outer")) << document.dump();
    json level = document["outer"]["brandColors"];
    EXPECT_EQ(level.size(), 2u);
    EXPECT_EQ(level["dsprimaryToken"]["$value"]["hex"], "#FF0000");
    EXPECT_EQ(level["dssecondaryToken"]["$value"]["hex"], "#00FF00");

    // An item assigned both itself and through its group lands once at the same place.
    EXPECT_EQ(exported(*project, camel, {brand, primary}), document);

    // Two names that transform alike in one group: the later token wins.
    auto twins = projectWith({color("Sky blue", colorValue(rgb(0, 0, 1))), color("sky-blue", colorValue(rgb(1, 1, 1)))});
    EXPECT_EQ(exported(*twins, camel), json::parse(R"({"dsskyBlueToken": {"$type": "color", "$value":
        {"colorSpace": "srgb", "components": [1, 1, 1], "hex": "#FFFFFF"}}})"));

    // Aliases export the value they resolve to; one whose target is gone exports the
    // fallback value for light and nothing for the other appearances.
    json top = exported(*project, tokens, {project->items()[1], project->items()[2]});
    EXPECT_EQ(top["Accent Alias"]["$value"]["hex"], "#FF0000");
    EXPECT_EQ(top["Gap Alias"]["$value"], 0);
    EXPECT_EQ(top.size(), 2u) << top.dump();
}

// A group whose name is also a token's key merges into the token when it comes later and is
// replaced by it (or by a set) when it comes first; a group that walks into a token's "$value"
// joins an object value and replaces any other.
TEST_F(JsonDesignExporterTest, GroupsMeetingTokensOfTheSameName) {
    const char* red = R"({"colorSpace": "srgb", "components": [1, 0, 0], "hex": "#FF0000")";
    const std::string x = R"("X": {"$type": "color", "$value": {"colorSpace": "srgb", "components": [0, 0, 1], "hex": "#0000FF"}})";
    auto redColor = [] { return color("Primary", colorValue(rgb(1, 0, 0))); };
    auto blueX = [] { return color("X", colorValue(rgb(0, 0, 1))); };
    const struct {
        const char* name;
        std::vector<ProjectItemPtr> items;
        std::string expected;
    } cases[] = {
        {"group after token merges", {redColor(), group("Primary", {blueX()})},
         std::string(R"({"Primary": {"$type": "color", "$value": )") + red + "}, " + x + "}}"},
        {"token after group replaces", {group("Primary", {blueX()}), redColor()},
         std::string(R"({"Primary": {"$type": "color", "$value": )") + red + "}}}"},
        {"group again after the token that replaced it", {group("Primary", {blueX()}), redColor(), group("Primary", {blueX()})},
         std::string(R"({"Primary": {"$type": "color", "$value": )") + red + "}, " + x + "}}"},
        {"into an object value", {redColor(), group("Primary", {group("$value", {blueX()})})},
         std::string(R"({"Primary": {"$type": "color", "$value": )") + red + ", " + x + "}}}"},
        {"into a number value", {number("Primary", ThemeableNumber(4)), group("Primary", {group("$value", {blueX()})})},
         std::string(R"({"Primary": {"$type": "number", "$value": {)") + x + "}}}"},
        {"into a text inside a value", {redColor(), group("Primary", {group("$value", {group("hex", {blueX()})})})},
         std::string(R"({"Primary": {"$type": "color", "$value": {"colorSpace": "srgb", "components": [1, 0, 0],
             "hex": {)") + x + "}}}}"},
        {"set after group replaces", {group("Primary", {blueX()}),
                                      colorSet("Primary", {colorValue(rgb(0, 0, 1), std::nullopt, std::nullopt, std::nullopt, "Y")})},
         R"({"Primary": {"Y": {"$type": "color", "$value": {"colorSpace": "srgb", "components": [0, 0, 1],
             "hex": "#0000FF"}}}})"},
    };
    for (const auto& c : cases) {
        auto project = projectWith(c.items);
        EXPECT_EQ(exported(*project, tokens), json::parse(c.expected)) << c.name;
    }
}

TEST_F(JsonDesignExporterTest, SetsLeaveOutStepsWithoutAValue) {
    auto project = projectWith({
        colorSet("Ramp", {colorValue(rgb(0, 0, 0), rgb(1, 1, 1), std::nullopt, std::nullopt, "1"),
                          colorValue(rgb(0.5, 0.5, 0.5), std::nullopt, std::nullopt, std::nullopt, "2")}),
        colorSet("Empty", {}),
        shadow("Glow", ShadowDetails(rgb(1, 1, 1), 1, 1, 1, 1), ShadowDetails(rgb(0, 0, 0), 2, 2, 2, 2)),
    });
    json document = exported(*project, tokens);
    EXPECT_FALSE(document["Light"].contains("Empty"));
    EXPECT_EQ(document["Light"]["Ramp"].size(), 2u);
    EXPECT_EQ(document["Dark"]["Ramp"].size(), 1u);
    EXPECT_EQ(document["Dark"]["Ramp"]["1"]["$value"]["hex"], "#FFFFFF");
    EXPECT_EQ(document["Dark"]["Glow"]["$value"]["offsetX"], "2px");
    EXPECT_FALSE(document.contains("High Contrast"));
}

TEST_F(JsonDesignExporterTest, FailureTexts) {
    ScratchFolder folder;
    auto project = projectWith({number("Broken", ThemeableNumber(std::numeric_limits<double>::infinity()))});
    auto broken = runExport<JsonDesignExporter>(*project, tokens, project->items(), folder.path());
    ASSERT_TRUE(broken.error);
    EXPECT_EQ(broken.error->message, "Unable to export JSON file: Unable to export JSON file");

    auto fine = projectWith({number("Fine", ThemeableNumber(1))});
    auto missingFolder = runExport<JsonDesignExporter>(*fine, tokens, fine->items(), folder.path() / "missing");
    ASSERT_TRUE(missingFolder.error);
    EXPECT_TRUE(missingFolder.error->message.starts_with("Unable to export JSON file: Could not"))
        << missingFolder.error->message;

    for (const char* name : {"..", "a/b.json", "."}) {
        auto result = runExport<JsonDesignExporter>(*fine, task(BuildFileType::jsonDesignToken, name), fine->items(),
                                                    folder.path());
        ASSERT_TRUE(result.error) << name;
        EXPECT_TRUE(result.error->message.starts_with("Unable to export JSON file: The output file name")) << name;
    }

    // An unwritable color is left out without failing the export.
    auto nan = projectWith({color("NaN", colorValue(rgb(std::nan(""), 0, 0)))});
    EXPECT_EQ(exported(*nan, tokens), json::object());
}

TEST_F(JsonDesignExporterTest, WholeProjectExportUsesNamesAsTheyAre) {
    ScratchFolder folder;
    auto project = projectWith({group("My Group", {color("Sky Blue", colorValue(rgb(0, 0.5, 1)))}),
                                number("Gap", ThemeableNumber(8))});
    // A file of the same name as before is replaced.
    ASSERT_FALSE(platform::writeFileAtomically(folder.path() / "vantorel.json", "old"));
    auto result = JsonDesignNonBuildExporter(*project).exportTo(folder.path() / "vantorel.json");
    ASSERT_FALSE(result.error) << result.error->message;
    json document = json::parse(fileText(folder.path() / "vantorel.json"));
    EXPECT_EQ(document["My Group"]["Sky Blue"]["$value"]["hex"], "#0080FF");
    EXPECT_EQ(document["Gap"]["$value"], 8);

    auto withoutExtension = JsonDesignNonBuildExporter(*project).exportTo(folder.path() / "tokens");
    ASSERT_FALSE(withoutExtension.error);
    EXPECT_EQ(withoutExtension.outputs.at(0), folder.path() / "tokens.json");
}

TEST(SortedJsonText, PlatformWriterBytes) {
    const struct {
        json value;
        const char* text;
    } cases[] = {
        {json::object(), "{\n\n}"},
        {json::array(), "[\n\n]"},
        {json{{"b", 1}, {"a", json::array()}, {"$c", json::object()}},
         "{\n  \"$c\" : {\n\n  },\n  \"a\" : [\n\n  ],\n  \"b\" : 1\n}"},
        {json{{"B", true}, {"a", false}, {"é", nullptr}}, "{\n  \"B\" : true,\n  \"a\" : false,\n  \"é\" : null\n}"},
        {json("a/b \"q\" \\ \n\r\t\b\f\x01\x1f é"), "\"a\\/b \\\"q\\\" \\\\ \\n\\r\\t\\b\\f\\u0001\\u001f é\""},
        {json("bad \xFF byte"), "\"bad \xEF\xBF\xBD byte\""},
        {json::array({0.5, 1.0, -0.0, 12345.0, 0.00001}), "[\n  0.5,\n  1,\n  -0,\n  1.234e+04,\n  1e-05\n]"},
    };
    for (const auto& c : cases) {
        auto result = sortedJsonText(c.value);
        ASSERT_FALSE(result.error);
        EXPECT_EQ(result.text, c.text);
    }
    EXPECT_TRUE(sortedJsonText(json(std::nan(""))).error);

    json deep = json::object();
    for (int level = 0; level < 600; ++level) deep = json{{"g", std::move(deep)}};
    EXPECT_TRUE(sortedJsonText(deep).error);
}

TEST(SortedJsonText, ShortGeneralNumbers) {
    const std::pair<double, const char*> cases[] = {
        {0, "0"},           {1, "1"},           {0.123456, "0.1235"}, {12345, "1.234e+04"}, {9999.5, "1e+04"},
        {1234, "1234"},     {0.0001, "0.0001"}, {0.00001, "1e-05"},   {-2.5, "-2.5"},       {1e100, "1e+100"},
        {0.99995, "1"}, {std::numeric_limits<double>::quiet_NaN(), ""},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(shortGeneralNumberText(value), text) << value;

    // Most numbers are written by integer arithmetic rather than by the library; both must agree
    // on every value, near rounding ties and powers of ten above all.
    std::mt19937_64 random(18);
    std::uniform_real_distribution<double> exponent(-6, 6), unit(0, 1);
    const auto agrees = [](double value) {
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 4).ptr;
        EXPECT_EQ(shortGeneralNumberText(value), std::string(buffer, end)) << value;
    };
    for (int i = 0; i < 100'000; ++i) {
        agrees(std::pow(10, exponent(random)) * (i % 2 ? 1 : -1));
        agrees(unit(random));
        agrees(std::round(unit(random) * 1e4) / 1e4 + 0.00005);  // a tie in decimal
        const double power = std::pow(10.0, static_cast<int>(random() % 9) - 5);
        agrees(power);
        agrees(std::nextafter(power, 0.0));
        agrees(static_cast<double>(random() % 100'000) / 10'000);
    }
}
