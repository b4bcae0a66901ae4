#pragma once
// A live picture of drop shadows: each shadow under a light card, drawn with its own offset,
// blur, spread and color, side by side for the steps of a shadow set.

#include <QWidget>
#include <vector>

#include "VantorelData/model/ShadowDetails.h"

namespace vantorel::app::inspector {

class ShadowPreview final : public QWidget {
    Q_OBJECT  // so that findChild and qobject_cast know the type

public:
    explicit ShadowPreview(QWidget* parent = nullptr);

    void setShadows(std::vector<ShadowDetails> shadows);
    // Dark appearances are judged on a dark surface, under a dark card.
    void setDarkSurface(bool dark);
    const std::vector<ShadowDetails>& shadows() const { return shadows_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<ShadowDetails> shadows_;
    bool dark_ = false;
};

}  // namespace vantorel::app::inspector
