#include "Vantorel/testing/TestRunner.h"

#include "Vantorel/platform/UserLocale.h"
#include "Vantorel/testing/ContrastNumberText.h"
#include "Vantorel/testing/TestRunnerClock.h"
#include "Vantorel/testing/TestRunnerItems.h"
#include "Vantorel/testing/TestRunnerPairing.h"
#include "Vantorel/testing/TestRunnerSummary.h"

namespace vantorel {

TestRunEnvironment TestRunEnvironment::forUserLocale() {
    TestRunEnvironment environment;
    environment.testTime = [] {
        return mediumDateTimeText(std::chrono::system_clock::now(),
                                  platform::userLocaleName(platform::LocaleCategory::time));
    };
    environment.decimalSeparator = decimalSeparatorOf(platform::userLocaleName(platform::LocaleCategory::numeric));
    return environment;
}

Tester::Tester(QuenzColorProjectPtr project, std::optional<std::filesystem::path> exportToFile,
               TestRunEnvironment environment)
    : project_(std::move(project)), exportToFile_(std::move(exportToFile)), environment_(std::move(environment)) {}

std::optional<ColorTestGroupResult> Tester::runGroup(const TestGroup& group) const {
    if (!project_ || group.tests().empty()) return std::nullopt;

    ColorTestGroupResult result;
    result.testGroupName = group.name();
    result.testTime = environment_.testTime ? environment_.testTime() : std::string();

    const auto items = testedItemsOfGroup(*project_, group);
    TestCounts counts;
    for (const auto& task : group.tests()) {
        if (!task) continue;
        auto taskResult = runTestTask(*task, items, environment_.decimalSeparator);
        counts += countResults(taskResult);
        result.tests.push_back(std::move(taskResult));
    }

    auto summary = summarizeTestGroup(counts);
    if (!summary) return std::nullopt;
    result.passSummary = std::move(summary->passSummary);
    result.failSummary = std::move(summary->failSummary);
    result.resultPassPercent = summary->resultPassPercent;
    return result;
}

std::vector<ColorTestGroupResult> Tester::run(const std::vector<TestGroupPtr>& groups) const {
    std::vector<ColorTestGroupResult> results;
    for (const auto& group : groups) {
        if (!group) continue;
        if (auto result = runGroup(*group)) results.push_back(std::move(*result));
    }
    return results;
}

std::vector<ColorTestGroupResult> Tester::runAll() const {
    if (!project_) return {};
    return run(project_->testGroups());
}

}  // namespace vantorel
