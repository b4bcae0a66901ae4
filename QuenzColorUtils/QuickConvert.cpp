#include "QuenzColorUtils/QuickConvert.h"

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
