#pragma once
// ColorConverter: the only way color text is written or read. `formatColor` writes a ColorValue
// in one of the eighteen ColorFormat forms; `parseColor` reads such text back, detecting the
// format, and the color space when asked. Numbers are written as printf "%g" in the "C" locale
// after rounding, whatever the user's locale; hex digits are upper case.

#include <optional>
#include <string>
#include <string_view>

#include "QuenzColorUtils/ColorFormat.h"
#include "QuenzColorUtils/ColorSpace.h"
#include "QuenzColorUtils/ColorValue.h"

namespace quenz {

struct ColorConverterOptions {
    int roundedTo = 3;                             // decimal places of floating components
    std::optional<std::string> p3Prefix;           // in front of some forms when the space is displayP3
    std::optional<std::string> suffixWhenClipped;  // after the form when the color was clipped to sRGB
    bool forceClip = false;                        // clip colors outside sRGB even where the form could keep them
};

struct ColorConverterResult {
    std::optional<std::string> colorString;  // empty when the format cannot be written for the space
    bool clipped = false;

    friend bool operator==(const ColorConverterResult&, const ColorConverterResult&) = default;
};

// What the parser read: all three are set, or none is.
struct ConvertedColor {
    std::optional<ColorValue> color;
    std::optional<ColorFormat> detectedFormat;
    std::optional<ColorSpace> detectedColorSpace;
};

// A color value in an imported file that cannot be read; the message is shown to the user.
struct DocumentColorParsingError {
    std::string message;
};

namespace ColorConverter {

// Writes `color` in `format`. The caller has already converted the color into rgbSpaceFor(space)
// (or passes it unconverted when that failed) and chosen `space` with fitSpace. Never throws.
ColorConverterResult formatColor(const ColorValue& color, ColorFormat format, ColorSpace space,
                                 const ColorConverterOptions& options);

// The text formatColor writes, appended to `out` (a buffer the caller reuses, or the output
// itself) instead of returned as a new string. Gives whether the color was clipped, or none,
// appending nothing, when formatColor gives no text.
std::optional<bool> appendFormattedColor(std::string& out, const ColorValue& color, ColorFormat format,
                                         ColorSpace space, const ColorConverterOptions& options);

// Reads a color from `text`, trying `preferredFormat` first and then the other detectable forms.
// With `detectColorSpace` a text mentioning "p3" (any case) is read as Display P3, and a
// requested displayP3 falls back to sRGB otherwise. Text without a color gives an empty result.
ConvertedColor parseColor(std::string_view text, ColorFormat preferredFormat, ColorSpace requestedSpace,
                          bool detectColorSpace);

// A CSS color() function read in its own space.
struct CSSColorFunction {
    ColorValue color;
    std::string_view identifier;  // "srgb", "a98-rgb", …
};

// Reads "color(SPACE c1 c2 c3 [/ alpha])" in every CSS color() space that importers understand
// ("srgb", "srgb-linear", "display-p3", "display-p3-linear", "a98-rgb", "prophoto-rgb",
// "xyz-d50"), keeping the components as written in that space; "srgb" is read as extended sRGB
// so values beyond 0…1 survive. Percentages map 100% to 1; alpha is held in 0…1. None when the
// text holds no such function. parseColor keeps to its own forms and does not use this.
std::optional<CSSColorFunction> parseCSSColorFunction(std::string_view text);

using quenz::displayName;
using quenz::fitSpace;
using quenz::formatsSupporting;
using quenz::supportedColorSpaces;

}  // namespace ColorConverter
}  // namespace quenz
