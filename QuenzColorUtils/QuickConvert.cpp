#include "QuenzColorUtils/QuickConvert.h"

#include <cmath>

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorOperations.h"

namespace quenz {

std::vector<ColorConvertData> quickConvertRows(const ColorValue& color, ColorSpace target) {
    auto converted = convert(color, rgbSpaceFor(target));
    const ColorValue& prepared = converted ? *converted : color;
    ColorConverterOptions options;
    options.roundedTo = 4;
    options.p3Prefix = "p3: ";

    std::vector<ColorConvertData> rows;
    for (ColorFormat format : formatsSupporting(target)) {
        if (format == ColorFormat::hexRGB) continue;  // hexRGBA says the same and more
        auto written = ColorConverter::formatColor(prepared, format, target, options);
        if (!written.colorString) continue;
        rows.push_back({std::string(displayName(format)), std::move(*written.colorString), format});
    }
    return rows;
}

namespace {

double simplestByteComponent(double component) {
    double scaled = component * 255;
    double byte = std::round(scaled);
    if (!(component >= 0 && component <= 1) || std::fabs(scaled - byte) > 1e-9) return component;
    for (int places = 0; places <= 4; ++places) {
        double candidate = roundTo(component, places);
        if (std::round(candidate * 255) == byte) return candidate;
    }
    return component;
}

}  // namespace

ColorValue withSimplestByteComponents(const ColorValue& color) {
    ColorValue simple = color;
    simple.red = simplestByteComponent(color.red);
    simple.green = simplestByteComponent(color.green);
    simple.blue = simplestByteComponent(color.blue);
    simple.alpha = simplestByteComponent(color.alpha);
    return simple;
}

QuickConvertViewModel::QuickConvertViewModel(const ColorValue& colorToConvert, ColorSpace fromColorSpace,
                                             ColorSpace toColorSpace)
    : fromColorSpace_(fromColorSpace), colorToConvert_(colorToConvert), toColorSpace_(toColorSpace) {
    rebuild();
}

void QuickConvertViewModel::setFromColorSpace(ColorSpace space) {
    fromColorSpace_ = space;
    rebuild();
}

void QuickConvertViewModel::setColorToConvert(const ColorValue& color) {
    colorToConvert_ = color;
    rebuild();
}

void QuickConvertViewModel::setToColorSpace(ColorSpace space) {
    toColorSpace_ = space;
    rebuild();
}

void QuickConvertViewModel::rebuild() { data_ = quickConvertRows(colorToConvert_, toColorSpace_); }

}  // namespace quenz
