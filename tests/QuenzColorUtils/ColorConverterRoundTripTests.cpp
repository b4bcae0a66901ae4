// Every string the formatter writes reads back as the same format and, within the precision it
// was written with, the same color.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorOperations.h"

namespace quenz {
namespace {

using F = ColorFormat;

// How far a written color may drift from the original, in components of the color's space.
double toleranceOf(ColorFormat format) {
    switch (format) {
        case F::htmlRGB:
        case F::hexRGB:
        case F::hexARGB:
        case F::hexRGBA:
        case F::cssRGB:
            return 0.5 / 255 + 1e-9;
        case F::cssHSL:
            return 0.015;  // whole degrees and percentages
        case F::cssOKLAB:
        case F::cssOKLCH:
            return 0.001;  // OKLab: lightness to a tenth of a percent, hue to a tenth of a degree
        default:
            return 0.0006;  // four places, and hue spread over six sectors
    }
}

bool isHSB(ColorFormat format) {
    return format == F::floatHSVA || format == F::swiftUIColorHSBA || format == F::swiftNSColorHSBA ||
           format == F::swiftColorHSBA;
}

// Samples in sRGB; each is prepared in the space's own RGB space before it is written.
std::vector<ColorValue> samples() {
    return {
        {RGBSpace::sRGB, 1, 0.5, 0, 1},     {RGBSpace::sRGB, 1, 0.5, 0, 0.25}, {RGBSpace::sRGB, 0, 0, 0, 1},
        {RGBSpace::sRGB, 1, 1, 1, 1},       {RGBSpace::sRGB, 0.2, 0.4, 0.6, 0.8}, {RGBSpace::sRGB, 0.5, 0.5, 0.5, 1},
        {RGBSpace::sRGB, 0.9, 0.1, 0.7, 1}, {RGBSpace::sRGB, 0.01, 0.99, 0.33, 0},
        {RGBSpace::displayP3, 0, 1, 0, 1},  // outside sRGB: negative components in extended sRGB
    };
}

ColorValue prepared(const ColorValue& sample, ColorSpace space) {
    auto converted = convert(sample, rgbSpaceFor(space));
    return converted ? *converted : sample;
}

TEST(ColorConverterRoundTrip, EveryFormatSpaceAndSampleReadsBack) {
    ColorConverterOptions options;
    options.roundedTo = 4;
    int checked = 0;
    for (ColorFormat format : allColorFormats) {
        for (ColorSpace space : supportedColorSpaces(format)) {
            for (const auto& sample : samples()) {
                ColorValue color = prepared(sample, space);
                // Hue, saturation and brightness only describe colors inside the unit cube.
                if (isHSB(format) && isOutsideSRGB(color)) continue;
                auto written = ColorConverter::formatColor(color, format, space, options);
                ASSERT_TRUE(written.colorString) << caseName(format) << " " << caseName(space);
                const std::string& text = *written.colorString;
                SCOPED_TRACE(std::string(caseName(format)) + " in " + std::string(caseName(space)) + ": " + text);

                auto parsed = ColorConverter::parseColor(text, format, space, false);
                ASSERT_EQ(parsed.detectedFormat, format);
                ASSERT_TRUE(parsed.color);
                EXPECT_EQ(parsed.detectedColorSpace, space);
                ColorValue back = *parsed.color;
                double tolerance = toleranceOf(format);
                if (format == F::cssOKLAB || format == F::cssOKLCH) {
                    // Compared where they were rounded: near zero the sRGB curve magnifies tiny errors.
                    auto expected = toOKLab(color);
                    auto actual = toOKLab(back);
                    ASSERT_TRUE(expected && actual);
                    EXPECT_NEAR(actual->l, expected->l, tolerance);
                    EXPECT_NEAR(actual->a, expected->a, tolerance);
                    EXPECT_NEAR(actual->b, expected->b, tolerance);
                    EXPECT_NEAR(back.alpha, color.alpha, 1e-4);
                    ++checked;
                    continue;
                }
                EXPECT_NEAR(back.red, color.red, tolerance);
                EXPECT_NEAR(back.green, color.green, tolerance);
                EXPECT_NEAR(back.blue, color.blue, tolerance);
                bool writesAlpha = format != F::hexRGB;
                if (writesAlpha) {
                    EXPECT_NEAR(back.alpha, color.alpha, 0.5 / 255 + 1e-9);
                }
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 300);
}

TEST(ColorConverterRoundTrip, P3PrefixReadsBackWithSpaceDetection) {
    ColorConverterOptions options;
    options.roundedTo = 4;
    options.p3Prefix = "p3: ";
    const ColorValue color{RGBSpace::displayP3, 0.936, 0.5272, 0.1983, 0.5};
    for (ColorFormat format : formatsSupporting(ColorSpace::displayP3)) {
        auto written = ColorConverter::formatColor(color, format, ColorSpace::displayP3, options);
        ASSERT_TRUE(written.colorString);
        SCOPED_TRACE(*written.colorString);
        // oklab() and oklch() carry no space of their own.
        if (format == F::cssOKLAB || format == F::cssOKLCH) continue;
        auto parsed = ColorConverter::parseColor(*written.colorString, format, ColorSpace::sRGB, true);
        EXPECT_EQ(parsed.detectedFormat, format);
        EXPECT_EQ(parsed.detectedColorSpace, ColorSpace::displayP3);
    }
}

}  // namespace
}  // namespace quenz
