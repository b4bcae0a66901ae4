#pragma once
// TestResultsWindow: the "Test Results" window of a document. The HTML report of the last run,
// the failed pairs listed beside it (choosing one selects the two items in the document
// window), and a button that opens the report in the default browser.

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/testing/FailingPairs.h"

class QLabel;
class QListWidget;
class QTextBrowser;

namespace vantorel::app {

class TestResultsWindow final : public QWidget {
    Q_OBJECT
public:
    using ItemSelector = std::function<void(const std::vector<std::string>& uuids)>;
    TestResultsWindow(const QString& documentName, ItemSelector selectItems, QWidget* parent);

    void showResults(const QString& html, std::vector<FailingPair> failures, const QString& summary);
    QListWidget& failureList() { return *failures_; }
    QTextBrowser& report() { return *report_; }
    // Writes the report to a file of its own and hands it to the default browser.
    void openInBrowser();

private:
    ItemSelector selectItems_;
    std::vector<FailingPair> pairs_;
    QString html_;
    QLabel* summary_ = nullptr;
    QTextBrowser* report_ = nullptr;
    QListWidget* failures_ = nullptr;
};

}  // namespace vantorel::app
