#include "Vantorel/build/exporters/ExportColorText.h"

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorOperations.h"
#include "QuenzColorUtils/ColorSpace.h"

namespace vantorel::build {

namespace {

// An sRGB color inside the unit cube converts to itself: most document colors skip the engine.
bool isPlainSRGB(const quenz::ColorValue& color) {
    const auto unit = [](double c) { return c >= 0 && c <= 1; };
    return color.space == quenz::RGBSpace::sRGB && unit(color.red) && unit(color.green) && unit(color.blue);
}

const quenz::ColorConverterOptions& hexOptions() {
    static const quenz::ColorConverterOptions options = [] {
        quenz::ColorConverterOptions made;
        made.roundedTo = 4;
        return made;
    }();
    return options;
}

}  // namespace

std::optional<std::string> sRGBHexText(const quenz::ColorValue& color, quenz::ColorFormat format) {
    const quenz::ColorValue inSRGB =
        isPlainSRGB(color) ? color
                           : quenz::convert(color, quenz::rgbSpaceFor(quenz::ColorSpace::sRGB)).value_or(color);
    // An opaque "#RRGGBB" is the HTML form itself, written with its "#" in place.
    if (format == quenz::ColorFormat::hexRGB && inSRGB.alpha == 1) format = quenz::ColorFormat::htmlRGB;
    auto result = quenz::ColorConverter::formatColor(inSRGB, format, quenz::ColorSpace::sRGB, hexOptions());
    if (result.colorString && result.colorString->starts_with("0x")) result.colorString->replace(0, 2, "#");
    return std::move(result.colorString);
}

std::optional<std::string_view> sRGBHexText(const quenz::ColorValue& color, quenz::ColorFormat format,
                                            ColorTextStore& texts) {
    return texts.text(color, static_cast<std::uint32_t>(format), [&](std::string& out) {
        auto text = sRGBHexText(color, format);
        if (text) out += *text;
        return text.has_value();
    });
}

}  // namespace vantorel::build
