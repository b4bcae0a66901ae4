#pragma once
// TestRunController: a document window's contrast test runs. "Run All Tests" or one group runs
// on a worker thread from a copy of the document; its results then show in the document's
// "Test Results" window.

#include <QObject>
#include <QPointer>
#include <string>
#include <vector>

#include "Vantorel/testing/TestRunnerViewModel.h"
#include "app/builds/BackgroundJob.h"
#include "app/testing/TestResultsWindow.h"

class QMainWindow;

namespace vantorel::app {

class DocumentSession;
class Prompts;

class TestRunController final : public QObject {
    Q_OBJECT
public:
    // `selectItems` selects the document's items with these identifiers.
    TestRunController(DocumentSession& session, Prompts& prompts, QMainWindow& window,
                      std::function<void(const std::vector<std::string>&)> selectItems);

    void runAll();
    void runGroup(const std::string& groupUuid);
    bool isRunning() const { return static_cast<bool>(job_); }
    const std::vector<ColorTestGroupResult>& lastResults() const { return results_; }
    // The results window, once a run has finished.
    TestResultsWindow* resultsWindow() const { return resultsWindow_; }

signals:
    void runFinished();

private:
    void start(TestRunOptions options);
    struct Outcome;
    void finish(Outcome& outcome);

    DocumentSession& session_;
    Prompts& prompts_;
    QMainWindow& window_;
    std::function<void(const std::vector<std::string>&)> selectItems_;
    QPointer<BackgroundJob> job_;
    std::vector<ColorTestGroupResult> results_;
    QPointer<TestResultsWindow> resultsWindow_;
};

}  // namespace vantorel::app
