#include "app/tools/ColorPickerDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorOperations.h"
#include "QuenzColorUtils/QCUColor.h"
#include "Vantorel/editing/DocumentEditor.h"
#include "app/DocumentSession.h"
#include "app/ItemPresentation.h"
#include "app/SwatchPainter.h"
#include "app/tools/ColorGamut.h"
#include "app/tools/ScreenColorSampler.h"

namespace vantorel::app {

// The picked color beside the one the picker opened with.
class ColorComparisonSwatch final : public QWidget {
public:
    explicit ColorComparisonSwatch(QWidget* parent) : QWidget(parent) { setMinimumSize(220, 56); }
    void setColors(const QColor& original, const QColor& picked) {
        original_ = original;
        picked_ = picked;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRectF all = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        paintSwatch(painter, all, {original_, picked_}, 8);
    }

private:
    QColor original_;
    QColor picked_;
};

// A channel's slider drawn over the colors it reaches, the other channels held where they are,
// so that the user sees where a move leads before making it.
class ChannelSlider final : public QSlider {
public:
    explicit ChannelSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) { setMinimumHeight(22); }
    void setTrack(std::vector<QColor> colors) {
        track_ = std::move(colors);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal knob = height() / 2.0 - 2;
        const QRectF groove(knob, height() / 2.0 - 5, width() - 2 * knob, 10);
        // paintSwatch draws the steps side by side; many steps read as a smooth gradient.
        paintSwatch(painter, groove, track_, 5);
        const qreal x = groove.left() + groove.width() * (value() - minimum()) / std::max(1, maximum() - minimum());
        painter.setPen(QPen(QColor(0, 0, 0, 110), 1));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(x, height() / 2.0), knob - 1, knob - 1);
        if (hasFocus()) {
            painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QPointF(x, height() / 2.0), knob - 2, knob - 2);
        }
    }

private:
    std::vector<QColor> track_;
};

namespace {

constexpr int trackSteps = 48;

struct ChannelRange {
    const char* name;
    double low, high;              // what the number field accepts
    double sliderLow, sliderHigh;  // the usual span, where the slider moves
    int decimals;
};

constexpr ChannelRange alphaRange = {"Alpha", 0, 1, 0, 1, 4};

std::array<ChannelRange, 3> channelRanges(quenz::ColorSpace space) {
    switch (space) {
        case quenz::ColorSpace::sRGB:
        case quenz::ColorSpace::displayP3:
            return {{{"Red", 0, 1, 0, 1, 4}, {"Green", 0, 1, 0, 1, 4}, {"Blue", 0, 1, 0, 1, 4}}};
        case quenz::ColorSpace::sRGBExtended:
            return {{{"Red", -2, 2, -0.5, 1.5, 4}, {"Green", -2, 2, -0.5, 1.5, 4}, {"Blue", -2, 2, -0.5, 1.5, 4}}};
        case quenz::ColorSpace::oklab:
            return {{{"Lightness", 0, 1, 0, 1, 4}, {"a", -0.5, 0.5, -0.4, 0.4, 4}, {"b", -0.5, 0.5, -0.4, 0.4, 4}}};
        case quenz::ColorSpace::oklch:
            return {{{"Lightness", 0, 1, 0, 1, 4}, {"Chroma", 0, 0.5, 0, 0.4, 4}, {"Hue", 0, 360, 0, 360, 2}}};
    }
    return {};
}

ChannelRange rangeOf(quenz::ColorSpace space, std::size_t index) {
    return index < 3 ? channelRanges(space)[index] : alphaRange;
}

constexpr int sliderSteps = 1000;

// The form the text field writes a color of each space in.
quenz::ColorFormat textFormat(quenz::ColorSpace space) {
    switch (space) {
        case quenz::ColorSpace::sRGB: return quenz::ColorFormat::htmlRGB;
        case quenz::ColorSpace::sRGBExtended:
        case quenz::ColorSpace::displayP3: return quenz::ColorFormat::cssColor;
        case quenz::ColorSpace::oklab: return quenz::ColorFormat::cssOKLAB;
        case quenz::ColorSpace::oklch: return quenz::ColorFormat::cssOKLCH;
    }
    return quenz::ColorFormat::htmlRGB;
}

// The channels of `color` in `space`; none when the color cannot be converted.
std::optional<std::array<double, 4>> channelsOf(const quenz::ColorValue& color, quenz::ColorSpace space) {
    switch (space) {
        case quenz::ColorSpace::oklab:
            if (const auto lab = quenz::toOKLab(color)) return std::array{lab->l, lab->a, lab->b, lab->alpha};
            return std::nullopt;
        case quenz::ColorSpace::oklch:
            if (const auto lch = quenz::toOKLCH(color)) {
                return std::array{lch->lightness, lch->chroma, quenz::degreesFromRadians(lch->hue), lch->alpha};
            }
            return std::nullopt;
        default:
            if (const auto rgb = quenz::convert(color, quenz::rgbSpaceFor(space))) {
                return std::array{rgb->red, rgb->green, rgb->blue, rgb->alpha};
            }
            return std::nullopt;
    }
}

// The color the channels describe, before it is brought into the space's stored form: RGB
// components as they are, OKLab and OKLCH in extended linear sRGB.
quenz::ColorValue unclippedColor(const std::array<double, 4>& c, quenz::ColorSpace space) {
    const auto& [first, second, third, alpha] = c;
    std::optional<quenz::ColorValue> value;
    switch (space) {
        case quenz::ColorSpace::oklab: value = quenz::QCUColor::fromOKLab({first, second, third, alpha}).colorValue(); break;
        case quenz::ColorSpace::oklch:
            value = quenz::QCUColor::fromOKLCH({first, second, quenz::radiansFromDegrees(third), alpha}).colorValue();
            break;
        default: value = quenz::QCUColor(space, first, second, third, alpha).colorValue(); break;
    }
    return value.value_or(quenz::ColorValue{});
}

}  // namespace

