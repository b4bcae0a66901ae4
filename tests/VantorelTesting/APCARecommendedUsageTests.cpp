#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Vantorel/testing/APCARecommendedUsage.h"

using namespace vantorel;

namespace {

struct UsageCase {
    const char* why;
    double lc;
    int sizes[6];  // weights 200 … 700
};

// Expected sizes worked by hand from the size and delta tables.
const UsageCase usageCases[] = {
    {"no contrast uses row 1, never the header", 0, {999, 999, 999, 999, 999, 999}},
    {"Lc 3 still row 1", 3, {999, 999, 999, 999, 999, 999}},
    {"row 2", 10, {999, 999, 999, 999, 999, 999}},
    {"row 2 reaches to 14.9", 14.9, {999, 999, 999, 999, 999, 999}},
    {"row 3", 15, {777, 777, 777, 777, 777, 777}},
    {"Lc 20: 777 everywhere", 20, {777, 777, 777, 777, 777, 777}},
    {"under 29.5 numeric sizes become 777", 29.4, {777, 777, 777, 777, 777, 777}},
    {"from 29.5 numeric sizes count, interpolated", 29.5, {777, 777, 109, 109, 97, 74}},
    {"row 6 base", 30, {777, 120, 108, 108, 96, 72}},
    {"row 9 with both rounding rules", 47, {86, 67, 38, 30, 26, 23}},
    {"row 12 base", 60, {48, 42, 24, 21, 18, 16}},
    {"#888 on white", 63.1, {47, 36, 23, 20, 18, 16}},
    {"black on white", 106.0, {25, 18, 14, 14, 13, 12}},
    {"white on black uses |Lc|", -107.9, {24, 18, 14, 14, 13, 12}},
    {"last row", 125, {20, 16, 10, 10, 10, 10}},
    {"beyond the tables stays on the last row", 180, {20, 16, 10, 10, 10, 10}},
    {"not a number has no usable size", std::nan(""), {999, 999, 999, 999, 999, 999}},
    {"infinity has no usable size", std::numeric_limits<double>::infinity(), {999, 999, 999, 999, 999, 999}},
};

}  // namespace

// Polarity does not matter: -Lc reads the same row as Lc.
TEST(APCARecommendedUsage, LookupRows) {
    for (const auto& c : usageCases) {
        APCARecommendedUsage usage = apcaRecommendedUsage(c.lc);
        EXPECT_EQ(usage.usage, "") << c.why;
        EXPECT_EQ(apcaRecommendedUsage(-c.lc), usage) << c.why;
        for (std::size_t w = 0; w < allAPCAFontWeights.size(); ++w) {
            EXPECT_EQ(usage.size(allAPCAFontWeights[w]), c.sizes[w]) << c.why << " weight " << weightText(allAPCAFontWeights[w]);
        }
    }
}

TEST(APCARecommendedUsage, MoreContrastNeverAsksForLargerText) {
    for (APCAFontWeight weight : allAPCAFontWeights) {
        int previous = apcaRecommendedUsage(29.5).size(weight);
        for (double lc = 29.6; lc <= 125; lc += 0.1) {
            int size = apcaRecommendedUsage(lc).size(weight);
            EXPECT_LE(size, previous) << "Lc " << lc << " weight " << weightText(weight);
            previous = size;
        }
    }
}
