#include "app/tools/QuickConvertWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

#include "QuenzColorUtils/ColorOperations.h"
#include "app/ItemPresentation.h"
#include "app/SwatchPainter.h"
#include "app/tools/ColorGamut.h"
#include "app/tools/ColorPickerDialog.h"
#include "app/tools/SettingsWindow.h"

namespace vantorel::app {
namespace {

QComboBox* spacePopup(QWidget* parent, const QString& name) {
    auto* popup = new QComboBox(parent);
    popup->setObjectName(name);
    for (quenz::ColorSpace space : quenz::allColorSpaces) popup->addItem(qText(quenz::displayName(space)), static_cast<int>(space));
    return popup;
}

quenz::ColorSpace chosenSpace(const QComboBox& popup) {
    return static_cast<quenz::ColorSpace>(popup.currentData().toInt());
}

QIcon swatchIcon(const quenz::ColorValue& color) {
    QPixmap pixmap(44, 28);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintSwatch(painter, QRectF(0.5, 0.5, 43, 27), {screenColor(color)}, 5);
    return QIcon(pixmap);
}

}  // namespace

QuickConvertWindow::QuickConvertWindow(const quenz::ColorValue& color, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(color) {
    setWindowTitle(QStringLiteral("Quick Convert"));
    setObjectName(QStringLiteral("quickConvertWindow"));
    auto* layout = new QVBoxLayout(this);

    auto* colorRow = new QHBoxLayout;
    swatch_ = new QPushButton(this);
    swatch_->setObjectName(QStringLiteral("quickConvertSwatch"));
    swatch_->setIconSize(QSize(44, 28));
    swatch_->setToolTip(QStringLiteral("Choose the color in the color picker"));
    connect(swatch_, &QPushButton::clicked, this, &QuickConvertWindow::chooseColor);
    colorRow->addWidget(swatch_);
    input_ = new QLineEdit(this);
    input_->setObjectName(QStringLiteral("quickConvertInput"));
    input_->setPlaceholderText(QStringLiteral("Paste a color: #FF8000, rgb(…), oklch(…), Swift or Compose code"));
    connect(input_, &QLineEdit::returnPressed, this, [this] { readColorText(input_->text()); });
    colorRow->addWidget(input_, 1);
    layout->addLayout(colorRow);

    auto* spaces = new QHBoxLayout;
    from_ = spacePopup(this, QStringLiteral("fromSpacePopup"));
    to_ = spacePopup(this, QStringLiteral("toSpacePopup"));
    spaces->addWidget(new QLabel(QStringLiteral("From:"), this));
    spaces->addWidget(from_, 1);
    spaces->addSpacing(12);
    spaces->addWidget(new QLabel(QStringLiteral("To:"), this));
    spaces->addWidget(to_, 1);
    layout->addLayout(spaces);
    connect(from_, &QComboBox::currentIndexChanged, this, [this] {
        model_.setFromColorSpace(chosenSpace(*from_));
        showModel();
    });
    connect(to_, &QComboBox::currentIndexChanged, this, [this] {
        model_.setToColorSpace(chosenSpace(*to_));
        showModel();
    });

    gamut_ = new QLabel(this);
    gamut_->setObjectName(QStringLiteral("gamutLabel"));
    gamut_->setWordWrap(true);
    layout->addWidget(gamut_);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* rowsHost = new QWidget(scroll);
    rows_ = new QGridLayout(rowsHost);
    rows_->setColumnStretch(1, 1);
    rows_->setVerticalSpacing(4);
    scroll->setWidget(rowsHost);
    layout->addWidget(scroll, 1);

    resize(780, 560);
    showModel();
}

QuickConvertWindow& QuickConvertWindow::shared() {
    static QPointer<QuickConvertWindow> window;
    if (!window) {
        const quenz::RandomColorAlgorithm algorithm = storedRandomColorAlgorithm(applicationSettings());
        const auto color = quenz::randomColor(algorithm, quenz::ColorSpace::sRGB).colorValue();
        window = new QuickConvertWindow(color.value_or(quenz::ColorValue{}));
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    return *window;
}

void QuickConvertWindow::setColor(const quenz::ColorValue& color) {
    model_.setColorToConvert(color);
    showModel();
}

bool QuickConvertWindow::readColorText(const QString& text) {
    const auto read = readToolColorText(text, model_.fromColorSpace());
    input_->setStyleSheet(read ? QString() : QStringLiteral("color: #B3261E"));
    if (read) setColor(*read);
    return read.has_value();
}

void QuickConvertWindow::copyRow(std::size_t row) {
    if (row < model_.data().size()) QApplication::clipboard()->setText(qText(model_.data()[row].value));
}

void QuickConvertWindow::chooseColor() {
    const auto picked =
        ColorPickerDialog::pickColor(this, model_.colorToConvert(), model_.fromColorSpace(), QStringLiteral("Quick Convert"));
    if (picked) setColor(*picked);
}

void QuickConvertWindow::showModel() {
    swatch_->setIcon(swatchIcon(model_.colorToConvert()));
    if (!input_->hasFocus()) input_->setText(toolColorText(model_.colorToConvert(), model_.fromColorSpace()));
    gamut_->setText(gamutDescription(gamutOf(model_.colorToConvert()), model_.toColorSpace()));
    gamut_->setVisible(!gamut_->text().isEmpty());
    for (QWidget* widget : rowWidgets_) delete widget;
    rowWidgets_.clear();
    const QFont code = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QWidget* host = rows_->parentWidget();
    const QFontMetrics codeMetrics(code);
    int widestValue = 0;
    std::vector<QLineEdit*> values;
    for (std::size_t i = 0; i < model_.data().size(); ++i) {
        const quenz::ColorConvertData& written = model_.data()[i];
        const int row = static_cast<int>(i);
        auto* name = new QLabel(qText(written.format), host);
        auto* value = new QLineEdit(qText(written.value), host);
        value->setObjectName(QStringLiteral("quickConvertValue%1").arg(i));
        value->setReadOnly(true);
        value->setFont(code);
        value->setCursorPosition(0);
        widestValue = std::max(widestValue, codeMetrics.horizontalAdvance(value->text()));
        values.push_back(value);
        auto* copy = new QPushButton(QStringLiteral("Copy"), host);
        copy->setObjectName(QStringLiteral("copyButton%1").arg(i));
        copy->setToolTip(QStringLiteral("Copy %1 to the clipboard").arg(name->text()));
        connect(copy, &QPushButton::clicked, this, [this, i] { copyRow(i); });
        rows_->addWidget(name, row, 0);
        rows_->addWidget(value, row, 1);
        rows_->addWidget(copy, row, 2);
        rowWidgets_.insert(rowWidgets_.end(), {name, value, copy});
    }
    // Room for the whole text plus the field's own frame and padding.
    for (QLineEdit* value : values) value->setMinimumWidth(widestValue + 16);
    rows_->setRowStretch(static_cast<int>(model_.data().size()), 1);
    widenForRows();
}

// The longest rows (a Compose or NSColor initialiser) are wider than a comfortable default
// window; rather than clip them the window grows, and a screen too narrow for that scrolls.
void QuickConvertWindow::widenForRows() {
    rows_->activate();
    const QMargins margins = layout()->contentsMargins();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int needed = rows_->minimumSize().width() + margins.left() + margins.right() + scrollBar;
    if (needed > width()) resize(needed, height());
}

}  // namespace vantorel::app