ColorPickerDialog::ColorPickerDialog(const quenz::ColorValue& initial, quenz::ColorSpace space, QWidget* parent)
    : QDialog(parent), space_(space), original_(initial) {
    setWindowTitle(QStringLiteral("Color"));
    setObjectName(QStringLiteral("colorPicker"));
    auto* layout = new QVBoxLayout(this);

    auto* spaceRow = new QHBoxLayout;
    spaceRow->addWidget(new QLabel(QStringLiteral("Color space:"), this));
    spacePopup_ = new QComboBox(this);
    spacePopup_->setObjectName(QStringLiteral("colorSpacePopup"));
    for (quenz::ColorSpace each : quenz::allColorSpaces) {
        spacePopup_->addItem(qText(quenz::displayName(each)), static_cast<int>(each));
    }
    spaceRow->addWidget(spacePopup_, 1);
    layout->addLayout(spaceRow);

    swatch_ = new ColorComparisonSwatch(this);
    swatch_->setObjectName(QStringLiteral("colorSwatch"));
    layout->addWidget(swatch_);

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        buildChannelRow(i);
        const int row = static_cast<int>(i);
        grid->addWidget(rows_[i].label, row, 0);
        grid->addWidget(rows_[i].slider, row, 1);
        grid->addWidget(rows_[i].field, row, 2);
    }

    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("colorTextField"));
    text_->setPlaceholderText(QStringLiteral("#FF8000, rgb(…), oklch(…), color(display-p3 …), Swift or Compose code"));
    text_->setToolTip(QStringLiteral("Type or paste a color in any form Vantorel reads, then press Return."));
    connect(text_, &QLineEdit::editingFinished, this, [this] {
        if (text_->text() != writtenText_) readText();
    });
    layout->addWidget(text_);

    gamut_ = new QLabel(this);
    gamut_->setObjectName(QStringLiteral("gamutLabel"));
    gamut_->setWordWrap(true);
    layout->addWidget(gamut_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    sampler_ = buttons->addButton(QStringLiteral("Pick from Screen"), QDialogButtonBox::ActionRole);
    sampler_->setObjectName(QStringLiteral("screenSamplerButton"));
    sampler_->setAutoDefault(false);
    sampler_->setVisible(ScreenColorSampler::isAvailable());
    connect(sampler_, &QPushButton::clicked, this, &ColorPickerDialog::sampleScreen);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    spacePopup_->setCurrentIndex(spacePopup_->findData(static_cast<int>(space)));
    connect(spacePopup_, &QComboBox::currentIndexChanged, this, [this] {
        setColorSpace(static_cast<quenz::ColorSpace>(spacePopup_->currentData().toInt()));
    });
    configureChannels();
    // A color that cannot be converted (not a finite number) opens as opaque black.
    setChannels(channelsOf(initial, space).value_or(std::array<double, 4>{0, 0, 0, 1}));
}

