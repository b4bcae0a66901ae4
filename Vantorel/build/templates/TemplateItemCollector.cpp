#include "Vantorel/build/templates/TemplateItemCollector.h"

#include <algorithm>

#include "QuenzColorUtils/ColorOperations.h"

namespace vantorel::build {

std::optional<quenz::RGBSpace> conversionTarget(ColorSpaceConversion conversion) {
    switch (conversion) {
        case ColorSpaceConversion::original: return std::nullopt;
        case ColorSpaceConversion::sRGB: return quenz::RGBSpace::sRGB;
        case ColorSpaceConversion::sRGBExtended: return quenz::RGBSpace::extendedSRGB;
        case ColorSpaceConversion::displayP3: return quenz::RGBSpace::displayP3;
    }
    return std::nullopt;
}

std::shared_ptr<const TemplateRGBAColor> makeTemplateColor(const quenz::ColorValue& color, quenz::RGBSpace target) {
    quenz::ColorValue converted = color;
    if (color.space != target) converted = quenz::convert(color, target).value_or(color);
    return std::make_shared<const TemplateRGBAColor>(converted.red, converted.green, converted.blue, converted.alpha,
                                                     templateColorSpace(target));
}

namespace {

template <class V>
TemplateVariants<V> plainVariants(const Themeable<V>& value) {
    return {value.lightVariant, value.lightVariantHighContrast(), value.darkVariant(), value.darkVariantHighContrast(),
            std::nullopt};
}

// Every stored variant through one conversion, keeping the step name.
template <class V, class Convert>
auto convertedVariants(const NamedThemeable<V>& value, Convert convert) {
    using Record = decltype(convert(value.lightVariant));
    TemplateVariants<Record> variants;
    variants.light = convert(value.lightVariant);
    if (value.lightVariantHighContrast()) variants.highContrast = convert(*value.lightVariantHighContrast());
    if (value.darkVariant()) variants.dark = convert(*value.darkVariant());
    if (value.darkVariantHighContrast()) variants.darkHighContrast = convert(*value.darkVariantHighContrast());
    variants.name = value.name;
    return variants;
}

template <class V>
auto themedPlain(const Themeable<V>& value) {
    return std::make_shared<const TemplateThemed<V>>(plainVariants(value));
}

}  // namespace

TemplateItemCollector::TemplateItemCollector(const QuenzColorProject& project, const BuildTask& task)
    : project_(project),
      target_(conversionTarget(task.colorSpaceConversion())),
      names_(project, task) {}

void TemplateItemCollector::collect(const std::vector<ProjectItemPtr>& items) {
    for (const auto& item : items) {
        if (item) collectItem(*item);
    }
}

void TemplateItemCollector::collectItem(const QuenzColorProjectItem& root) {
    // Depth first with a stack of its own, so that deep groups cannot exhaust the call stack.
    std::vector<const QuenzColorProjectItem*> pending{&root};
    while (!pending.empty()) {
        const QuenzColorProjectItem& item = *pending.back();
        pending.pop_back();
        if (!seen_.insert(item.uuid()).second) continue;

        if (item.isGroup()) {
            const auto& children = item.group()->items();
            for (auto child = children.rbegin(); child != children.rend(); ++child) {
                if (*child) pending.push_back(child->get());
            }
            continue;
        }
        auto kind = kindRecord(item);
        if (!kind) continue;
        const auto value = item.valueItem();
        collected_.push_back(std::make_shared<const TemplateItem>(names_.of(item),
                                                                  value && value->deprecated(),
                                                                  value ? value->deprecatedReason() : std::nullopt,
                                                                  std::move(*kind)));
    }
}

std::optional<TemplateItemKind> TemplateItemCollector::kindRecord(const QuenzColorProjectItem& item) const {
    switch (item.itemType()) {
        case ProjectItemType::color:
            return std::make_shared<const TemplateColorItem>(themedColor(item.color()->color()));
        case ProjectItemType::colorAlias:
            return std::make_shared<const TemplateColorItem>(themedColor(project_.resolvedColor(*item.colorAlias())));
        case ProjectItemType::colorSet: {
            std::vector<std::shared_ptr<const TemplateThemedColor>> colors;
            colors.reserve(item.colorSet()->colors().size());
            for (const auto& step : item.colorSet()->colors()) colors.push_back(themedColor(step));
            return std::make_shared<const TemplateColorSetItem>(std::move(colors));
        }
        case ProjectItemType::number:
            return std::make_shared<const TemplateNumberItem>(themedPlain(item.number()->value()));
        case ProjectItemType::numberAlias:
            return std::make_shared<const TemplateNumberItem>(themedPlain(project_.resolvedValue(*item.numberAlias())));
        case ProjectItemType::boolean:
            return std::make_shared<const TemplateBooleanItem>(themedPlain(item.boolean()->value()));
        case ProjectItemType::booleanAlias:
            return std::make_shared<const TemplateBooleanItem>(
                themedPlain(project_.resolvedValue(*item.booleanAlias())));
        case ProjectItemType::string:
            return std::make_shared<const TemplateStringItem>(themedPlain(item.string()->value()));
        case ProjectItemType::stringAlias:
            return std::make_shared<const TemplateStringItem>(themedPlain(project_.resolvedValue(*item.stringAlias())));
        case ProjectItemType::shadow:
            return std::make_shared<const TemplateShadowItem>(themedShadow(item.shadow()->shadow()));
        case ProjectItemType::shadowAlias:
            return std::make_shared<const TemplateShadowItem>(themedShadow(project_.resolvedValue(*item.shadowAlias())));
        case ProjectItemType::shadowSet: {
            std::vector<std::shared_ptr<const TemplateThemedShadow>> shadows;
            shadows.reserve(item.shadowSet()->shadows().size());
            for (const auto& step : item.shadowSet()->shadows()) shadows.push_back(themedShadow(step));
            return std::make_shared<const TemplateShadowSetItem>(std::move(shadows));
        }
        case ProjectItemType::group: break;
    }
    return std::nullopt;
}

std::shared_ptr<const TemplateThemedColor> TemplateItemCollector::themedColor(const ThemeableColor& color) const {
    const quenz::RGBSpace target = targetFor(color.lightVariant);
    return std::make_shared<const TemplateThemedColor>(
        convertedVariants(color, [target](const quenz::ColorValue& value) { return makeTemplateColor(value, target); }));
}

std::shared_ptr<const TemplateThemedShadow> TemplateItemCollector::themedShadow(const ThemeableShadow& shadow) const {
    const quenz::RGBSpace target = targetFor(shadow.lightVariant.color);
    return std::make_shared<const TemplateThemedShadow>(
        convertedVariants(shadow, [target](const ShadowDetails& details) {
            return std::make_shared<const TemplateShadow>(details.xOffset, details.yOffset, details.blur,
                                                          details.spread, makeTemplateColor(details.color, target));
        }));
}

std::vector<TemplateItemPtr> collectTemplateItems(const QuenzColorProject& project, const BuildTask& task,
                                                  const std::vector<ProjectItemPtr>& items) {
    TemplateItemCollector collector(project, task);
    collector.collect(items);
    return collector.takeCollected();
}

const std::vector<TemplateItemPtr>& SharedTemplateItems::itemsFor(const BuildTask& task,
                                                                  const std::vector<ProjectItemPtr>& items) {
    const auto nonEmpty = [](const std::optional<std::string>& text) {
        return text && !text->empty() ? text : std::nullopt;  // an empty prefix names as none does
    };
    const auto prefix = nonEmpty(task.namePrefix());
    const auto suffix = nonEmpty(task.nameSuffix());
    for (const auto& entry : collected_) {
        if (entry.items == &items && entry.nameTransform == task.nameTransform() && entry.prefix == prefix &&
            entry.suffix == suffix && entry.conversion == task.colorSpaceConversion()) {
            return entry.records;
        }
    }
    collected_.push_back({&items, task.nameTransform(), prefix, suffix, task.colorSpaceConversion(),
                          collectTemplateItems(project_, task, items)});
    return collected_.back().records;
}

}  // namespace vantorel::build
