#include "app/inspector/FormBuilder.h"
#include "app/inspector/Sections.h"

namespace vantorel::app::inspector {

void addPlainValues(FormBuilder& form, const QuenzColorProjectItem& shown) {
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
            // The number of slider stops between minimum and maximum; empty for a free value.
            form.number(QStringLiteral("Steps"), QStringLiteral("numberStepsField"),
                        [&form]() -> std::optional<double> {
                            const auto steps = form.item()->number()->steps();
                            return steps ? std::optional<double>(*steps) : std::nullopt;
                        },
                        [&form](std::optional<double> v) {
                            if (v && (*v < 1 || *v != static_cast<int>(*v))) return false;
                            return form.editor().changeNumberSteps(form.uuid(), v ? std::optional(static_cast<int>(*v)) : std::nullopt);
                        },
                        true);
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
        default: return;
    }
}

}  // namespace vantorel::app::inspector
