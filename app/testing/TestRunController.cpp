#include "app/testing/TestRunController.h"

#include <QMainWindow>
#include <QStatusBar>

#include "VantorelData/format/QuenzColorFileReader.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "app/DocumentSession.h"
#include "app/ItemPresentation.h"
#include "app/Prompts.h"
#include "app/builds/BackgroundJob.h"
#include "app/testing/TestResultsWindow.h"

namespace vantorel::app {

struct TestRunController::Outcome {
    std::string html;
    std::vector<ColorTestGroupResult> results;
    std::optional<TestReportError> error;
};

TestRunController::TestRunController(DocumentSession& session, Prompts& prompts, QMainWindow& window,
                                     std::function<void(const std::vector<std::string>&)> selectItems)
    : QObject(&window), session_(session), prompts_(prompts), window_(window), selectItems_(std::move(selectItems)) {}

void TestRunController::runAll() {
    TestRunOptions options;
    options.runAll = true;
    start(std::move(options));
}

void TestRunController::runGroup(const std::string& groupUuid) {
    for (const auto& group : session_.project()->testGroups()) {
        if (group->uuid() != groupUuid) continue;
        TestRunOptions options;
        options.runGroup = group;
        return start(std::move(options));
    }
}

void TestRunController::start(TestRunOptions options) {
    if (isRunning()) return;
    const auto written = format::QuenzColorFileWriter::write(*session_.project());
    if (written.error) {
        prompts_.showError(&window_, QStringLiteral("Test Error"), qText(written.error->message));
        return;
    }
    // The worker tests its own copy; a single group is found there again by its identifier.
    const std::string groupUuid = options.runGroup ? options.runGroup->uuid() : std::string();
    const std::string documentName = session_.displayName().toStdString();
    std::function<Outcome(BackgroundJob&)> work = [bytes = written.bytes, runAll = options.runAll, groupUuid,
                                                   documentName](BackgroundJob&) {
        Outcome outcome;
        auto pages = loadTestReportPages();
        if (auto* error = std::get_if<TestReportError>(&pages)) {
            outcome.error = *error;
            return outcome;
        }
        const QuenzColorProjectPtr copy = format::QuenzColorFileReader::read(bytes);
        TestRunViewModel model(Tester(copy), std::move(std::get<TestReportPages>(pages)), TestReportOptions{documentName});
        model.runOptions.runAll = runAll;
        for (const auto& group : copy->testGroups()) {
            if (!runAll && group->uuid() == groupUuid) model.runOptions.runGroup = group;
        }
        model.startRun();
        outcome.html = model.htmlOutput();
        outcome.results = model.results();
        outcome.error = model.error();
        return outcome;
    };
    std::function<void(Outcome&)> done = [this](Outcome& outcome) { finish(outcome); };
    job_ = startBackgroundJob(this, std::move(work), std::move(done));
    window_.statusBar()->showMessage(QStringLiteral("Running tests…"));
}

void TestRunController::finish(Outcome& outcome) {
    job_ = nullptr;
    window_.statusBar()->clearMessage();
    if (outcome.error && outcome.html.empty()) {
        prompts_.showError(&window_, QStringLiteral("Test Error"), qText(outcome.error->message));
        emit runFinished();
        return;
    }
    results_ = std::move(outcome.results);
    if (!resultsWindow_) resultsWindow_ = new TestResultsWindow(session_.displayName(), selectItems_, &window_);
    resultsWindow_->showResults(qText(outcome.html), results_, *session_.project());
    resultsWindow_->show();
    resultsWindow_->raise();
    emit runFinished();
}

}  // namespace vantorel::app