void ColorPickerDialog::buildChannelRow(std::size_t index) {
    ChannelRow& row = rows_[index];
    row.label = new QLabel(this);
    row.slider = new ChannelSlider(this);
    row.slider->setRange(0, sliderSteps);
    row.slider->setMinimumWidth(200);
    row.field = new QDoubleSpinBox(this);
    row.field->setKeyboardTracking(false);
    row.field->setMinimumWidth(90);
    const QString key = index < 3 ? QStringLiteral("channel%1").arg(index) : QStringLiteral("alpha");
    row.slider->setObjectName(key + QStringLiteral("Slider"));
    row.field->setObjectName(key + QStringLiteral("Field"));
    connect(row.slider, &QSlider::valueChanged, this, [this, index](int position) {
        if (showing_) return;
        const ChannelRange range = rangeOf(space_, index);
        std::array<double, 4> next = channels_;
        next[index] = range.sliderLow + (range.sliderHigh - range.sliderLow) * position / sliderSteps;
        setChannels(next);
    });
    connect(row.field, &QDoubleSpinBox::valueChanged, this, [this, index](double value) {
        if (showing_) return;
        std::array<double, 4> next = channels_;
        next[index] = value;
        setChannels(next);
    });
}

void ColorPickerDialog::configureChannels() {
    showing_ = true;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const ChannelRange range = rangeOf(space_, i);
        rows_[i].label->setText(QString::fromLatin1(range.name));
        rows_[i].field->setDecimals(range.decimals);
        rows_[i].field->setRange(range.low, range.high);
        rows_[i].field->setSingleStep(range.high - range.low > 10 ? 1 : 0.01);
        rows_[i].field->setSuffix(space_ == quenz::ColorSpace::oklch && i == 2 ? QStringLiteral("°") : QString());
    }
    showing_ = false;
}

quenz::ColorValue ColorPickerDialog::color() const {
    const quenz::ColorValue value = unclippedColor(channels_, space_);
    return quenz::convert(value, quenz::rgbSpaceFor(space_)).value_or(value);
}

void ColorPickerDialog::setColor(const quenz::ColorValue& color) {
    if (const auto channels = channelsOf(color, space_)) setChannels(*channels);
}

void ColorPickerDialog::setColorSpace(quenz::ColorSpace space) {
    if (space == space_) return;
    const quenz::ColorValue current = unclippedColor(channels_, space_);
    channelsBySpace_[static_cast<std::size_t>(space_)] = channels_;
    space_ = space;
    {
        const QSignalBlocker blocker(spacePopup_);
        spacePopup_->setCurrentIndex(spacePopup_->findData(static_cast<int>(space)));
    }
    configureChannels();
    // Looking at the color in another space and coming back shows the very values typed.
    if (const auto& remembered = channelsBySpace_[static_cast<std::size_t>(space)]) {
        applyChannels(*remembered);
    } else if (const auto channels = channelsOf(current, space)) {
        applyChannels(*channels);
    }
}

void ColorPickerDialog::setChannels(const std::array<double, 4>& channels) {
    channelsBySpace_ = {};
    applyChannels(channels);
}

void ColorPickerDialog::applyChannels(const std::array<double, 4>& channels) {
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const ChannelRange range = rangeOf(space_, i);
        const double value = channels[i];
        channels_[i] = std::isfinite(value) ? std::clamp(value, range.low, range.high) : range.low;
    }
    showChannels();
    emit colorChanged();
}

