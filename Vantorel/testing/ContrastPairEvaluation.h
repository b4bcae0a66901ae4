#pragma once
// Evaluation of one foreground/background pair in one appearance against a contrast test
// task: a pass or fail with the summary text the test report shows.

#include <optional>
#include <string>

#include "QuenzColorUtils/ColorValue.h"
#include "Vantorel/testing/APCARecommendedUsage.h"
#include "Vantorel/testing/TestColorResult.h"

namespace vantorel {

// A project item under test, with its color in the appearance being tested (none when the
// item has no color there).
struct TestedColor {
    std::string itemId;  // an item is never paired with itself
    std::string name;
    std::optional<quenz::ColorValue> color;
};

// What a WCAG test task asks: the minimum contrast ratio, 3.0 when the task leaves it empty.
struct WCAGCriteria {
    std::optional<double> threshold;
};

enum class APCAThresholdKind { luminosity, textSize };

// What an APCA test task asks. With textSize, the text of minFontSize (18 when empty) at
// minFontWeight (200 when empty) must be at least the recommended size; otherwise |Lc| must
// exceed threshold (40.0 when empty).
struct APCACriteria {
    std::optional<double> threshold;
    std::optional<int> minFontSize;
    std::optional<APCAFontWeight> minFontWeight;
    std::optional<APCAThresholdKind> thresholdType;
};

struct ContrastVerdict {
    bool passed = false;
    std::string summary;

    friend bool operator==(const ContrastVerdict&, const ContrastVerdict&) = default;
};

// "Pass with 21" or "Fail with 2.5 (min 4.5 required)" for a ratio already computed; the
// ratio is written with the user's decimal separator, the threshold always with ".".
ContrastVerdict wcagVerdict(double ratio, const WCAGCriteria& criteria, std::string_view decimalSeparator = ".");

// "Pass", "Fail text size 16 at weight 400 (min size 24)", "Pass with Lc 106.0" or
// "Fail Lc 40.0 (min 40.0 required)" for an Lc already computed.
ContrastVerdict apcaVerdict(double lc, const APCACriteria& criteria);

// The pair's result, or none when the pair is skipped: the same item twice, a color missing
// in this appearance, a color in a space the tests do not measure, or one that cannot be
// written as CSS color() text.
std::optional<TestColorResult> evaluateWCAGPair(const TestedColor& foreground, const TestedColor& background,
                                                TestedAppearance source, const WCAGCriteria& criteria,
                                                std::string_view decimalSeparator = ".");
std::optional<TestColorResult> evaluateAPCAPair(const TestedColor& foreground, const TestedColor& background,
                                                TestedAppearance source, const APCACriteria& criteria);

}  // namespace vantorel
