#pragma once
// The tester: runs a project's test groups (all, or one) over the colors assigned to each and
// collects per group the results of every contrast test with its pass and fail summaries.

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Vantorel/testing/TestRunnerResults.h"
#include "VantorelData/model/Project.h"

namespace vantorel {

// What a run takes from its surroundings: the moment each group runs, written for the user,
// and the user's decimal separator for contrast ratios.
struct TestRunEnvironment {
    std::function<std::string()> testTime;
    std::string decimalSeparator = ".";

    // The user's locale (its time and numeric categories), the system clock and time zone.
    static TestRunEnvironment forUserLocale();
};

class Tester {
public:
    explicit Tester(QuenzColorProjectPtr project, std::optional<std::filesystem::path> exportToFile = std::nullopt,
                    TestRunEnvironment environment = TestRunEnvironment::forUserLocale());

    const QuenzColorProjectPtr& project() const { return project_; }
    // Where the rendered report is saved after a run; none keeps it in memory only.
    const std::optional<std::filesystem::path>& exportToFile() const { return exportToFile_; }

    // The results of the groups, in order. A group without tasks, or whose tasks measured no
    // pair, has no result.
    std::vector<ColorTestGroupResult> run(const std::vector<TestGroupPtr>& groups) const;
    std::vector<ColorTestGroupResult> runAll() const;
    std::optional<ColorTestGroupResult> runGroup(const TestGroup& group) const;

private:
    QuenzColorProjectPtr project_;
    std::optional<std::filesystem::path> exportToFile_;
    TestRunEnvironment environment_;
};

}  // namespace vantorel
