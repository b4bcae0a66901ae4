#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestRunnerSupport.h"
#include "Vantorel/testing/TestRunnerPairing.h"

using namespace vantorel;
using namespace vantorel::testsupport;

namespace {

// "Fg/Bg@css-id" per result, in result order.
std::vector<std::string> pairNames(const ColorTestResult& result) {
    std::vector<std::string> names;
    for (const auto& pair : result.testColors) {
        names.push_back(pair.foregroundColorName + "/" + pair.backgroundColorName + "@" + pair.sourceCSSId);
    }
    return names;
}

std::vector<std::string> pairsIn(const std::vector<std::string>& lightPairs) {
    std::vector<std::string> all;
    for (const char* source : {"light", "light-high-contrast", "dark", "dark-high-contrast"}) {
        for (const auto& pair : lightPairs) all.push_back(pair + "@" + source);
    }
    return all;
}

ColorTestResult runGroupTask(const TestProject& setup, const TestTask& task, std::string_view separator = ".") {
    return runTestTask(task, testedItemsOfGroup(*setup.project, *setup.group), separator);
}

}  // namespace

TEST(TestRunnerPairing, PairsEveryForegroundWithEveryBackgroundAppearanceByAppearance) {
    using P = TestPosition;
    struct Member {
        const char* name;
        P position;
    };
    const struct {
        const char* label;
        std::vector<Member> members;
        std::vector<std::string> lightPairs;
    } cases[] = {
        {"two foregrounds, three backgrounds: foregrounds outer, backgrounds inner",
         {{"F1", P::foreground}, {"B1", P::background}, {"F2", P::foreground}, {"B2", P::background},
          {"B3", P::background}},
         {"F1/B1", "F1/B2", "F1/B3", "F2/B1", "F2/B2", "F2/B3"}},
        {"items in both roles pair in both directions, never with themselves",
         {{"A", P::both}, {"B", P::both}, {"C", P::both}},
         {"A/B", "A/C", "B/A", "B/C", "C/A", "C/B"}},
        {"mixed roles",
         {{"X", P::both}, {"F", P::foreground}, {"B", P::background}},
         {"X/B", "F/X", "F/B"}},
        {"no foreground yields nothing", {{"B1", P::background}, {"B2", P::background}}, {}},
        {"no background yields nothing", {{"F1", P::foreground}, {"F2", P::foreground}}, {}},
        {"a single item in both roles has no partner", {{"A", P::both}}, {}},
    };
    for (const auto& c : cases) {
        TestProject setup;
        double gray = 0;
        for (const auto& member : c.members) {
            setup.color(member.name, member.position, srgb(gray, gray, gray));
            gray += 0.2;
        }
        auto result = runGroupTask(setup, *setup.group->tests().front());
        EXPECT_EQ(result.testSummaryName, "Body text") << c.label;
        EXPECT_EQ(pairNames(result), pairsIn(c.lightPairs)) << c.label;
    }
}

TEST(TestRunnerPairing, EachAppearanceUsesItsOwnVariantWithTheUsualFallback) {
    TestProject setup;
    // Dark variant only: light high contrast and dark high contrast both fall back to light.
    setup.color("Text", TestPosition::foreground,
                ThemeableColor(srgb(0, 0, 0), std::nullopt, srgb(1, 1, 1), std::nullopt));
    setup.color("Surface", TestPosition::background,
                ThemeableColor(srgb(1, 1, 1), srgb(0.9, 0.9, 0.9), srgb(0, 0, 0), srgb(0.2, 0.2, 0.2)));
    auto result = runGroupTask(setup, *setup.group->tests().front());
    ASSERT_EQ(result.testColors.size(), 4u);

    const struct {
        TestedAppearance source;
        const char* foreground;
        const char* background;
    } expected[] = {
        {TestedAppearance::light, "color(srgb 0 0 0)", "color(srgb 1 1 1)"},
        {TestedAppearance::lightHighContrast, "color(srgb 0 0 0)", "color(srgb 0.9 0.9 0.9)"},
        {TestedAppearance::dark, "color(srgb 1 1 1)", "color(srgb 0 0 0)"},
        {TestedAppearance::darkHighContrast, "color(srgb 0 0 0)", "color(srgb 0.2 0.2 0.2)"},
    };
    for (std::size_t i = 0; i < 4; ++i) {
        const auto& pair = result.testColors[i];
        EXPECT_EQ(pair.source, expected[i].source) << i;
        EXPECT_EQ(pair.sourceCSSId, sourceCSSId(expected[i].source)) << i;
        EXPECT_EQ(pair.foregroundCSSColorString, expected[i].foreground) << i;
        EXPECT_EQ(pair.backgroundCSSColorString, expected[i].background) << i;
    }
}

