#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TestRunnerSupport.h"
#include "Vantorel/testing/TestRunner.h"
#include "Vantorel/testing/TestRunnerClock.h"
#include "Vantorel/testing/TestRunnerViewModel.h"
#include "tests/support/FileContents.h"

using namespace vantorel;
using namespace vantorel::testsupport;

namespace {

TestRunEnvironment fixedEnvironment() {
    TestRunEnvironment environment;
    environment.testTime = [] { return std::string("Mar 5, 2025, 2:07:09 PM"); };
    return environment;
}

// Ink passes 4.5 on Paper in every appearance; Haze fails on Paper.
TestProject inkOnPaper(std::vector<TestTaskPtr> tasks = {wcagTask("Body text", 4.5)}) {
    TestProject setup(std::move(tasks));
    setup.color("Ink", TestPosition::foreground, srgb(0, 0, 0));
    setup.color("Haze", TestPosition::foreground, srgb(0.8, 0.8, 0.8));
    setup.color("Paper", TestPosition::background, srgb(1, 1, 1));
    return setup;
}

const TestReportPages pages{"{% for group in results %}[{{ group.testGroupName }}: {{ group.passSummary }}]{% endfor %}",
                            "nothing to report"};

}  // namespace

TEST(Tester, SummarisesEachGroupOverAllItsTasks) {
    auto setup = inkOnPaper({wcagTask("AA", 4.5), wcagTask("Large text", 1.5)});
    Tester tester(setup.project, std::nullopt, fixedEnvironment());
    auto results = tester.runAll();
    ASSERT_EQ(results.size(), 1u);
    const auto& group = results.front();
    EXPECT_EQ(group.testGroupName, "Text");
    EXPECT_EQ(group.testTime, "Mar 5, 2025, 2:07:09 PM");
    ASSERT_EQ(group.tests.size(), 2u);
    EXPECT_EQ(group.tests[0].testSummaryName, "AA");
    EXPECT_EQ(group.tests[1].testSummaryName, "Large text");
    // AA: Ink passes, Haze fails (4 appearances each); large text: both pass.
    EXPECT_EQ(group.passSummary, "12 passed (75%)");
    EXPECT_EQ(group.failSummary, "4 failed (25%)");
    EXPECT_EQ(group.resultPassPercent, 75);
    EXPECT_TRUE(anyPairFailed(results));
    // An all-passing run (no failed pair) is told apart by the `test` command's exit code.
}

TEST(Tester, GroupsWithoutTasksOrPairsHaveNoResult) {
    auto setup = inkOnPaper();
    auto noTasks = std::make_shared<TestGroup>("No tasks");
    auto noPairs = std::make_shared<TestGroup>("Backgrounds only", std::vector{wcagTask("AA", 4.5)});
    setup.project->appendTestGroup(noTasks);
    setup.project->appendTestGroup(noPairs);
    setup.color("Card", TestPosition::background, srgb(1, 1, 1), noPairs);
    setup.color("Sheet", TestPosition::background, srgb(0, 0, 0), noTasks);

    int clockReadings = 0;
    auto environment = fixedEnvironment();
    environment.testTime = [&] { return "moment " + std::to_string(++clockReadings); };
    Tester tester(setup.project, std::nullopt, environment);

    auto results = tester.runAll();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results.front().testGroupName, "Text");
    EXPECT_EQ(tester.runGroup(*noTasks), std::nullopt);
    EXPECT_EQ(tester.runGroup(*noPairs), std::nullopt);
    // Every group with tasks takes its own moment, in order; groups without tasks take none.
    EXPECT_EQ(results.front().testTime, "moment 1");
    EXPECT_EQ(clockReadings, 3);
}

TEST(TestRunViewModel, ARunConsumesTheOptionThatStartedIt) {
    auto setup = inkOnPaper();
    auto second = std::make_shared<TestGroup>("Second", std::vector{wcagTask("AA", 4.5)});
    setup.project->appendTestGroup(second);
    setup.color("Black", TestPosition::both, srgb(0, 0, 0), second);
    setup.color("White", TestPosition::both, srgb(1, 1, 1), second);

    TestRunViewModel model(Tester(setup.project, std::nullopt, fixedEnvironment()), pages);
    EXPECT_EQ(model.runState(), TestRunState::notStarted);
    EXPECT_FALSE(model.startRun());
    EXPECT_EQ(model.runState(), TestRunState::notStarted);

    // All groups win over a single one; each start consumes one option.
    model.runOptions.runAll = true;
    model.runOptions.runGroup = second;
    EXPECT_TRUE(model.startRun());
    EXPECT_FALSE(model.runOptions.runAll);
    EXPECT_EQ(model.runOptions.runGroup, second);
    EXPECT_EQ(model.runState(), TestRunState::completed);
    EXPECT_EQ(model.htmlOutput(), "[Text: 4 passed (50%)][Second: 8 passed (100%)]");

    EXPECT_TRUE(model.startRun());
    EXPECT_EQ(model.runOptions.runGroup, nullptr);
    EXPECT_EQ(model.htmlOutput(), "[Second: 8 passed (100%)]");
    EXPECT_FALSE(model.startRun());
}

TEST(TestRunViewModel, ShowsTheNoResultsPageAndSavesTheReportWhereTheTesterExports) {
    const auto file = std::filesystem::temp_directory_path() / "vantorel-runner-test-report.html";
    std::filesystem::remove(file);
    TestProject empty;  // a task but no colors
    TestRunViewModel model(Tester(empty.project, file, fixedEnvironment()), pages);
    model.runOptions.runAll = true;
    ASSERT_TRUE(model.startRun());
    EXPECT_EQ(model.htmlOutput(), "nothing to report");
    EXPECT_FALSE(model.error().has_value());
    EXPECT_EQ(vantorel::testing::fileContents(file), "nothing to report");
    std::filesystem::remove(file);
}

TEST(TestRunViewModel, ABrokenTemplateLeavesAnErrorAndNoReport) {
    auto setup = inkOnPaper();
    TestRunViewModel model(Tester(setup.project, std::nullopt, fixedEnvironment()),
                           TestReportPages{"{% for group in results %}", "none"});
    model.runOptions.runAll = true;
    ASSERT_TRUE(model.startRun());
    EXPECT_EQ(model.runState(), TestRunState::completed);
    EXPECT_TRUE(model.htmlOutput().empty());
    ASSERT_TRUE(model.error().has_value());
    EXPECT_NE(model.error()->message.find("TestOutput"), std::string::npos) << model.error()->message;
}

TEST(TestRunnerClock, WritesAMediumDateAndTimeInTheLocale) {
    // 2025-03-05 14:07:09 UTC.
    const auto moment = std::chrono::system_clock::time_point(std::chrono::seconds(1741183629));
    const struct {
        const char* locale;
        const char* zone;
        const char* expectedStart;
        const char* expectedTime;
    } cases[] = {
        {"en_US", "UTC", "Mar 5, 2025", "2:07:09"},
        {"de_DE", "UTC", "05.03.2025", "14:07:09"},
        {"de_DE", "Europe/Berlin", "05.03.2025", "15:07:09"},
        {"ja_JP", "Asia/Tokyo", "2025/03/05", "23:07:09"},
    };
    for (const auto& c : cases) {
        const std::string text = mediumDateTimeText(moment, c.locale, c.zone);
        EXPECT_EQ(text.rfind(c.expectedStart, 0), 0u) << c.locale << ": " << text;
        EXPECT_NE(text.find(c.expectedTime), std::string::npos) << c.locale << ": " << text;
    }
}
