#include "Vantorel/testing/TestRunnerViewModel.h"

#include "Vantorel/platform/AtomicFile.h"

namespace vantorel {

TestRunViewModel::TestRunViewModel(Tester tester, TestReportPages pages, TestReportOptions reportOptions)
    : tester_(std::move(tester)), pages_(std::move(pages)), reportOptions_(std::move(reportOptions)) {}

bool TestRunViewModel::startRun() {
    std::vector<TestGroupPtr> groups;
    if (runOptions.runAll) {
        runOptions.runAll = false;
        if (tester_.project()) groups = tester_.project()->testGroups();
    } else if (runOptions.runGroup) {
        groups.push_back(std::move(runOptions.runGroup));
        runOptions.runGroup = nullptr;
    } else {
        return false;
    }
    runState_ = TestRunState::running;
    finish(tester_.run(groups));
    return true;
}

void TestRunViewModel::finish(std::vector<ColorTestGroupResult> results) {
    error_.reset();
    results_ = std::move(results);
    auto rendered = renderTestReport(results_, pages_, reportOptions_);
    if (auto* failure = std::get_if<TestReportError>(&rendered)) {
        error_ = std::move(*failure);
        htmlOutput_.clear();
    } else {
        htmlOutput_ = std::move(std::get<std::string>(rendered));
        if (const auto& file = tester_.exportToFile()) {
            if (auto written = platform::writeFileAtomically(*file, htmlOutput_)) {
                error_ = TestReportError{written->message};
            }
        }
    }
    runState_ = TestRunState::completed;
}

}  // namespace vantorel