TEST(TestRunnerPairing, ColorsTheMeasuresCannotTakeAreLeftOutOfPairsAndCounts) {
    TestProject setup;
    setup.color("Black", TestPosition::foreground, srgb(0, 0, 0));
    setup.color("Linear", TestPosition::foreground, quenz::ColorValue{quenz::RGBSpace::linearSRGB, 0.5, 0.5, 0.5, 1});
    setup.color("White", TestPosition::background, srgb(1, 1, 1));
    auto result = runGroupTask(setup, *setup.group->tests().front());
    EXPECT_EQ(pairNames(result), pairsIn({"Black/White"}));
    EXPECT_EQ(countResults(result), (TestCounts{4, 0}));
}

TEST(TestRunnerPairing, JudgesEveryPairAsTheSinglePairEvaluationDoes) {
    TestProject setup;
    const std::vector<quenz::ColorValue> colors = {
        srgb(0, 0, 0), srgb(1, 1, 1), srgb(0.47, 0.47, 0.47), srgb(0.2, 0.4, 0.9, 0.6),
        {quenz::RGBSpace::displayP3, 0.9, 0.1, 0.1, 1}, {quenz::RGBSpace::extendedSRGB, 1.1, 0.5, -0.1, 1}};
    for (std::size_t i = 0; i < colors.size(); ++i) setup.color("C" + std::to_string(i), TestPosition::both, colors[i]);

    auto textSize = apcaTask("Text size");
    textSize->setThresholdType(TestThresholdType::textSize);
    textSize->setMinFontSize(16);
    textSize->setMinFontWeight(TestFontWeight::fourHundred);
    const std::vector<TestTaskPtr> tasks = {wcagTask("WCAG default"), wcagTask("WCAG AAA", 7.0), apcaTask("APCA Lc", 60.0),
                                            textSize};
    for (const auto& task : tasks) {
        auto result = runGroupTask(setup, *task, ",");
        ASSERT_EQ(result.testColors.size(), colors.size() * (colors.size() - 1) * 4) << task->name();
        std::size_t index = 0;
        for (TestedAppearance source : allTestedAppearances) {
            for (std::size_t f = 0; f < colors.size(); ++f) {
                for (std::size_t b = 0; b < colors.size(); ++b) {
                    if (f == b) continue;
                    TestedColor foreground{"f", "C" + std::to_string(f), colors[f]};
                    TestedColor background{"b", "C" + std::to_string(b), colors[b]};
                    auto single = task->taskType() == TestTaskType::wcagContrastTest
                                      ? evaluateWCAGPair(foreground, background, source, wcagCriteriaOf(*task), ",")
                                      : evaluateAPCAPair(foreground, background, source, apcaCriteriaOf(*task));
                    ASSERT_TRUE(single.has_value());
                    EXPECT_EQ(result.testColors[index], *single) << task->name() << " pair " << index;
                    ++index;
                }
            }
        }
    }
}

TEST(TestRunnerPairing, TaskFieldsBecomeTheMeasuresCriteria) {
    auto task = apcaTask("Headlines", 75.0);
    EXPECT_EQ(apcaCriteriaOf(*task).thresholdType, std::nullopt);
    EXPECT_EQ(apcaCriteriaOf(*task).minFontWeight, std::nullopt);
    task->setThresholdType(TestThresholdType::textSize);
    task->setMinFontSize(24);
    task->setMinFontWeight(TestFontWeight::sevenHundred);
    auto criteria = apcaCriteriaOf(*task);
    EXPECT_EQ(criteria.threshold, 75.0);
    EXPECT_EQ(criteria.minFontSize, 24);
    EXPECT_EQ(criteria.minFontWeight, APCAFontWeight::sevenHundred);
    EXPECT_EQ(criteria.thresholdType, APCAThresholdKind::textSize);
    task->setThresholdType(TestThresholdType::luminosity);
    EXPECT_EQ(apcaCriteriaOf(*task).thresholdType, APCAThresholdKind::luminosity);
    EXPECT_EQ(wcagCriteriaOf(*wcagTask("AA", 4.5)).threshold, 4.5);
}
