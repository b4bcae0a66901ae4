#include "app/SwatchGridDelegate.h"

#include <QApplication>
#include <QPainter>

#include "app/ItemListModel.h"
#include "app/SwatchPainter.h"

namespace vantorel::app {

void SwatchGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF cell = QRectF(option.rect).adjusted(6, 6, -6, -4);
    const QRectF swatch(cell.left(), cell.top(), cell.width(), cell.width() * 0.62);
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;

    std::vector<QColor> colors;
    for (const QVariant& color : index.data(ItemListModel::swatchRole).toList()) colors.push_back(color.value<QColor>());
    if (!colors.empty()) {
        paintSwatch(*painter, swatch, colors, 8);
    } else {
        // Groups, numbers, strings and booleans: a card with their value.
        painter->setPen(QPen(palette.color(QPalette::Mid), 1));
        painter->setBrush(palette.color(QPalette::AlternateBase));
        painter->drawRoundedRect(swatch.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
        painter->setPen(palette.color(QPalette::Text));
        QFont font = option.font;
        font.setPointSizeF(font.pointSizeF() * 1.15);
        font.setBold(true);
        painter->setFont(font);
        const QString value = index.data(ItemListModel::valueRole).toString();
        painter->drawText(swatch.adjusted(8, 4, -8, -4), Qt::AlignCenter | Qt::TextWordWrap,
                          painter->fontMetrics().elidedText(value, Qt::ElideRight, static_cast<int>(swatch.width() * 1.6)));
    }
    if (selected) {
        painter->setPen(QPen(palette.color(QPalette::Highlight), 3));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(swatch.adjusted(-2.5, -2.5, 2.5, 2.5), 10, 10);
    }
    painter->setFont(option.font);
    painter->setPen(palette.color(QPalette::Text));
    const QRectF label(cell.left(), swatch.bottom() + 6, cell.width(), cell.bottom() - swatch.bottom() - 6);
    const QString name = index.data(Qt::DisplayRole).toString();
    painter->drawText(label, Qt::AlignHCenter | Qt::AlignTop,
                      painter->fontMetrics().elidedText(name, Qt::ElideMiddle, static_cast<int>(label.width())));
    painter->restore();
}

QSize SwatchGridDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    return {cellWidth, cellHeight};
}

}  // namespace vantorel::app
