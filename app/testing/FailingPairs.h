#pragma once
// The failed pairs of a test run, each with the document's items behind its two colors, so
// that choosing a failure selects what has to change. A tested color is named after its item,
// or "Set-Step" for a step of a color set (or of the set a color alias names).

#include <QString>
#include <string>
#include <vector>

#include "Vantorel/testing/TestRunnerResults.h"
#include "VantorelData/model/Project.h"

namespace vantorel::app {

struct FailingPair {
    QString title;    // "Text on Surface · Dark · WCAG AA"
    QString summary;  // the test's own words, "Fail with 2.1"
    std::vector<std::string> itemUuids;  // foreground's item, then background's, when found
};

std::vector<FailingPair> failingPairs(const QuenzColorProject& project, const std::vector<ColorTestGroupResult>& results);

}  // namespace vantorel::app
