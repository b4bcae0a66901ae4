#pragma once
// The quick convert window: one color written in every text form of a chosen color space, each
// row with a button that copies it to the clipboard. The color comes from typed or pasted text
// (any form the parser reads) or from the color picker; it starts as a random color.

#include <QWidget>
#include <vector>

#include "QuenzColorUtils/QuickConvert.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantorel::app {

class ColorComparisonSwatch;

class QuickConvertWindow final : public QWidget {
    Q_OBJECT
public:
    explicit QuickConvertWindow(const quenz::ColorValue& color, QWidget* parent = nullptr);

    // The one quick convert window of the application, made on first use with a random color
    // of the algorithm chosen in the settings.
    static QuickConvertWindow& shared();

    const quenz::QuickConvertViewModel& model() const { return model_; }
    void setColor(const quenz::ColorValue& color);
    // Reads color text in the "from" space; false (and the field marked) when it holds no color.
    bool readColorText(const QString& text);
    // Puts the written color of one row on the clipboard.
    void copyRow(std::size_t row);

private:
    void showModel();
    // Widens the window, never narrows it, until the longest row shows whole.
    void widenForRows();
    void chooseColor();

    quenz::QuickConvertViewModel model_;
    QLineEdit* input_ = nullptr;
    QPushButton* swatch_ = nullptr;
    QComboBox* from_ = nullptr;
    QComboBox* to_ = nullptr;
    QLabel* gamut_ = nullptr;
    QGridLayout* rows_ = nullptr;
    std::vector<QWidget*> rowWidgets_;
};

}  // namespace vantorel::app
