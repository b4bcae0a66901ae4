#pragma once
// TestResultsTree: the results of a contrast test run as the editor shows them. Each test group,
// its tests, and under each test one row per measured pair: a sample of the foreground on the
// background, the appearance, both colors (swatch, name and color text), and the verdict. Choosing
// a pair hands on the document items behind its two colors.

#include <QTreeWidget>
#include <functional>
#include <string>
#include <vector>

#include "Vantorel/testing/TestRunnerResults.h"
#include "VantorelData/model/Project.h"

namespace vantorel::app {

// The color of a verdict's text: green for passed, red for failed, readable on the palette's base.
QColor verdictInk(bool passed, const QPalette& palette);

class TestResultsTree final : public QTreeWidget {
    Q_OBJECT
public:
    enum Column { sampleColumn, appearanceColumn, foregroundColumn, backgroundColumn, resultColumn };
    using PairChosen = std::function<void(const std::vector<std::string>& itemUuids)>;

    TestResultsTree(PairChosen pairChosen, QWidget* parent = nullptr);

    void showResults(const std::vector<ColorTestGroupResult>& results, const QuenzColorProject& project);
    // Hides the passed pairs, and the tests and groups left without a row.
    void setFailuresOnly(bool failuresOnly);
    // The row of each group, in run order.
    QTreeWidgetItem* groupRow(int index) const { return topLevelItem(index); }
    // The pair rows shown now, in run order.
    std::vector<QTreeWidgetItem*> visiblePairRows() const;

private:
    PairChosen pairChosen_;
};

}  // namespace vantorel::app
