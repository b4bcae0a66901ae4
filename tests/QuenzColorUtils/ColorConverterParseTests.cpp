#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorOperations.h"

namespace quenz {
namespace {

using F = ColorFormat;
using S = ColorSpace;

struct ParseCase {
    std::string text;
    ColorFormat preferred;
    ColorSpace requested;
    bool detect;
    std::optional<ColorFormat> format;  // none: nothing matches
    ColorSpace space = S::sRGB;
    double red = 0, green = 0, blue = 0, alpha = 1;
};

void expectParsed(const std::vector<ParseCase>& cases) {
    for (const auto& c : cases) {
        auto parsed = ColorConverter::parseColor(c.text, c.preferred, c.requested, c.detect);
        EXPECT_EQ(parsed.detectedFormat, c.format) << c.text;
        if (!c.format) {
            EXPECT_FALSE(parsed.color) << c.text;
            EXPECT_FALSE(parsed.detectedColorSpace) << c.text;
            continue;
        }
        ASSERT_TRUE(parsed.color) << c.text;
        EXPECT_EQ(parsed.detectedColorSpace, c.space) << c.text;
        EXPECT_NEAR(parsed.color->red, c.red, 3e-3) << c.text;
        EXPECT_NEAR(parsed.color->green, c.green, 3e-3) << c.text;
        EXPECT_NEAR(parsed.color->blue, c.blue, 3e-3) << c.text;
        EXPECT_NEAR(parsed.color->alpha, c.alpha, 3e-3) << c.text;
    }
}

constexpr double b128 = 128.0 / 255;
constexpr double b64 = 64.0 / 255;

TEST(ColorConverterParse, HexForms) {
    expectParsed({
        {"#ff8000", F::htmlRGB, S::sRGB, false, F::htmlRGB, S::sRGB, 1, b128, 0},
        {"FF8000", F::htmlRGB, S::sRGB, false, F::htmlRGB, S::sRGB, 1, b128, 0},
        {"##FF800040", F::htmlRGB, S::sRGB, false, F::htmlRGB, S::sRGB, 1, b128, 0, b64},
        {"#F80", F::htmlRGB, S::sRGB, false, F::htmlRGB, S::sRGB, 1, 136.0 / 255, 0},
        {"  p3: #FF8000\n", F::htmlRGB, S::sRGB, true, F::htmlRGB, S::displayP3, 1, b128, 0},
        {"#FF80", F::htmlRGB, S::sRGB, false, F::htmlRGB, S::sRGB, 1, 1, 136.0 / 255, 0},
        {"0xFF8000", F::htmlRGB, S::sRGB, false, F::hexRGB, S::sRGB, 1, b128, 0},
        {"let c = 0xFF800040;", F::hexARGB, S::sRGB, false, F::hexARGB, S::sRGB, b128, 0, b64, 1},
        {"let c = 0xFF800040;", F::htmlRGB, S::sRGB, false, F::hexRGBA, S::sRGB, 1, b128, 0, b64},
        {"0xFF800040", F::hexRGB, S::sRGB, false, F::hexRGBA, S::sRGB, 1, b128, 0, b64},
        {"#GG8000", F::htmlRGB, S::sRGB, false, std::nullopt},
        {"#FF80001", F::htmlRGB, S::sRGB, false, std::nullopt},
        {"0xFF80", F::hexRGB, S::sRGB, false, std::nullopt},
    });
}

TEST(ColorConverterParse, CssFunctions) {
    expectParsed({
        {"rgb(255, 128, 0)", F::cssRGB, S::sRGB, false, F::cssRGB, S::sRGB, 1, b128, 0},
        {"color: rgb(255 128 0 / 0.25);", F::htmlRGB, S::sRGB, false, F::cssRGB, S::sRGB, 1, b128, 0, 0.25},
        {"rgb( 255,128,0 / 50% )", F::cssRGB, S::sRGB, false, F::cssRGB, S::sRGB, 1, b128, 0, 0.5},
        {"rgb(100%, 50%, 0%)", F::cssRGB, S::sRGB, false, F::cssRGB, S::sRGB, 1, 0.5, 0},
        // The words are case-sensitive: only the numbers are found, as floats.
        {"RGB(255, 0, 0)", F::cssRGB, S::sRGB, false, F::floatRGBA, S::sRGB, 1, 0, 0},
        {"rgb(300, -20, 0)", F::cssRGB, S::sRGB, false, F::cssRGB, S::sRGB, 1, 0, 0},
        {"hsl(30 100% 50%)", F::cssHSL, S::sRGB, false, F::cssHSL, S::sRGB, 1, 0.5, 0},
        {"hsl(240, 100%, 25%, 0.5)", F::htmlRGB, S::sRGB, false, F::cssHSL, S::sRGB, 0, 0, 0.5, 0.5},
        {"hsl(-120deg 100% 50%)", F::cssHSL, S::sRGB, false, F::cssHSL, S::sRGB, 0, 0, 1},
        {"color(srgb 1 0.5 0)", F::cssColor, S::sRGB, false, F::cssColor, S::sRGB, 1, 0.5, 0},
        {"color(display-p3 1 0.5 0 / 0.25)", F::cssColor, S::sRGB, true, F::cssColor, S::displayP3, 1, 0.5, 0, 0.25},
        // Without preference color(display-p3 …) is read as the form rgb() writes for P3.
        {"color(display-p3 1 0.5 0)", F::htmlRGB, S::displayP3, false, F::cssRGB, S::displayP3, 1, 0.5, 0},
        // color(srgb …) is recognised only when preferred.
        {"color(srgb 1 0.5 0)", F::htmlRGB, S::sRGB, false, F::floatRGBA, S::sRGB, 1, 0.5, 0},
        {"color(xyz 1 0.5 0)", F::cssColor, S::sRGB, false, F::floatRGBA, S::sRGB, 1, 0.5, 0},
        {"oklab(62.8% 0.2249 0.1258)", F::cssOKLAB, S::sRGB, false, F::cssOKLAB, S::sRGB, 1, 0, 0},
        {"oklab(0.628 56.225% 31.45% / 50%)", F::cssOKLAB, S::sRGB, false, F::cssOKLAB, S::sRGB, 1, 0, 0, 0.5},
        {"oklch(62.8% 0.2577 29.2)", F::cssOKLCH, S::sRGB, false, F::cssOKLCH, S::sRGB, 1, 0, 0},
        {"oklch(100% 0 0)", F::cssOKLCH, S::sRGBExtended, false, F::cssOKLCH, S::sRGBExtended, 1, 1, 1},
        // oklch() and oklab() are recognised only when preferred.
        {"oklch(62.8% 0.2577 29.2)", F::htmlRGB, S::sRGB, false, std::nullopt},
    });
}

TEST(ColorConverterParse, CodeInitialisers) {
    expectParsed({
        {"view.backgroundColor = NSColor(red: 1, green: 0.5, blue: 0, alpha: 0.25)", F::htmlRGB, S::sRGB, false,
         F::swiftNSColorRGBA, S::sRGB, 1, 0.5, 0, 0.25},
        {"NSColor(displayP3Red: 1, green: 0.5, blue: 0, alpha: 1)", F::htmlRGB, S::sRGB, true, F::swiftNSColorRGBA,
         S::displayP3, 1, 0.5, 0},
        {"NSColor(colorSpace: .extendedSRGB, hue: 0.5, saturation: 1, brightness: 1, alpha: 1)", F::htmlRGB,
         S::sRGBExtended, false, F::swiftNSColorHSBA, S::sRGBExtended, 0, 1, 1},
        {"UIColor(red:1,green:0.5,blue:0,alpha:1)", F::htmlRGB, S::sRGB, false, F::swiftUIColorRGBA, S::sRGB, 1, 0.5,
         0},
        {"UIColor(hue: 0, saturation: 1, brightness: 0.5, alpha: 1)", F::htmlRGB, S::sRGB, false, F::swiftUIColorHSBA,
         S::sRGB, 0.5, 0, 0},
        {"Color(.displayP3, red: 1, green: 0.5, blue: 0)", F::htmlRGB, S::displayP3, false, F::swiftColorRGBA,
         S::displayP3, 1, 0.5, 0},
        {"Color(red: 1, green: 0.5, blue: 0, opacity: 0.25)", F::htmlRGB, S::sRGB, false, F::swiftColorRGBA, S::sRGB,
         1, 0.5, 0, 0.25},
        {"Color(hue: 0.5, saturation: 1, brightness: 1, opacity: 1)", F::htmlRGB, S::sRGB, false, F::swiftColorHSBA,
         S::sRGB, 0, 1, 1},
        {"Color(red = 1f, green = 0.5f, blue = 0f, alpha = 1f, colorSpace = ColorSpaces.Srgb)",
         F::androidComposeColor, S::sRGB, false, F::androidComposeColor, S::sRGB, 1, 0.5, 0},
        {"Color(red = 1.5f, green = -0.5f, blue = 0f, alpha = 1f)", F::androidComposeColor, S::sRGBExtended, false,
         F::androidComposeColor, S::sRGBExtended, 1.5, -0.5, 0},
        // RGB initialisers clamp: 0…1 in sRGB, −2…2 in extended sRGB.
        {"UIColor(red: 3, green: -3, blue: 0.5, alpha: 1)", F::htmlRGB, S::sRGBExtended, false,
         F::swiftUIColorRGBA, S::sRGBExtended, 2, -2, 0.5},
        {"UIColor(red: 3, green: -3, blue: 0.5, alpha: 1)", F::htmlRGB, S::sRGB, false, F::swiftUIColorRGBA, S::sRGB,
         1, 0, 0.5},
        {"nscolor(red: 1, green: 0.5, blue: 0, alpha: 1)", F::swiftNSColorRGBA, S::sRGB, false, std::nullopt},
    });
}

TEST(ColorConverterParse, FloatsAndNumbers) {
    expectParsed({
        {"1 0.5 0 1", F::floatRGBA, S::sRGB, false, F::floatRGBA, S::sRGB, 1, 0.5, 0},
        {"1, .5, 0", F::htmlRGB, S::sRGB, false, F::floatRGBA, S::sRGB, 1, 0.5, 0},
        {"0.5 1 1 0.5", F::floatHSVA, S::sRGB, false, F::floatHSVA, S::sRGB, 0, 1, 1, 0.5},
        {"p3: 1 0.5 0 1", F::floatRGBA, S::displayP3, true, F::floatRGBA, S::displayP3, 1, 0.5, 0},
        {"1.2.3 0.5 0.25 0.125", F::floatRGBA, S::sRGB, false, F::floatRGBA, S::sRGB, 0.3, 0.5, 0.25, 0.125},
        {"+1 0.5 0", F::floatRGBA, S::sRGB, false, F::floatRGBA, S::sRGB, 1, 0.5, 0},
        // No exponents: "e-05" reads as -5, clamped to 0.
        {"1e-05 0.5 0 1", F::floatRGBA, S::sRGB, false, F::floatRGBA, S::sRGB, 0, 0.5, 0},
        {"", F::htmlRGB, S::sRGB, true, std::nullopt},
        {"no color here", F::floatRGBA, S::sRGB, true, std::nullopt},
        {"1 2", F::floatRGBA, S::sRGB, true, std::nullopt},
        // A number too large for a double reads as 0.
        {std::string(400, '9') + " 0.5 0.25", F::floatRGBA, S::sRGBExtended, false, F::floatRGBA, S::sRGBExtended, 0,
         0.5, 0.25},
    });
}

TEST(ColorConverterParse, DetectsTheSpace) {
    struct Case {
        std::string text;
        ColorSpace requested;
        bool detect;
        ColorSpace space;
    };
    const Case cases[] = {
        {"P3 #FF8000", S::sRGB, true, S::displayP3},
        {"p3: #FF8000", S::oklch, true, S::displayP3},
        {"#FF8000", S::displayP3, true, S::sRGB},
        {"#FF8000", S::displayP3, false, S::displayP3},
        {"#FF8000", S::sRGBExtended, true, S::sRGBExtended},
        {"p3: #FF8000", S::sRGB, false, S::sRGB},
    };
    for (const auto& c : cases) {
        auto parsed = ColorConverter::parseColor(c.text, F::htmlRGB, c.requested, c.detect);
        EXPECT_EQ(parsed.detectedColorSpace, c.space) << c.text;
    }
}

TEST(ColorConverterParse, OKLabLandsInThePlatformSpaceOfTheRequest) {
    auto parsed = ColorConverter::parseColor("oklch(62.8% 0.2577 29.2)", F::cssOKLCH, S::oklch, false);
    ASSERT_TRUE(parsed.color);
    EXPECT_EQ(parsed.color->space, RGBSpace::displayP3);
    auto asSRGB = convert(*parsed.color, RGBSpace::extendedSRGB);
    ASSERT_TRUE(asSRGB);
    EXPECT_NEAR(asSRGB->red, 1, 3e-3);
    EXPECT_NEAR(asSRGB->green, 0, 3e-3);
    auto wide = ColorConverter::parseColor("oklch(70% 0.4 145)", F::cssOKLCH, S::sRGBExtended, false);
    ASSERT_TRUE(wide.color);
    EXPECT_EQ(wide.color->space, RGBSpace::extendedSRGB);
    EXPECT_TRUE(isOutsideSRGB(*wide.color));
}

// color() in any space importers understand is read in that space, as written.
TEST(ColorConverterParse, CSSColorFunctionInItsOwnSpace) {
    struct Case {
        std::string text;
        std::optional<RGBSpace> space;  // none: not read
        double red = 0, green = 0, blue = 0, alpha = 1;
    };
    const Case cases[] = {
        {"color(srgb 1.2 0.5 -0.1)", RGBSpace::extendedSRGB, 1.2, 0.5, -0.1},
        {"color(srgb-linear 0.5 0.25 0 / 0.5)", RGBSpace::linearSRGB, 0.5, 0.25, 0, 0.5},
        {"color(display-p3 0.5 0.5 0.5)", RGBSpace::displayP3, 0.5, 0.5, 0.5},
        {"color( display-p3-linear 1 0 0 / 150% )", RGBSpace::linearDisplayP3, 1, 0, 0, 1},
        {"fill: color(a98-rgb 100% 50% 0%);", RGBSpace::adobeRGB1998, 1, 0.5, 0},
        {"color(prophoto-rgb 0.7 0.3 0.1)", RGBSpace::proPhotoRGB, 0.7, 0.3, 0.1},
        {"color(xyz-d50 0.4361 0.2225 0.0139)", RGBSpace::xyzD50, 0.4361, 0.2225, 0.0139},
        {"color(rec2020 1 0 0)", std::nullopt},
        {"color(srgb-linearx 1 0 0)", std::nullopt},
        {"color(srgb 1 0)", std::nullopt},
    };
    for (const Case& c : cases) {
        auto read = ColorConverter::parseCSSColorFunction(c.text);
        ASSERT_EQ(read.has_value(), c.space.has_value()) << c.text;
        if (!read) continue;
        EXPECT_EQ(read->color, (ColorValue{*c.space, c.red, c.green, c.blue, c.alpha})) << c.text;
    }
}

}  // namespace
}  // namespace quenz
