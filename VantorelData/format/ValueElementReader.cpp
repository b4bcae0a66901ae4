#include <cstring>

#include "VantorelData/format/ChildElements.h"
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
    return text ? parseMeasuredNumber(*text).value_or(0.0) : 0.0;
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
    std::optional<quenz::ColorValue> operator()(pugi::xml_node variant) const {
        return readComponents(childText(variant, "rgba"), space);
    }
};

struct ShadowVariantReader {
    quenz::RGBSpace space;
    std::optional<ShadowDetails> operator()(pugi::xml_node variant) const {
        const ChildElements<ShadowField> details(variant.child("shadowDetails"), shadowFieldNames);
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
std::optional<double> readNumberVariant(pugi::xml_node variant) {
    const auto text = childText(variant, "value");
    return text ? parseDouble(*text) : std::nullopt;
}
std::optional<bool> readBooleanVariant(pugi::xml_node variant) {
    return std::strcmp(variant.child("value").child_value(), "true") == 0;
}
std::optional<std::string> readStringVariant(pugi::xml_node variant) {
    return std::string(variant.child("value").child_value());
}

// The four variants of a value element: the first `variant` without attributes is light, the
// first of each known `type` gives that appearance; later duplicates and other types are
// ignored.
template <class V, class ReadVariant>
std::optional<Themeable<V>> readVariants(pugi::xml_node element, const ReadVariant& readVariant) {
    pugi::xml_node light, dark, highContrast, darkHighContrast;
    for (const pugi::xml_node variant : element.child("variants").children("variant")) {
        const pugi::xml_attribute type = variant.attribute("type");
        if (!variant.first_attribute()) {
            if (!light) light = variant;
        } else if (!type) {
            continue;
        } else if (std::strcmp(type.value(), "dark") == 0) {
            if (!dark) dark = variant;
        } else if (std::strcmp(type.value(), "highContrast") == 0) {
            if (!highContrast) highContrast = variant;
        } else if (std::strcmp(type.value(), "darkHighContrast") == 0) {
            if (!darkHighContrast) darkHighContrast = variant;
        }
    }
    if (!light) return std::nullopt;
    auto lightValue = readVariant(light);
    if (!lightValue) return std::nullopt;
    auto other = [&](pugi::xml_node variant) -> decltype(readVariant(variant)) {
        if (!variant) return std::nullopt;
        return readVariant(variant);
    };
    return Themeable<V>(std::move(*lightValue), other(highContrast), other(dark), other(darkHighContrast));
}

template <class V, class ReadVariant>
std::optional<NamedThemeable<V>> readNamedVariants(pugi::xml_node element, const ReadVariant& readVariant) {
    auto variants = readVariants<V>(element, readVariant);
    if (!variants) return std::nullopt;
    return NamedThemeable<V>(std::move(*variants), childTextOr(element, "name"));
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

std::optional<ThemeableColor> readColorValue(pugi::xml_node element, quenz::RGBSpace space) {
    return readNamedVariants<quenz::ColorValue>(element, ColorVariantReader{space});
}
std::optional<ThemeableShadow> readShadowValue(pugi::xml_node element, quenz::RGBSpace space) {
    return readNamedVariants<ShadowDetails>(element, ShadowVariantReader{space});
}
std::optional<ThemeableNumber> readNumberValue(pugi::xml_node element) {
    return readVariants<double>(element, readNumberVariant);
}
std::optional<ThemeableBoolean> readBooleanValue(pugi::xml_node element) {
    return readVariants<bool>(element, readBooleanVariant);
}
std::optional<ThemeableString> readStringValue(pugi::xml_node element) {
    return readVariants<std::string>(element, readStringVariant);
}

CommonValueFields readCommonFields(const ItemChildren& fields) {
    CommonValueFields common;
    if (const auto appearance = fields.text(ItemField::appearance)) {
        common.appearanceType = appearanceTypeFromRawString(*appearance).value_or(AppearanceType::none);
    }
    if (const auto amount = fields.text(ItemField::autoContrast)) {
        common.autoContrastAmount = parseDouble(*amount).value_or(defaultAutoContrastAmount);
    }
    common.deprecated = fields.textIs(ItemField::deprecated, "true");
    if (const pugi::xml_node reason = fields.node(ItemField::deprecatedReason)) {
        common.deprecatedReason = std::string(reason.child_value());
    }
    return common;
}

CommonValueFields readCommonFields(pugi::xml_node itemElement) { return readCommonFields(ItemChildren(itemElement)); }

std::optional<SetParameters> readSetBlock(const ItemChildren& fields) {
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

std::optional<SetParameters> readSetBlock(pugi::xml_node itemElement) { return readSetBlock(ItemChildren(itemElement)); }

}  // namespace vantorel::format
