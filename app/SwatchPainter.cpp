#include "app/SwatchPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <array>
#include <QPixmap>

#include "app/ItemPresentation.h"
#include "app/tools/SwatchProofing.h"

namespace vantorel::app {

namespace {

// Colors beyond sRGB get diagonal stripes in black and white, visible on any color.
void markBeyondSRGB(QPainter& painter, const QRectF& part) {
    painter.save();
    painter.setClipRect(part, Qt::IntersectClip);
    const qreal step = 7;
    for (qreal offset = -part.height(); offset < part.width(); offset += step) {
        const QPointF from(part.left() + offset, part.bottom());
        const QPointF to(part.left() + offset + part.height(), part.top());
        painter.setPen(QPen(QColor(255, 255, 255, 200), 2));
        painter.drawLine(from, to);
        painter.setPen(QPen(QColor(0, 0, 0, 160), 1));
        painter.drawLine(from + QPointF(2, 0), to + QPointF(2, 0));
    }
    painter.restore();
}

}  // namespace

void paintSwatch(QPainter& painter, const QRectF& rect, const std::vector<QColor>& colors, qreal radius) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath clip;
    clip.addRoundedRect(rect, radius, radius);
    painter.setClipPath(clip);
    const bool translucent = std::any_of(colors.begin(), colors.end(), [](const QColor& c) { return c.alphaF() < 1; });
    if (translucent) {
        const qreal cell = 6;
        painter.fillRect(rect, QColor(255, 255, 255));
        for (qreal y = rect.top(); y < rect.bottom(); y += cell) {
            for (qreal x = rect.left(); x < rect.right(); x += cell) {
                const int parity = static_cast<int>((x - rect.left()) / cell + (y - rect.top()) / cell) % 2;
                if (parity) painter.fillRect(QRectF(x, y, cell, cell), QColor(214, 214, 214));
            }
        }
    }
    if (!colors.empty()) {
        const ProofingMode proofing = SwatchProofing::instance().mode();
        const qreal width = rect.width() / static_cast<qreal>(colors.size());
        for (std::size_t i = 0; i < colors.size(); ++i) {
            const QRectF part(rect.left() + width * static_cast<qreal>(i), rect.top(), width + 0.5, rect.height());
            painter.fillRect(part, proofedColor(colors[i], proofing));
            if (proofing == ProofingMode::outsideSRGB && isBeyondSRGB(colors[i])) markBeyondSRGB(painter, part);
        }
    }
    painter.setClipping(false);
    painter.setPen(QPen(QColor(0, 0, 0, 40), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.restore();
}

QString kindSymbol(ProjectItemType type) {
    switch (type) {
        case ProjectItemType::number:
        case ProjectItemType::numberAlias: return QStringLiteral("#");
        case ProjectItemType::string:
        case ProjectItemType::stringAlias: return QStringLiteral("T");
        case ProjectItemType::boolean:
        case ProjectItemType::booleanAlias: return QStringLiteral("✓");
        default: return {};
    }
}

QIcon kindIcon(const QuenzColorProjectItem& item, int size) {
    QPixmap pixmap(size * 2, size * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF rect(1, 1, size - 2, size - 2);
    if (item.isGroup()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(120, 150, 200));
        painter.drawRoundedRect(QRectF(1, 2, size * 0.45, 4), 1.5, 1.5);
        painter.drawRoundedRect(QRectF(1, 4, size - 2, size - 6), 2, 2);
    } else if (const std::vector<QColor> colors = swatchColors(item, ColorSource::light); !colors.empty()) {
        paintSwatch(painter, rect, colors, 3);
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(128, 128, 140, 60));
        painter.drawRoundedRect(rect, 3, 3);
        painter.setPen(QColor(70, 70, 85));
        QFont font = painter.font();
        font.setPixelSize(size * 2 / 3);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(rect, Qt::AlignCenter, kindSymbol(item.itemType()));
    }
    return QIcon(pixmap);
}

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 128.0, size / 128.0);
        QLinearGradient plate(0, 8, 0, 120);
        plate.setColorAt(0, QColor(0x2B, 0x2F, 0x3A));
        plate.setColorAt(1, QColor(0x17, 0x1A, 0x21));
        painter.setPen(Qt::NoPen);
        painter.setBrush(plate);
        painter.drawRoundedRect(QRectF(8, 8, 112, 112), 26, 26);
        const std::array<std::pair<QColor, qreal>, 3> stripes = {
            {{QColor(0xFF, 0x7A, 0x59), 92}, {QColor(0xF5, 0xC5, 0x42), 64}, {QColor(0x4D, 0xB6, 0xAC), 36}}};
        qreal top = 26;
        for (const auto& [color, knob] : stripes) {
            painter.setBrush(color);
            painter.drawRoundedRect(QRectF(24, top, 80, 18), 9, 9);
            painter.setBrush(QColor(255, 255, 255, 217));
            painter.drawEllipse(QPointF(knob, top + 9), 5, 5);
            top += 29;
        }
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace vantorel::app
