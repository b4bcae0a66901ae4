#include "app/testing/TestResultsTree.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHeaderView>
#include <QPainter>
#include <QPixmap>
#include <QStyledItemDelegate>

#include "VantorelData/model/Appearance.h"
#include "app/ItemPresentation.h"
#include "app/SwatchPainter.h"
#include "app/testing/TestedItems.h"

namespace vantorel::app {
namespace {

constexpr int uuidsRole = Qt::UserRole;
constexpr int passedRole = Qt::UserRole + 1;
constexpr int foregroundRole = Qt::UserRole + 2;
constexpr int backgroundRole = Qt::UserRole + 3;
constexpr int swatchSize = 18;


// The colors of the report are CSS text; a color the parser cannot read shows as none.
QColor screenColorOf(const std::string& cssText) {
    const auto color = parseColorText(qText(cssText), quenz::ColorFormat::cssColor, quenz::ColorSpace::sRGBExtended);
    return color ? screenColor(*color) : QColor();
}

QIcon swatchIcon(const QColor& color) {
    QPixmap pixmap(swatchSize, swatchSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintSwatch(painter, QRectF(0.5, 0.5, swatchSize - 1, swatchSize - 1), {color}, 4);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0, 0, 0, 60));
    painter.drawRoundedRect(QRectF(0.5, 0.5, swatchSize - 1, swatchSize - 1), 4, 4);
    return QIcon(pixmap);
}

// The cell's background, selection and focus, without its text: the delegates draw their own.
void paintPanel(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) {
    QStyleOptionViewItem panel = option;
    panel.index = index;
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter, widget);
}

// "Aa" in the foreground on the background, as the pair reads on screen.
class SampleDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QVariant background = index.data(backgroundRole);
        if (!background.isValid()) return QStyledItemDelegate::paint(painter, option, index);
        paintPanel(painter, option, index);
        const QRectF sample = QRectF(option.rect).adjusted(4, 4, -4, -4);
        paintSwatch(*painter, sample, {background.value<QColor>()}, 6);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QColor(0, 0, 0, 50));
        painter->drawRoundedRect(sample, 6, 6);
        QFont font = option.font;
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * 1.4);
        painter->setFont(font);
        painter->setPen(index.data(foregroundRole).value<QColor>());
        painter->drawText(sample, Qt::AlignCenter, QStringLiteral("Aa"));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (!index.data(backgroundRole).isValid()) return QStyledItemDelegate::sizeHint(option, index);
        return {72, 2 * option.fontMetrics.height() + 14};
    }
};

// A color's name over its color text, the text quieter and in the fixed-width font that keeps
// its numbers in line from row to row.
class ColorCellDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QStringList lines = index.data().toString().split(QLatin1Char('\n'));
        const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
        paintPanel(painter, option, index);
        const QRect area = option.rect.adjusted(4, 0, -4, 0);
        const QRect swatch(area.left(), area.center().y() - swatchSize / 2, swatchSize, swatchSize);
        icon.paint(painter, swatch);
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette::ColorRole ink = selected ? QPalette::HighlightedText : QPalette::Text;
        QRect text = area.adjusted(swatchSize + 8, 4, 0, -4);
        painter->save();
        painter->setFont(option.font);
        painter->setPen(option.palette.color(ink));
        const int lineHeight = option.fontMetrics.height();
        painter->drawText(text.adjusted(0, 0, 0, -text.height() / 2), Qt::AlignLeft | Qt::AlignBottom,
                          option.fontMetrics.elidedText(lines.value(0), Qt::ElideRight, text.width()));
        painter->setFont(colorTextFont(option.font));
        QColor quiet = option.palette.color(ink);
        if (!selected) quiet.setAlphaF(0.62f);
        painter->setPen(quiet);
        text.setTop(text.top() + text.height() / 2 + 1);
        text.setHeight(lineHeight);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignTop,
                          QFontMetrics(painter->font()).elidedText(lines.value(1), Qt::ElideMiddle, text.width()));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QStringList lines = index.data().toString().split(QLatin1Char('\n'));
        if (lines.size() < 2) return QStyledItemDelegate::sizeHint(option, index);
        const int width = std::max(option.fontMetrics.horizontalAdvance(lines.value(0)),
                                   QFontMetrics(colorTextFont(option.font)).horizontalAdvance(lines.value(1)));
        return {width + swatchSize + 20, 2 * option.fontMetrics.height() + 14};
    }

private:
    static QFont colorTextFont(const QFont& base) {
        QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSizeF(base.pointSizeF() * 0.9);
        return font;
    }
};

void setColorCell(QTreeWidgetItem& row, int column, const std::string& name, const std::string& cssText) {
    row.setText(column, qText(name) + QStringLiteral("\n") + qText(cssText));
    row.setIcon(column, swatchIcon(screenColorOf(cssText)));
    row.setToolTip(column, qText(cssText));
}

