#pragma once
// The easing curve of a set, drawn from the core's own curve function: the eased position
// against the step position, with a dot where each step of the ramp falls.

#include <QWidget>

#include "VantorelData/model/SetOptions.h"

namespace vantorel::app::inspector {

class CurveView final : public QWidget {
    Q_OBJECT  // so that findChild and qobject_cast know the type

public:
    explicit CurveView(QWidget* parent = nullptr);

    void setCurve(CurveType curve, double amount, int steps);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CurveType curve_ = CurveType::linear;
    double amount_ = 1;
    int steps_ = 0;
};

}  // namespace vantorel::app::inspector
