#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorOperations.h"

namespace quenz {
namespace {

using F = ColorFormat;
using S = ColorSpace;

ColorValue srgb(double r, double g, double b, double a = 1) { return {RGBSpace::sRGB, r, g, b, a}; }
ColorValue extended(double r, double g, double b, double a = 1) { return {RGBSpace::extendedSRGB, r, g, b, a}; }
ColorValue p3(double r, double g, double b, double a = 1) { return {RGBSpace::displayP3, r, g, b, a}; }

ColorConverterOptions places(int n) {
    ColorConverterOptions options;
    options.roundedTo = n;
    return options;
}

struct FormatCase {
    const char* name;
    ColorValue color;
    ColorFormat format;
    ColorSpace space;
    ColorConverterOptions options;
    std::optional<std::string> expected;
    bool clipped = false;
};

void expectWritten(const std::vector<FormatCase>& cases) {
    for (const auto& c : cases) {
        auto result = ColorConverter::formatColor(c.color, c.format, c.space, c.options);
        EXPECT_EQ(result.colorString, c.expected) << c.name;
        EXPECT_EQ(result.clipped, c.clipped) << c.name;
    }
}

TEST(ColorConverterFormat, OrangeInEveryFormat) {
    const ColorValue orange = srgb(1, 0.5, 0);
    const ColorValue translucent = srgb(1, 0.5, 0, 0.25);
    expectWritten({
        {"float rgba", orange, F::floatRGBA, S::sRGB, places(3), "1 0.5 0 1"},
        {"float hsva", orange, F::floatHSVA, S::sRGB, places(3), "0.083 1 1 1"},
        {"html", orange, F::htmlRGB, S::sRGB, places(3), "#FF8000"},
        {"html alpha", translucent, F::htmlRGB, S::sRGB, places(3), "#FF800040"},
        {"rgb() rounds 127.5 up", orange, F::cssRGB, S::sRGB, places(3), "rgb(255, 128, 0)"},
        {"rgb() alpha", translucent, F::cssRGB, S::sRGB, places(3), "rgb(255, 128, 0 / 0.25)"},
        {"color()", orange, F::cssColor, S::sRGB, places(3), "color(srgb 1 0.5 0)"},
        {"color() alpha", translucent, F::cssColor, S::sRGB, places(3), "color(srgb 1 0.5 0 / 0.25)"},
        {"hsl()", orange, F::cssHSL, S::sRGB, places(3), "hsl(30 100% 50%)"},
        {"hsl() alpha", translucent, F::cssHSL, S::sRGB, places(3), "hsl(30 100% 50% / 0.25)"},
        {"hex rgb", orange, F::hexRGB, S::sRGB, places(3), "0xFF8000"},
        {"hex argb", orange, F::hexARGB, S::sRGB, places(3), "0xFFFF8000"},
        {"hex rgba", translucent, F::hexRGBA, S::sRGB, places(3), "0xFF800040"},
        {"hex argb alpha", translucent, F::hexARGB, S::sRGB, places(3), "0x40FF8000"},
        {"UIColor", orange, F::swiftUIColorRGBA, S::sRGB, places(3), "UIColor(red: 1, green: 0.5, blue: 0, alpha: 1)"},
        {"UIColor hsba", orange, F::swiftUIColorHSBA, S::sRGB, places(3),
         "UIColor(hue: 0.083, saturation: 1, brightness: 1, alpha: 1)"},
        {"NSColor", orange, F::swiftNSColorRGBA, S::sRGB, places(3), "NSColor(red: 1, green: 0.5, blue: 0, alpha: 1)"},
        {"NSColor hsba", orange, F::swiftNSColorHSBA, S::sRGB, places(3),
         "NSColor(hue: 0.083, saturation: 1, brightness: 1, alpha: 1)"},
        {"SwiftUI Color", orange, F::swiftColorRGBA, S::sRGB, places(3), "Color(red: 1, green: 0.5, blue: 0)"},
        {"SwiftUI Color opacity", translucent, F::swiftColorRGBA, S::sRGB, places(3),
         "Color(red: 1, green: 0.5, blue: 0, opacity: 0.25)"},
        {"SwiftUI Color hsba", orange, F::swiftColorHSBA, S::sRGB, places(3),
         "Color(hue: 0.083, saturation: 1, brightness: 1, opacity: 1)"},
        {"Compose", orange, F::androidComposeColor, S::sRGB, places(3),
         "Color(red = 1f, green = 0.5f, blue = 0f, alpha = 1f, colorSpace = ColorSpaces.Srgb)"},
    });
}

TEST(ColorConverterFormat, OKLabAndOKLCH) {
    const ColorValue red = srgb(1, 0, 0);
    expectWritten({
        {"oklch red", red, F::cssOKLCH, S::sRGBExtended, places(4), "oklch(62.8% 0.2577 29.2)"},
        {"oklab red", red, F::cssOKLAB, S::sRGBExtended, places(4), "oklab(62.8% 0.2249 0.1258)"},
        {"oklab lightness keeps roundedTo places", srgb(0.5, 0.5, 0.5), F::cssOKLAB, S::sRGBExtended, places(4),
         "oklab(59.82% 0 0)"},
        {"oklch alpha", srgb(1, 0, 0, 0.5), F::cssOKLCH, S::displayP3, places(4), "oklch(62.8% 0.2577 29.2 / 0.5)"},
        // Alpha that rounds to 1 uses the alpha-less form.
        {"oklab alpha rounding to 1", srgb(1, 0, 0, 0.99999), F::cssOKLAB, S::oklab, places(4),
         "oklab(62.8% 0.2249 0.1258)"},
        {"oklch blue has hue above 180", srgb(0, 0, 1), F::cssOKLCH, S::oklch, places(4), "oklch(45.2% 0.3132 264.1)"},
    });
}

TEST(ColorConverterFormat, SpacesChooseTheInitialisers) {
    const ColorValue c = p3(0.25, 0.5, 0.75, 0.5);
    expectWritten({
        {"UIColor p3", c, F::swiftUIColorRGBA, S::displayP3, places(3),
         "UIColor(displayP3Red: 0.25, green: 0.5, blue: 0.75, alpha: 0.5)"},
        {"NSColor p3", c, F::swiftNSColorRGBA, S::displayP3, places(3),
         "NSColor(displayP3Red: 0.25, green: 0.5, blue: 0.75, alpha: 0.5)"},
        {"NSColor hsb p3", c, F::swiftNSColorHSBA, S::displayP3, places(3),
         "NSColor(colorSpace: .displayP3, hue: 0.583, saturation: 0.667, brightness: 0.75, alpha: 0.5)"},
        {"NSColor hsb extended", c, F::swiftNSColorHSBA, S::sRGBExtended, places(3),
         "NSColor(colorSpace: .extendedSRGB, hue: 0.583, saturation: 0.667, brightness: 0.75, alpha: 0.5)"},
        {"SwiftUI p3", c, F::swiftColorRGBA, S::displayP3, places(3),
         "Color(.displayP3, red: 0.25, green: 0.5, blue: 0.75, opacity: 0.5)"},
        {"SwiftUI p3 opaque", p3(0.25, 0.5, 0.75), F::swiftColorRGBA, S::displayP3, places(3),
         "Color(.displayP3, red: 0.25, green: 0.5, blue: 0.75)"},
        {"color() p3", c, F::cssColor, S::displayP3, places(3), "color(display-p3 0.25 0.5 0.75 / 0.5)"},
        {"rgb() in p3 writes color()", c, F::cssRGB, S::displayP3, places(3), "color(display-p3 0.25 0.5 0.75 / 0.5)"},
        {"Compose p3", c, F::androidComposeColor, S::displayP3, places(3),
         "Color(red = 0.25f, green = 0.5f, blue = 0.75f, alpha = 0.5f, colorSpace = ColorSpaces.DisplayP3)"},
        {"Compose extended", c, F::androidComposeColor, S::sRGBExtended, places(3),
         "Color(red = 0.25f, green = 0.5f, blue = 0.75f, alpha = 0.5f, colorSpace = ColorSpaces.ExtendedSrgb)"},
        {"Compose oklch is Srgb", c, F::androidComposeColor, S::oklch, places(3),
         "Color(red = 0.25f, green = 0.5f, blue = 0.75f, alpha = 0.5f, colorSpace = ColorSpaces.Srgb)"},
        {"NSColor oklab is empty", c, F::swiftNSColorRGBA, S::oklab, places(3), std::nullopt},
        {"NSColor oklch is empty", c, F::swiftNSColorRGBA, S::oklch, places(3), std::nullopt},
        {"NSColor hsb oklab is empty", c, F::swiftNSColorHSBA, S::oklab, places(3), std::nullopt},
    });
}

TEST(ColorConverterFormat, RoundingAndNumberNotation) {
    expectWritten({
        {"exponent notation when kept", extended(0.00001, 0.5, 1), F::floatRGBA, S::sRGBExtended, places(5),
         "1e-05 0.5 1 1"},
        {"rounded away", extended(0.00001, 0.5, 1), F::floatRGBA, S::sRGBExtended, places(4), "0 0.5 1 1"},
        {"halves away from zero", extended(0.125, -0.125, 0.0625), F::floatRGBA, S::sRGBExtended, places(2),
         "0.13 -0.13 0.06 1"},
        {"zero places", srgb(0.4, 0.6, 1), F::floatRGBA, S::sRGB, places(0), "0 1 1 1"},
        {"six significant digits", srgb(0.123456789, 0, 0), F::floatRGBA, S::sRGB, places(9), "0.123457 0 0 1"},
        {"rgb() channels rounded before places", srgb(0.2, 0.4, 0.6), F::cssRGB, S::sRGB, places(3),
         "rgb(51, 102, 153)"},
        {"hsl gray", srgb(0.5, 0.5, 0.5), F::cssHSL, S::sRGB, places(3), "hsl(0 0% 50%)"},
        {"hsl dark blue", srgb(0, 0, 0.5), F::cssHSL, S::sRGB, places(3), "hsl(240 100% 25%)"},
        {"byte clamp above one", extended(1.0000000001, 0, 0), F::htmlRGB, S::displayP3, places(3), "#FF0000"},
        {"byte clamp below zero", extended(-0.1, 0.5, 1), F::hexRGBA, S::displayP3, places(3), "0x0080FFFF"},
    });
}

TEST(ColorConverterFormat, ClippingPrefixAndSuffix) {
    const ColorValue wide = p3(0, 1, 0);  // Display P3 green lies outside sRGB
    ColorConverterOptions suffix = places(3);
    suffix.suffixWhenClipped = " /* clipped */";
    ColorConverterOptions prefix = places(3);
    prefix.p3Prefix = "p3: ";
    ColorConverterOptions both = suffix;
    both.p3Prefix = "p3: ";
    ColorConverterOptions forced = suffix;
    forced.forceClip = true;
    ColorConverterOptions percentSuffix = places(3);
    percentSuffix.suffixWhenClipped = " %g%%";

    expectWritten({
        {"hex clips in sRGB", wide, F::htmlRGB, S::sRGB, suffix, "#00FF00 /* clipped */", true},
        {"hex keeps P3 with prefix", wide, F::htmlRGB, S::displayP3, both, "p3: #00FF00"},
        {"hex P3 components", p3(0.936, 0.5272, 0.1983), F::htmlRGB, S::displayP3, prefix, "p3: #EF8633"},
        {"hex argb clips", wide, F::hexARGB, S::sRGBExtended, places(3), "0xFF00FF00", true},
        {"hex in sRGB does not clip inside", srgb(0, 1, 0), F::hexRGB, S::sRGB, suffix, "0x00FF00"},
        {"float rgba prefix", p3(0.5, 0.25, 1), F::floatRGBA, S::displayP3, prefix, "p3: 0.5 0.25 1 1"},
        {"float hsva prefix", p3(1, 0, 0), F::floatHSVA, S::displayP3, prefix, "p3: 0 1 1 1"},
        {"no prefix outside P3", srgb(0.5, 0.25, 1), F::floatRGBA, S::sRGB, prefix, "0.5 0.25 1 1"},
        {"no prefix for color()", wide, F::cssColor, S::displayP3, prefix, "color(display-p3 0 1 0)"},
        {"rgb() clips", wide, F::cssRGB, S::sRGB, suffix, "rgb(0, 255, 0) /* clipped */", true},
        {"rgb() in P3 never clips", wide, F::cssRGB, S::displayP3, suffix, "color(display-p3 0 1 0)"},
        {"rgb() forced in P3", wide, F::cssRGB, S::displayP3, forced, "rgb(0, 255, 0) /* clipped */", true},
        {"color() clips in sRGB", p3(1, 0, 0, 0.5), F::cssColor, S::sRGB, suffix,
         "color(srgb 1 0 0 / 0.5) /* clipped */", true},
        {"color() keeps P3", wide, F::cssColor, S::displayP3, suffix, "color(display-p3 0 1 0)"},
        {"color() forced", wide, F::cssColor, S::displayP3, forced, "color(srgb 0 1 0) /* clipped */", true},
        {"UIColor never clips", extended(1.2, 0.5, -0.1), F::swiftUIColorRGBA, S::sRGBExtended, suffix,
         "UIColor(red: 1.2, green: 0.5, blue: -0.1, alpha: 1)"},
        // Placeholders in a suffix are filled like the template's own.
        {"suffix placeholders", wide, F::htmlRGB, S::sRGB, percentSuffix, "#00FF00 255%", true},
    });
}

TEST(ColorConverterFormat, CatalogueOfFormats) {
    EXPECT_EQ(std::size(allColorFormats), 18u);
    for (ColorFormat format : allColorFormats) {
        EXPECT_EQ(colorFormatFromCaseName(caseName(format)), format) << caseName(format);
        EXPECT_FALSE(supportedColorSpaces(format).empty());
    }
    EXPECT_EQ(colorFormatFromCaseName("HTMLRGB"), std::nullopt);

    struct SpaceCase {
        ColorSpace space;
        std::vector<ColorFormat> formats;
    };
    const SpaceCase spaces[] = {
        {S::oklab, {F::cssOKLAB}},
        {S::oklch, {F::cssOKLCH}},
        {S::sRGBExtended,
         {F::floatRGBA, F::cssOKLAB, F::cssOKLCH, F::swiftUIColorRGBA, F::swiftNSColorRGBA, F::swiftNSColorHSBA,
          F::swiftColorRGBA, F::androidComposeColor}},
    };
    for (const auto& c : spaces) {
        EXPECT_EQ(formatsSupporting(c.space), c.formats) << caseName(c.space);
    }
    EXPECT_EQ(formatsSupporting(S::sRGB).size(), 16u);  // all but oklab() and oklch()

    struct FitCase {
        ColorSpace space;
        ColorFormat format;
        ColorSpace fitted;
    };
    const FitCase fits[] = {
        {S::displayP3, F::cssHSL, S::sRGB},
        {S::oklch, F::cssOKLAB, S::sRGBExtended},
        {S::oklch, F::cssOKLCH, S::oklch},
        {S::sRGB, F::cssOKLCH, S::sRGBExtended},
        {S::sRGBExtended, F::htmlRGB, S::sRGB},
        {S::displayP3, F::htmlRGB, S::displayP3},
    };
    for (const auto& c : fits) {
        EXPECT_EQ(ColorConverter::fitSpace(c.space, c.format), c.fitted) << caseName(c.format);
    }
}

}  // namespace
}  // namespace quenz