void ColorPickerDialog::showChannels() {
    showing_ = true;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const ChannelRange range = rangeOf(space_, i);
        const double unit = (channels_[i] - range.sliderLow) / (range.sliderHigh - range.sliderLow);
        rows_[i].slider->setValue(static_cast<int>(std::lround(std::clamp(unit, 0.0, 1.0) * sliderSteps)));
        rows_[i].field->setValue(channels_[i]);
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const ChannelRange range = rangeOf(space_, i);
        std::vector<QColor> track;
        for (int step = 0; step <= trackSteps; ++step) {
            std::array<double, 4> reached = channels_;
            reached[i] = range.sliderLow + (range.sliderHigh - range.sliderLow) * step / trackSteps;
            if (i < 3) reached[3] = 1;  // the alpha track alone shows translucency
            track.push_back(screenColor(unclippedColor(reached, space_)));
        }
        rows_[i].slider->setTrack(std::move(track));
    }
    const quenz::ColorValue unclipped = unclippedColor(channels_, space_);
    const bool okSpace = space_ == quenz::ColorSpace::oklab || space_ == quenz::ColorSpace::oklch;
    writtenText_ = toolColorText(okSpace ? unclipped : color(), space_);
    text_->setText(writtenText_);
    text_->setStyleSheet(QString());
    text_->setModified(false);
    swatch_->setColors(screenColor(original_), screenColor(unclipped));
    gamut_->setText(gamutDescription(gamutOf(unclipped), space_));
    showing_ = false;
}

void ColorPickerDialog::readText() {
    if (const auto read = readToolColorText(text_->text(), space_)) {
        setColor(*read);
        return;
    }
    text_->setStyleSheet(QStringLiteral("color: #B3261E"));
    text_->setToolTip(QStringLiteral("Vantorel does not read this as a color."));
}

void ColorPickerDialog::sampleScreen() {
    auto* sampler = new ScreenColorSampler(this);
    connect(sampler, &ScreenColorSampler::picked, this, [this, sampler](const quenz::ColorValue& picked) {
        setColor(picked);
        sampler->deleteLater();
    });
    connect(sampler, &ScreenColorSampler::cancelled, sampler, &QObject::deleteLater);
    sampler->start(this);
}

std::optional<quenz::ColorValue> ColorPickerDialog::pickColor(QWidget* parent, const quenz::ColorValue& initial,
                                                              quenz::ColorSpace space, const QString& title) {
    ColorPickerDialog dialog(initial, space, parent);
    if (!title.isEmpty()) dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.color();
}

QString toolColorText(const quenz::ColorValue& color, quenz::ColorSpace space) {
    // OKLab and OKLCH are written from the color as it is; the RGB forms from its components
    // in the space's stored form.
    const bool okSpace = space == quenz::ColorSpace::oklab || space == quenz::ColorSpace::oklch;
    const quenz::ColorValue prepared = okSpace ? color : quenz::convert(color, quenz::rgbSpaceFor(space)).value_or(color);
    quenz::ColorConverterOptions options;
    options.roundedTo = 4;
    const auto written = quenz::ColorConverter::formatColor(prepared, textFormat(space), space, options);
    return written.colorString ? qText(*written.colorString) : QString();
}

std::optional<quenz::ColorValue> readToolColorText(const QString& text, quenz::ColorSpace space) {
    const std::string utf8 = text.trimmed().toStdString();
    // The forms the parser recognises only when asked for them first, after the space's own.
    const quenz::ColorFormat preferred[] = {textFormat(space), quenz::ColorFormat::cssOKLCH,
                                            quenz::ColorFormat::cssOKLAB, quenz::ColorFormat::cssColor,
                                            quenz::ColorFormat::androidComposeColor};
    for (quenz::ColorFormat format : preferred) {
        const quenz::ConvertedColor parsed = quenz::ColorConverter::parseColor(utf8, format, space, true);
        if (parsed.color) return parsed.color;
    }
    return std::nullopt;
}

bool pickItemColor(QWidget* parent, DocumentSession& session, const std::string& itemUuid, ColorSource source) {
    const ProjectItemPtr item = session.project()->itemWithId(itemUuid);
    if (!item) return false;
    const auto colored = std::dynamic_pointer_cast<QuenzColoredItem>(item->valueItem());
    if (!colored) return false;
    std::optional<quenz::ColorValue> current;
    if (const auto color = item->color()) current = color->color().value(source);
    if (const auto shadow = item->shadow()) current = shadow->shadow().value(source).color;
    if (!current) return false;
    const auto picked = ColorPickerDialog::pickColor(parent, *current, colored->colorSpace(), qText(item->name()));
    return picked && session.editor().changeColor(itemUuid, *picked, source);
}

}  // namespace vantorel::app
