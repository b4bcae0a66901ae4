#include "Vantorel/build/templates/TemplateRecords.h"

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
std::optional<Value> optionalValue(const std::optional<V>& value) {
    return value ? templateValue(*value) : Value();
}

}  // namespace

// --- TemplateRGBAColor and TemplateShadow

std::optional<Value> TemplateRGBAColor::lookup(std::string_view name) const {
    if (name == "red") return Value(red);
    if (name == "green") return Value(green);
    if (name == "blue") return Value(blue);
    if (name == "alpha") return Value(alpha);
    if (name == "colorSpace") return Value(caseName(colorSpace));
    return std::nullopt;
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

namespace {

bool sameOptions(const SharedColorOptions& a, const SharedColorOptions& b) {
    return a == b || (a->roundedTo == b->roundedTo && a->forceClip == b->forceClip && a->p3Prefix == b->p3Prefix &&
                      a->suffixWhenClipped == b->suffixWhenClipped);
}

}  // namespace

const std::string* TemplateRGBAColor::formatted(quenz::ColorFormat format, const SharedColorOptions& options) const {
    for (const auto& done : formattedTexts_) {
        if (done.format == format && sameOptions(done.options, options)) return done.text ? &*done.text : nullptr;
    }
    auto result = quenz::ColorConverter::formatColor(colorValue(), format, build::colorSpace(colorSpace), *options);
    if (result.colorString && result.colorString->empty()) result.colorString.reset();
    const auto& done = formattedTexts_.emplace_front(FormattedText{format, options, std::move(result.colorString)});
    return done.text ? &*done.text : nullptr;
}

TemplateShadow::TemplateShadow(double xOffset, double yOffset, double blurRadius, double spreadDistance,
                               std::shared_ptr<const TemplateRGBAColor> shadowColor)
    : x(xOffset), y(yOffset), blur(blurRadius), spread(spreadDistance), color(std::move(shadowColor)) {
    quenz::precondition(color != nullptr, "A template shadow needs a color");
}

std::optional<Value> TemplateShadow::lookup(std::string_view name) const {
    if (name == "x") return Value(x);
    if (name == "y") return Value(y);
    if (name == "blur") return Value(blur);
    if (name == "spread") return Value(spread);
    if (name == "color") return recordValue(color);
    return std::nullopt;
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
std::optional<Value> TemplateThemed<V>::lookup(std::string_view name) const {
    if (name == "light") return templateValue(variants_.light);
    if (name == "highContrast") return optionalValue(variants_.highContrast);
    if (name == "dark") return optionalValue(variants_.dark);
    if (name == "darkHighContrast") return optionalValue(variants_.darkHighContrast);
    if (name == "name" && variants_.name) return Value(*variants_.name);
    return std::nullopt;
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
}

template <class Traits>
std::optional<Value> TemplateKindRecord<Traits>::lookup(std::string_view name) const {
    if (name == Traits::fieldName) return value_;
    return std::nullopt;
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

std::string_view kindFieldName(const TemplateItemKind& kind) {
    static constexpr std::string_view names[] = {"colorItem", "colorSet",   "number",   "boolean",
                                                 "string",    "shadowItem", "shadowSet"};
    static_assert(std::size(names) == std::variant_size_v<TemplateItemKind>);
    return names[kind.index()];
}

TemplateItem::TemplateItem(std::string name, bool deprecated, std::optional<std::string> deprecatedReason,
                           TemplateItemKind kind)
    : name_(std::move(name)),
      deprecated_(deprecated),
      deprecatedReason_(std::move(deprecatedReason)),
      kind_(std::move(kind)) {
    quenz::precondition(std::visit([](const auto& record) { return record != nullptr; }, kind_),
                        "A template item needs its kind record");
}

std::optional<Value> TemplateItem::lookup(std::string_view field) const {
    // Templates ask for the kind and the name of every item, often several times: those first.
    if (field == kindFieldName(kind_)) {
        return std::visit([](const auto& record) { return recordValue(record); }, kind_);
    }
    if (field == "name") return Value(name_);
    if (field == "deprecated") return Value(deprecated_);
    if (field == "deprecatedReason") return deprecatedReason_ ? Value(*deprecatedReason_) : Value();
    for (std::string_view other : {"colorItem", "colorSet", "number", "boolean", "string", "shadowItem", "shadowSet"}) {
        if (field == other) return Value();  // a kind this item is not: present, but empty
    }
    return std::nullopt;
}

std::string TemplateItem::description() const {
    return "TemplateItem(name: " + name_ + ", " + std::string(kindFieldName(kind_)) + ")";
}

TemplateJSON TemplateItem::toJSON() const {
    TemplateJSON json{{"name", name_}, {"deprecated", deprecated_}};
    if (deprecatedReason_) json["deprecatedReason"] = *deprecatedReason_;
    json[std::string(kindFieldName(kind_))] = std::visit([](const auto& record) { return record->toJSON(); }, kind_);
    return json;
}

}  // namespace vantorel::build
