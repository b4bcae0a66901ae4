#pragma once
// What a test run produces: per test group, the results of each of its contrast tests and the
// pass and fail summaries the report and the command line show.

#include <string>
#include <vector>

#include "Vantorel/testing/TestColorResult.h"

namespace vantorel {

// The results of one test task: every evaluated pair, appearance by appearance.
struct ColorTestResult {
    std::string testSummaryName;  // the task's name
    std::vector<TestColorResult> testColors;

    friend bool operator==(const ColorTestResult&, const ColorTestResult&) = default;
};

// One test group's run.
struct ColorTestGroupResult {
    std::string testGroupName;
    std::string testTime;     // medium date and medium time in the user's locale
    std::string passSummary;  // "2 passed (66%)"
    std::string failSummary;  // "1 failed (33%)"
    int resultPassPercent = 0;
    std::vector<ColorTestResult> tests;  // one per task, in task order

    friend bool operator==(const ColorTestGroupResult&, const ColorTestGroupResult&) = default;
};

// Whether any pair of any test failed: what makes a run (and `vantorel test`) unsuccessful.
bool anyPairFailed(const std::vector<ColorTestGroupResult>& results);

}  // namespace vantorel
