#include "app/Inspector.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "Vantorel/editing/DocumentEditor.h"
#include "Vantorel/editing/SelectionManager.h"
#include "app/DocumentSession.h"
#include "app/ItemPresentation.h"
#include "app/SwatchPainter.h"

namespace vantorel::app {
namespace {

QString sourceKey(ColorSource source) {
    switch (source) {
        case ColorSource::light: return QStringLiteral("light");
        case ColorSource::lightHighContrast: return QStringLiteral("lightHighContrast");
        case ColorSource::dark: return QStringLiteral("dark");
        case ColorSource::darkHighContrast: return QStringLiteral("darkHighContrast");
    }
    return {};
}

// A plain-text editor that reports when the user leaves it, as line edits do.
class DescriptionEdit final : public QPlainTextEdit {
public:
    std::function<void(const QString&)> committed;

protected:
    void focusOutEvent(QFocusEvent* event) override {
        QPlainTextEdit::focusOutEvent(event);
        if (committed) committed(toPlainText());
    }
};

QPixmap swatchPixmap(const std::vector<QColor>& colors, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintSwatch(painter, QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), colors, 4);
    return pixmap;
}

// Builds the form of one item: each field reads the item afresh (by identifier, since undo
// replaces item objects) and commits through the editor.
class FormBuilder {
public:
    FormBuilder(DocumentSession& session, std::string uuid, QFormLayout& form,
                std::vector<std::function<void()>>& refreshers)
        : session_(session), uuid_(std::move(uuid)), form_(form), refreshers_(refreshers) {}

    ProjectItemPtr item() const { return session_.project()->itemWithId(uuid_); }
    QuenzColorDocumentEditor& editor() const { return session_.editor(); }
    const std::string& uuid() const { return uuid_; }

    void section(const QString& title) {
        auto* label = new QLabel(title);
        label->setObjectName(QStringLiteral("inspectorSection"));
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        label->setContentsMargins(0, 10, 0, 2);
        form_.addRow(label);
    }

    // A line of text committed when the user presses Return or leaves the field; a commit that
    // is refused (text that does not read) marks the field until the next good value.
    QLineEdit* text(const QString& label, const QString& name, std::function<QString()> read,
                    std::function<bool(const QString&)> commit, QWidget* accessory = nullptr) {
        auto* field = new QLineEdit;
        field->setObjectName(name);
        auto refresh = [field, read] {
            if (field->hasFocus() && field->isModified()) return;
            field->setText(read());
            field->setModified(false);
            field->setStyleSheet({});
        };
        QObject::connect(field, &QLineEdit::editingFinished, field, [this, field, read, commit] {
            if (!item() || field->text() == read()) return;
            if (commit(field->text())) {
                field->setModified(false);
                field->setStyleSheet({});
            } else {
                field->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #D9534F; border-radius: 3px; }"));
            }
        });
        refresh();
        refreshers_.push_back(refresh);
        if (accessory) {
            auto* row = new QWidget;
            auto* layout = new QHBoxLayout(row);
            layout->setContentsMargins(0, 0, 0, 0);
            layout->addWidget(accessory);
            layout->addWidget(field, 1);
            form_.addRow(label, row);
        } else {
            form_.addRow(label, field);
        }
        return field;
    }

    QCheckBox* check(const QString& label, const QString& name, std::function<bool()> read,
                     std::function<void(bool)> commit) {
        auto* box = new QCheckBox(label);
        box->setObjectName(name);
        auto refresh = [box, read] {
            const QSignalBlocker blocker(box);
            box->setChecked(read());
        };
        QObject::connect(box, &QCheckBox::toggled, box, [this, read, commit](bool on) {
            if (item() && on != read()) commit(on);
        });
        refresh();
        refreshers_.push_back(refresh);
        form_.addRow(QString(), box);
        return box;
    }

