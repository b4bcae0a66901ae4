#pragma once
// Every step of a color set as a swatch, one row per appearance in use, each step's name
// under its column.

#include <QColor>
#include <QStringList>
#include <QWidget>
#include <vector>

namespace vantorel::app::inspector {

class StepStrip final : public QWidget {
    Q_OBJECT  // so that findChild and qobject_cast know the type

public:
    explicit StepStrip(QWidget* parent = nullptr);

    // One list of colors per row, all as long as `names`.
    void setSteps(std::vector<std::vector<QColor>> rows, QStringList names);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<std::vector<QColor>> rows_;
    QStringList names_;
};

}  // namespace vantorel::app::inspector
