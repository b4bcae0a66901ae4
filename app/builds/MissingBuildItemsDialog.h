#pragma once
// MissingBuildItemsDialog: the "Missing Build Items" window over the core's pre-build check.
// One row per output folder or custom template that cannot be reached, with its status, what
// stands in the way and a "Choose…" button that grants a location; "Continue" (or "Continue
// Anyway" while a row is not ready) starts the build, "Cancel" closes without building.

#include <QDialog>
#include <memory>

#include "Vantorel/build/MissingBuildItemsModel.h"

class QPushButton;
class QVBoxLayout;

namespace vantorel::app {


class MissingBuildItemsDialog final : public QDialog {
    Q_OBJECT
public:
    MissingBuildItemsDialog(std::unique_ptr<build::MissingBuildItemsModel> model,
                            QWidget* parent = nullptr);
    ~MissingBuildItemsDialog() override;

    build::MissingBuildItemsModel& model() { return *model_; }
    // Asks for a location for the row and re-checks every row.
    void chooseLocation(std::size_t row);

private:
    void fillRows();

    std::unique_ptr<build::MissingBuildItemsModel> model_;
    QVBoxLayout* rows_ = nullptr;
    QPushButton* confirm_ = nullptr;
};

}  // namespace vantorel::app
