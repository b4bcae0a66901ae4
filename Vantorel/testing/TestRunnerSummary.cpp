#include "Vantorel/testing/TestRunnerSummary.h"

#include <cstdint>

#include "Vantorel/testing/TestRunnerResults.h"

namespace vantorel {
namespace {

// trunc(part / total · 100), in integers so that 2 of 3 is 66, never 66.99… rounded up.
int truncatedPercent(int part, int total) {
    return static_cast<int>(static_cast<std::int64_t>(part) * 100 / total);
}

}  // namespace

std::optional<TestGroupSummary> summarizeTestGroup(const TestCounts& counts) {
    if (counts.passed < 0 || counts.failed < 0 || counts.total() <= 0) return std::nullopt;
    const int total = counts.total();
    TestGroupSummary summary;
    summary.resultPassPercent = truncatedPercent(counts.passed, total);
    summary.passSummary =
        std::to_string(counts.passed) + " passed (" + std::to_string(summary.resultPassPercent) + "%)";
    summary.failSummary =
        std::to_string(counts.failed) + " failed (" + std::to_string(truncatedPercent(counts.failed, total)) + "%)";
    return summary;
}

bool anyPairFailed(const std::vector<ColorTestGroupResult>& results) {
    for (const auto& group : results) {
        for (const auto& test : group.tests) {
            for (const auto& pair : test.testColors) {
                if (!pair.passed) return true;
            }
        }
    }
    return false;
}

}  // namespace vantorel
