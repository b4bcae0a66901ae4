#pragma once
// TestResultsWindow: the "Test Results" window of a document. A table of the test groups run
// (score, passed and failed pairs, when each ran) over every measured pair of the last run;
// "Show failures only" narrows the pairs to those that need work, choosing a pair selects its two
// items in the document window, and "Open in Browser" shows the full HTML report.

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "Vantorel/testing/TestRunnerResults.h"
#include "VantorelData/model/Project.h"

class QCheckBox;
class QLabel;
class QStackedWidget;
class QTreeWidget;

namespace vantorel::app {

class TestResultsTree;

class TestResultsWindow final : public QWidget {
    Q_OBJECT
public:
    using ItemSelector = std::function<void(const std::vector<std::string>& uuids)>;
    TestResultsWindow(const QString& documentName, ItemSelector selectItems, QWidget* parent);

    // `project` names the items behind the tested colors.
    void showResults(const QString& html, const std::vector<ColorTestGroupResult>& results,
                     const QuenzColorProject& project);
    TestResultsTree& results() { return *results_; }
    QTreeWidget& groups() { return *groups_; }
    QCheckBox& failuresOnly() { return *failuresOnly_; }
    // Writes the report to a file of its own and hands it to the default browser.
    void openInBrowser();

private:
    void fillGroups(const std::vector<ColorTestGroupResult>& results);

    QString html_;
    QLabel* summary_ = nullptr;
    QCheckBox* failuresOnly_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QTreeWidget* groups_ = nullptr;
    TestResultsTree* results_ = nullptr;
};

}  // namespace vantorel::app
