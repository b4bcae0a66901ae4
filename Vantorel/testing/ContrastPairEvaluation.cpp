#include "Vantorel/testing/ContrastPairEvaluation.h"

#include <cmath>

#include "QuenzColorUtils/ColorOperations.h"
#include "Vantorel/testing/APCAContrast.h"
#include "Vantorel/testing/ContrastColorText.h"
#include "Vantorel/testing/ContrastNumberText.h"
#include "Vantorel/testing/WCAGContrast.h"

namespace vantorel {
namespace {

constexpr double defaultWCAGThreshold = 3.0;
constexpr double defaultAPCAThreshold = 40.0;
constexpr int defaultMinFontSize = 18;
constexpr APCAFontWeight defaultMinFontWeight = APCAFontWeight::twoHundred;

// The pair with its colors written for the report, before it is judged.
std::optional<TestColorResult> measurablePair(const TestedColor& foreground, const TestedColor& background,
                                              TestedAppearance source) {
    if (!foreground.itemId.empty() && foreground.itemId == background.itemId) return std::nullopt;
    if (!foreground.color || !background.color) return std::nullopt;
    auto foregroundText = testedColorCSSText(*foreground.color);
    auto backgroundText = testedColorCSSText(*background.color);
    if (!foregroundText || !backgroundText) return std::nullopt;

    TestColorResult result;
    result.foregroundColorName = foreground.name;
    result.foregroundCSSColorString = std::move(*foregroundText);
    result.backgroundColorName = background.name;
    result.backgroundCSSColorString = std::move(*backgroundText);
    result.source = source;
    result.sourceCSSId = std::string(sourceCSSId(source));
    return result;
}

TestColorResult judged(TestColorResult result, ContrastVerdict verdict) {
    result.passed = verdict.passed;
    result.testResultSummary = std::move(verdict.summary);
    return result;
}

}  // namespace

ContrastVerdict wcagVerdict(double ratio, const WCAGCriteria& criteria, std::string_view decimalSeparator) {
    double threshold = criteria.threshold.value_or(defaultWCAGThreshold);
    std::string ratioText = oneDecimalHalfEvenText(ratio, decimalSeparator);
    if (ratio >= threshold) return {true, "Pass with " + ratioText};
    return {false, "Fail with " + ratioText + " (min " + shortestNumberText(threshold) + " required)"};
}

ContrastVerdict apcaVerdict(double lc, const APCACriteria& criteria) {
    if (criteria.thresholdType == APCAThresholdKind::textSize) {
        int size = criteria.minFontSize.value_or(defaultMinFontSize);
        APCAFontWeight weight = criteria.minFontWeight.value_or(defaultMinFontWeight);
        int recommended = apcaRecommendedUsage(lc).size(weight);
        if (recommended <= size) return {true, "Pass"};
        std::string summary = "Fail text size " + std::to_string(size) + " at weight " + std::string(weightText(weight));
        // The table's 777 and 999 mean no size will do, so no minimum is quoted.
        if (recommended < unusableFontSize) summary += " (min size " + std::to_string(recommended) + ")";
        return {false, summary};
    }
    double magnitude = std::fabs(quenz::roundTo(lc, 1));
    double threshold = criteria.threshold.value_or(defaultAPCAThreshold);
    // Reaching the threshold is not enough: a pair must exceed it.
    if (threshold < magnitude) return {true, "Pass with Lc " + shortestNumberText(magnitude)};
    return {false,
            "Fail Lc " + shortestNumberText(magnitude) + " (min " + shortestNumberText(threshold) + " required)"};
}

std::optional<TestColorResult> evaluateWCAGPair(const TestedColor& foreground, const TestedColor& background,
                                                TestedAppearance source, const WCAGCriteria& criteria,
                                                std::string_view decimalSeparator) {
    auto pair = measurablePair(foreground, background, source);
    if (!pair) return std::nullopt;
    double ratio = wcagContrastRatio(*foreground.color, *background.color);
    return judged(std::move(*pair), wcagVerdict(ratio, criteria, decimalSeparator));
}

std::optional<TestColorResult> evaluateAPCAPair(const TestedColor& foreground, const TestedColor& background,
                                                TestedAppearance source, const APCACriteria& criteria) {
    if (!foreground.itemId.empty() && foreground.itemId == background.itemId) return std::nullopt;
    if (!foreground.color || !background.color) return std::nullopt;
    auto lc = apcaLightnessContrast(*foreground.color, *background.color);
    if (!lc) return std::nullopt;
    auto pair = measurablePair(foreground, background, source);
    if (!pair) return std::nullopt;
    return judged(std::move(*pair), apcaVerdict(*lc, criteria));
}

}  // namespace vantorel
