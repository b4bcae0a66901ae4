#pragma once
// The color picker: one color edited in any authoring space (sRGB, sRGB Extended, Display P3,
// OKLab, OKLCH) with a slider and a number field per channel and alpha, a text field that
// reads every color text the core's parser reads, a mark when the color lies outside sRGB or
// Display P3, and a screen color sampler where the desktop offers one.
//
// Give it a color and the space it is authored in; color() is the picked color in that space's
// stored form, ready for the document editor.

#include <QDialog>
#include <array>
#include <optional>

#include "QuenzColorUtils/ColorSpace.h"
#include "QuenzColorUtils/ColorValue.h"
#include "VantorelData/model/Appearance.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantorel::app {

class DocumentSession;
class ChannelSlider;
class ColorComparisonSwatch;

class ColorPickerDialog final : public QDialog {
    Q_OBJECT
public:
    ColorPickerDialog(const quenz::ColorValue& initial, quenz::ColorSpace space, QWidget* parent = nullptr);

    // The picked color in the stored form of colorSpace(): sRGB, extended sRGB or Display P3
    // components (OKLab and OKLCH colors are kept as Display P3).
    quenz::ColorValue color() const;
    quenz::ColorSpace colorSpace() const { return space_; }
    // The channels as shown: red, green, blue; L, a, b; or L, C, hue in degrees; then alpha.
    const std::array<double, 4>& channels() const { return channels_; }

    void setColor(const quenz::ColorValue& color);
    // Shows the same color in another space.
    void setColorSpace(quenz::ColorSpace space);
    void setChannels(const std::array<double, 4>& channels);

    // Opens the picker modally; none when the user cancels.
    static std::optional<quenz::ColorValue> pickColor(QWidget* parent, const quenz::ColorValue& initial,
                                                      quenz::ColorSpace space, const QString& title);

signals:
    void colorChanged();

private:
    struct ChannelRow {
        QLabel* label = nullptr;
        ChannelSlider* slider = nullptr;
        QDoubleSpinBox* field = nullptr;
    };

    void applyChannels(const std::array<double, 4>& channels);
    void buildChannelRow(std::size_t index);
    void configureChannels();
    void showChannels();
    void readText();
    void sampleScreen();

    quenz::ColorSpace space_;
    std::array<double, 4> channels_{};
    // The channels of the current color in each space it was shown in, until it changes.
    std::array<std::optional<std::array<double, 4>>, std::size(quenz::allColorSpaces)> channelsBySpace_{};
    quenz::ColorValue original_;
    QComboBox* spacePopup_ = nullptr;
    ColorComparisonSwatch* swatch_ = nullptr;
    std::array<ChannelRow, 4> rows_{};
    QLineEdit* text_ = nullptr;
    QString writtenText_;  // what the text field showed last, so that only the user's text is read
    QLabel* gamut_ = nullptr;
    QPushButton* sampler_ = nullptr;
    bool showing_ = false;
};

// The color written as the color tools show it in `space`: hex for sRGB, color() for sRGB
// Extended and Display P3, oklab() and oklch() for those spaces.
QString toolColorText(const quenz::ColorValue& color, quenz::ColorSpace space);

// Reads color text in any form the core's parser reads, as typed in `space`; none when the
// text holds no color.
std::optional<quenz::ColorValue> readToolColorText(const QString& text, quenz::ColorSpace space);

// Opens the picker on one appearance of a color or shadow item and stores the picked color
// through the document editor as one undo step. False when cancelled, unchanged or not colored.
bool pickItemColor(QWidget* parent, DocumentSession& session, const std::string& itemUuid, ColorSource source);

}  // namespace vantorel::app
