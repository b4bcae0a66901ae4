#include "app/inspector/StepStrip.h"

#include <QPainter>

#include "app/SwatchPainter.h"

namespace vantorel::app::inspector {
namespace {
constexpr int rowHeight = 34;
constexpr int nameHeight = 16;
}  // namespace

StepStrip::StepStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("stepStrip"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void StepStrip::setSteps(std::vector<std::vector<QColor>> rows, QStringList names) {
    if (rows == rows_ && names == names_) return;
    rows_ = std::move(rows);
    names_ = std::move(names);
    setFixedHeight(static_cast<int>(rows_.size()) * (rowHeight + 2) + nameHeight);
    update();
}

void StepStrip::paintEvent(QPaintEvent*) {
    if (names_.isEmpty()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal cell = static_cast<qreal>(width()) / names_.size();
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        const qreal top = static_cast<qreal>(row) * (rowHeight + 2);
        for (int step = 0; step < names_.size() && step < static_cast<int>(rows_[row].size()); ++step) {
            const QRectF swatch(step * cell + 1, top, cell - 2, rowHeight);
            paintSwatch(painter, swatch, {rows_[row][static_cast<std::size_t>(step)]}, 3);
        }
    }
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    painter.setFont(small);
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const qreal top = static_cast<qreal>(rows_.size()) * (rowHeight + 2);
    for (int step = 0; step < names_.size(); ++step) {
        painter.drawText(QRectF(step * cell, top, cell, nameHeight), Qt::AlignCenter,
                         painter.fontMetrics().elidedText(names_[step], Qt::ElideRight, static_cast<int>(cell)));
    }
}

}  // namespace vantorel::app::inspector
