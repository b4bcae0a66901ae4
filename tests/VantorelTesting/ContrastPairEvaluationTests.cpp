#include <gtest/gtest.h>

#include "Vantorel/testing/ContrastPairEvaluation.h"

using quenz::ColorValue;
using quenz::RGBSpace;
using namespace vantorel;

namespace {

ColorValue srgb(double r, double g, double b, double a = 1) { return {RGBSpace::sRGB, r, g, b, a}; }

const TestedColor black{"A", "Black", srgb(0, 0, 0)};
const TestedColor white{"B", "White", srgb(1, 1, 1)};

}  // namespace

TEST(ContrastPairEvaluation, ResultRecordsThePairAndItsAppearance) {
    auto result = evaluateWCAGPair(black, white, TestedAppearance::darkHighContrast, {});
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, (TestColorResult{"Black", "color(srgb 0 0 0)", "White", "color(srgb 1 1 1)",
                                        TestedAppearance::darkHighContrast, "dark-high-contrast", "Pass with 21", true}));

    auto apca = evaluateAPCAPair(white, black, TestedAppearance::lightHighContrast, {});
    ASSERT_TRUE(apca.has_value());
    EXPECT_EQ(apca->testResultSummary, "Pass with Lc 107.9");
    EXPECT_EQ(apca->sourceCSSId, "light-high-contrast");
    EXPECT_EQ(apca->foregroundColorName, "White");
}

TEST(ContrastPairEvaluation, ColorsAreWrittenAsCSSColorInTheirOwnSpace) {
    const struct {
        ColorValue color;
        const char* text;
    } cases[] = {
        {srgb(1, 0.5, 0), "color(srgb 1 0.5 0)"},
        {srgb(0.123456, 0, 0, 0.5), "color(srgb 0.1235 0 0 / 0.5)"},
        {{RGBSpace::displayP3, 1, 0, 0, 1}, "color(display-p3 1 0 0)"},
    };
    for (const auto& c : cases) {
        auto result = evaluateWCAGPair({"F", "F", c.color}, white, TestedAppearance::light, {});
        ASSERT_TRUE(result.has_value()) << c.text;
        EXPECT_EQ(result->foregroundCSSColorString, c.text);
    }
}

TEST(ContrastPairEvaluation, SkippedPairs) {
    const struct {
        const char* why;
        TestedColor foreground;
        TestedColor background;
    } cases[] = {
        {"an item is never paired with itself", black, {"A", "Black again", srgb(1, 1, 1)}},
        {"no foreground color in this appearance", {"C", "Missing", std::nullopt}, white},
        {"no background color in this appearance", black, {"C", "Missing", std::nullopt}},
        {"a space the tests do not measure", {"C", "Linear", ColorValue{RGBSpace::extendedLinearSRGB, 0, 0, 0, 1}},
         white},
        {"a platform gray", black, {"C", "Gray", ColorValue{RGBSpace::genericGray, 1, 1, 1, 1}}},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(evaluateWCAGPair(c.foreground, c.background, TestedAppearance::light, {})) << c.why;
        EXPECT_FALSE(evaluateAPCAPair(c.foreground, c.background, TestedAppearance::light, {})) << c.why;
    }
}

TEST(ContrastPairEvaluation, TaskSettingsDecideThePass) {
    const TestedColor gray{"G", "Gray", srgb(0x77 / 255.0, 0x77 / 255.0, 0x77 / 255.0)};
    auto wcag = evaluateWCAGPair(gray, white, TestedAppearance::light, {4.5});
    ASSERT_TRUE(wcag.has_value());
    EXPECT_FALSE(wcag->passed);
    EXPECT_EQ(wcag->testResultSummary, "Fail with 4.5 (min 4.5 required)");

    APCACriteria bodyText{{}, 16, APCAFontWeight::fourHundred, APCAThresholdKind::textSize};
    auto apca = evaluateAPCAPair(gray, white, TestedAppearance::dark, bodyText);  // Lc 71.1 asks 19 px
    ASSERT_TRUE(apca.has_value());
    EXPECT_FALSE(apca->passed);
    EXPECT_EQ(apca->testResultSummary, "Fail text size 16 at weight 400 (min size 19)");
}
