#include "Vantorel/testing/ContrastColorText.h"

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorOperations.h"

namespace vantorel {
namespace {

quenz::ColorConverterOptions reportOptions() {
    quenz::ColorConverterOptions options;
    options.roundedTo = 4;
    options.p3Prefix = "p3: ";
    return options;
}

}  // namespace

std::optional<std::string> testedColorCSSText(const quenz::ColorValue& color) {
    auto space = quenz::colorSpaceOf(color);
    if (!space) return std::nullopt;
    auto written = quenz::ColorConverter::formatColor(color, quenz::ColorFormat::cssColor, *space, reportOptions());
    if (!written.colorString || written.colorString->empty()) return std::nullopt;
    return written.colorString;
}

std::optional<std::string> inspectorColorText(const quenz::ColorValue& color, quenz::ColorFormat format,
                                              quenz::ColorSpace space) {
    auto prepared = quenz::convert(color, quenz::rgbSpaceFor(space)).value_or(color);
    auto written = quenz::ColorConverter::formatColor(prepared, format, quenz::fitSpace(space, format), reportOptions());
    if (!written.colorString || written.colorString->empty()) return std::nullopt;
    return written.colorString;
}

}  // namespace vantorel
