#include "Vantorel/build/exporters/ExportColorText.h"

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorOperations.h"
#include "QuenzColorUtils/ColorSpace.h"

namespace vantorel::build {

std::optional<std::string> sRGBHexText(const quenz::ColorValue& color, quenz::ColorFormat format) {
    const quenz::ColorValue inSRGB = quenz::convert(color, quenz::rgbSpaceFor(quenz::ColorSpace::sRGB)).value_or(color);
    quenz::ColorConverterOptions options;
    options.roundedTo = 4;
    auto result = quenz::ColorConverter::formatColor(inSRGB, format, quenz::ColorSpace::sRGB, options);
    if (result.colorString && result.colorString->starts_with("0x")) result.colorString->replace(0, 2, "#");
    return std::move(result.colorString);
}

}  // namespace vantorel::build
