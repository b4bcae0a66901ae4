#include <gtest/gtest.h>

#include "Vantorel/testing/TestRunnerSummary.h"

using namespace vantorel;

TEST(TestRunnerSummary, PercentagesAreTruncatedEachOnItsOwn) {
    const struct {
        TestCounts counts;
        const char* pass;
        const char* fail;
        int percent;
    } cases[] = {
        {{2, 1}, "2 passed (66%)", "1 failed (33%)", 66},
        {{1, 2}, "1 passed (33%)", "2 failed (66%)", 33},
        {{3, 0}, "3 passed (100%)", "0 failed (0%)", 100},
        {{0, 5}, "0 passed (0%)", "5 failed (100%)", 0},
        {{1, 6}, "1 passed (14%)", "6 failed (85%)", 14},
        {{199, 1}, "199 passed (99%)", "1 failed (0%)", 99},
        {{1'000'000, 1}, "1000000 passed (99%)", "1 failed (0%)", 99},
    };
    for (const auto& c : cases) {
        auto summary = summarizeTestGroup(c.counts);
        ASSERT_TRUE(summary.has_value()) << c.pass;
        EXPECT_EQ(summary->passSummary, c.pass);
        EXPECT_EQ(summary->failSummary, c.fail);
        EXPECT_EQ(summary->resultPassPercent, c.percent) << c.pass;
    }
    EXPECT_EQ(summarizeTestGroup({0, 0}), std::nullopt) << "nothing evaluated";
    EXPECT_EQ(summarizeTestGroup({-1, 0}), std::nullopt);
}
