#pragma once
// Alias payloads: per appearance, a stored target (by identifier) and the resolved item it
// names, rebuilt by the project's `linkReferences`. Resolved references are weak: an alias
// never keeps a deleted item alive, and a later link finds a restored one again. An alias
// shows a value only from plain value items of its family, so chains and cycles cannot arise.

#include <array>
#include <memory>
#include <optional>
#include <type_traits>

#include "VantorelData/model/AliasTarget.h"
#include "VantorelData/model/Themeable.h"
#include "VantorelData/model/ValueItem.h"

namespace vantorel {

class QuenzColorProjectItem;
using ProjectItemPtr = std::shared_ptr<QuenzColorProjectItem>;

template <class Target>
class QuenzAliasBase : public QuenzValueItem {
public:
    using TargetType = Target;

    const Target& aliasType() const { return target(ColorSource::light); }
    const Target& highContrastAliasType() const { return target(ColorSource::lightHighContrast); }
    const Target& darkAliasType() const { return target(ColorSource::dark); }
    const Target& darkHighContrastAliasType() const { return target(ColorSource::darkHighContrast); }
    const Target& target(ColorSource source) const { return link(source).target; }

    void setAliasType(Target target) { setTarget(std::move(target), ColorSource::light); }
    void setHighContrastAliasType(Target target) { setTarget(std::move(target), ColorSource::lightHighContrast); }
    void setDarkAliasType(Target target) { setTarget(std::move(target), ColorSource::dark); }
    void setDarkHighContrastAliasType(Target target) { setTarget(std::move(target), ColorSource::darkHighContrast); }
    void setTarget(Target target, ColorSource source);

    // The resolved target of an appearance; empty when unresolved or the item is gone.
    ProjectItemPtr referencedProjectItem() const { return referencedItem(ColorSource::light); }
    ProjectItemPtr referencedProjectItemHighContrast() const { return referencedItem(ColorSource::lightHighContrast); }
    ProjectItemPtr referencedProjectItemDark() const { return referencedItem(ColorSource::dark); }
    ProjectItemPtr referencedProjectItemDarkHighContrast() const {
        return referencedItem(ColorSource::darkHighContrast);
    }
    ProjectItemPtr referencedItem(ColorSource source) const { return link(source).reference.lock(); }

protected:
    QuenzAliasBase(std::array<Target, 4> targets, CommonValueFields common);
    QuenzAliasBase(const QuenzAliasBase& other)
        : QuenzValueItem(other), light_(other.light_), others_(copyOf(other.others_)) {}
    QuenzAliasBase& operator=(const QuenzAliasBase& other) {
        QuenzValueItem::operator=(other);
        light_ = other.light_;
        others_ = copyOf(other.others_);
        return *this;
    }

    void storeReference(ColorSource source, const ProjectItemPtr& item, std::optional<int> index);
    std::optional<int> referencedIndex(ColorSource source) const { return link(source).index; }

private:
    // Targets of whole items have no step: their links keep no room for one.
    struct NoIndex {
        NoIndex() = default;
        NoIndex(std::optional<int>) {}
        operator std::optional<int>() const { return std::nullopt; }
    };
    using ReferencedIndex =
        std::conditional_t<std::is_same_v<Target, ItemAliasType>, NoIndex, std::optional<int>>;
    // One appearance's target and what linking found for it.
    struct Link {
        Target target;
        std::weak_ptr<QuenzColorProjectItem> reference;
        [[no_unique_address]] ReferencedIndex index;
    };
    // Most aliases name one item for every appearance: the light link is inline, the other
    // three hang off a small block made when the first of them is set, each link made only
    // when its own appearance is (an alias with a dark target alone carries one).
    using OtherLinks = std::array<std::unique_ptr<Link>, 3>;
    static std::unique_ptr<OtherLinks> copyOf(const std::unique_ptr<OtherLinks>& others);

    const Link& link(ColorSource source) const;
    Link& linkToChange(ColorSource source);

