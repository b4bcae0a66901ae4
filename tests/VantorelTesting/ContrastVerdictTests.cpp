#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Vantorel/testing/ContrastNumberText.h"
#include "Vantorel/testing/ContrastPairEvaluation.h"

using namespace vantorel;

TEST(ContrastVerdict, WCAGSummaries) {
    const struct {
        double ratio;
        WCAGCriteria criteria;
        ContrastVerdict expected;
    } cases[] = {
        {21, {}, {true, "Pass with 21"}},
        {3.0, {}, {true, "Pass with 3"}},                             // default threshold 3.0, reached
        {2.996, {}, {false, "Fail with 3 (min 3.0 required)"}},       // written rounded, judged exact
        {4.5, {4.5}, {true, "Pass with 4.5"}},                        // reaching the threshold passes
        {4.478, {4.5}, {false, "Fail with 4.5 (min 4.5 required)"}},
        {4.25, {4.5}, {false, "Fail with 4.2 (min 4.5 required)"}},   // halves to even
        {4.35, {7}, {false, "Fail with 4.4 (min 7.0 required)"}},
        {1, {4.75}, {false, "Fail with 1 (min 4.75 required)"}},
        {13.652, {7}, {true, "Pass with 13.7"}},
    };
    for (const auto& c : cases) EXPECT_EQ(wcagVerdict(c.ratio, c.criteria), c.expected) << c.ratio;
    EXPECT_EQ(wcagVerdict(4.25, {4.5}, ","), (ContrastVerdict{false, "Fail with 4,2 (min 4.5 required)"}));
}

// A luminosity test compares |Lc| with its threshold; a text-size test compares the font size
// with the size the lookup table asks for at that Lc and weight.
TEST(ContrastVerdict, APCASummaries) {
    const auto textSize = APCAThresholdKind::textSize;
    const struct {
        double lc;
        APCACriteria criteria;
        ContrastVerdict expected;
    } cases[] = {
        {106.0, {}, {true, "Pass with Lc 106.0"}},
        {-107.9, {}, {true, "Pass with Lc 107.9"}},  // polarity does not matter
        {40.0, {40.0, {}, {}, {}}, {false, "Fail Lc 40.0 (min 40.0 required)"}},  // equal fails
        {40.0, {}, {false, "Fail Lc 40.0 (min 40.0 required)"}},                    // default 40
        {40.1, {}, {true, "Pass with Lc 40.1"}},
        {-39.96, {}, {false, "Fail Lc 40.0 (min 40.0 required)"}},                  // rounded first
        {75, {75.5, {}, {}, APCAThresholdKind::luminosity}, {false, "Fail Lc 75.0 (min 75.5 required)"}},
        {0, {15, {}, {}, {}}, {false, "Fail Lc 0.0 (min 15.0 required)"}},
        {60, {{}, 24, APCAFontWeight::fourHundred, textSize}, {true, "Pass"}},
        {-60, {{}, 16, APCAFontWeight::fourHundred, textSize}, {false, "Fail text size 16 at weight 400 (min size 24)"}},
        // Defaults: 18 px at weight 200; Lc 60 asks 48 px of weight 200.
        {60, {{}, {}, {}, textSize}, {false, "Fail text size 18 at weight 200 (min size 48)"}},
        {106, {{}, {}, {}, textSize}, {false, "Fail text size 18 at weight 200 (min size 25)"}},
        {106, {{}, {}, APCAFontWeight::threeHundred, textSize}, {true, "Pass"}},
        // 777 and 999 are no size at all: the minimum is left out.
        {20, {{}, 96, APCAFontWeight::sevenHundred, textSize}, {false, "Fail text size 96 at weight 700"}},
        {0, {{}, 300, APCAFontWeight::fiveHundred, textSize}, {false, "Fail text size 300 at weight 500"}},
        // The threshold plays no part in a text-size test.
        {60, {100.0, 24, APCAFontWeight::fourHundred, textSize}, {true, "Pass"}},
    };
    for (const auto& c : cases) EXPECT_EQ(apcaVerdict(c.lc, c.criteria), c.expected) << c.lc;
}

TEST(ContrastNumberText, Forms) {
    const struct {
        double value;
        std::string shortest, plain, oneDecimal;
    } cases[] = {
        {21, "21.0", "21", "21"},
        {3, "3.0", "3", "3"},
        {4.5, "4.5", "4.5", "4.5"},
        {4.25, "4.25", "4.25", "4.2"},
        {4.35, "4.35", "4.35", "4.4"},
        {4.251, "4.251", "4.251", "4.3"},
        {9.95, "9.95", "9.95", "10"},
        {9.96, "9.96", "9.96", "10"},
        {0.05, "0.05", "0.05", "0"},
        {0.15, "0.15", "0.15", "0.2"},
        {-107.9, "-107.9", "-107.9", "-107.9"},
        {-0.04, "-0.04", "-0.04", "0"},
        {0, "0.0", "0", "0"},
        {0.00001, "1e-05", "0.00001", "0"},
        {1e16, "1e+16", "10000000000000000", "10000000000000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shortestNumberText(c.value), c.shortest) << c.value;
        EXPECT_EQ(plainNumberText(c.value), c.plain) << c.value;
        EXPECT_EQ(oneDecimalHalfEvenText(c.value), c.oneDecimal) << c.value;
    }
    EXPECT_EQ(plainNumberText(4.5, ","), "4,5");
    EXPECT_EQ(oneDecimalHalfEvenText(13.652, ","), "13,7");
    EXPECT_EQ(oneDecimalHalfEvenText(std::nan("")), "NaN");
    EXPECT_EQ(decimalSeparatorOf("de_DE"), ",");
    EXPECT_EQ(decimalSeparatorOf("en_US_POSIX"), ".");
    EXPECT_EQ(decimalSeparatorOf("fr_FR"), ",");
    EXPECT_EQ(shortestNumberText(-std::numeric_limits<double>::infinity()), "-∞");
}
