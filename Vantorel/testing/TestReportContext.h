#pragma once
// The values the test report template sees. Under "results", the group results with their
// fields by name (testGroupName, testTime, passSummary, failSummary, resultPassPercent, tests;
// per test testSummaryName and testColors; per pair the fields of TestColorResult), read in
// place rather than copied. Besides those, counts that a page needs and cannot compute:
// passedCount, failedCount and resultCount on the report, each group and each test, and
// sourceName ("Light High Contrast") on each pair; and the tested document's name under
// "documentName".

#include <string>
#include <vector>

#include "Stencil/Value.h"
#include "Vantorel/testing/TestRunnerResults.h"

namespace vantorel {

stencil::Value testReportContext(std::vector<ColorTestGroupResult> results, const std::string& documentName = {});

}  // namespace vantorel
