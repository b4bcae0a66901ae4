#include <QLineEdit>
#include <functional>

#include "app/inspector/CurveView.h"
#include "app/inspector/FormBuilder.h"
#include "app/inspector/Sections.h"
#include "app/inspector/ShadowPreview.h"
#include "app/inspector/StepStrip.h"

namespace vantorel::app::inspector {
namespace {

template <class Set>
const Set* shownSet(const FormBuilder& form) {
    const ProjectItemPtr item = form.item();
    return item ? item->payloadIf<Set>() : nullptr;
}

// The appearances whose steps the user sets: the automatic high-contrast ones are derived.
std::vector<ColorSource> editableSources(const QuenzColorProjectItem& shown) {
    std::vector<ColorSource> sources = appearancesInUse(shown);
    if (shown.valueItem() && isAuto(shown.valueItem()->appearanceType())) {
        std::erase_if(sources, [](ColorSource s) {
            return s == ColorSource::lightHighContrast || s == ColorSource::darkHighContrast;
        });
    }
    return sources;
}

// The anchors of an automatic set (first, middle of three, last); every step of a manual one.
template <class Set>
bool isAnchor(const Set& set, std::size_t step) {
    const std::size_t count = set.stepValues().size();
    if (set.type() == SetType::manual || step == 0 || step + 1 == count) return true;
    return set.type() == SetType::threeItems && static_cast<int>(step) == set.middleIndex();
}

// Interpolated steps follow their anchors; they are shown, not typed.
void showAsInterpolated(QLineEdit& field) {
    field.setReadOnly(true);
    field.setFrame(false);
    field.setStyleSheet(QStringLiteral("QLineEdit { background: transparent; color: palette(placeholder-text); }"));
    field.setToolTip(QStringLiteral("Interpolated from the anchors"));
}

QString stepLabel(const QString& name, std::size_t step) {
    return name.isEmpty() ? QStringLiteral("Step %1").arg(step + 1) : name;
}

// Parameters both kinds of sets share: how the steps are made, spaced and named.
template <class Set>
void addSetParameters(FormBuilder& form, const Set& shown, const std::function<void()>& addSteps) {
    const auto set = [&form] { return shownSet<Set>(form); };
    form.section(QStringLiteral("Ramp"));
    addSteps();
    form.choice(QStringLiteral("Type"), QStringLiteral("setTypeField"),
                enumOptions(allSetTypes, [](SetType t) { return displayName(t); }),
                [set] { return enumKey(set()->type()); },
                [&form](const QString& key) { form.editor().changeSetType(form.uuid(), static_cast<SetType>(key.toInt())); });
    form.number(QStringLiteral("Steps"), QStringLiteral("stepCountField"),
                [set] { return std::optional<double>(set()->steps()); },
                [&form](std::optional<double> v) {
                    return v && *v >= 1 && *v <= 100 && form.editor().changeStepCount(form.uuid(), static_cast<int>(*v));
                });
    if (shown.type() == SetType::manual) {
        // A manual set's steps are the user's own; interpolation and easing play no part.
    } else {
        form.choice(QStringLiteral("Interpolation"), QStringLiteral("interpolationField"),
                    enumOptions(allInterpolationMethods, [](InterpolationMethod m) { return displayName(m); }),
                    [set] { return enumKey(set()->interpolationMethod()); },
                    [&form](const QString& key) {
                        form.editor().changeInterpolationMethod(form.uuid(), static_cast<InterpolationMethod>(key.toInt()));
                    });
        form.choice(QStringLiteral("Curve"), QStringLiteral("curveField"),
                    enumOptions(allCurveTypes, [](CurveType c) { return displayName(c); }),
                    [set] { return enumKey(set()->curveType()); },
                    [&form](const QString& key) {
                        form.editor().changeCurveType(form.uuid(), static_cast<CurveType>(key.toInt()));
                    });
        auto* curve = new CurveView;
        form.row(QString(), curve, [curve, set] {
            if (const Set* current = set()) curve->setCurve(current->curveType(), current->curveAmount(), current->steps());
        });
        form.number(QStringLiteral("Curve Amount"), QStringLiteral("curveAmountField"),
                    [set] { return std::optional(set()->curveAmount()); },
                    [&form](std::optional<double> v) { return v && form.editor().changeCurveAmount(form.uuid(), *v); });
        if (shown.type() == SetType::threeItems) {
            form.number(QStringLiteral("Middle At"), QStringLiteral("middleLocationField"),
                        [set] { return std::optional(set()->middleLocation()); },
                        [&form](std::optional<double> v) {
                            return v && *v >= 0 && *v <= 1 && form.editor().changeMiddleColor(form.uuid(), *v);
                        });
        }
    }
    form.choice(QStringLiteral("Naming"), QStringLiteral("namingField"),
                enumOptions(allColorNamingSchemes, [](ColorNamingScheme s) { return displayName(s); }),
                [set] { return enumKey(set()->namingScheme()); },
                [&form](const QString& key) {
                    form.editor().changeNamingScheme(form.uuid(), static_cast<ColorNamingScheme>(key.toInt()));
                });
}

// Under manual naming each step's name is the user's to type.
template <class Set>
void addStepName(FormBuilder& form, const Set& shown, std::size_t step) {
    if (shown.namingScheme() != ColorNamingScheme::manual) return;
    form.text(QStringLiteral("Name"), QStringLiteral("stepNameField-%1").arg(step),
              [&form, step] {
                  const Set* set = shownSet<Set>(form);
                  return set && step < set->stepValues().size() ? qText(set->stepValues()[step].name) : QString();
              },
              [&form, step](const QString& name) { return form.editor().changeStepName(form.uuid(), step, name.toStdString()); });
}

// Every step as a swatch, a row per appearance.
void addStepStrip(FormBuilder& form) {
    auto* strip = new StepStrip;
    form.wideRow(strip, [&form, strip] {
        const ProjectItemPtr current = form.item();
        const QuenzColorSet* set = current ? current->payloadIf<QuenzColorSet>() : nullptr;
        if (!set) return;
        std::vector<std::vector<QColor>> rows;
        for (ColorSource source : appearancesInUse(*current)) rows.push_back(swatchColors(*current, source));
        QStringList names;
        for (const auto& step : set->stepValues()) names << qText(step.name);
        strip->setSteps(std::move(rows), names);
    });
}

// Every step under its own shadow, a preview per appearance.
void addShadowPreviews(FormBuilder& form) {
    for (ColorSource source : appearancesInUse(*form.item())) {
        auto* preview = new ShadowPreview;
        preview->setObjectName(QStringLiteral("shadowSetPreview-") + sourceKey(source));
        preview->setDarkSurface(isDarkSource(source));
        form.row(qText(displayName(source)), preview, [&form, preview, source] {
            const ProjectItemPtr current = form.item();
            if (current) preview->setShadows(shadowDetails(*current, source));
        });
    }
}

}  // namespace

void addColorSet(FormBuilder& form, const QuenzColorSet& shown) {
    const std::vector<ColorSource> sources = editableSources(*form.item());
    addSetParameters(form, shown, [&form] { addStepStrip(form); });
    addColorPresentation(form);

    form.section(QStringLiteral("Steps"));
    for (std::size_t step = 0; step < shown.stepValues().size(); ++step) {
        const QString name = stepLabel(qText(shown.stepValues()[step].name), step);
        addStepName(form, shown, step);
        const bool anchor = isAnchor(shown, step);
        for (ColorSource source : sources) {
            const QString label = source == ColorSource::light ? name : name + QLatin1Char(' ') + qText(displayName(source));
            QLineEdit* field = form.color(
                label, QStringLiteral("stepColorField-%1-%2").arg(step).arg(sourceKey(source)),
                [&form, step, source]() -> std::optional<quenz::ColorValue> {
                    const QuenzColorSet* set = shownSet<QuenzColorSet>(form);
                    if (!set || step >= set->stepValues().size()) return std::nullopt;
                    return set->stepValues()[step].value(source);
                },
                [&form, step, source](const quenz::ColorValue& c) {
                    return form.editor().changeSetColor(form.uuid(), step, c, source);
                });
            if (!anchor) showAsInterpolated(*field);
        }
    }
}

void addShadowSet(FormBuilder& form, const QuenzColorShadowSet& shown) {
    addSetParameters(form, shown, [&form] { addShadowPreviews(form); });
    addColorPresentation(form);

    const std::vector<ColorSource> sources = editableSources(*form.item());
    for (std::size_t step = 0; step < shown.stepValues().size(); ++step) {
        const QString name = stepLabel(qText(shown.stepValues()[step].name), step);
        if (!isAnchor(shown, step)) {
            form.section(name);
            addStepName(form, shown, step);
            auto* summary = new QLineEdit;
            summary->setObjectName(QStringLiteral("shadowStepField-%1").arg(step));
            showAsInterpolated(*summary);
            form.row(qText(displayName(ColorSource::light)), summary, [&form, summary, step] {
                const QuenzColorShadowSet* set = shownSet<QuenzColorShadowSet>(form);
                if (!set || step >= set->stepValues().size()) return;
                const ShadowDetails& d = set->stepValues()[step].value(ColorSource::light);
                summary->setText(QStringLiteral("x %1  y %2  blur %3  spread %4")
                                     .arg(numberText(d.xOffset), numberText(d.yOffset), numberText(d.blur),
                                          numberText(d.spread)));
            });
            continue;
        }
        for (ColorSource source : sources) {
            form.section(sources.size() == 1 ? name : name + QStringLiteral(" — ") + qText(displayName(source)));
            if (source == sources.front()) addStepName(form, shown, step);
            const ShadowRead read = [&form, step, source]() -> std::optional<ShadowDetails> {
                const QuenzColorShadowSet* set = shownSet<QuenzColorShadowSet>(form);
                if (!set || step >= set->stepValues().size()) return std::nullopt;
                return set->stepValues()[step].value(source);
            };
            ShadowEdits edits;
            edits.number = [&form, read, step, source](double ShadowDetails::*field, double value) {
                auto details = read();
                if (!details) return false;
                (*details).*field = value;
                return form.editor().changeSetShadow(form.uuid(), step, *details, source);
            };
            edits.color = [&form, read, step, source](const quenz::ColorValue& color) {
                auto details = read();
                if (!details) return false;
                details->color = color;
                return form.editor().changeSetShadow(form.uuid(), step, *details, source);
            };
            addShadowFields(form, QStringLiteral("%1-%2").arg(step).arg(sourceKey(source)), read, edits);
        }
    }
}

}  // namespace vantorel::app::inspector