    Link light_;
    std::unique_ptr<OtherLinks> others_;
};

// Color and shadow aliases: targets may be a set as a whole or one of its steps.
class QuenzSetAliasBase : public QuenzAliasBase<AliasSetType> {
public:
    std::optional<int> referencedSetIndex() const { return referencedIndex(ColorSource::light); }
    std::optional<int> referencedSetIndexHighContrast() const {
        return referencedIndex(ColorSource::lightHighContrast);
    }
    std::optional<int> referencedSetIndexDark() const { return referencedIndex(ColorSource::dark); }
    std::optional<int> referencedSetIndexDarkHighContrast() const {
        return referencedIndex(ColorSource::darkHighContrast);
    }
    std::optional<int> referencedSetIndex(ColorSource source) const { return referencedIndex(source); }
    void setReference(ColorSource source, const ProjectItemPtr& item, std::optional<int> index) {
        storeReference(source, item, index);
    }

protected:
    using QuenzAliasBase::QuenzAliasBase;
};

// Number, boolean and string aliases: targets are whole items.
class QuenzItemAliasBase : public QuenzAliasBase<ItemAliasType> {
public:
    void setReference(ColorSource source, const ProjectItemPtr& item) { storeReference(source, item, std::nullopt); }

protected:
    using QuenzAliasBase::QuenzAliasBase;
};

using AliasSetTargets = std::array<AliasSetType, 4>;
using ItemAliasTargets = std::array<ItemAliasType, 4>;

class QuenzColorAlias : public QuenzSetAliasBase {
public:
    explicit QuenzColorAlias(AliasSetTargets targets = {}, CommonValueFields common = {})
        : QuenzSetAliasBase(std::move(targets), std::move(common)) {}
    // The alias's effective color per appearance, from its resolved targets: a new value with
    // a fresh identifier; transparent black for light when there is no light target.
    ThemeableColor resolvedColor() const;
};

class QuenzColorShadowAlias : public QuenzSetAliasBase {
public:
    explicit QuenzColorShadowAlias(AliasSetTargets targets = {}, CommonValueFields common = {})
        : QuenzSetAliasBase(std::move(targets), std::move(common)) {}
    // As `resolvedColor`; without a light target, a zero shadow in transparent black.
    ThemeableShadow resolvedValue() const;
};

class QuenzColorNumberAlias : public QuenzItemAliasBase {
public:
    explicit QuenzColorNumberAlias(ItemAliasTargets targets = {}, CommonValueFields common = {})
        : QuenzItemAliasBase(std::move(targets), std::move(common)) {}
    ThemeableNumber resolvedValue() const;  // light 0 without a target
};

class QuenzColorBooleanAlias : public QuenzItemAliasBase {
public:
    explicit QuenzColorBooleanAlias(ItemAliasTargets targets = {}, CommonValueFields common = {})
        : QuenzItemAliasBase(std::move(targets), std::move(common)) {}
    ThemeableBoolean resolvedValue() const;  // light false without a target
};

class QuenzColorStringAlias : public QuenzItemAliasBase {
public:
    explicit QuenzColorStringAlias(ItemAliasTargets targets = {}, CommonValueFields common = {})
        : QuenzItemAliasBase(std::move(targets), std::move(common)) {}
    ThemeableString resolvedValue() const;  // light "" without a target
};

// The value an alias target shows for a color alias: a color's value, or a color set's step
// (its middle step without an index; its first step for an index outside the set); none for
// any other kind, an empty set or no item.
std::optional<ThemeableColor> colorTargetValue(const ProjectItemPtr& item, std::optional<int> index);
std::optional<ThemeableShadow> shadowTargetValue(const ProjectItemPtr& item, std::optional<int> index);

using QuenzColorAliasPtr = std::shared_ptr<QuenzColorAlias>;
using QuenzColorShadowAliasPtr = std::shared_ptr<QuenzColorShadowAlias>;
using QuenzColorNumberAliasPtr = std::shared_ptr<QuenzColorNumberAlias>;
using QuenzColorBooleanAliasPtr = std::shared_ptr<QuenzColorBooleanAlias>;
using QuenzColorStringAliasPtr = std::shared_ptr<QuenzColorStringAlias>;

}  // namespace vantorel
