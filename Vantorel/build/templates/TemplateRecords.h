#pragma once
// The records a template sees for exported items. Each record is an immutable host object of
// the template engine: templates read its fields by name (`item.colorItem.color.light.red`)
// and nothing is copied into dictionaries. Every record also serialises to JSON with the same
// field names as keys, leaving out optional fields that are absent.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorSpace.h"
#include "QuenzColorUtils/ColorValue.h"
#include "Stencil/Value.h"
#include "Vantorel/build/ColorTextStore.h"

namespace vantorel::build {

using TemplateJSON = nlohmann::ordered_json;

// The space a record's color components are in.
enum class TemplateColorSpace { sRGB, displayP3, extendedSRGB };

std::string_view caseName(TemplateColorSpace space);  // "sRGB", "displayP3", "extendedSRGB"
// sRGB and extended sRGB are themselves; every other space is written as Display P3.
TemplateColorSpace templateColorSpace(quenz::RGBSpace space);
quenz::RGBSpace rgbSpace(TemplateColorSpace space);
quenz::ColorSpace colorSpace(TemplateColorSpace space);

// A base for records: the JSON form, and the description printed by `{{ record }}`.
// Records keep their fields as template values, made once when the record is built (colors,
// the most numerous, make theirs when read): a build
// reads the fields of thousands of items in every template, so `find` hands out the kept
// value and `lookup` is only its copy. The fields sit in slots of the record's shape, where
// a template path finds them again without searching names.
class TemplateRecord : public stencil::HostObject {
public:
    virtual TemplateJSON toJSON() const = 0;
    std::optional<stencil::Value> lookup(std::string_view name) const final;
};

// One color: components in `colorSpace`, not clamped.
class TemplateRGBAColor final : public TemplateRecord {
public:
    // The texts the color is written as are kept in `texts`, shared with the other colors of a
    // build; a color without one keeps its own.
    TemplateRGBAColor(double r, double g, double b, double a, TemplateColorSpace space,
                      std::shared_ptr<ColorTextStore> texts = nullptr);
    // `object` when it is a color, told by its shape; null otherwise.
    static const TemplateRGBAColor* from(const stencil::HostObject* object);

    const stencil::Value* find(std::string_view name, stencil::Value& holder) const override;
    std::string description() const override;
    TemplateJSON toJSON() const override;
    // The color as the color formatter takes it.
    quenz::ColorValue colorValue() const;
    // The color written by the shared color formatter in its own space; none when the format
    // cannot write it. Each format and set of options is formatted once per color value:
    // outputs that write the same color alike (a style sheet's light value in two places, CSS
    // and SCSS of one build, a palette value under many names) reuse the text, which stays
    // valid as long as the record.
    std::optional<std::string_view> formatted(quenz::ColorFormat format, const SharedColorOptions& options) const;

    const double red, green, blue, alpha;
    const TemplateColorSpace colorSpace;

private:
    struct FormattedText {
        quenz::ColorFormat format{};
        SharedColorOptions options;
        std::optional<std::string_view> text;
    };
    // Records belong to one build on one thread. A build writes a color in one or two formats,
    // remembered in the record itself; the store answers the rest.
    static constexpr std::size_t keptFormats = 2;
    mutable std::array<FormattedText, keptFormats> keptTexts_;
    mutable std::size_t keptCount_ = 0;
    mutable std::shared_ptr<ColorTextStore> texts_;
};

class TemplateShadow final : public TemplateRecord {
public:
    // A null color is a programming error.
    TemplateShadow(double xOffset, double yOffset, double blurRadius, double spreadDistance,
                   std::shared_ptr<const TemplateRGBAColor> shadowColor);
    // `object` when it is a shadow, told by its shape; null otherwise.
    static const TemplateShadow* from(const stencil::HostObject* object);

    const stencil::Value* find(std::string_view name, stencil::Value& holder) const override;
    std::string description() const override;
    TemplateJSON toJSON() const override;

    const double x, y, blur, spread;
    const std::shared_ptr<const TemplateRGBAColor> color;  // never null

private:
    const stencil::Value fields_[5];  // x, y, blur, spread, color
};

// One value per appearance: `light` always, the others only when stored. `highContrast` is
// the light high-contrast variant. Colors and shadows also carry their step name.
template <class V>
struct TemplateVariants {
    V light{};
    std::optional<V> highContrast;
    std::optional<V> dark;
    std::optional<V> darkHighContrast;
    std::optional<std::string> name;
};

template <class V>
class TemplateThemed final : public TemplateRecord {
public:
    explicit TemplateThemed(TemplateVariants<V> variants);

    const stencil::Value* find(std::string_view name, stencil::Value& holder) const override;
    std::string description() const override;
    TemplateJSON toJSON() const override;

    const TemplateVariants<V>& variants() const { return variants_; }

private:
    TemplateVariants<V> variants_;
    // light, highContrast, dark, darkHighContrast; appearances that are not stored are null
    // values: present, but empty.
    const stencil::Value fields_[4];
};

using TemplateThemedColor = TemplateThemed<std::shared_ptr<const TemplateRGBAColor>>;
using TemplateThemedShadow = TemplateThemed<std::shared_ptr<const TemplateShadow>>;
using TemplateThemedNumber = TemplateThemed<double>;
using TemplateThemedBoolean = TemplateThemed<bool>;
using TemplateThemedString = TemplateThemed<std::string>;

extern template class TemplateThemed<std::shared_ptr<const TemplateRGBAColor>>;
extern template class TemplateThemed<std::shared_ptr<const TemplateShadow>>;
extern template class TemplateThemed<double>;
extern template class TemplateThemed<bool>;
extern template class TemplateThemed<std::string>;

// The kind records: one field holding one themed value (`colorItem.color`, `number.value`,
// …) or the steps of a set (`colorSet.colors`, `shadowSet.shadows`).
template <class Traits>
class TemplateKindRecord final : public TemplateRecord {
public:
    using Field = typename Traits::Field;
    explicit TemplateKindRecord(Field field);

