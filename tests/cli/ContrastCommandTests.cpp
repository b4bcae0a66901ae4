#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliTestSupport.h"

using vantorel::cli::testing::runCli;

TEST(ContrastCommand, TablesAsText) {
    auto result = runCli({"contrast", "#000000", "#FFFFFF"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "Foreground: #000000\n"
              "Background: #FFFFFF\n"
              "\n"
              "WCAG Contrast\n"
              "  Contrast Ratio  21:1  AAA\n"
              "\n"
              "APCA Contrast\n"
              "  Lightness Contrast  106.0  Pass\n"
              "  200                 25px   Pass\n"
              "  300                 18px   Pass\n"
              "  400                 14px   Pass\n"
              "  500                 14px   Pass\n"
              "  600                 13px   Pass\n"
              "  700                 12px   Pass\n");
}

TEST(ContrastCommand, MarkdownReport) {
    auto result = runCli({"contrast", "color(srgb 0.5 0.5 0.5)", "color(srgb 0.5 0.5 0.5)", "--markdown"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    // The tables' rows and markdown are checked with the accessibility tables; here, that both
    // tables follow the two colors, a blank line apart.
    EXPECT_TRUE(result.out.starts_with("Foreground: color(srgb 0.5 0.5 0.5)\n"
                                       "Background: color(srgb 0.5 0.5 0.5)\n"
                                       "\n"
                                       "| WCAG Contrast | Value | Rating |\n"))
        << result.out;
    EXPECT_NE(result.out.find("| Contrast Ratio | 1:1 | Fail |\n\n| APCA Contrast | Value | Rating |\n"),
              std::string::npos)
        << result.out;
    EXPECT_TRUE(result.out.ends_with("| 700 | Fail | Fail |\n")) << result.out;
}

// The ratio is written in the locale's number style, as the test report writes it.
TEST(ContrastCommand, RatioFollowsTheLocale) {
    const std::pair<const char*, const char*> cases[] = {{"de_DE.UTF-8", "Contrast Ratio  4,5:1"},
                                                         {"en_US", "Contrast Ratio  4.5:1"}};
    for (const auto& [locale, row] : cases) {
        const auto result = runCli({"contrast", "#767676", "#FFFFFF", "--locale", locale});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NE(result.out.find(row), std::string::npos) << result.out;
    }
}

TEST(ContrastCommand, MeasuresAsJSON) {
    const struct {
        std::vector<std::string> args;
        double wcagRatio;
        double apcaLc;
        int usage400;
        std::string foreground;
    } cases[] = {
        {{"contrast", "#000000", "#FFFFFF", "--json"}, 21, 106.0, 14, "#000000"},
        {{"contrast", "#FFFFFF", "#000000", "--json"}, 21, -107.9, 14, "#FFFFFF"},
        {{"contrast", "#888888", "#FFFFFF", "--json"}, 3.545, 63.1, 23, "#888888"},
        // Half-transparent black over white is measured as the gray it shows.
        {{"contrast", "color(srgb 0 0 0 / 0.5)", "color(srgb 1 1 1)", "--json"}, 3.977, 67.1, 21,
         "color(srgb 0 0 0 / 0.5)"},
        {{"contrast", "#777777", "#FFFFFF", "--json", "--format", "htmlRGB"}, 4.478, 71.1, 19, "#777777"},
    };
    for (const auto& c : cases) {
        auto result = runCli(c.args);
        ASSERT_EQ(result.exitCode, 0) << ::testing::PrintToString(c.args) << result.err;
        auto data = nlohmann::json::parse(result.out);
        EXPECT_DOUBLE_EQ(data["wcagRatio"].get<double>(), c.wcagRatio) << result.out;
        EXPECT_DOUBLE_EQ(data["apcaLc"].get<double>(), c.apcaLc) << result.out;
        EXPECT_EQ(data["apcaUsage"]["400"], c.usage400) << result.out;
        EXPECT_EQ(data["apcaUsage"].size(), 6u);
        EXPECT_EQ(data["foreground"], c.foreground);
        EXPECT_EQ(data["wcagTable"].size(), 1u);
        EXPECT_EQ(data["apcaTable"].size(), 7u);
    }

    auto result = runCli({"contrast", "#777777", "#FFFFFF", "--json"});
    auto data = nlohmann::json::parse(result.out);
    EXPECT_EQ(data["wcagTable"][0], (nlohmann::json{{"label", "Contrast Ratio"}, {"value", "4.5:1"}, {"rating", "AA"}}));
    EXPECT_EQ(data["apcaTable"][0],
              (nlohmann::json{{"label", "Lightness Contrast"}, {"value", "71.1"}, {"rating", "Pass"}}));
}

TEST(ContrastCommand, ColorsAreShownInTheRightSpace) {
    const struct {
        std::vector<std::string> args;
        std::string foreground;
        std::string background;
    } cases[] = {
        // A P3 color keeps both colors in Display P3, so that neither is clipped.
        {{"contrast", "p3: #FF0000", "#FFFFFF", "--json"}, "p3: #FF0000", "p3: #FFFFFF"},
        // Both are written in the foreground's form.
        {{"contrast", "#000000", "color(display-p3 1 1 1)", "--json"}, "p3: #000000", "p3: #FFFFFF"},
        {{"contrast", "color(display-p3 0 0 0)", "#FFFFFF", "--json"}, "color(display-p3 0 0 0)",
         "color(display-p3 1 1 1)"},
        // A named space is taken as given.
        {{"contrast", "#000000", "#FFFFFF", "--space", "displayP3", "--json"}, "p3: #000000", "p3: #FFFFFF"},
        {{"contrast", "#000000", "#FFFFFF", "--format", "cssColor", "--json"}, "color(srgb 0 0 0)",
         "color(srgb 1 1 1)"},
    };
    for (const auto& c : cases) {
        auto result = runCli(c.args);
        ASSERT_EQ(result.exitCode, 0) << ::testing::PrintToString(c.args) << result.err;
        auto data = nlohmann::json::parse(result.out);
        EXPECT_EQ(data["foreground"], c.foreground) << ::testing::PrintToString(c.args);
        EXPECT_EQ(data["background"], c.background) << ::testing::PrintToString(c.args);
    }
}
