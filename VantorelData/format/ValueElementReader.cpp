#include "VantorelData/format/ChildElements.h"
#include "VantorelData/format/FlatXmlDocument.h"
#include "VantorelData/format/ItemFields.h"
#include "VantorelData/format/NumberText.h"
#include "VantorelData/format/ValueElements.h"
#include "VantorelData/format/XmlReading.h"

namespace vantorel::format {
namespace {

constexpr int colorFormatCount = 18;
constexpr int retiredHexRGBCode = 8;

std::optional<quenz::ColorValue> readComponents(std::optional<std::string_view> text, quenz::RGBSpace space) {
    if (!text) return std::nullopt;
    const auto components = parseComponents(*text);
    if (!components) return std::nullopt;
    quenz::ColorValue color;
    color.space = space;
    color.red = (*components)[0];
    color.green = (*components)[1];
    color.blue = (*components)[2];
    color.alpha = (*components)[3];
    return color;
}

double measuredOrZero(std::optional<std::string_view> text) {
    return text ? measuredNumberOr(*text, 0.0) : 0.0;
}

enum class ShadowField { x, y, blur, spread, colorRgba, count };
constexpr ElementNames<ShadowField> shadowFieldNames({{
    {ShadowField::x, "x"},
    {ShadowField::y, "y"},
    {ShadowField::blur, "blur"},
    {ShadowField::spread, "spread"},
    {ShadowField::colorRgba, "colorRgba"},
}});

struct ColorVariantReader {
    quenz::RGBSpace space;
    template <class Element>
    std::optional<quenz::ColorValue> operator()(Element variant) const {
        return readComponents(textOf(variant.child("rgba")), space);
    }
};

struct ShadowVariantReader {
    quenz::RGBSpace space;
    template <class Element>
    std::optional<ShadowDetails> operator()(Element variant) const {
        const ChildElements<ShadowField, Element> details(variant.child("shadowDetails"), shadowFieldNames);
        const auto color = readComponents(details.text(ShadowField::colorRgba), space);
        if (!color) return std::nullopt;
        return ShadowDetails(*color, measuredOrZero(details.text(ShadowField::x)),
                             measuredOrZero(details.text(ShadowField::y)),
                             measuredOrZero(details.text(ShadowField::blur)),
                             measuredOrZero(details.text(ShadowField::spread)));
    }
};

// A number variant needs a number in its `value` element. Boolean and string variants are
// true exactly when the text is "true", and the text itself: a missing or empty `value` is
// false, or the empty string, as a missing text counts as no text.
struct NumberVariantReader {
    template <class Element>
    std::optional<double> operator()(Element variant) const {
        const auto text = textOf(variant.child("value"));
        return text ? parseDouble(*text) : std::nullopt;
    }
};
struct BooleanVariantReader {
    template <class Element>
    std::optional<bool> operator()(Element variant) const {
        return variant.child("value").value() == "true";
    }
};
struct StringVariantReader {
    template <class Element>
    std::optional<std::string> operator()(Element variant) const {
        return std::string(variant.child("value").value());
    }
};

// The four variants of a value element: the first `variant` without attributes is light, the
// first of each known `type` gives that appearance; later duplicates and other types are
// ignored.
template <class V, class Element, class ReadVariant>
std::optional<Themeable<V>> readVariants(Element element, const ReadVariant& readVariant) {
    Element light, dark, highContrast, darkHighContrast;
    for (Element variant = element.child("variants").firstChild(); variant; variant = variant.nextSibling()) {
        if (variant.name() != "variant") continue;
        const auto type = variant.typeAttribute();
        if (!variant.hasAttributes()) {
            if (!light) light = variant;
        } else if (!type) {
            continue;
        } else if (*type == "dark") {
            if (!dark) dark = variant;
        } else if (*type == "highContrast") {
            if (!highContrast) highContrast = variant;
        } else if (*type == "darkHighContrast") {
            if (!darkHighContrast) darkHighContrast = variant;
        }
    }
    if (!light) return std::nullopt;
    auto lightValue = readVariant(light);
    if (!lightValue) return std::nullopt;
    auto other = [&](Element variant) -> decltype(readVariant(variant)) {
        if (!variant) return std::nullopt;
        return readVariant(variant);
    };
    return Themeable<V>(std::move(*lightValue), other(highContrast), other(dark), other(darkHighContrast));
}

template <class V, class Element, class ReadVariant>
std::optional<NamedThemeable<V>> readNamedVariants(Element element, const ReadVariant& readVariant) {
    auto variants = readVariants<V>(element, readVariant);
    if (!variants) return std::nullopt;
    return NamedThemeable<V>(std::move(*variants), std::string(element.child("name").value()));
}

}  // namespace

quenz::ColorSpace profileSpace(std::optional<std::string_view> text) {
    if (text == "DisplayP3") return quenz::ColorSpace::displayP3;
    if (text == "extendedSRGB") return quenz::ColorSpace::sRGBExtended;
    return quenz::ColorSpace::sRGB;
}

quenz::RGBSpace componentSpace(quenz::ColorSpace profile) {
    switch (profile) {
        case quenz::ColorSpace::displayP3: return quenz::RGBSpace::displayP3;
        case quenz::ColorSpace::sRGBExtended: return quenz::RGBSpace::extendedSRGB;
        default: return quenz::RGBSpace::sRGB;
    }
}

quenz::ColorFormat storedColorFormat(std::optional<std::string_view> text) {
    const auto number = text ? parseInteger(*text) : std::nullopt;
    if (!number || *number < 0 || *number >= colorFormatCount) return quenz::ColorFormat::floatRGBA;
    if (*number == retiredHexRGBCode) return quenz::ColorFormat::hexRGBA;
    return static_cast<quenz::ColorFormat>(*number);
}

template <class Element>
std::optional<ThemeableColor> readColorValue(Element element, quenz::RGBSpace space) {
    return readNamedVariants<quenz::ColorValue>(element, ColorVariantReader{space});
}
template <class Element>
std::optional<ThemeableShadow> readShadowValue(Element element, quenz::RGBSpace space) {
    return readNamedVariants<ShadowDetails>(element, ShadowVariantReader{space});
}
template <class Element>
std::optional<ThemeableNumber> readNumberValue(Element element) {
    return readVariants<double>(element, NumberVariantReader{});
}
template <class Element>
std::optional<ThemeableBoolean> readBooleanValue(Element element) {
    return readVariants<bool>(element, BooleanVariantReader{});
}
template <class Element>
std::optional<ThemeableString> readStringValue(Element element) {
    return readVariants<std::string>(element, StringVariantReader{});
}

template <class Element>
CommonValueFields readCommonFields(const ItemChildren<Element>& fields) {
    CommonValueFields common;
    if (const auto appearance = fields.text(ItemField::appearance)) {
        common.appearanceType = appearanceTypeFromRawString(*appearance).value_or(AppearanceType::none);
    }
    if (const auto amount = fields.text(ItemField::autoContrast)) {
        common.autoContrastAmount = parseDouble(*amount).value_or(defaultAutoContrastAmount);
    }
    common.deprecated = fields.textIs(ItemField::deprecated, "true");
    if (const Element reason = fields.node(ItemField::deprecatedReason)) {
        common.deprecatedReason = std::string(reason.value());
    }
    return common;
}

template <class Element>
std::optional<SetParameters> readSetBlock(const ItemChildren<Element>& fields) {
    const auto middle = fields.text(ItemField::middle);
    const auto middleLocation = middle ? parseDouble(*middle) : std::nullopt;
    const auto interpolation =
        codedCase<InterpolationMethod>(fields.text(ItemField::interpolation), interpolationMethodFromCode);
    const auto naming = codedCase<ColorNamingScheme>(fields.text(ItemField::naming), colorNamingSchemeFromCode);
    // A set that does not say how its steps are made is as unreadable as one without a
    // naming scheme.
    const auto type = codedCase<SetType>(fields.text(ItemField::type), setTypeFromCode);
    if (!middleLocation || !interpolation || !naming || !type) return std::nullopt;

    SetParameters parameters;
    parameters.middleLocation = *middleLocation;
    parameters.interpolationMethod = *interpolation;
    parameters.namingScheme = *naming;
    parameters.type = *type;
    const auto amount = fields.text(ItemField::curveAmount);
    parameters.curveAmount = amount ? parseDouble(*amount).value_or(1.0) : 1.0;
    parameters.curveType =
        codedCase<CurveType>(fields.text(ItemField::curve), curveTypeFromCode).value_or(CurveType::linear);
    return parameters;
}

// The readers over both element views.
#define VANTOREL_VALUE_READERS(Element)                                                                     \
    template std::optional<ThemeableColor> readColorValue(Element, quenz::RGBSpace);                       \
    template std::optional<ThemeableShadow> readShadowValue(Element, quenz::RGBSpace);                     \
    template std::optional<ThemeableNumber> readNumberValue(Element);                                      \
    template std::optional<ThemeableBoolean> readBooleanValue(Element);                                    \
    template std::optional<ThemeableString> readStringValue(Element);                                      \
    template CommonValueFields readCommonFields(const ItemChildren<Element>&);                             \
    template std::optional<SetParameters> readSetBlock(const ItemChildren<Element>&);
VANTOREL_VALUE_READERS(PugiElement)
VANTOREL_VALUE_READERS(FlatXmlElement)
#undef VANTOREL_VALUE_READERS

}  // namespace vantorel::format
