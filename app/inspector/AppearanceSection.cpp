#include "app/inspector/FormBuilder.h"
#include "app/inspector/Sections.h"

namespace vantorel::app::inspector {

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

}  // namespace vantorel::app::inspector
