#include "app/inspector/CurveView.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace vantorel::app::inspector {

CurveView::CurveView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("curveView"));
    setFixedHeight(110);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CurveView::setCurve(CurveType curve, double amount, int steps) {
    if (curve == curve_ && amount == amount_ && steps == steps_) return;
    curve_ = curve;
    amount_ = amount;
    steps_ = steps;
    update();
}

void CurveView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A square plot, left-aligned with the form's fields.
    const qreal side = height() - 12;
    const QRectF plot(6, 6, side, side);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRect(plot);
    painter.setPen(QPen(palette().color(QPalette::Midlight), 1, Qt::DashLine));
    painter.drawLine(plot.bottomLeft(), plot.topRight());

    const auto point = [&plot](double t, double eased) {
        return QPointF(plot.left() + t * plot.width(), plot.bottom() - eased * plot.height());
    };
    const auto eased = [this](double t) {
        if (t <= 0 || t >= 1) return t;
        const double value = applyCurve(curve_, t, amount_);
        return std::isfinite(value) ? value : t;
    };
    QPainterPath path(point(0, 0));
    constexpr int samples = 96;
    for (int i = 1; i <= samples; ++i) {
        const double t = static_cast<double>(i) / samples;
        path.lineTo(point(t, eased(t)));
    }
    painter.setClipRect(plot.adjusted(-3, -3, 3, 3));
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(QPalette::Highlight));
    for (int i = 0; steps_ > 1 && i < steps_; ++i) {
        const double t = static_cast<double>(i) / (steps_ - 1);
        painter.drawEllipse(point(t, eased(t)), 2.5, 2.5);
    }
}

}  // namespace vantorel::app::inspector
