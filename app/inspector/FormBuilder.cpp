#include "app/inspector/FormBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>

#include "app/DocumentSession.h"
#include "app/SwatchPainter.h"

namespace vantorel::app::inspector {

QString sourceKey(ColorSource source) {
    switch (source) {
        case ColorSource::light: return QStringLiteral("light");
        case ColorSource::lightHighContrast: return QStringLiteral("lightHighContrast");
        case ColorSource::dark: return QStringLiteral("dark");
        case ColorSource::darkHighContrast: return QStringLiteral("darkHighContrast");
    }
    return {};
}

bool isDarkSource(ColorSource source) {
    return source == ColorSource::dark || source == ColorSource::darkHighContrast;
}

QPixmap swatchPixmap(const std::vector<QColor>& colors, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintSwatch(painter, QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), colors, 4);
    return pixmap;
}

FormBuilder::FormBuilder(DocumentSession& session, std::string uuid, QFormLayout& form,
                         std::vector<std::function<void()>>& refreshers)
    : session_(session), uuid_(std::move(uuid)), form_(form), refreshers_(refreshers) {}

ProjectItemPtr FormBuilder::item() const { return session_.project()->itemWithId(uuid_); }
QuenzColorDocumentEditor& FormBuilder::editor() const { return session_.editor(); }
const QuenzColorProject& FormBuilder::project() const { return *session_.project(); }

void FormBuilder::section(const QString& title) {
    auto* label = new QLabel(title);
    label->setObjectName(QStringLiteral("inspectorSection"));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setContentsMargins(0, 10, 0, 2);
    form_.addRow(label);
}

void FormBuilder::keepUpdated(std::function<void()> refresh) {
    if (!refresh) return;
    refresh();
    refreshers_.push_back(std::move(refresh));
}

void FormBuilder::row(const QString& label, QWidget* widget, std::function<void()> refresh) {
    keepUpdated(std::move(refresh));
    form_.addRow(label, widget);
}

void FormBuilder::wideRow(QWidget* widget, std::function<void()> refresh) {
    keepUpdated(std::move(refresh));
    form_.addRow(widget);
}

QLineEdit* FormBuilder::text(const QString& label, const QString& name, std::function<QString()> read,
                             std::function<bool(const QString&)> commit, QWidget* accessory) {
    auto* field = new QLineEdit;
    field->setObjectName(name);
    // A refused value is marked by a red frame until the field holds a good value again.
    const auto markRefused = [field](bool refused) {
        if (field->property("refused").toBool() == refused) return;
        field->setProperty("refused", refused);
        field->setStyleSheet(refused ? QStringLiteral("QLineEdit { border: 1px solid #D9534F; border-radius: 3px; }") : QString());
    };
    auto refresh = [field, read, markRefused] {
        if (field->hasFocus() && field->isModified()) return;
        field->setText(read());
        field->setModified(false);
        markRefused(false);
    };
    QObject::connect(field, &QLineEdit::editingFinished, field, [this, field, read, commit, markRefused] {
        if (!item() || field->text() == read()) return;
        // A change that reshapes the form replaces it while the commit runs.
        const QPointer<QLineEdit> alive(field);
        const bool taken = commit(alive->text());
        if (!alive) return;
        if (taken) field->setModified(false);
        markRefused(!taken);
    });
    if (!accessory) {
        row(label, field, refresh);
        return field;
    }
    auto* line = new QWidget;
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(accessory);
    layout->addWidget(field, 1);
    row(label, line, refresh);
    return field;
}

QCheckBox* FormBuilder::check(const QString& label, const QString& name, std::function<bool()> read,
                              std::function<void(bool)> commit) {
    auto* box = new QCheckBox(label);
    box->setObjectName(name);
    QObject::connect(box, &QCheckBox::toggled, box, [this, read, commit](bool on) {
        if (item() && on != read()) commit(on);
    });
    row(QString(), box, [box, read] {
        const QSignalBlocker blocker(box);
        box->setChecked(read());
    });
    return box;
}

QComboBox* FormBuilder::choice(const QString& label, const QString& name, Options options,
                               std::function<QString()> read, std::function<void(const QString&)> commit) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    // Long choices (alias targets, color formats) must not widen the inspector.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(12);
    for (const auto& [title, key] : options) box->addItem(title, key);
    QObject::connect(box, &QComboBox::activated, box, [this, box, read, commit](int index) {
        const QString key = box->itemData(index).toString();
        if (item() && key != read()) commit(key);
    });
    row(label, box, [box, read] {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(box->findData(read()));
    });
    return box;
}

QLineEdit* FormBuilder::color(const QString& label, const QString& name,
                              std::function<std::optional<quenz::ColorValue>()> read,
                              std::function<bool(const quenz::ColorValue&)> commit) {
    auto* swatch = new QLabel;
    swatch->setObjectName(name + QStringLiteral("Swatch"));
    swatch->setFixedSize(28, 22);
    const auto presentation = [this]() -> std::pair<quenz::ColorFormat, quenz::ColorSpace> {
        const ProjectItemPtr current = item();
        const auto* colored = current ? dynamic_cast<const QuenzColoredItem*>(current->valueItem().get()) : nullptr;
        if (!colored) return {quenz::ColorFormat::htmlRGB, quenz::ColorSpace::sRGB};
        return {colored->colorFormat(), colored->colorSpace()};
    };
    const auto readText = [read, presentation] {
        const auto value = read();
        if (!value) return QString();
        const auto [format, space] = presentation();
        return colorText(*value, format, space);
    };
    QLineEdit* field = text(label, name, readText,
                            [commit, presentation](const QString& typed) {
                                const auto [format, space] = presentation();
                                const auto parsed = parseColorText(typed, format, space);
                                return parsed && commit(*parsed);
                            },
                            swatch);
    auto paint = [swatch, read] {
        const auto value = read();
        swatch->setPixmap(swatchPixmap(value ? std::vector<QColor>{screenColor(*value)} : std::vector<QColor>{},
                                       swatch->size()));
    };
    keepUpdated(paint);
    return field;
}

QLineEdit* FormBuilder::number(const QString& label, const QString& name, std::function<std::optional<double>()> read,
                               std::function<bool(std::optional<double>)> commit, bool optional) {
    return text(
        label, name,
        [read] {
            const auto value = read();
            return value ? numberText(*value) : QString();
        },
        [commit, optional](const QString& typed) {
            if (optional && typed.trimmed().isEmpty()) return commit(std::nullopt);
            const auto value = parseNumber(typed);
            return value && commit(*value);
        });
}

}  // namespace vantorel::app::inspector
