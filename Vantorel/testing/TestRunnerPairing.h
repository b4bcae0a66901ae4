#pragma once
// One contrast test over a group's colors: every foreground on every background, appearance
// by appearance (light, light high contrast, dark, dark high contrast), foregrounds in the
// outer loop and backgrounds in the inner one, a color never against itself.

#include <string_view>
#include <vector>

#include "Vantorel/testing/ContrastPairEvaluation.h"
#include "Vantorel/testing/TestRunnerItems.h"
#include "Vantorel/testing/TestRunnerResults.h"
#include "Vantorel/testing/TestRunnerSummary.h"
#include "VantorelData/model/TestTask.h"

namespace vantorel {

// What the task asks of a pair, in the terms of the contrast measures.
WCAGCriteria wcagCriteriaOf(const TestTask& task);
APCACriteria apcaCriteriaOf(const TestTask& task);

// The task's results under its name. Pairs that cannot be measured (a color missing in an
// appearance, a space the measures do not cover) are left out. `decimalSeparator` is the
// user's, used in WCAG ratios.
ColorTestResult runTestTask(const TestTask& task, const std::vector<TestedItem>& items,
                            std::string_view decimalSeparator = ".");

TestCounts countResults(const ColorTestResult& result);

}  // namespace vantorel
