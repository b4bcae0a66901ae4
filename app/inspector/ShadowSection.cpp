#include <tuple>

#include "app/inspector/FormBuilder.h"
#include "app/inspector/Sections.h"
#include "app/inspector/ShadowPreview.h"

namespace vantorel::app::inspector {

void addShadowDetails(FormBuilder& form, const QuenzColorProjectItem& shown) {
    const auto label = [](ColorSource source) { return qText(displayName(source)); };
    addColorPresentation(form);
    for (ColorSource source : appearancesInUse(shown)) {
        form.section(QStringLiteral("Shadow — ") + label(source));
        const QString key = sourceKey(source);
        const auto detail = [&form, source] { return form.item()->shadow()->shadow().value(source); };
        auto* preview = new ShadowPreview;
        preview->setObjectName(QStringLiteral("shadowPreview-") + key);
        preview->setDarkSurface(isDarkSource(source));
        form.wideRow(preview, [preview, detail] { preview->setShadows({detail()}); });
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
}

}  // namespace vantorel::app::inspector
