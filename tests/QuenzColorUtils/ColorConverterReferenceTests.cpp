// Every written form of a few hundred colors (edge values, random, out of gamut, with alpha,
// non-finite) in every format, space and a spread of options, checked byte for byte against the
// text the formatter wrote when the reference file was made. A faster writer must not change one
// byte of any exported file.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorFormatPrintf.h"
#include "QuenzColorUtils/ColorOperations.h"

namespace quenz {
namespace {

// The option sets the reference file numbers 0 to 6: places, P3 prefix, clipped suffix, force
// clip. Users may type printf placeholders into prefix and suffix; they are filled like the
// form's own, so set 4 carries some.
const std::array<ColorConverterOptions, 7> referenceOptions = {{
    {4, {}, {}, false},
    {3, "p3: ", " (clipped)", false},
    {0, {}, {}, true},
    {6, {}, {}, false},
    {2, "P3 %% ", " %g!", false},
    {17, {}, "*", true},
    {1, "p3: ", {}, false},
}};

double component(std::istringstream& fields) {
    std::string text;
    fields >> text;
    return std::strtod(text.c_str(), nullptr);  // C hex floats, "nan" and "inf" read exactly
}

TEST(ColorConverterReference, EveryFormWrittenAsBefore) {
    std::ifstream file(std::string(VANTOREL_TEST_DATA) + "/FormattedColors.txt");
    ASSERT_TRUE(file) << "reference file missing";
    ColorValue color;
    std::size_t checked = 0;
    std::size_t failures = 0;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        if (line[0] == 'C') {
            std::string tag;
            int space = 0;
            fields >> tag >> space;
            color.space = static_cast<RGBSpace>(space);
            color.red = component(fields);
            color.green = component(fields);
            color.blue = component(fields);
            color.alpha = component(fields);
            color.cmykBlack = component(fields);
            continue;
        }
        int format = 0, space = 0, option = 0, clipped = 0;
        fields >> format >> space >> option >> clipped;
        std::string expected = line.substr(static_cast<std::size_t>(fields.tellg()) + 1);
        const auto& options = referenceOptions.at(static_cast<std::size_t>(option));
        auto result = ColorConverter::formatColor(color, static_cast<ColorFormat>(format),
                                                  static_cast<ColorSpace>(space), options);
        const std::string written = result.colorString ? *result.colorString : "!";
        // The appending form leaves what the buffer held and adds the same text.
        std::string appended = "> ";
        const auto appendedClip = ColorConverter::appendFormattedColor(
            appended, color, static_cast<ColorFormat>(format), static_cast<ColorSpace>(space), options);
        const bool appendsAlike = appendedClip ? appended == "> " + written && *appendedClip == result.clipped
                                               : appended == "> " && written == "!";
        ++checked;
        if (written != expected || result.clipped != (clipped == 1) || !appendsAlike) {
            // Report a handful in full; one wrong digit usually repeats across thousands of lines.
            if (++failures <= 20) {
                ADD_FAILURE() << line << "\n  written: " << written << (result.clipped ? " (clipped)" : "")
                              << "\n  appended: " << appended;
            }
        }
    }
    EXPECT_EQ(failures, 0u);
    EXPECT_GT(checked, 15000u);
}

// oklab() and oklch() as a plain writer puts them: the library's conversion, rounding and the
// general printf filler. The fast writer bounds its values instead of computing them exactly,
// so it must agree with this everywhere, most of all where a value sits on a rounding step.
std::string plainOKText(const ColorValue& color, ColorFormat format, int places) {
    auto value = PrintfValue::ofReal;
    if (format == ColorFormat::cssOKLCH) {
        const OKLCHValues lch = *toOKLCH(color);
        const double alpha = roundTo(lch.alpha, places);
        return printfFormat(alpha == 1 ? "oklch(%g%% %g %g)" : "oklch(%g%% %g %g / %g)",
                            std::array{value(roundTo(lch.lightness * 100, 1)), value(roundTo(lch.chroma, places)),
                                       value(roundTo(degreesFromRadians(lch.hue), 1)), value(alpha)});
    }
    const OKLabValues lab = *toOKLab(color);
    const double alpha = roundTo(lab.alpha, places);
    return printfFormat(alpha == 1 ? "oklab(%g%% %g %g)" : "oklab(%g%% %g %g / %g)",
                        std::array{value(roundTo(lab.l, places) * 100), value(roundTo(lab.a, places)),
                                   value(roundTo(lab.b, places)), value(alpha)});
}

// A color between two (mixed componentwise in extended sRGB) on which `measure` crosses the
// nearest half step (or zero), found by bisection: it sits on the rounding step within a few
// units in the last place, where a bounded value cannot decide and the exact one must.
template <typename Measure>
ColorValue colorOnHalfStep(const ColorValue& from, const ColorValue& to, Measure measure, bool zero = false) {
    const auto at = [&](double t) {
        return ColorValue{RGBSpace::extendedSRGB, from.red + (to.red - from.red) * t,
                          from.green + (to.green - from.green) * t, from.blue + (to.blue - from.blue) * t, 1};
    };
    const double step = zero ? 0 : std::floor(measure(at(0.5))) + 0.5;
    const bool rising = measure(at(1)) > measure(at(0));
    double low = 0, high = 1;
    for (int i = 0; i < 80; ++i) {
        const double middle = (low + high) / 2;
        ((measure(at(middle)) < step) == rising ? low : high) = middle;
    }
    return at(low);
}

// Random colors (bytes, greys, extended values, spaces beyond sRGB) and colors on a rounding step
// of L (to 0.1%), C (to 4 places) or h (to 0.1°), or with a of either sign near 0 ("-0" or "0").
std::vector<ColorValue> okTextColors() {
    std::mt19937_64 random(18);
    std::uniform_real_distribution<double> unit(0, 1), wide(-0.5, 1.5);
    const RGBSpace spaces[] = {RGBSpace::sRGB, RGBSpace::extendedSRGB, RGBSpace::displayP3, RGBSpace::adobeRGB1998};
    const auto lightness = [](const ColorValue& c) { return toOKLCH(c)->lightness * 1000; };
    const auto chroma = [](const ColorValue& c) { return toOKLCH(c)->chroma * 1e4; };
    const auto hue = [](const ColorValue& c) { return degreesFromRadians(toOKLCH(c)->hue) * 10; };
    const auto a = [](const ColorValue& c) { return toOKLab(c)->a; };
    std::vector<ColorValue> colors;
    for (int i = 0; i < 6000; ++i) {
        const RGBSpace space = spaces[i % 4];
        const ColorValue randomColor{space, unit(random), unit(random), unit(random), 1};
        switch (i % 5) {
            case 0: colors.push_back(randomColor); break;
            case 1: colors.push_back({space, (i % 256) / 255.0, (i * 7 % 256) / 255.0, (i * 13 % 256) / 255.0, 0.5});
                break;
            case 2: colors.push_back({space, randomColor.red, randomColor.red, randomColor.red, 1}); break;
            case 3: colors.push_back({RGBSpace::extendedSRGB, wide(random), wide(random), wide(random), 1}); break;
            default: {
                const ColorValue other{RGBSpace::sRGB, unit(random), unit(random), unit(random), 1};
                const ColorValue from{RGBSpace::sRGB, randomColor.red, randomColor.green, randomColor.blue, 1};
                const ColorValue green{RGBSpace::sRGB, 0.1 * from.red, 0.5 + 0.5 * from.green, 0.1 * from.blue, 1};
                const ColorValue magenta{RGBSpace::sRGB, 0.5 + 0.5 * other.red, 0.1 * other.green, 0.5 + 0.5 * other.blue, 1};
                if (i % 4 == 0) colors.push_back(colorOnHalfStep(from, other, lightness));
                if (i % 4 == 1) colors.push_back(colorOnHalfStep(from, other, chroma));
                if (i % 4 == 2) colors.push_back(colorOnHalfStep(from, other, hue));
                if (i % 4 == 3) colors.push_back(colorOnHalfStep(green, magenta, a, true));
            }
        }
    }
    return colors;
}

TEST(ColorConverterReference, OKLabAndOKLCHAgreeWithThePlainWriter) {
    std::size_t failures = 0;
    int round = 0;
    for (const ColorValue& color : okTextColors()) {
        for (ColorFormat format : {ColorFormat::cssOKLAB, ColorFormat::cssOKLCH}) {
            ColorConverterOptions options;
            options.roundedTo = std::array{4, 4, 3, 1, 6, 9, 17}[++round % 7];
            const auto written = ColorConverter::formatColor(color, format, ColorSpace::sRGBExtended, options);
            const std::string expected = plainOKText(color, format, options.roundedTo);
            if (written.colorString != expected && ++failures <= 10) {
                ADD_FAILURE() << expected << " written as " << written.colorString.value_or("!");
            }
        }
    }
    EXPECT_EQ(failures, 0u);
}

}  // namespace
}  // namespace quenz
