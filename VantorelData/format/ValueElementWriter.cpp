#include "VantorelData/format/NumberText.h"
#include "VantorelData/format/ValueElements.h"

namespace vantorel::format {
namespace {

// A measured number, or the empty text when it cannot be written.
std::string_view measuredOrEmpty(const std::optional<NumberText>& text) {
    return text ? text->view() : std::string_view{};
}

void writeComponents(XmlSink& sink, const char* name, const quenz::ColorValue& color) {
    sink.leaf(name, componentsText(color.red, color.green, color.blue, color.alpha).view());
}

void writeVariantContent(XmlSink& sink, const quenz::ColorValue& color) { writeComponents(sink, "rgba", color); }

void writeVariantContent(XmlSink& sink, const ShadowDetails& shadow) {
    sink.open("shadowDetails");
    sink.leaf("x", measuredOrEmpty(measuredNumberText(shadow.xOffset)));
    sink.leaf("y", measuredOrEmpty(measuredNumberText(shadow.yOffset)));
    sink.leaf("blur", measuredOrEmpty(measuredNumberText(shadow.blur)));
    sink.leaf("spread", measuredOrEmpty(measuredNumberText(shadow.spread)));
    writeComponents(sink, "colorRgba", shadow.color);
    sink.close();
}

void writeVariantContent(XmlSink& sink, double number) {
    const auto text = measuredNumberText(number);
    sink.leaf("value", text ? text->view() : std::string_view("0"));
}

void writeVariantContent(XmlSink& sink, bool flag) { sink.leaf("value", flag ? "true" : "false"); }

void writeVariantContent(XmlSink& sink, const std::string& text) { sink.leaf("value", text); }

template <class V>
void writeVariant(XmlSink& sink, const char* type, const V& variant) {
    sink.open("variant");
    if (type) sink.attribute("type", type);
    writeVariantContent(sink, variant);
    sink.close();
}

// The value element: optional step name, then the variants in the order light, dark,
// high contrast, dark high contrast.
template <class V>
void writeThemeable(XmlSink& sink, const char* elementName, const Themeable<V>& value, std::string_view name) {
    sink.open(elementName);
    if (!name.empty()) sink.leaf("name", name);
    sink.open("variants");
    writeVariant(sink, nullptr, value.lightVariant);
    if (value.darkVariant()) writeVariant(sink, "dark", *value.darkVariant());
    if (value.lightVariantHighContrast()) writeVariant(sink, "highContrast", *value.lightVariantHighContrast());
    if (value.darkVariantHighContrast()) writeVariant(sink, "darkHighContrast", *value.darkVariantHighContrast());
    sink.close();
    sink.close();
}

}  // namespace

std::string_view profileText(quenz::ColorSpace space) {
    switch (space) {
        case quenz::ColorSpace::sRGB: return "sRGB";
        case quenz::ColorSpace::sRGBExtended: return "extendedSRGB";
        case quenz::ColorSpace::displayP3:
        case quenz::ColorSpace::oklab:
        case quenz::ColorSpace::oklch: return "DisplayP3";
    }
    return "sRGB";
}

void writeColorValue(XmlSink& sink, const ThemeableColor& value) { writeThemeable(sink, "color", value, value.name); }
void writeShadowValue(XmlSink& sink, const ThemeableShadow& value) {
    writeThemeable(sink, "shadow", value, value.name);
}
void writeNumberValue(XmlSink& sink, const ThemeableNumber& value) { writeThemeable(sink, "number", value, {}); }
void writeBooleanValue(XmlSink& sink, const ThemeableBoolean& value) { writeThemeable(sink, "boolean", value, {}); }
void writeStringValue(XmlSink& sink, const ThemeableString& value) { writeThemeable(sink, "string", value, {}); }

void writeValueItemBlocks(XmlSink& sink, const QuenzValueItem& item) {
    const AppearanceType appearance = item.appearanceType();
    if (appearance != AppearanceType::none) {
        sink.leaf("appearance", rawString(appearance));
        if (isAuto(appearance)) sink.leaf("autoContrast", autoContrastText(item.autoContrastAmount()).view());
    }
    if (item.deprecated()) sink.leaf("deprecated", "true");
    const std::optional<std::string>& reason = item.deprecatedReason();
    if (reason && !reason->empty()) sink.leaf("deprecatedReason", *reason);
}

void writeSetBlock(XmlSink& sink, int steps, const SetParameters& parameters) {
    sink.leaf("steps", integerText(steps).view());
    sink.leaf("interpolation", integerText(code(parameters.interpolationMethod)).view());
    sink.leaf("curve", integerText(code(parameters.curveType)).view());
    sink.leaf("curveAmount", plainDoubleText(parameters.curveAmount).view());
    sink.leaf("type", integerText(code(parameters.type)).view());
    sink.leaf("middle", plainDoubleText(parameters.middleLocation).view());
    sink.leaf("naming", integerText(code(parameters.namingScheme)).view());
}

}  // namespace vantorel::format
