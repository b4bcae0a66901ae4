#include "Vantorel/import/ImportedColor.h"

#include "QuenzColorUtils/ColorOperations.h"

namespace vantorel::import {
namespace {

ColorPresentation presentationFor(const quenz::ColorValue& color) {
    ColorPresentation presentation;
    if (const auto space = quenz::colorSpaceOf(color)) presentation.colorSpace = *space;
    return presentation;
}

}  // namespace

void DistinctColorRecords::add(std::string name, const quenz::ColorValue& color) {
    std::string key = name;
    key.push_back('\0');
    const double values[] = {color.red, color.green, color.blue, color.alpha,
                             static_cast<double>(color.space)};
    key.append(reinterpret_cast<const char*>(values), sizeof values);
    if (!seen_.insert(std::move(key)).second) return;
    ImportedColor record;
    record.colors.emplace_back(std::move(name), color);
    records_.push_back(std::move(record));
}

ProjectItemPtr makeImportedColorItem(std::string name, const quenz::ColorValue& color) {
    return QuenzColorProjectItem::make(
        std::move(name), std::make_shared<QuenzColorItem>(ThemeableColor(color), presentationFor(color)));
}

ProjectItemPtr makeImportedColorSet(std::string name, std::vector<ThemeableColor> steps) {
    SetParameters parameters;
    parameters.type = SetType::manual;
    parameters.namingScheme = ColorNamingScheme::manual;
    const ColorPresentation presentation =
        steps.empty() ? ColorPresentation{} : presentationFor(steps.front().lightVariant);
    const int count = static_cast<int>(steps.size());
    auto set = std::make_shared<QuenzColorSet>(std::move(steps), parameters, presentation);
    set->setSteps(count);
    return QuenzColorProjectItem::make(std::move(name), std::move(set));
}

void addImportedColors(const std::vector<ImportedColor>& records, QuenzColorGroup& group) {
    for (const ImportedColor& record : records) {
        if (record.type == ImportedColorType::singleColor) {
            if (record.colors.empty()) continue;
            const quenz::NamedColor& first = record.colors.front();
            group.appendItem(makeImportedColorItem(first.name(), first.color()));
            continue;
        }
        std::vector<ThemeableColor> steps;
        steps.reserve(record.colors.size());
        for (const quenz::NamedColor& color : record.colors) {
            steps.emplace_back(color.color(), std::nullopt, std::nullopt, std::nullopt, color.name());
        }
        group.appendItem(makeImportedColorSet(record.name.value_or("Color Set"), std::move(steps)));
    }
}

}  // namespace vantorel::import
