#pragma once
// The state behind the test results window: which run was asked for, where it stands and the
// rendered report. A run consumes the option that started it.

#include <optional>
#include <string>
#include <vector>

#include "Vantorel/testing/TestReport.h"
#include "Vantorel/testing/TestRunner.h"

namespace vantorel {

struct TestRunOptions {
    bool runAll = false;  // every test group of the project
    TestGroupPtr runGroup;  // only this group, when runAll is not set
};

enum class TestRunState { notStarted, running, completed, cancelled };

class TestRunViewModel {
public:
    TestRunViewModel(Tester tester, TestReportPages pages, TestReportOptions reportOptions = {});

    TestRunOptions runOptions;

    TestRunState runState() const { return runState_; }
    const std::string& htmlOutput() const { return htmlOutput_; }
    const std::vector<ColorTestGroupResult>& results() const { return results_; }
    // Why the last run has no report, or its report was not saved.
    const std::optional<TestReportError>& error() const { return error_; }

    // Runs what `runOptions` asks for (all groups before a single one), clears that option,
    // renders the report and saves it where the tester exports to. False when no run was
    // asked for. The run itself is synchronous: a host with an event loop calls this from its
    // background task and applies the state on its interface thread.
    bool startRun();

private:
    void finish(std::vector<ColorTestGroupResult> results);

    Tester tester_;
    TestReportPages pages_;
    TestReportOptions reportOptions_;
    TestRunState runState_ = TestRunState::notStarted;
    std::string htmlOutput_;
    std::vector<ColorTestGroupResult> results_;
    std::optional<TestReportError> error_;
};

}  // namespace vantorel
