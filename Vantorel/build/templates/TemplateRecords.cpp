#include "Vantorel/build/templates/TemplateRecords.h"

#include <cstring>

#include "QuenzColorUtils/Precondition.h"

namespace vantorel::build {

using stencil::Value;

std::string_view caseName(TemplateColorSpace space) {
    switch (space) {
        case TemplateColorSpace::sRGB: return "sRGB";
        case TemplateColorSpace::displayP3: return "displayP3";
        case TemplateColorSpace::extendedSRGB: return "extendedSRGB";
    }
    return "sRGB";
}

TemplateColorSpace templateColorSpace(quenz::RGBSpace space) {
    switch (space) {
        case quenz::RGBSpace::sRGB: return TemplateColorSpace::sRGB;
        case quenz::RGBSpace::extendedSRGB: return TemplateColorSpace::extendedSRGB;
        default: return TemplateColorSpace::displayP3;
    }
}

quenz::RGBSpace rgbSpace(TemplateColorSpace space) {
    switch (space) {
        case TemplateColorSpace::sRGB: return quenz::RGBSpace::sRGB;
        case TemplateColorSpace::displayP3: return quenz::RGBSpace::displayP3;
        case TemplateColorSpace::extendedSRGB: return quenz::RGBSpace::extendedSRGB;
    }
    return quenz::RGBSpace::sRGB;
}

quenz::ColorSpace colorSpace(TemplateColorSpace space) {
    switch (space) {
        case TemplateColorSpace::sRGB: return quenz::ColorSpace::sRGB;
        case TemplateColorSpace::displayP3: return quenz::ColorSpace::displayP3;
        case TemplateColorSpace::extendedSRGB: return quenz::ColorSpace::sRGBExtended;
    }
    return quenz::ColorSpace::sRGB;
}

namespace {

Value recordValue(const std::shared_ptr<const TemplateRecord>& record) {
    return Value(std::shared_ptr<const stencil::HostObject>(record));
}

// How one appearance value enters a template and a JSON document.
Value templateValue(double number) { return Value(number); }
Value templateValue(bool flag) { return Value(flag); }
Value templateValue(const std::string& text) { return Value(text); }
template <class R>
Value templateValue(const std::shared_ptr<const R>& record) {
    return recordValue(record);
}

TemplateJSON jsonValue(double number) { return number; }
TemplateJSON jsonValue(bool flag) { return flag; }
TemplateJSON jsonValue(const std::string& text) { return text; }
template <class R>
TemplateJSON jsonValue(const std::shared_ptr<const R>& record) {
    return record->toJSON();
}

std::string describedValue(const auto& value) { return templateValue(value).text(); }
template <class R>
std::string describedValue(const std::shared_ptr<const R>& record) {
    return record->description();
}

template <class V>
Value optionalValue(const std::optional<V>& value) {
    return value ? templateValue(*value) : Value();
}

}  // namespace

namespace {

// Whether a field name read by a template is `name`: the length known here lets the compiler
// compare the bytes in a few loads, which matters at a million field reads per build.
template <std::size_t N>
bool isName(std::string_view field, const char (&name)[N]) {
    return field.size() == N - 1 && std::memcmp(field.data(), name, N - 1) == 0;
}

}  // namespace

std::optional<Value> TemplateRecord::lookup(std::string_view name) const {
    Value holder;
    const Value* field = find(name, holder);
    if (!field) return std::nullopt;
    return field == &holder ? std::move(holder) : *field;
}

// --- TemplateRGBAColor and TemplateShadow

namespace {

// Colors keep no slots: a build holds two or more per item and templates mostly hand them to
// color tags whole, so their fields are made when read, which costs no allocation. The shape
// still tells a color apart.
constexpr stencil::HostShape colorShape{};
constexpr std::string_view shadowFields[] = {"x", "y", "blur", "spread", "color"};
constexpr stencil::HostShape shadowShape{shadowFields};
constexpr std::string_view themedFields[] = {"light", "highContrast", "dark", "darkHighContrast"};
constexpr stencil::HostShape themedShape{themedFields};

// `object` as an R when it has R's shape; a record without slots (a copy) is asked its type.
template <class R>
const R* recordWithShape(const stencil::HostObject* object, const stencil::HostShape& shape) {
    if (!object) return nullptr;
    if (object->shape() == &shape) return static_cast<const R*>(object);
    return object->shape() ? nullptr : dynamic_cast<const R*>(object);
}

}  // namespace

const TemplateRGBAColor* TemplateRGBAColor::from(const stencil::HostObject* object) {
    return recordWithShape<TemplateRGBAColor>(object, colorShape);
}

const TemplateShadow* TemplateShadow::from(const stencil::HostObject* object) {
    return recordWithShape<TemplateShadow>(object, shadowShape);
}

TemplateRGBAColor::TemplateRGBAColor(double r, double g, double b, double a, TemplateColorSpace space,
                                     std::shared_ptr<ColorTextStore> texts)
    : red(r),
      green(g),
      blue(b),
      alpha(a),
      colorSpace(space),
      texts_(std::move(texts)) {
    setSlots(&colorShape, nullptr);
}

// Field names are told apart by their length, then confirmed whole.
const Value* TemplateRGBAColor::find(std::string_view name, Value& holder) const {
    const auto made = [&holder](Value value) {
        holder = std::move(value);
        return &holder;
    };
    switch (name.size()) {
        case 3: return isName(name, "red") ? made(red) : nullptr;
        case 4: return isName(name, "blue") ? made(blue) : nullptr;
        case 5:
            if (isName(name, "green")) return made(green);
            return isName(name, "alpha") ? made(alpha) : nullptr;
        case 10: return isName(name, "colorSpace") ? made(caseName(colorSpace)) : nullptr;
        default: return nullptr;
    }
}

std::string TemplateRGBAColor::description() const {
    return "TemplateRGBAColor(red: " + Value(red).text() + ", green: " + Value(green).text() +
           ", blue: " + Value(blue).text() + ", alpha: " + Value(alpha).text() +
           ", colorSpace: " + std::string(caseName(colorSpace)) + ")";
}

TemplateJSON TemplateRGBAColor::toJSON() const {
    return TemplateJSON{{"red", red}, {"green", green}, {"blue", blue}, {"alpha", alpha},
                        {"colorSpace", caseName(colorSpace)}};
}

quenz::ColorValue TemplateRGBAColor::colorValue() const {
    return quenz::ColorValue{rgbSpace(colorSpace), red, green, blue, alpha, 0};
}

std::optional<std::string_view> TemplateRGBAColor::formatted(quenz::ColorFormat format,
                                                             const SharedColorOptions& options) const {
    for (std::size_t i = 0; i < keptCount_; ++i) {
        if (keptTexts_[i].format == format && sameColorOptions(keptTexts_[i].options, options)) {
            return keptTexts_[i].text;
        }
    }
    if (!texts_) texts_ = std::make_shared<ColorTextStore>();
    auto text = texts_->text(colorValue(), format, build::colorSpace(colorSpace), options);
    if (keptCount_ < keptFormats) keptTexts_[keptCount_++] = {format, options, text};
    return text;
}

TemplateShadow::TemplateShadow(double xOffset, double yOffset, double blurRadius, double spreadDistance,
                               std::shared_ptr<const TemplateRGBAColor> shadowColor)
    : x(xOffset),
      y(yOffset),
      blur(blurRadius),
      spread(spreadDistance),
      color(std::move(shadowColor)),
      fields_{Value(x), Value(y), Value(blur), Value(spread), color ? recordValue(color) : Value()} {
    quenz::precondition(color != nullptr, "A template shadow needs a color");
    setSlots(&shadowShape, fields_);
}

const Value* TemplateShadow::find(std::string_view name, Value&) const {
    switch (name.size()) {
        case 1:
            if (name[0] == 'x') return &fields_[0];
            return name[0] == 'y' ? &fields_[1] : nullptr;
        case 4: return isName(name, "blur") ? &fields_[2] : nullptr;
        case 5: return isName(name, "color") ? &fields_[4] : nullptr;
        case 6: return isName(name, "spread") ? &fields_[3] : nullptr;
        default: return nullptr;
    }
}

std::string TemplateShadow::description() const {
    return "TemplateShadow(x: " + Value(x).text() + ", y: " + Value(y).text() + ", blur: " + Value(blur).text() +
           ", spread: " + Value(spread).text() + ", color: " + color->description() + ")";
}

TemplateJSON TemplateShadow::toJSON() const {
    return TemplateJSON{{"x", x}, {"y", y}, {"blur", blur}, {"spread", spread}, {"color", color->toJSON()}};
}

// --- TemplateThemed

template <class V>
TemplateThemed<V>::TemplateThemed(TemplateVariants<V> variants)
    : variants_(std::move(variants)),
      fields_{templateValue(variants_.light), optionalValue(variants_.highContrast), optionalValue(variants_.dark),
              optionalValue(variants_.darkHighContrast)} {
    this->setSlots(&themedShape, fields_);
}

template <class V>
const Value* TemplateThemed<V>::find(std::string_view name, Value& holder) const {
    switch (name.size()) {
        case 4:
            if (isName(name, "dark")) return &fields_[2];
            if (isName(name, "name") && variants_.name) {
                holder = Value(*variants_.name);  // step names are read once per step, if at all
                return &holder;
            }
            return nullptr;
        case 5: return isName(name, "light") ? &fields_[0] : nullptr;
        case 12: return isName(name, "highContrast") ? &fields_[1] : nullptr;
        case 16: return isName(name, "darkHighContrast") ? &fields_[3] : nullptr;
        default: return nullptr;
    }
}

template <class V>
std::string TemplateThemed<V>::description() const {
    std::string text = "Themed(light: " + describedValue(variants_.light);
    const auto add = [&text](std::string_view label, const std::optional<V>& value) {
        if (value) text += ", " + std::string(label) + ": " + describedValue(*value);
    };
    add("highContrast", variants_.highContrast);
    add("dark", variants_.dark);
    add("darkHighContrast", variants_.darkHighContrast);
    if (variants_.name) text += ", name: " + *variants_.name;
    return text + ")";
}

template <class V>
TemplateJSON TemplateThemed<V>::toJSON() const {
    TemplateJSON json{{"light", jsonValue(variants_.light)}};
    if (variants_.highContrast) json["highContrast"] = jsonValue(*variants_.highContrast);
    if (variants_.dark) json["dark"] = jsonValue(*variants_.dark);
    if (variants_.darkHighContrast) json["darkHighContrast"] = jsonValue(*variants_.darkHighContrast);
    if (variants_.name) json["name"] = *variants_.name;
    return json;
}

template class TemplateThemed<std::shared_ptr<const TemplateRGBAColor>>;
template class TemplateThemed<std::shared_ptr<const TemplateShadow>>;
template class TemplateThemed<double>;
template class TemplateThemed<bool>;
template class TemplateThemed<std::string>;

// --- The kind records

namespace {

template <class R>
Value fieldValue(const std::shared_ptr<const R>& record) {
    return recordValue(record);
}
template <class R>
Value fieldValue(const std::vector<std::shared_ptr<const R>>& steps) {
    Value::Array elements;
    elements.reserve(steps.size());
    for (const auto& step : steps) elements.push_back(recordValue(step));
    return Value(std::move(elements));
}

template <class R>
TemplateJSON fieldJSON(const std::shared_ptr<const R>& record) {
    return record->toJSON();
}
template <class R>
TemplateJSON fieldJSON(const std::vector<std::shared_ptr<const R>>& steps) {
    auto json = TemplateJSON::array();
    for (const auto& step : steps) json.push_back(step->toJSON());
    return json;
}

template <class R>
bool isFilled(const std::shared_ptr<const R>& record) {
    return record != nullptr;
}
template <class R>
bool isFilled(const std::vector<std::shared_ptr<const R>>& steps) {
    for (const auto& step : steps) {
        if (!step) return false;
    }
    return true;
}

}  // namespace

template <class Traits>
TemplateKindRecord<Traits>::TemplateKindRecord(Field field) : field_(std::move(field)) {
    quenz::precondition(isFilled(field_), "A template record needs its values");
    value_ = fieldValue(field_);
    static constexpr std::string_view fields[] = {Traits::fieldName};
    static constexpr stencil::HostShape shape{fields};
    this->setSlots(&shape, &value_);
}

template <class Traits>
const Value* TemplateKindRecord<Traits>::find(std::string_view name, Value&) const {
    constexpr std::string_view expected = Traits::fieldName;
    return name.size() == expected.size() && std::memcmp(name.data(), expected.data(), expected.size()) == 0
               ? &value_
               : nullptr;
}

template <class Traits>
TemplateJSON TemplateKindRecord<Traits>::toJSON() const {
    return TemplateJSON{{std::string(Traits::fieldName), fieldJSON(field_)}};
}

template class TemplateKindRecord<TemplateColorItemTraits>;
template class TemplateKindRecord<TemplateColorSetItemTraits>;
template class TemplateKindRecord<TemplateNumberItemTraits>;
template class TemplateKindRecord<TemplateBooleanItemTraits>;
template class TemplateKindRecord<TemplateStringItemTraits>;
template class TemplateKindRecord<TemplateShadowItemTraits>;
template class TemplateKindRecord<TemplateShadowSetItemTraits>;

// --- TemplateItem

namespace {

constexpr std::string_view kindFieldNames[] = {"colorItem", "colorSet",   "number",   "boolean",
                                               "string",    "shadowItem", "shadowSet"};
static_assert(std::size(kindFieldNames) == std::variant_size_v<TemplateItemKind>);
constexpr std::size_t kindSlot = 3;

// One shape per kind: the common fields, then the kind's own.
template <std::size_t Kind>
constexpr std::string_view itemFields[] = {"name", "deprecated", "deprecatedReason", kindFieldNames[Kind]};
template <std::size_t Kind>
constexpr stencil::HostShape itemShape{itemFields<Kind>};
constexpr const stencil::HostShape* itemShapes[] = {&itemShape<0>, &itemShape<1>, &itemShape<2>, &itemShape<3>,
                                                    &itemShape<4>, &itemShape<5>, &itemShape<6>};
static_assert(std::size(itemShapes) == std::size(kindFieldNames));

const Value absentKind;  // a kind an item is not: present, but empty

// The kind a field name stands for, in the order of `kindFieldNames`; told by its length,
// then confirmed whole.
std::optional<std::size_t> kindIndex(std::string_view field) {
    switch (field.size()) {
        case 6:
            if (isName(field, "number")) return 2;
            if (isName(field, "string")) return 4;
            break;
        case 7:
            if (isName(field, "boolean")) return 3;
            break;
        case 8:
            if (isName(field, "colorSet")) return 1;
            break;
        case 9:
            if (isName(field, "colorItem")) return 0;
            if (isName(field, "shadowSet")) return 6;
            break;
        case 10:
            if (isName(field, "shadowItem")) return 5;
            break;
        default: break;
    }
    return std::nullopt;
}

}  // namespace

std::string_view kindFieldName(const TemplateItemKind& kind) { return kindFieldNames[kind.index()]; }

TemplateItem::TemplateItem(std::string name, bool deprecated, std::optional<std::string> deprecatedReason,
                           TemplateItemKind kind)
    : deprecated_(deprecated),
      deprecatedReason_(std::move(deprecatedReason)),
      kind_(std::move(kind)),
      fields_{Value(std::move(name)), Value(deprecated_), optionalValue(deprecatedReason_)} {
    quenz::precondition(std::visit([](const auto& record) { return record != nullptr; }, kind_),
                        "A template item needs its kind record");
    fields_[kindSlot] = std::visit([](const auto& record) { return recordValue(record); }, kind_);
    setSlots(itemShapes[kind_.index()], fields_);
}

const Value* TemplateItem::find(std::string_view field, Value&) const {
    if (isName(field, "name")) return &fields_[0];
    if (isName(field, "deprecated")) return &fields_[1];
    if (isName(field, "deprecatedReason")) return &fields_[2];
    const auto kind = kindIndex(field);
    if (!kind) return nullptr;
    return *kind == kind_.index() ? &fields_[kindSlot] : &absentKind;
}

std::string TemplateItem::description() const {
    return "TemplateItem(name: " + name() + ", " + std::string(kindFieldName(kind_)) + ")";
}

TemplateJSON TemplateItem::toJSON() const {
    TemplateJSON json{{"name", name()}, {"deprecated", deprecated_}};
    if (deprecatedReason_) json["deprecatedReason"] = *deprecatedReason_;
    json[std::string(kindFieldName(kind_))] = std::visit([](const auto& record) { return record->toJSON(); }, kind_);
    return json;
}

}  // namespace vantorel::build
