#include "app/testing/TestResultsWindow.h"

#include <QDesktopServices>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "Vantorel/platform/AtomicFile.h"

namespace vantorel::app {

TestResultsWindow::TestResultsWindow(const QString& documentName, ItemSelector selectItems, QWidget* parent)
    : QWidget(parent, Qt::Window), selectItems_(std::move(selectItems)) {
    setObjectName(QStringLiteral("testResultsWindow"));
    setWindowTitle(QStringLiteral("Test Results — ") + documentName);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("testSummary"));
    top->addWidget(summary_, 1);
    auto* browser = new QPushButton(QStringLiteral("Open in Browser"));
    browser->setObjectName(QStringLiteral("openInBrowserButton"));
    connect(browser, &QPushButton::clicked, this, &TestResultsWindow::openInBrowser);
    top->addWidget(browser);
    layout->addLayout(top);

    auto* splitter = new QSplitter(Qt::Horizontal);
    report_ = new QTextBrowser;
    report_->setObjectName(QStringLiteral("testReport"));
    report_->setOpenExternalLinks(true);
    splitter->addWidget(report_);
    auto* side = new QWidget;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(new QLabel(QStringLiteral("<b>Failures</b>")));
    failures_ = new QListWidget;
    failures_->setObjectName(QStringLiteral("failureList"));
    failures_->setWordWrap(true);
    failures_->setAlternatingRowColors(true);
    failures_->setStyleSheet(QStringLiteral("QListWidget::item { padding: 4px 2px; }"));
    sideLayout->addWidget(failures_);
    splitter->addWidget(side);
    splitter->setSizes({620, 340});
    layout->addWidget(splitter);
    connect(failures_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && static_cast<std::size_t>(row) < pairs_.size() && selectItems_) selectItems_(pairs_[row].itemUuids);
    });
    resize(1000, 640);
}

void TestResultsWindow::showResults(const QString& html, std::vector<FailingPair> failures, const QString& summary) {
    html_ = html;
    pairs_ = std::move(failures);
    summary_->setText(summary);
    report_->setHtml(html);
    failures_->clear();
    for (const FailingPair& pair : pairs_) {
        auto* row = new QListWidgetItem(pair.title + QStringLiteral("\n") + pair.summary, failures_);
        row->setToolTip(pair.itemUuids.empty() ? QStringLiteral("The items of this pair are no longer in the document.")
                                               : QStringLiteral("Select the pair's items"));
    }
    if (pairs_.empty()) failures_->addItem(QStringLiteral("No failures"));
}

void TestResultsWindow::openInBrowser() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    const QString path = QDir(folder).filePath(QStringLiteral("Vantorel Test Report.html"));
    if (platform::writeFileAtomically(path.toStdString(), html_.toStdString())) return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace vantorel::app
