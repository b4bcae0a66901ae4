#include "app/testing/TestResultsWindow.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "Vantorel/platform/AtomicFile.h"
#include "app/ItemPresentation.h"
#include "app/testing/TestResultsTree.h"

namespace vantorel::app {
namespace {

enum GroupColumn { nameColumn, scoreColumn, passedColumn, failedColumn, timeColumn };

QLabel* emptyPage() {
    auto* label = new QLabel(QStringLiteral(
        "<h2>No test results</h2><p>No color pair was measured, so there is nothing to report.</p>"
        "<ol><li>Add a WCAG or APCA contrast test to a test group.</li>"
        "<li>Assign colors to the group: at least one foreground and one different background.</li></ol>"));
    label->setObjectName(QStringLiteral("noTestResults"));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

}  // namespace

TestResultsWindow::TestResultsWindow(const QString& documentName, ItemSelector selectItems, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("testResultsWindow"));
    setWindowTitle(QStringLiteral("Test Results — ") + documentName);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("testSummary"));
    top->addWidget(summary_, 1);
    failuresOnly_ = new QCheckBox(QStringLiteral("Show failures only"));
    failuresOnly_->setObjectName(QStringLiteral("failuresOnlyBox"));
    top->addWidget(failuresOnly_);
    auto* browser = new QPushButton(QStringLiteral("Open in Browser"));
    browser->setObjectName(QStringLiteral("openInBrowserButton"));
    connect(browser, &QPushButton::clicked, this, &TestResultsWindow::openInBrowser);
    top->addWidget(browser);
    layout->addLayout(top);

    groups_ = new QTreeWidget;
    groups_->setObjectName(QStringLiteral("testGroupSummary"));
    groups_->setHeaderLabels({QStringLiteral("Test Group"), QStringLiteral("Score"), QStringLiteral("Passed"),
                              QStringLiteral("Failed"), QStringLiteral("Run")});
    groups_->setRootIsDecorated(false);
    groups_->setStyleSheet(QStringLiteral("QTreeView::item { padding: 3px 6px; }"));
    groups_->header()->setStretchLastSection(true);
    results_ = new TestResultsTree(std::move(selectItems));
    connect(failuresOnly_, &QCheckBox::toggled, results_, &TestResultsTree::setFailuresOnly);
    // A group chosen in the table brings its pairs into view.
    connect(groups_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (!current) return;
        if (QTreeWidgetItem* row = results_->groupRow(groups_->indexOfTopLevelItem(current)); row && !row->isHidden())
            results_->scrollToItem(row, QAbstractItemView::PositionAtTop);
    });
    auto* lists = new QWidget;
    auto* listsLayout = new QVBoxLayout(lists);
    listsLayout->setContentsMargins(0, 0, 0, 0);
    listsLayout->addWidget(groups_);
    listsLayout->addWidget(results_, 1);
    pages_ = new QStackedWidget;
    pages_->addWidget(lists);
    pages_->addWidget(emptyPage());
    layout->addWidget(pages_);
    resize(1100, 720);
}

void TestResultsWindow::showResults(const QString& html, const std::vector<ColorTestGroupResult>& results,
                                    const QuenzColorProject& project) {
    html_ = html;
    std::size_t passed = 0;
    std::size_t failed = 0;
    for (const auto& group : results)
        for (const auto& test : group.tests)
            for (const auto& pair : test.testColors) ++(pair.passed ? passed : failed);
    summary_->setText(results.empty() ? QStringLiteral("No test measured a pair of colors.")
                                      : QStringLiteral("<b>%1 pairs measured</b> in %2 groups: %3 passed, %4 failed")
                                            .arg(passed + failed)
                                            .arg(results.size())
                                            .arg(passed)
                                            .arg(failed));
    pages_->setCurrentIndex(results.empty() ? 1 : 0);
    fillGroups(results);
    results_->showResults(results, project);
    results_->setFailuresOnly(failuresOnly_->isChecked());
}

void TestResultsWindow::fillGroups(const std::vector<ColorTestGroupResult>& results) {
    groups_->clear();
    for (const auto& group : results) {
        const bool clean = group.resultPassPercent == 100;
        auto* row = new QTreeWidgetItem(groups_, {qText(group.testGroupName), QStringLiteral("%1%").arg(group.resultPassPercent),
                                                  qText(group.passSummary), qText(group.failSummary), qText(group.testTime)});
        QFont bold = row->font(nameColumn);
        bold.setBold(true);
        row->setFont(nameColumn, bold);
        row->setFont(scoreColumn, bold);
        row->setForeground(scoreColumn, verdictInk(clean, groups_->palette()));
        row->setTextAlignment(scoreColumn, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int column = 0; column < groups_->columnCount(); ++column) groups_->resizeColumnToContents(column);
    // Tall enough for every group up to five, then it scrolls.
    const int rowHeight = groups_->sizeHintForRow(0) > 0 ? groups_->sizeHintForRow(0) : fontMetrics().height() + 6;
    const int shown = std::clamp(static_cast<int>(results.size()), 1, 5);
    groups_->setFixedHeight(groups_->header()->sizeHint().height() + shown * rowHeight + 2 * groups_->frameWidth() + 2);
}

void TestResultsWindow::openInBrowser() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    const QString path = QDir(folder).filePath(QStringLiteral("Vantorel Test Report.html"));
    if (platform::writeFileAtomically(path.toStdString(), html_.toStdString())) return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace vantorel::app
