#include "app/inspector/ShadowPreview.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "app/ItemPresentation.h"

namespace vantorel::app::inspector {
namespace {

constexpr qreal cardRadius = 6;

// One pass of a box blur along rows (horizontal) or columns, on premultiplied pixels.
void boxBlur(QImage& image, int radius, bool horizontal) {
    if (radius < 1) return;
    const int width = image.width();
    const int height = image.height();
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    std::vector<QRgb> line(static_cast<std::size_t>(length));
    const auto pixel = [&](int at, int along) -> QRgb& {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(horizontal ? at : along));
        return row[horizontal ? along : at];
    };
    const int window = 2 * radius + 1;
    for (int at = 0; at < lines; ++at) {
        for (int i = 0; i < length; ++i) line[static_cast<std::size_t>(i)] = pixel(at, i);
        int sum[4] = {0, 0, 0, 0};
        const auto add = [&](int i, int sign) {
            if (i < 0 || i >= length) return;
            const QRgb p = line[static_cast<std::size_t>(i)];
            sum[0] += sign * qRed(p);
            sum[1] += sign * qGreen(p);
            sum[2] += sign * qBlue(p);
            sum[3] += sign * qAlpha(p);
        };
        for (int i = -radius; i <= radius; ++i) add(i, 1);
        for (int i = 0; i < length; ++i) {
            pixel(at, i) = qRgba(sum[0] / window, sum[1] / window, sum[2] / window, sum[3] / window);
            add(i - radius, -1);
            add(i + radius + 1, 1);
        }
    }
}

// The shadow of a card: the card grown by the spread, moved by the offset, blurred as a
// Gaussian of standard deviation blur / 2 (three box passes come close to one).
void paintShadow(QPainter& painter, const QRectF& card, const ShadowDetails& shadow) {
    const qreal sigma = std::max(0.0, shadow.blur) / 2;
    const int margin = static_cast<int>(std::ceil(sigma * 3)) + 2;
    const QRectF shape = card.adjusted(-shadow.spread, -shadow.spread, shadow.spread, shadow.spread)
                             .translated(shadow.xOffset, shadow.yOffset);
    if (shape.width() <= 0 || shape.height() <= 0) return;
    const QRect area = shape.toAlignedRect().adjusted(-margin, -margin, margin, margin);
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter shapePainter(&image);
        shapePainter.setRenderHint(QPainter::Antialiasing);
        shapePainter.setPen(Qt::NoPen);
        shapePainter.setBrush(screenColor(shadow.color));
        const qreal radius = std::max<qreal>(0, cardRadius + shadow.spread);
        shapePainter.drawRoundedRect(shape.translated(-area.topLeft()), radius, radius);
    }
    // Box width w for three passes approximating sigma: w ≈ sqrt(12 σ² / 3 + 1).
    const int boxRadius = static_cast<int>(std::lround((std::sqrt(4 * sigma * sigma + 1) - 1) / 2));
    for (int pass = 0; pass < 3; ++pass) {
        boxBlur(image, boxRadius, true);
        boxBlur(image, boxRadius, false);
    }
    painter.drawImage(area.topLeft(), image);
}

}  // namespace

ShadowPreview::ShadowPreview(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ShadowPreview::setShadows(std::vector<ShadowDetails> shadows) {
    if (shadows == shadows_) return;
    shadows_ = std::move(shadows);
    update();
}

void ShadowPreview::setDarkSurface(bool dark) {
    dark_ = dark;
    update();
}

void ShadowPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF canvas = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QColor(0, 0, 0, 30));
    painter.setBrush(dark_ ? QColor(0x2B, 0x2D, 0x31) : QColor(0xF2, 0xF3, 0xF5));
    painter.drawRoundedRect(canvas, 8, 8);
    if (shadows_.empty()) return;
    const qreal count = static_cast<qreal>(shadows_.size());
    const qreal cell = canvas.width() / count;
    const qreal side = std::clamp(std::min(cell * 0.55, canvas.height() * 0.5), 12.0, 64.0);
    painter.setClipRect(canvas);
    for (std::size_t i = 0; i < shadows_.size(); ++i) {
        const QPointF centre(canvas.left() + cell * (static_cast<qreal>(i) + 0.5), canvas.center().y());
        const QRectF card(centre.x() - side / 2, centre.y() - side / 2, side, side);
        paintShadow(painter, card, shadows_[i]);
        painter.setPen(QColor(0, 0, 0, 20));
        painter.setBrush(dark_ ? QColor(0x3C, 0x3F, 0x45) : QColor(Qt::white));
        painter.drawRoundedRect(card, cardRadius, cardRadius);
    }
}

}  // namespace vantorel::app::inspector
