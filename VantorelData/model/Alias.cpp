#include "VantorelData/model/Alias.h"

#include "VantorelData/model/ProjectItem.h"

namespace vantorel {
namespace {

// The step an alias shows of a set: without an index the middle step (the first when the
// middle does not exist); with an index inside the set that step, else the first step.
template <class Step, class Set>
std::optional<Step> stepOf(const Set& set, std::optional<int> index) {
    const auto& steps = set.stepValues();
    if (steps.empty()) return std::nullopt;
    if (!index) {
        if (auto middle = set.middleStep()) return middle;
        return steps.front();
    }
    if (*index >= 0 && static_cast<std::size_t>(*index) < steps.size()) return steps[static_cast<std::size_t>(*index)];
    return steps.front();
}

// The effective value of an alias: each appearance reads its target's value for that same
// appearance (which falls back to the target's light value); without a target the light
// value is `fallbackLight` and the other appearances stay empty.
template <class Result, class TargetValue>
Result resolvedFrom(const TargetValue& valueOf, typename Result::Value fallbackLight) {
    Result result;
    result.lightVariant = std::move(fallbackLight);
    for (ColorSource source : allColorSources) {
        if (const auto target = valueOf(source)) result.setVariant(target->value(source), source);
    }
    return result;
}

}  // namespace

template <class Target>
QuenzAliasBase<Target>::QuenzAliasBase(std::array<Target, 4> targets, CommonValueFields common)
    : QuenzValueItem(std::move(common)) {
    for (ColorSource source : allColorSources) {
        Target& target = targets[static_cast<std::size_t>(source)];
        if (target != Target{}) linkToChange(source).target = std::move(target);
    }
}

template <class Target>
auto QuenzAliasBase<Target>::copyOf(const std::unique_ptr<OtherLinks>& others) -> std::unique_ptr<OtherLinks> {
    if (!others) return nullptr;
    auto copy = std::make_unique<OtherLinks>();
    for (std::size_t i = 0; i < copy->size(); ++i) {
        if (const auto& one = (*others)[i]) (*copy)[i] = std::make_unique<Link>(*one);
    }
    return copy;
}

template <class Target>
auto QuenzAliasBase<Target>::link(ColorSource source) const -> const Link& {
    static const Link none;
    if (source == ColorSource::light) return light_;
    if (!others_) return none;
    const auto& one = (*others_)[static_cast<std::size_t>(source) - 1];
    return one ? *one : none;
}

template <class Target>
auto QuenzAliasBase<Target>::linkToChange(ColorSource source) -> Link& {
    if (source == ColorSource::light) return light_;
    if (!others_) others_ = std::make_unique<OtherLinks>();
    auto& one = (*others_)[static_cast<std::size_t>(source) - 1];
    if (!one) one = std::make_unique<Link>();
    return *one;
}

template <class Target>
void QuenzAliasBase<Target>::setTarget(Target target, ColorSource source) {
    static constexpr PropertyId properties[] = {PropertyId::aliasType, PropertyId::highContrastAliasType,
                                                PropertyId::darkAliasType, PropertyId::darkHighContrastAliasType};
    if (link(source).target == target) return;
    linkToChange(source).target = std::move(target);
    notifyChanged(properties[static_cast<std::size_t>(source)]);
}

template <class Target>
void QuenzAliasBase<Target>::storeReference(ColorSource source, const ProjectItemPtr& item, std::optional<int> index) {
    const Link& current = link(source);
    if (current.reference.lock() == item && std::optional<int>(current.index) == index) return;
    Link& changed = linkToChange(source);
    changed.reference = item;
    changed.index = index;
    notifyChanged(PropertyId::resolvedReferences);
}

template class QuenzAliasBase<AliasSetType>;
template class QuenzAliasBase<ItemAliasType>;

std::optional<ThemeableColor> colorTargetValue(const ProjectItemPtr& item, std::optional<int> index) {
    if (!item) return std::nullopt;
    if (const auto color = item->color()) return color->color();
    if (const auto set = item->colorSet()) return stepOf<ThemeableColor>(*set, index);
    return std::nullopt;
}

std::optional<ThemeableShadow> shadowTargetValue(const ProjectItemPtr& item, std::optional<int> index) {
    if (!item) return std::nullopt;
    if (const auto shadow = item->shadow()) return shadow->shadow();
    if (const auto set = item->shadowSet()) return stepOf<ThemeableShadow>(*set, index);
    return std::nullopt;
}

ThemeableColor QuenzColorAlias::resolvedColor() const {
    const quenz::ColorValue transparentBlack{quenz::RGBSpace::sRGB, 0, 0, 0, 0, 0};
    return resolvedFrom<ThemeableColor>(
        [this](ColorSource source) { return colorTargetValue(referencedItem(source), referencedSetIndex(source)); },
        transparentBlack);
}

ThemeableShadow QuenzColorShadowAlias::resolvedValue() const {
    const ShadowDetails none(quenz::ColorValue{quenz::RGBSpace::sRGB, 0, 0, 0, 0, 0}, 0, 0, 0, 0);
    return resolvedFrom<ThemeableShadow>(
        [this](ColorSource source) { return shadowTargetValue(referencedItem(source), referencedSetIndex(source)); },
        none);
}

ThemeableNumber QuenzColorNumberAlias::resolvedValue() const {
    return resolvedFrom<ThemeableNumber>(
        [this](ColorSource source) -> std::optional<ThemeableNumber> {
            const auto item = referencedItem(source);
            if (const auto number = item ? item->number() : nullptr) return number->value();
            return std::nullopt;
        },
        0.0);
}

ThemeableBoolean QuenzColorBooleanAlias::resolvedValue() const {
    return resolvedFrom<ThemeableBoolean>(
        [this](ColorSource source) -> std::optional<ThemeableBoolean> {
            const auto item = referencedItem(source);
            if (const auto boolean = item ? item->boolean() : nullptr) return boolean->value();
            return std::nullopt;
        },
        false);
}

ThemeableString QuenzColorStringAlias::resolvedValue() const {
    return resolvedFrom<ThemeableString>(
        [this](ColorSource source) -> std::optional<ThemeableString> {
            const auto item = referencedItem(source);
            if (const auto string = item ? item->string() : nullptr) return string->value();
            return std::nullopt;
        },
        std::string{});
}

}  // namespace vantorel
