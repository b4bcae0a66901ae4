#include "Vantorel/build/templates/TemplateItemCollector.h"

#include <algorithm>

#include "QuenzColorUtils/ColorOperations.h"

namespace vantorel::build {

std::optional<quenz::RGBSpace> conversionTarget(ColorSpaceConversion conversion) {
    switch (conversion) {
        case ColorSpaceConversion::original:
            return std::nullopt;
        case ColorSpaceConversion::sRGB:
            return quenz::RGBSpace::sRGB;
        case ColorSpaceConversion::sRGBExtended:
            return quenz::RGBSpace::extendedSRGB;
        case ColorSpaceConversion::displayP3:
            return quenz::RGBSpace::displayP3;
    }
    return std::nullopt;
}

std::shared_ptr<const TemplateRGBAColor> makeTemplateColor(const quenz::ColorValue& color,
                                                           quenz::RGBSpace target,
                                                           std::pmr::memory_resource* memory,
                                                           const std::shared_ptr<ColorTextStore>& texts) {
    quenz::ColorValue converted = color;
    if (color.space != target) converted = quenz::convert(color, target).value_or(color);
    return makeRecord<TemplateRGBAColor>(memory, converted.red, converted.green, converted.blue,
                                         converted.alpha, templateColorSpace(target), texts);
}

namespace {

template <class V>
TemplateVariants<V> plainVariants(const Themeable<V>& value) {
    return {value.lightVariant, value.lightVariantHighContrast(), value.darkVariant(),
            value.darkVariantHighContrast(), std::nullopt};
}

// Every stored variant through one conversion, keeping the step name.
template <class V, class Convert>
auto convertedVariants(const NamedThemeable<V>& value, Convert convert) {
    using Record = decltype(convert(value.lightVariant));
    TemplateVariants<Record> variants;
    variants.light = convert(value.lightVariant);
    if (value.lightVariantHighContrast()) variants.highContrast = convert(*value.lightVariantHighContrast());
    if (value.darkVariant()) variants.dark = convert(*value.darkVariant());
    if (value.darkVariantHighContrast())
        variants.darkHighContrast = convert(*value.darkVariantHighContrast());
    variants.name = value.name;
    return variants;
}

template <class V>
auto themedPlain(const Themeable<V>& value, std::pmr::memory_resource* memory) {
    return makeRecord<TemplateThemed<V>>(memory, plainVariants(value));
}

}  // namespace

TemplateItemCollector::TemplateItemCollector(const QuenzColorProject& project, const BuildTask& task,
                                             std::pmr::memory_resource* memory, std::shared_ptr<ColorTextStore> texts)
    : project_(project),
      memory_(memory),
      texts_(texts ? std::move(texts) : std::make_shared<ColorTextStore>(memory)),
      target_(conversionTarget(task.colorSpaceConversion())),
      names_(project, task) {}

void TemplateItemCollector::collect(const std::vector<ProjectItemPtr>& items) {
    seen_.reserve(seen_.size() + items.size());
    collected_.reserve(collected_.size() + items.size());
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
        collected_.push_back(makeRecord<TemplateItem>(memory_, names_.of(item), value && value->deprecated(),
                                                      value ? value->deprecatedReason() : std::nullopt,
                                                      std::move(*kind)));
    }
}

std::optional<TemplateItemKind> TemplateItemCollector::kindRecord(const QuenzColorProjectItem& item) const {
    switch (item.itemType()) {
        case ProjectItemType::color:
            return makeRecord<TemplateColorItem>(memory_, themedColor(item.color()->color()));
        case ProjectItemType::colorAlias:
            return makeRecord<TemplateColorItem>(memory_,
                                                 themedColor(project_.resolvedColor(*item.colorAlias())));
        case ProjectItemType::colorSet: {
            std::vector<std::shared_ptr<const TemplateThemedColor>> colors;
            colors.reserve(item.colorSet()->colors().size());
            for (const auto& step : item.colorSet()->colors()) colors.push_back(themedColor(step));
            return makeRecord<TemplateColorSetItem>(memory_, std::move(colors));
        }
        case ProjectItemType::number:
            return makeRecord<TemplateNumberItem>(memory_, themedPlain(item.number()->value(), memory_));
        case ProjectItemType::numberAlias:
            return makeRecord<TemplateNumberItem>(
                memory_, themedPlain(project_.resolvedValue(*item.numberAlias()), memory_));
        case ProjectItemType::boolean:
            return makeRecord<TemplateBooleanItem>(memory_, themedPlain(item.boolean()->value(), memory_));
        case ProjectItemType::booleanAlias:
            return makeRecord<TemplateBooleanItem>(
                memory_, themedPlain(project_.resolvedValue(*item.booleanAlias()), memory_));
        case ProjectItemType::string:
            return makeRecord<TemplateStringItem>(memory_, themedPlain(item.string()->value(), memory_));
        case ProjectItemType::stringAlias:
            return makeRecord<TemplateStringItem>(
                memory_, themedPlain(project_.resolvedValue(*item.stringAlias()), memory_));
        case ProjectItemType::shadow:
            return makeRecord<TemplateShadowItem>(memory_, themedShadow(item.shadow()->shadow()));
        case ProjectItemType::shadowAlias:
            return makeRecord<TemplateShadowItem>(memory_,
                                                  themedShadow(project_.resolvedValue(*item.shadowAlias())));
        case ProjectItemType::shadowSet: {
            std::vector<std::shared_ptr<const TemplateThemedShadow>> shadows;
            shadows.reserve(item.shadowSet()->shadows().size());
            for (const auto& step : item.shadowSet()->shadows()) shadows.push_back(themedShadow(step));
            return makeRecord<TemplateShadowSetItem>(memory_, std::move(shadows));
        }
        case ProjectItemType::group:
            break;
    }
    return std::nullopt;
}

std::shared_ptr<const TemplateThemedColor> TemplateItemCollector::themedColor(
    const ThemeableColor& color) const {
    const quenz::RGBSpace target = targetFor(color.lightVariant);
    return makeRecord<TemplateThemedColor>(
        memory_, convertedVariants(color, [this, target](const quenz::ColorValue& value) {
            return makeTemplateColor(value, target, memory_, texts_);
        }));
}

std::shared_ptr<const TemplateThemedShadow> TemplateItemCollector::themedShadow(
    const ThemeableShadow& shadow) const {
    const quenz::RGBSpace target = targetFor(shadow.lightVariant.color);
    return makeRecord<TemplateThemedShadow>(
        memory_, convertedVariants(shadow, [this, target](const ShadowDetails& details) {
            return makeRecord<TemplateShadow>(memory_, details.xOffset, details.yOffset, details.blur,
                                              details.spread,
                                              makeTemplateColor(details.color, target, memory_, texts_));
        }));
}

std::vector<TemplateItemPtr> collectTemplateItems(const QuenzColorProject& project, const BuildTask& task,
                                                  const std::vector<ProjectItemPtr>& items) {
    TemplateItemCollector collector(project, task);
    collector.collect(items);
    return collector.takeCollected();
}

SharedTemplateItems::SharedTemplateItems(const QuenzColorProject& project)
    : project_(project), texts_(std::make_shared<ColorTextStore>(arena_.resource())) {}

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
    TemplateItemCollector collector(project_, task, arena_.resource(), texts_);
    collector.collect(items);
    collected_.push_back({&items, task.nameTransform(), prefix, suffix, task.colorSpaceConversion(),
                          collector.takeCollected()});
    return collected_.back().records;
}

}  // namespace vantorel::build