    // A choice among `options` (title, key); the key of the current choice comes from `read`.
    QComboBox* choice(const QString& label, const QString& name, std::vector<std::pair<QString, QString>> options,
                      std::function<QString()> read, std::function<void(const QString&)> commit) {
        auto* box = new QComboBox;
        box->setObjectName(name);
        // Long choices (alias targets, color formats) must not widen the inspector.
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(12);
        for (const auto& [title, key] : options) box->addItem(title, key);
        auto refresh = [box, read] {
            const QSignalBlocker blocker(box);
            box->setCurrentIndex(box->findData(read()));
        };
        QObject::connect(box, &QComboBox::activated, box, [this, box, read, commit](int index) {
            const QString key = box->itemData(index).toString();
            if (item() && key != read()) commit(key);
        });
        refresh();
        refreshers_.push_back(refresh);
        form_.addRow(label, box);
        return box;
    }

    // A color as text in the item's format, with its swatch; parsed by the core's color parser.
    void color(const QString& label, const QString& name, std::function<std::optional<quenz::ColorValue>()> read,
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
        text(label, name, readText,
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
        paint();
        refreshers_.push_back(paint);
    }

    QLineEdit* number(const QString& label, const QString& name, std::function<std::optional<double>()> read,
                      std::function<bool(std::optional<double>)> commit, bool optional = false) {
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

private:
    DocumentSession& session_;
    std::string uuid_;
    QFormLayout& form_;
    std::vector<std::function<void()>>& refreshers_;
};

template <class Enum, std::size_t N, class Names>
std::vector<std::pair<QString, QString>> enumOptions(const std::array<Enum, N>& cases, Names names) {
    std::vector<std::pair<QString, QString>> options;
    for (Enum value : cases) options.emplace_back(qText(names(value)), QString::number(static_cast<int>(value)));
    return options;
}

QString enumKey(auto value) { return QString::number(static_cast<int>(value)); }

// --- Sections per kind ---------------------------------------------------------------------

void addAppearance(FormBuilder& form) {
    const auto valueItem = [&form] { return form.item()->valueItem(); };
    form.section(QStringLiteral("Appearance"));
    form.choice(QStringLiteral("Appearance"), QStringLiteral("appearanceField"),
                enumOptions(std::array{DisplayableAppearance::none, DisplayableAppearance::lightAndDark},
                            [](DisplayableAppearance a) { return displayName(a); }),
                [valueItem] { return enumKey(displayableAppearance(valueItem()->appearanceType())); },
                [&form, valueItem](const QString& key) {
                    const auto type = appearanceType(static_cast<DisplayableAppearance>(key.toInt()),
                                                     displayableContrast(valueItem()->appearanceType()));
                    form.editor().changeAppearanceType(form.uuid(), type);
                });
    form.choice(QStringLiteral("Contrast"), QStringLiteral("contrastField"),
                enumOptions(std::array{DisplayableContrast::none, DisplayableContrast::highContrast,
                                       DisplayableContrast::highContrastAuto},
                            [](DisplayableContrast c) { return displayName(c); }),
                [valueItem] { return enumKey(displayableContrast(valueItem()->appearanceType())); },
                [&form, valueItem](const QString& key) {
                    const auto type = appearanceType(displayableAppearance(valueItem()->appearanceType()),
                                                     static_cast<DisplayableContrast>(key.toInt()));
                    form.editor().changeAppearanceType(form.uuid(), type);
                });
    if (isAuto(valueItem()->appearanceType())) {
        form.number(QStringLiteral("Auto Contrast"), QStringLiteral("autoContrastField"),
                    [valueItem] { return std::optional<double>(valueItem()->autoContrastAmount()); },
                    [&form](std::optional<double> v) { return v && form.editor().changeAutoContrastAmount(form.uuid(), *v); });
    }
}

void addColorPresentation(FormBuilder& form) {
    const auto colored = [&form] { return dynamic_cast<const QuenzColoredItem*>(form.item()->valueItem().get()); };
    std::vector<std::pair<QString, QString>> spaces;
    for (quenz::ColorSpace space : quenz::allColorSpaces) spaces.emplace_back(qText(quenz::displayName(space)), enumKey(space));
    form.choice(QStringLiteral("Color Space"), QStringLiteral("colorSpaceField"), spaces,
                [colored] { return enumKey(colored()->colorSpace()); },
                [&form](const QString& key) {
                    form.editor().changeColorSpace(form.uuid(), static_cast<quenz::ColorSpace>(key.toInt()));
                });
    std::vector<std::pair<QString, QString>> formats;
    for (quenz::ColorFormat format : quenz::allColorFormats) formats.emplace_back(qText(quenz::displayName(format)), enumKey(format));
    form.choice(QStringLiteral("Format"), QStringLiteral("colorFormatField"), formats,
                [colored] { return enumKey(colored()->colorFormat()); },
                [&form](const QString& key) {
                    form.editor().changeColorFormat(form.uuid(), static_cast<quenz::ColorFormat>(key.toInt()));
                });
}

void addValues(FormBuilder& form, const QuenzColorProjectItem& shown) {
    const std::vector<ColorSource> sources = appearancesInUse(shown);
    const auto label = [](ColorSource source) { return qText(displayName(source)); };
    switch (shown.itemType()) {
        case ProjectItemType::color:
            form.section(QStringLiteral("Color"));
            addColorPresentation(form);
            for (ColorSource source : sources) {
                form.color(label(source), QStringLiteral("colorField-") + sourceKey(source),
                           [&form, source] { return std::optional(form.item()->color()->color().value(source)); },
                           [&form, source](const quenz::ColorValue& c) { return form.editor().changeColor(form.uuid(), c, source); });
            }
            return;
        case ProjectItemType::number:
            form.section(QStringLiteral("Value"));
            for (ColorSource source : sources) {
                form.number(label(source), QStringLiteral("numberField-") + sourceKey(source),
                            [&form, source] { return std::optional(form.item()->number()->value().value(source)); },
                            [&form, source](std::optional<double> v) {
                                return v && form.editor().changeNumberValue(form.uuid(), *v, source);
                            });
            }
            form.number(QStringLiteral("Minimum"), QStringLiteral("numberMinField"),
                        [&form] { return form.item()->number()->minValue(); },
                        [&form](std::optional<double> v) { return form.editor().changeNumberMin(form.uuid(), v); }, true);
            form.number(QStringLiteral("Maximum"), QStringLiteral("numberMaxField"),
                        [&form] { return form.item()->number()->maxValue(); },
                        [&form](std::optional<double> v) { return form.editor().changeNumberMax(form.uuid(), v); }, true);
            return;
        case ProjectItemType::string:
            form.section(QStringLiteral("Value"));
            for (ColorSource source : sources) {
                form.text(label(source), QStringLiteral("stringField-") + sourceKey(source),
                          [&form, source] { return qText(form.item()->string()->value().value(source)); },
                          [&form, source](const QString& t) {
                              return form.editor().changeStringValue(form.uuid(), t.toStdString(), source);
                          });
            }
            return;
        case ProjectItemType::boolean:
            form.section(QStringLiteral("Value"));
            for (ColorSource source : sources) {
                form.check(label(source), QStringLiteral("booleanField-") + sourceKey(source),
                           [&form, source] { return form.item()->boolean()->value().value(source); },
                           [&form, source](bool on) { form.editor().changeBooleanValue(form.uuid(), on, source); });
            }
            return;
        case ProjectItemType::shadow:
            addColorPresentation(form);
            for (ColorSource source : sources) {
                form.section(QStringLiteral("Shadow — ") + label(source));
                const QString key = sourceKey(source);
                const auto detail = [&form, source] { return form.item()->shadow()->shadow().value(source); };
                using Setter = bool (QuenzColorDocumentEditor::*)(const std::string&, double, ColorSource);
                const std::array<std::tuple<QString, QString, double ShadowDetails::*, Setter>, 4> numbers = {{
                    {QStringLiteral("X Offset"), QStringLiteral("shadowXField-"), &ShadowDetails::xOffset, &QuenzColorDocumentEditor::changeShadowX},
                    {QStringLiteral("Y Offset"), QStringLiteral("shadowYField-"), &ShadowDetails::yOffset, &QuenzColorDocumentEditor::changeShadowY},
                    {QStringLiteral("Blur"), QStringLiteral("shadowBlurField-"), &ShadowDetails::blur, &QuenzColorDocumentEditor::changeShadowBlur},
                    {QStringLiteral("Spread"), QStringLiteral("shadowSpreadField-"), &ShadowDetails::spread, &QuenzColorDocumentEditor::changeShadowSpread},
                }};
                for (const auto& [title, name, member, setter] : numbers) {
                    form.number(title, name + key, [detail, member] { return std::optional(detail().*member); },
                                [&form, source, setter](std::optional<double> v) {
                                    return v && (form.editor().*setter)(form.uuid(), *v, source);
                                });
                }
                form.color(QStringLiteral("Color"), QStringLiteral("shadowColorField-") + key,
                           [detail] { return std::optional(detail().color); },
                           [&form, source](const quenz::ColorValue& c) { return form.editor().changeColor(form.uuid(), c, source); });
            }
            return;
        default: return;
    }
}

template <class Set>
void addSet(FormBuilder& form, const Set& shownSet, const std::function<const Set*()>& set) {
    form.section(QStringLiteral("Set"));
    form.choice(QStringLiteral("Type"), QStringLiteral("setTypeField"),
                enumOptions(allSetTypes, [](SetType t) { return displayName(t); }),
                [set] { return enumKey(set()->type()); },
                [&form](const QString& key) { form.editor().changeSetType(form.uuid(), static_cast<SetType>(key.toInt())); });
    form.number(QStringLiteral("Steps"), QStringLiteral("stepCountField"),
                [set] { return std::optional<double>(set()->steps()); },
                [&form](std::optional<double> v) {
                    return v && *v >= 1 && *v <= 100 && form.editor().changeStepCount(form.uuid(), static_cast<int>(*v));
                });
    form.choice(QStringLiteral("Interpolation"), QStringLiteral("interpolationField"),
                enumOptions(allInterpolationMethods, [](InterpolationMethod m) { return displayName(m); }),
                [set] { return enumKey(set()->interpolationMethod()); },
                [&form](const QString& key) {
                    form.editor().changeInterpolationMethod(form.uuid(), static_cast<InterpolationMethod>(key.toInt()));
                });
    form.choice(QStringLiteral("Curve"), QStringLiteral("curveField"),
                enumOptions(allCurveTypes, [](CurveType c) { return displayName(c); }),
                [set] { return enumKey(set()->curveType()); },
                [&form](const QString& key) { form.editor().changeCurveType(form.uuid(), static_cast<CurveType>(key.toInt())); });
    form.number(QStringLiteral("Curve Amount"), QStringLiteral("curveAmountField"),
                [set] { return std::optional(set()->curveAmount()); },
                [&form](std::optional<double> v) { return v && form.editor().changeCurveAmount(form.uuid(), *v); });
    form.choice(QStringLiteral("Naming"), QStringLiteral("namingField"),
                enumOptions(allColorNamingSchemes, [](ColorNamingScheme s) { return displayName(s); }),
                [set] { return enumKey(set()->namingScheme()); },
                [&form](const QString& key) {
                    form.editor().changeNamingScheme(form.uuid(), static_cast<ColorNamingScheme>(key.toInt()));
                });
    if constexpr (std::is_same_v<Set, QuenzColorSet>) {
    // The anchors of an automatic set (first, middle, last) and every step of a manual one.
    form.section(QStringLiteral("Steps"));
    const std::size_t count = shownSet.stepValues().size();
    const auto isAnchor = [&shownSet, count](std::size_t step) {
        if (shownSet.type() == SetType::manual) return true;
        if (step == 0 || step + 1 == count) return true;
        return shownSet.type() == SetType::threeItems && static_cast<int>(step) == shownSet.middleIndex();
    };
    for (std::size_t step = 0; step < count; ++step) {
        if (!isAnchor(step)) continue;
        const QString stepLabel = qText(shownSet.stepValues()[step].name);
        form.color(stepLabel.isEmpty() ? QStringLiteral("Step %1").arg(step + 1) : stepLabel,
                   QStringLiteral("stepColorField-%1").arg(step),
                   [set, step]() -> std::optional<quenz::ColorValue> {
                       const Set* current = set();
                       if (!current || step >= current->stepValues().size()) return std::nullopt;
                       return current->stepValues()[step].value(ColorSource::light);
                   },
                   [&form, step](const quenz::ColorValue& c) {
                       return form.editor().changeSetColor(form.uuid(), step, c, ColorSource::light);
                   });
    }
    }
}

// The targets an alias can point at: every item of the matching kinds, and each step of a set.
std::vector<std::pair<QString, QString>> aliasTargets(const QuenzColorProject& project, ProjectItemType aliasKind) {
    std::vector<std::pair<QString, QString>> options = {{QStringLiteral("Not Set"), QString()}};
    const auto accepts = [aliasKind](ProjectItemType type) {
        switch (aliasKind) {
            case ProjectItemType::colorAlias: return type == ProjectItemType::color || type == ProjectItemType::colorSet;
            case ProjectItemType::shadowAlias: return type == ProjectItemType::shadow || type == ProjectItemType::shadowSet;
            case ProjectItemType::numberAlias: return type == ProjectItemType::number;
            case ProjectItemType::booleanAlias: return type == ProjectItemType::boolean;
            case ProjectItemType::stringAlias: return type == ProjectItemType::string;
            default: return false;
        }
    };
    project.forEachItem([&](const ProjectItemPtr& item) {
        if (!accepts(item->itemType())) return;
        const QString uuid = qText(item->uuid());
        const QString name = qText(item->name());
        const auto addSteps = [&](const auto& set) {
            options.emplace_back(name + QStringLiteral(" (middle step)"), QStringLiteral("set:") + uuid);
            for (std::size_t i = 0; i < set.stepValues().size(); ++i) {
                options.emplace_back(name + QStringLiteral(" › ") + qText(set.stepValues()[i].name),
                                     QStringLiteral("step:%1:%2").arg(uuid).arg(i));
            }
        };
        if (const auto* colorSet = item->payloadIf<QuenzColorSet>()) {
            addSteps(*colorSet);
        } else if (const auto* shadowSet = item->payloadIf<QuenzColorShadowSet>()) {
            addSteps(*shadowSet);
        } else {
            options.emplace_back(name, QStringLiteral("item:") + uuid);
        }
    });
    return options;
}

QString targetKey(const AliasSetType& target) {
    switch (target.kind) {
        case AliasSetType::Kind::item: return QStringLiteral("item:") + qText(target.uuid);
        case AliasSetType::Kind::set: return QStringLiteral("set:") + qText(target.uuid);
        case AliasSetType::Kind::setItem: return QStringLiteral("step:%1:%2").arg(qText(target.uuid)).arg(target.index);
        case AliasSetType::Kind::notSet: return {};
    }
    return {};
}
QString targetKey(const ItemAliasType& target) {
    return target.isSet() ? QStringLiteral("item:") + qText(target.uuid) : QString();
}

AliasSetType setTarget(const QString& key) {
    const QStringList parts = key.split(QLatin1Char(':'));
    if (parts.size() >= 2 && parts[0] == QStringLiteral("item")) return AliasSetType::item(parts[1].toStdString());
    if (parts.size() >= 2 && parts[0] == QStringLiteral("set")) return AliasSetType::set(parts[1].toStdString());
    if (parts.size() >= 3 && parts[0] == QStringLiteral("step")) return AliasSetType::setItem(parts[1].toStdString(), parts[2].toInt());
    return AliasSetType::notSet();
}
ItemAliasType itemTarget(const QString& key) {
    const QStringList parts = key.split(QLatin1Char(':'));
    if (parts.size() >= 2 && parts[0] == QStringLiteral("item")) return ItemAliasType::item(parts[1].toStdString());
    return ItemAliasType::notSet();
}

template <class Alias>
void addAliasTargets(FormBuilder& form, const QuenzColorProject& project, const QuenzColorProjectItem& shown,
                     std::function<const Alias*()> alias) {
    form.section(QStringLiteral("Alias Of"));
    const auto options = aliasTargets(project, shown.itemType());
    for (ColorSource source : appearancesInUse(shown)) {
        form.choice(qText(displayName(source)), QStringLiteral("aliasTargetField-") + sourceKey(source), options,
                    [alias, source] { return targetKey(alias()->target(source)); },
                    [&form, source](const QString& key) {
                        if constexpr (std::is_base_of_v<QuenzSetAliasBase, Alias>) {
                            form.editor().changeAliasLink(form.uuid(), source, setTarget(key));
                        } else {
                            form.editor().changeAliasLink(form.uuid(), source, itemTarget(key));
                        }
                    });
    }
}

void addAssignments(FormBuilder& form, const QuenzColorProject& project) {
    form.section(QStringLiteral("Build & Test"));
    std::vector<std::pair<QString, QString>> build = {{QStringLiteral("None"), QString()}};
    for (const auto& group : project.buildGroups()) build.emplace_back(qText(group->name()), qText(group->uuid()));
    form.choice(QStringLiteral("Build Group"), QStringLiteral("buildGroupField"), build,
                [&form] { const auto& g = form.item()->buildGroup(); return g ? qText(g->uuid()) : QString(); },
                [&form](const QString& key) {
                    form.editor().changeBuildGroup(form.uuid(), key.isEmpty() ? std::nullopt : std::optional(key.toStdString()));
                });
    std::vector<std::pair<QString, QString>> test = {{QStringLiteral("None"), QString()}};
    for (const auto& group : project.testGroups()) test.emplace_back(qText(group->name()), qText(group->uuid()));
    form.choice(QStringLiteral("Test Group"), QStringLiteral("testGroupField"), test,
                [&form] { const auto& g = form.item()->testGroup(); return g ? qText(g->uuid()) : QString(); },
                [&form](const QString& key) {
                    form.editor().changeTestGroup(form.uuid(), key.isEmpty() ? std::nullopt : std::optional(key.toStdString()));
                });
    form.choice(QStringLiteral("Test Role"), QStringLiteral("testRoleField"),
                enumOptions(std::array{TestPosition::foreground, TestPosition::background, TestPosition::both},
                            [](TestPosition p) { return displayName(p); }),
                [&form] { return enumKey(form.item()->testPosition()); },
                [&form](const QString& key) {
                    form.editor().changeTestPosition(form.uuid(), static_cast<TestPosition>(key.toInt()));
                });
}

void addDeprecation(FormBuilder& form) {
    form.section(QStringLiteral("Deprecation"));
    form.check(QStringLiteral("Deprecated"), QStringLiteral("deprecatedField"),
               [&form] { return form.item()->valueItem()->deprecated(); },
               [&form](bool on) { form.editor().changeDeprecated(form.uuid(), on); });
    QLineEdit* reason = form.text(
        QStringLiteral("Reason"), QStringLiteral("deprecatedReasonField"),
        [&form] { return qText(form.item()->valueItem()->deprecatedReason().value_or(std::string())); },
        [&form](const QString& t) {
            return form.editor().changeDeprecatedReason(
                form.uuid(), t.isEmpty() ? std::nullopt : std::optional(t.toStdString()));
        });
    reason->setPlaceholderText(QStringLiteral("Use … instead"));
}

}  // namespace

Inspector::Inspector(DocumentSession& session, QWidget* parent) : QScrollArea(parent), session_(session) {
    setObjectName(QStringLiteral("inspector"));
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMinimumWidth(300);
    refresh();
}

QString Inspector::shapeKey() const {
    const SelectionManager& selection = session_.selection();
    if (selection.selectedItems().size() > 1) return QStringLiteral("many:%1").arg(selection.selectedItems().size());
    const ProjectItemPtr& selected = selection.selectedItem();
    const ProjectItemPtr item = selected ? session_.project()->itemWithId(selected->uuid()) : nullptr;
    if (!item) return QStringLiteral("document:%1").arg(reinterpret_cast<quintptr>(session_.project().get()));
    QString key = qText(item->uuid()) + QLatin1Char(':') + QString::number(static_cast<int>(item->itemType()));
    if (const auto valueItem = item->valueItem()) {
        key += QLatin1Char(':') + QString::number(static_cast<int>(valueItem->appearanceType()));
    }
    const auto setShape = [&key](const auto& set) {
        key += QStringLiteral(":%1:%2:%3").arg(set.stepValues().size()).arg(static_cast<int>(set.type())).arg(set.middleIndex());
        for (const auto& step : set.stepValues()) key += QLatin1Char('/') + qText(step.name);
    };
    if (const auto* set = item->payloadIf<QuenzColorSet>()) setShape(*set);
    if (const auto* set = item->payloadIf<QuenzColorShadowSet>()) setShape(*set);
    // Alias targets and group choices list the project's items and groups.
    key += QStringLiteral(":%1:%2").arg(session_.project()->buildGroups().size()).arg(session_.project()->testGroups().size());
    if (item->valueItem() && dynamic_cast<const QuenzColoredItem*>(item->valueItem().get()) == nullptr &&
        item->itemType() != ProjectItemType::number && item->itemType() != ProjectItemType::string &&
        item->itemType() != ProjectItemType::boolean) {
        const auto stats = session_.project()->statistics();
        key += QStringLiteral(":%1:%2").arg(stats.colorItemCount + stats.colorSetCount + stats.numberCount + stats.booleanCount +
                                            stats.stringCount + stats.shadowCount + stats.shadowSetCount)
                   .arg(qText(item->name()));
    }
    return key;
}

void Inspector::refresh() {
    const QString key = shapeKey();
    if (key != builtKey_) {
        rebuild();
        builtKey_ = key;
        return;
    }
    for (const auto& refresh : refreshers_) refresh();
}

void Inspector::rebuild() {
    refreshers_.clear();
    auto* page = new QWidget;
    auto* outer = new QVBoxLayout(page);
    outer->setContentsMargins(14, 12, 14, 12);
    auto* header = new QLabel;
    header->setObjectName(QStringLiteral("inspectorTitle"));
    QFont titleFont = header->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    titleFont.setBold(true);
    header->setFont(titleFont);
    outer->addWidget(header);
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    outer->addLayout(form);
    outer->addStretch(1);

    const SelectionManager& selection = session_.selection();
    const QuenzColorProjectPtr project = session_.project();
    const ProjectItemPtr& selected = selection.selectedItem();
    const ProjectItemPtr item = selected && selection.selectedItems().size() <= 1 ? project->itemWithId(selected->uuid()) : nullptr;

    if (selection.selectedItems().size() > 1) {
        header->setText(QStringLiteral("%1 Items Selected").arg(selection.selectedItems().size()));
    } else if (!item) {
        header->setText(session_.displayName());
        auto* description = new DescriptionEdit;
        description->setObjectName(QStringLiteral("documentDescriptionField"));
        description->setPlaceholderText(QStringLiteral("What this design system is for"));
        description->setPlainText(qText(project->projectDescription()));
        description->setFixedHeight(110);
        DocumentSession* session = &session_;
        description->committed = [session](const QString& text) {
            session->editor().changeDocumentDescription(text.toStdString());
        };
        refreshers_.push_back([description, session] {
            if (description->hasFocus()) return;
            const QString text = qText(session->project()->projectDescription());
            if (description->toPlainText() != text) description->setPlainText(text);
        });
        form->addRow(QStringLiteral("Description"), description);
        const auto stats = project->statistics();
        auto* summary = new QLabel(QStringLiteral("%1 colors, %2 color sets, %3 aliases, %4 groups\n%5 build groups, %6 test groups")
                                       .arg(stats.colorItemCount)
                                       .arg(stats.colorSetCount)
                                       .arg(stats.colorAliasCount + stats.numberAliasCount + stats.booleanAliasCount +
                                            stats.stringAliasCount + stats.shadowAliasCount)
                                       .arg(stats.groupCount)
                                       .arg(project->buildGroups().size())
                                       .arg(project->testGroups().size()));
        summary->setObjectName(QStringLiteral("documentSummary"));
        summary->setWordWrap(true);
        summary->setStyleSheet(QStringLiteral("color: palette(placeholder-text);"));
        form->addRow(QString(), summary);
    } else {
        header->setText(qText(displayName(item->itemType())));
        // The builder lives as long as the form's closures: they hold it by reference.
        auto builder = std::make_shared<FormBuilder>(session_, item->uuid(), *form, refreshers_);
        connect(page, &QObject::destroyed, page, [builder] {});
        FormBuilder& f = *builder;
        f.text(QStringLiteral("Name"), QStringLiteral("nameField"), [&f] { return qText(f.item()->name()); },
               [&f](const QString& name) { return f.editor().changeName(f.uuid(), name.toStdString()); });
        if (item->isGroup()) {
            f.check(QStringLiteral("Provides Namespace"), QStringLiteral("providesNamespaceField"),
                    [&f] { return f.item()->group()->providesNamespace(); },
                    [&f](bool on) { f.editor().changeProvidesNamespace(f.uuid(), on); });
        } else {
            addAppearance(f);
            addValues(f, *item);
            if (const auto* set = item->payloadIf<QuenzColorSet>()) {
                addColorPresentation(f);
                addSet<QuenzColorSet>(f, *set, [&f] { const auto i = f.item(); return i ? i->payloadIf<QuenzColorSet>() : nullptr; });
            } else if (const auto* shadowSet = item->payloadIf<QuenzColorShadowSet>()) {
                addSet<QuenzColorShadowSet>(f, *shadowSet, [&f] { const auto i = f.item(); return i ? i->payloadIf<QuenzColorShadowSet>() : nullptr; });
            } else if (item->payloadIf<QuenzColorAlias>()) {
                addAliasTargets<QuenzColorAlias>(f, *project, *item, [&f] { return f.item()->payloadIf<QuenzColorAlias>(); });
            } else if (item->payloadIf<QuenzColorShadowAlias>()) {
                addAliasTargets<QuenzColorShadowAlias>(f, *project, *item, [&f] { return f.item()->payloadIf<QuenzColorShadowAlias>(); });
            } else if (item->payloadIf<QuenzColorNumberAlias>()) {
                addAliasTargets<QuenzColorNumberAlias>(f, *project, *item, [&f] { return f.item()->payloadIf<QuenzColorNumberAlias>(); });
            } else if (item->payloadIf<QuenzColorBooleanAlias>()) {
                addAliasTargets<QuenzColorBooleanAlias>(f, *project, *item, [&f] { return f.item()->payloadIf<QuenzColorBooleanAlias>(); });
            } else if (item->payloadIf<QuenzColorStringAlias>()) {
                addAliasTargets<QuenzColorStringAlias>(f, *project, *item, [&f] { return f.item()->payloadIf<QuenzColorStringAlias>(); });
            }
            addDeprecation(f);
        }
        addAssignments(f, *project);
        // Each refresher looks the item up; once it is gone (deleted) the form shows it no more.
        std::vector<std::function<void()>> guarded;
        for (auto& refresh : refreshers_) {
            guarded.push_back([builder, refresh = std::move(refresh)] {
                if (builder->item()) refresh();
            });
        }
        refreshers_ = std::move(guarded);
    }
    setWidget(page);  // deletes the previous page
}

}  // namespace vantorel::app