    const stencil::Value* find(std::string_view name, stencil::Value& holder) const override;
    std::string description() const override { return std::string(Traits::recordName); }
    TemplateJSON toJSON() const override;
    const Field& field() const { return field_; }

private:
    Field field_;
    stencil::Value value_;  // built once: loops over thousands of items read it often
};

struct TemplateColorItemTraits {
    using Field = std::shared_ptr<const TemplateThemedColor>;
    static constexpr std::string_view fieldName = "color", recordName = "TemplateColorItem";
};
struct TemplateColorSetItemTraits {
    using Field = std::vector<std::shared_ptr<const TemplateThemedColor>>;
    static constexpr std::string_view fieldName = "colors", recordName = "TemplateColorSetItem";
};
struct TemplateNumberItemTraits {
    using Field = std::shared_ptr<const TemplateThemedNumber>;
    static constexpr std::string_view fieldName = "value", recordName = "TemplateNumberItem";
};
struct TemplateBooleanItemTraits {
    using Field = std::shared_ptr<const TemplateThemedBoolean>;
    static constexpr std::string_view fieldName = "value", recordName = "TemplateBooleanItem";
};
struct TemplateStringItemTraits {
    using Field = std::shared_ptr<const TemplateThemedString>;
    static constexpr std::string_view fieldName = "value", recordName = "TemplateStringItem";
};
struct TemplateShadowItemTraits {
    using Field = std::shared_ptr<const TemplateThemedShadow>;
    static constexpr std::string_view fieldName = "shadow", recordName = "TemplateShadowItem";
};
struct TemplateShadowSetItemTraits {
    using Field = std::vector<std::shared_ptr<const TemplateThemedShadow>>;
    static constexpr std::string_view fieldName = "shadows", recordName = "TemplateShadowSetItem";
};

using TemplateColorItem = TemplateKindRecord<TemplateColorItemTraits>;
using TemplateColorSetItem = TemplateKindRecord<TemplateColorSetItemTraits>;
using TemplateNumberItem = TemplateKindRecord<TemplateNumberItemTraits>;
using TemplateBooleanItem = TemplateKindRecord<TemplateBooleanItemTraits>;
using TemplateStringItem = TemplateKindRecord<TemplateStringItemTraits>;
using TemplateShadowItem = TemplateKindRecord<TemplateShadowItemTraits>;
using TemplateShadowSetItem = TemplateKindRecord<TemplateShadowSetItemTraits>;

extern template class TemplateKindRecord<TemplateColorItemTraits>;
extern template class TemplateKindRecord<TemplateColorSetItemTraits>;
extern template class TemplateKindRecord<TemplateNumberItemTraits>;
extern template class TemplateKindRecord<TemplateBooleanItemTraits>;
extern template class TemplateKindRecord<TemplateStringItemTraits>;
extern template class TemplateKindRecord<TemplateShadowItemTraits>;
extern template class TemplateKindRecord<TemplateShadowSetItemTraits>;

// The kind fields of a TemplateItem, in field order; exactly one is set.
using TemplateItemKind =
    std::variant<std::shared_ptr<const TemplateColorItem>, std::shared_ptr<const TemplateColorSetItem>,
                 std::shared_ptr<const TemplateNumberItem>, std::shared_ptr<const TemplateBooleanItem>,
                 std::shared_ptr<const TemplateStringItem>, std::shared_ptr<const TemplateShadowItem>,
                 std::shared_ptr<const TemplateShadowSetItem>>;

// The template's name of a kind field: "colorItem", "colorSet", "number", "boolean",
// "string", "shadowItem" or "shadowSet".
std::string_view kindFieldName(const TemplateItemKind& kind);

// One exported item: its code name, its deprecation and its kind record.
class TemplateItem final : public TemplateRecord {
public:
    // A null record in `kind` is a programming error.
    TemplateItem(std::string name, bool deprecated, std::optional<std::string> deprecatedReason,
                 TemplateItemKind kind);

    const stencil::Value* find(std::string_view field, stencil::Value& holder) const override;
    std::string description() const override;
    TemplateJSON toJSON() const override;

    const std::string& name() const { return *fields_[0].string(); }
    bool deprecated() const { return deprecated_; }
    const std::optional<std::string>& deprecatedReason() const { return deprecatedReason_; }
    const TemplateItemKind& kind() const { return kind_; }
    // The kind record when it is of type R, else null.
    template <class R>
    std::shared_ptr<const R> record() const {
        const auto* held = std::get_if<std::shared_ptr<const R>>(&kind_);
        return held ? *held : nullptr;
    }

private:
    bool deprecated_;
    std::optional<std::string> deprecatedReason_;
    TemplateItemKind kind_;
    // name (always a string), deprecated, deprecatedReason and the item's kind record, under
    // the name of its kind. The kinds an item is not are answered by name only: a slot each
    // would make every item larger, and builds write thousands.
    stencil::Value fields_[4];
};

using TemplateItemPtr = std::shared_ptr<const TemplateItem>;

}  // namespace vantorel::build
