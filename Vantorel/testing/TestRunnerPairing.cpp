#include "Vantorel/testing/TestRunnerPairing.h"

#include <optional>
#include <string>

#include "Vantorel/testing/APCAContrast.h"
#include "Vantorel/testing/ContrastColorText.h"
#include "Vantorel/testing/WCAGContrast.h"

namespace vantorel {
namespace {

// A tested color as one appearance shows it, written once for all the pairs it is in.
struct MeasurableColor {
    const TestedItem* item = nullptr;
    quenz::ColorValue color;
    std::string cssText;
};

// The item's color in the appearance, or none when it is missing or cannot be written as CSS
// color() text; such colors are in no pair and no count.
std::optional<MeasurableColor> measurable(const TestedItem& item, ColorSource source) {
    const auto& color = item.color(source);
    if (!color) return std::nullopt;
    auto text = testedColorCSSText(*color);
    if (!text) return std::nullopt;
    return MeasurableColor{&item, *color, std::move(*text)};
}

TestedAppearance testedAppearance(ColorSource source) {
    switch (source) {
        case ColorSource::light: return TestedAppearance::light;
        case ColorSource::lightHighContrast: return TestedAppearance::lightHighContrast;
        case ColorSource::dark: return TestedAppearance::dark;
        case ColorSource::darkHighContrast: return TestedAppearance::darkHighContrast;
    }
    return TestedAppearance::light;
}

APCAFontWeight apcaWeight(TestFontWeight weight) {
    switch (weight) {
        case TestFontWeight::twoHundred: return APCAFontWeight::twoHundred;
        case TestFontWeight::threeHundred: return APCAFontWeight::threeHundred;
        case TestFontWeight::fourHundred: return APCAFontWeight::fourHundred;
        case TestFontWeight::fiveHundred: return APCAFontWeight::fiveHundred;
        case TestFontWeight::sixHundred: return APCAFontWeight::sixHundred;
        case TestFontWeight::sevenHundred: return APCAFontWeight::sevenHundred;
    }
    return APCAFontWeight::twoHundred;
}

// Judges one measurable pair; none when the measure cannot be taken.
class PairJudge {
public:
    PairJudge(const TestTask& task, std::string_view decimalSeparator)
        : type_(task.taskType()),
          wcag_(wcagCriteriaOf(task)),
          apca_(apcaCriteriaOf(task)),
          decimalSeparator_(decimalSeparator) {}

    std::optional<ContrastVerdict> judge(const quenz::ColorValue& foreground, const quenz::ColorValue& background) const {
        if (type_ == TestTaskType::wcagContrastTest) {
            return wcagVerdict(wcagContrastRatio(foreground, background), wcag_, decimalSeparator_);
        }
        auto lc = apcaLightnessContrast(foreground, background);
        if (!lc) return std::nullopt;
        return apcaVerdict(*lc, apca_);
    }

private:
    TestTaskType type_;
    WCAGCriteria wcag_;
    APCACriteria apca_;
    std::string_view decimalSeparator_;
};

}  // namespace

WCAGCriteria wcagCriteriaOf(const TestTask& task) { return WCAGCriteria{task.threshold()}; }

APCACriteria apcaCriteriaOf(const TestTask& task) {
    APCACriteria criteria;
    criteria.threshold = task.threshold();
    criteria.minFontSize = task.minFontSize();
    if (auto weight = task.minFontWeight()) criteria.minFontWeight = apcaWeight(*weight);
    if (auto type = task.thresholdType()) {
        criteria.thresholdType =
            *type == TestThresholdType::textSize ? APCAThresholdKind::textSize : APCAThresholdKind::luminosity;
    }
    return criteria;
}

ColorTestResult runTestTask(const TestTask& task, const std::vector<TestedItem>& items,
                            std::string_view decimalSeparator) {
    ColorTestResult result{task.name(), {}};
    std::size_t foregroundCount = 0, backgroundCount = 0;
    for (const auto& item : items) {
        if (item.isForeground()) ++foregroundCount;
        if (item.isBackground()) ++backgroundCount;
    }
    if (foregroundCount == 0 || backgroundCount == 0) return result;
    // Room for every pair in every appearance up front: large groups give hundreds of
    // thousands of results, which should not be moved again and again as the list grows.
    result.testColors.reserve(allColorSources.size() * foregroundCount * backgroundCount);

    const PairJudge judge(task, decimalSeparator);
    std::vector<MeasurableColor> foregrounds, backgrounds;
    for (ColorSource source : allColorSources) {
        foregrounds.clear();
        backgrounds.clear();
        for (const auto& item : items) {
            auto color = measurable(item, source);
            if (!color) continue;
            if (item.isForeground()) foregrounds.push_back(*color);
            if (item.isBackground()) backgrounds.push_back(std::move(*color));
        }
        const TestedAppearance appearance = testedAppearance(source);
        for (const auto& foreground : foregrounds) {
            for (const auto& background : backgrounds) {
                // The same tested color in both roles (position "both") is not a pair.
                if (foreground.item == background.item) continue;
                auto verdict = judge.judge(foreground.color, background.color);
                if (!verdict) continue;
                TestColorResult pair;
                pair.foregroundColorName = foreground.item->name;
                pair.foregroundCSSColorString = foreground.cssText;
                pair.backgroundColorName = background.item->name;
                pair.backgroundCSSColorString = background.cssText;
                pair.source = appearance;
                pair.sourceCSSId = std::string(sourceCSSId(appearance));
                pair.testResultSummary = std::move(verdict->summary);
                pair.passed = verdict->passed;
                result.testColors.push_back(std::move(pair));
            }
        }
    }
    return result;
}

TestCounts countResults(const ColorTestResult& result) {
    TestCounts counts;
    for (const auto& pair : result.testColors) {
        if (pair.passed) {
            ++counts.passed;
        } else {
            ++counts.failed;
        }
    }
    return counts;
}

}  // namespace vantorel
