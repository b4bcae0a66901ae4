#pragma once
// Test results as JUnit XML, for continuous-integration servers: a test suite per test group
// and test, a test case per pair and appearance, and a failure carrying the summary text. The
// layout follows the common JUnit schema of the Ant JUnit report task.

#include <chrono>
#include <string>
#include <vector>

#include "Vantorel/testing/TestRunnerResults.h"

namespace vantorel {

struct JUnitReportOptions {
    std::chrono::system_clock::time_point timestamp;  // when the run started, written in UTC
    std::string hostname;                             // "localhost" when empty
};

std::string junitReportXML(const std::vector<ColorTestGroupResult>& results, const JUnitReportOptions& options);

// "Text on Surface (Dark High Contrast)": a test case's name.
std::string junitTestCaseName(const TestColorResult& pair);

// This machine's host name; "localhost" when it cannot be told.
std::string localHostName();

}  // namespace vantorel
