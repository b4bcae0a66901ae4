#include <tuple>

#include "app/inspector/FormBuilder.h"
#include "app/inspector/Sections.h"
#include "app/inspector/ShadowPreview.h"

namespace vantorel::app::inspector {

void addShadowFields(FormBuilder& form, const QString& key, const ShadowRead& read, const ShadowEdits& edits) {
    const std::array<std::tuple<QString, QString, double ShadowDetails::*>, 4> numbers = {{
        {QStringLiteral("X Offset"), QStringLiteral("shadowXField-"), &ShadowDetails::xOffset},
        {QStringLiteral("Y Offset"), QStringLiteral("shadowYField-"), &ShadowDetails::yOffset},
        {QStringLiteral("Blur"), QStringLiteral("shadowBlurField-"), &ShadowDetails::blur},
        {QStringLiteral("Spread"), QStringLiteral("shadowSpreadField-"), &ShadowDetails::spread},
    }};
    for (const auto& [title, name, member] : numbers) {
        form.number(title, name + key,
                    [read, field = member]() -> std::optional<double> {
                        const auto details = read();
                        return details ? std::optional(*details.*field) : std::nullopt;
                    },
                    [edits, field = member](std::optional<double> v) { return v && edits.number(field, *v); });
    }
    form.color(QStringLiteral("Color"), QStringLiteral("shadowColorField-") + key,
               [read]() -> std::optional<quenz::ColorValue> {
                   const auto details = read();
                   return details ? std::optional(details->color) : std::nullopt;
               },
               edits.color);
}

void addShadowDetails(FormBuilder& form, const QuenzColorProjectItem& shown) {
    addColorPresentation(form);
    for (ColorSource source : appearancesInUse(shown)) {
        form.section(QStringLiteral("Shadow — ") + qText(displayName(source)));
        const QString key = sourceKey(source);
        const ShadowRead detail = [&form, source]() -> std::optional<ShadowDetails> {
            return form.item()->shadow()->shadow().value(source);
        };
        auto* preview = new ShadowPreview;
        preview->setObjectName(QStringLiteral("shadowPreview-") + key);
        preview->setDarkSurface(isDarkSource(source));
        form.wideRow(preview, [preview, detail] { preview->setShadows({*detail()}); });
        ShadowEdits edits;
        edits.number = [&form, source](double ShadowDetails::*field, double value) {
            QuenzColorDocumentEditor& editor = form.editor();
            if (field == &ShadowDetails::xOffset) return editor.changeShadowX(form.uuid(), value, source);
            if (field == &ShadowDetails::yOffset) return editor.changeShadowY(form.uuid(), value, source);
            if (field == &ShadowDetails::blur) return editor.changeShadowBlur(form.uuid(), value, source);
            return editor.changeShadowSpread(form.uuid(), value, source);
        };
        edits.color = [&form, source](const quenz::ColorValue& c) { return form.editor().changeColor(form.uuid(), c, source); };
        addShadowFields(form, key, detail, edits);
    }
}

}  // namespace vantorel::app::inspector
