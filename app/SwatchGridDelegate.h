#pragma once
// Draws one item of the swatch grid: a large swatch (or, for numbers, strings and booleans, a
// card with the value), the name below it, and the selection as a ring.

#include <QStyledItemDelegate>

namespace vantorel::app {

class SwatchGridDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int cellWidth = 116;
    static constexpr int cellHeight = 112;

    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace vantorel::app
