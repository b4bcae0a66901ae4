#pragma once
// Quick convert: one color shown in every text form that a chosen color space supports, one row
// per form, with the rounding and "p3: " prefix of the quick-convert tool.

#include <string>
#include <vector>

#include "QuenzColorUtils/ColorFormat.h"
#include "QuenzColorUtils/ColorSpace.h"
#include "QuenzColorUtils/ColorValue.h"

namespace quenz {

// One row: the form's display name and the written color.
struct ColorConvertData {
    std::string format;
    std::string value;
    ColorFormat colorFormat = ColorFormat::floatRGBA;  // the form the row shows

    friend bool operator==(const ColorConvertData&, const ColorConvertData&) = default;
};

// The rows for `color` in `target`, in format order: the color is first converted into the
// target's RGB space (or used as it is when that fails), then written in every format that
// supports the target except hexRGB; forms that cannot be written are left out.
std::vector<ColorConvertData> quickConvertRows(const ColorValue& color, ColorSpace target);

// The state behind the quick-convert window; the rows follow every change of its inputs.
class QuickConvertViewModel {
public:
    explicit QuickConvertViewModel(const ColorValue& colorToConvert, ColorSpace fromColorSpace = ColorSpace::sRGB,
                                   ColorSpace toColorSpace = ColorSpace::sRGB);

    ColorSpace fromColorSpace() const { return fromColorSpace_; }
    const ColorValue& colorToConvert() const { return colorToConvert_; }
    ColorSpace toColorSpace() const { return toColorSpace_; }
    const std::vector<ColorConvertData>& data() const { return data_; }

    void setFromColorSpace(ColorSpace space);
    void setColorToConvert(const ColorValue& color);
    void setToColorSpace(ColorSpace space);

private:
    void rebuild();

    ColorSpace fromColorSpace_;
    ColorValue colorToConvert_;
    ColorSpace toColorSpace_;
    std::vector<ColorConvertData> data_;
};

}  // namespace quenz
