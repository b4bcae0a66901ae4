#include "app/SwatchGridDelegate.h"

#include <QApplication>
#include <QPainter>
#include <cmath>

#include "app/ItemListModel.h"
#include "app/SwatchPainter.h"

namespace vantorel::app {
namespace {

// White cards on a light ground, each casting one of the shadows; the blur is drawn as rings
// of fading color, enough to tell shadows apart at a glance.
void paintShadowPreviews(QPainter& painter, const QRectF& area, const QVariantList& shadows, const QPalette& palette) {
    painter.setPen(QPen(palette.color(QPalette::Mid), 1));
    painter.setBrush(QColor(246, 247, 249));
    painter.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    const qreal count = static_cast<qreal>(shadows.size());
    const qreal slot = area.width() / count;
    const qreal side = std::min(slot * 0.6, area.height() * 0.5);
    for (int i = 0; i < shadows.size(); ++i) {
        const QVariantList shadow = shadows[i].toList();
        if (shadow.size() < 5) continue;
        const qreal scale = std::min(1.0, side / 40.0);
        const qreal x = shadow[0].toDouble() * scale, y = shadow[1].toDouble() * scale;
        const qreal blur = std::max(0.0, shadow[2].toDouble() * scale), spread = shadow[3].toDouble() * scale;
        const QColor color = shadow[4].value<QColor>();
        const QRectF card(area.left() + slot * i + (slot - side) / 2, area.center().y() - side / 2, side, side);
        painter.setPen(Qt::NoPen);
        const int rings = std::max(1, static_cast<int>(std::ceil(blur)));
        for (int ring = rings; ring >= 1; --ring) {
            QColor faded = color;
            faded.setAlphaF(color.alphaF() / static_cast<float>(rings) * 1.6f);
            painter.setBrush(faded);
            const qreal grow = spread + blur * ring / rings;
            painter.drawRoundedRect(card.translated(x, y).adjusted(-grow, -grow, grow, grow), 4 + grow, 4 + grow);
        }
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(card, 4, 4);
    }
}

}  // namespace

void SwatchGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF cell = QRectF(option.rect).adjusted(6, 6, -6, -4);
    const QRectF swatch(cell.left(), cell.top(), cell.width(), cell.width() * 0.62);
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;

    std::vector<QColor> colors;
    for (const QVariant& color : index.data(ItemListModel::swatchRole).toList()) colors.push_back(color.value<QColor>());
    const QVariantList shadows = index.data(ItemListModel::shadowRole).toList();
    if (!shadows.isEmpty()) {
        paintShadowPreviews(*painter, swatch, shadows, palette);
    } else if (!colors.empty()) {
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
    if (index.data(ItemListModel::aliasRole).toBool()) {
        // An alias shows its target's value; the badge says it is borrowed.
        const QRectF badge(swatch.right() - 24, swatch.top() + 6, 18, 18);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(255, 255, 255, 235));
        painter->drawEllipse(badge);
        painter->setPen(QPen(QColor(60, 64, 72), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF from(badge.left() + 5.5, badge.bottom() - 5.5), to(badge.right() - 5.5, badge.top() + 5.5);
        painter->drawLine(from, to);
        painter->drawLine(to, to + QPointF(-4.5, 0));
        painter->drawLine(to, to + QPointF(0, 4.5));
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