QTreeWidgetItem* pairRow(QTreeWidgetItem& test, const TestColorResult& pair, const TestedItems& items) {
    auto* row = new QTreeWidgetItem(&test);
    row->setData(TestResultsTree::sampleColumn, foregroundRole, screenColorOf(pair.foregroundCSSColorString));
    row->setData(TestResultsTree::sampleColumn, backgroundRole, screenColorOf(pair.backgroundCSSColorString));
    row->setText(TestResultsTree::appearanceColumn, qText(displayName(static_cast<ColorSource>(pair.source))));
    setColorCell(*row, TestResultsTree::foregroundColumn, pair.foregroundColorName, pair.foregroundCSSColorString);
    setColorCell(*row, TestResultsTree::backgroundColumn, pair.backgroundColorName, pair.backgroundCSSColorString);
    row->setText(TestResultsTree::resultColumn, (pair.passed ? QStringLiteral("✓  ") : QStringLiteral("✗  ")) +
                                                     qText(pair.testResultSummary));
    row->setForeground(TestResultsTree::resultColumn, verdictInk(pair.passed, test.treeWidget()->palette()));
    row->setData(TestResultsTree::sampleColumn, passedRole, pair.passed);
    QStringList uuids;
    for (const std::string& uuid : items.itemUuids(pair)) uuids << qText(uuid);
    row->setData(TestResultsTree::sampleColumn, uuidsRole, uuids);
    return row;
}

// A group or test row: its title across the row, in bold.
QTreeWidgetItem* headingRow(QTreeWidgetItem* row, const QString& title, qreal scale) {
    row->setText(0, title);
    QFont font = row->font(0);
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * scale);
    row->setFont(0, font);
    row->setSizeHint(0, QSize(0, QFontMetrics(font).height() + 12));
    row->setFirstColumnSpanned(true);
    row->setFlags(Qt::ItemIsEnabled);
    return row;
}

QString testTitle(const ColorTestResult& test) {
    const auto failed = std::count_if(test.testColors.begin(), test.testColors.end(), [](const auto& p) { return !p.passed; });
    const auto total = static_cast<qsizetype>(test.testColors.size());
    if (total == 0) return qText(test.testSummaryName) + QStringLiteral(" — no pairs measured");
    return qText(test.testSummaryName) + QStringLiteral(" — %1 passed, %2 failed").arg(total - failed).arg(failed);
}

}  // namespace

QColor verdictInk(bool passed, const QPalette& palette) {
    // Darker inks on a light window, lighter ones on a dark window: both keep 4.5:1 on the base.
    const bool dark = palette.color(QPalette::Base).lightnessF() < 0.5;
    if (passed) return dark ? QColor(0x6c, 0xcf, 0x86) : QColor(0x1a, 0x7f, 0x37);
    return dark ? QColor(0xff, 0x8a, 0x80) : QColor(0xc6, 0x28, 0x28);
}

TestResultsTree::TestResultsTree(PairChosen pairChosen, QWidget* parent)
    : QTreeWidget(parent), pairChosen_(std::move(pairChosen)) {
    setObjectName(QStringLiteral("testResultsTree"));
    setColumnCount(5);
    setHeaderLabels({QStringLiteral("Sample"), QStringLiteral("Appearance"), QStringLiteral("Foreground"),
                     QStringLiteral("Background"), QStringLiteral("Result")});
    setItemDelegateForColumn(sampleColumn, new SampleDelegate(this));
    for (int column : {foregroundColumn, backgroundColumn}) setItemDelegateForColumn(column, new ColorCellDelegate(this));
    setIconSize(QSize(swatchSize, swatchSize));
    setUniformRowHeights(false);
    setAlternatingRowColors(true);
    setIndentation(14);
    setWordWrap(false);
    setTextElideMode(Qt::ElideMiddle);
    header()->setStretchLastSection(true);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (!current || !pairChosen_) return;
        const QStringList uuids = current->data(sampleColumn, uuidsRole).toStringList();
        if (uuids.isEmpty()) return;
        std::vector<std::string> chosen;
        for (const QString& uuid : uuids) chosen.push_back(uuid.toStdString());
        pairChosen_(chosen);
    });
}

void TestResultsTree::showResults(const std::vector<ColorTestGroupResult>& results, const QuenzColorProject& project) {
    clear();
    for (const ColorTestGroupResult& group : results) {
        const TestedItems items(project, group.testGroupName);
        auto* groupRow = headingRow(new QTreeWidgetItem(this), qText(group.testGroupName), 1.15);
        for (const ColorTestResult& test : group.tests) {
            auto* testRow = headingRow(new QTreeWidgetItem(groupRow), testTitle(test), 1.0);
            for (const TestColorResult& pair : test.testColors) pairRow(*testRow, pair, items);
        }
    }
    expandAll();
    for (int column : {appearanceColumn, foregroundColumn, backgroundColumn}) resizeColumnToContents(column);
    setColumnWidth(sampleColumn, 110);
}

void TestResultsTree::setFailuresOnly(bool failuresOnly) {
    for (int g = 0; g < topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = topLevelItem(g);
        bool groupShown = false;
        for (int t = 0; t < group->childCount(); ++t) {
            QTreeWidgetItem* test = group->child(t);
            bool testShown = !failuresOnly;
            for (int p = 0; p < test->childCount(); ++p) {
                QTreeWidgetItem* pair = test->child(p);
                const bool shown = !failuresOnly || !pair->data(sampleColumn, passedRole).toBool();
                pair->setHidden(!shown);
                testShown = testShown || shown;
            }
            test->setHidden(!testShown);
            groupShown = groupShown || testShown;
        }
        group->setHidden(!groupShown);
    }
}

std::vector<QTreeWidgetItem*> TestResultsTree::visiblePairRows() const {
    std::vector<QTreeWidgetItem*> rows;
    for (QTreeWidgetItemIterator it(const_cast<TestResultsTree*>(this), QTreeWidgetItemIterator::NotHidden); *it; ++it) {
        if ((*it)->data(sampleColumn, passedRole).isValid() && !(*it)->parent()->isHidden()) rows.push_back(*it);
    }
    return rows;
}

}  // namespace vantorel::app
