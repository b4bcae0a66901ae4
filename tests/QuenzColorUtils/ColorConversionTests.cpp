#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "QuenzColorUtils/ColorManagement.h"
#include "QuenzColorUtils/ColorOperations.h"

namespace quenz {
namespace {

constexpr RGBSpace roundTripSpaces[] = {
    RGBSpace::sRGB,          RGBSpace::extendedSRGB, RGBSpace::displayP3,    RGBSpace::extendedLinearSRGB,
    RGBSpace::linearSRGB,    RGBSpace::linearDisplayP3, RGBSpace::adobeRGB1998, RGBSpace::proPhotoRGB,
    RGBSpace::xyzD50,        RGBSpace::deviceRGB,    RGBSpace::genericRGB,
};

void expectComponents(const ColorValue& actual, double red, double green, double blue, double tolerance,
                      const std::string& context = {}) {
    EXPECT_NEAR(actual.red, red, tolerance) << context;
    EXPECT_NEAR(actual.green, green, tolerance) << context;
    EXPECT_NEAR(actual.blue, blue, tolerance) << context;
}

// Samples lie inside every gamut, away from the zero edges: Adobe RGB's pure power curve is so
// steep at zero that rounding noise of 1e-17 in linear light shows as 1e-8 encoded.
TEST(ColorConversion, RoundTripsBetweenEveryPairOfSpacesForInGamutColors) {
    const ColorValue samples[] = {
        {RGBSpace::sRGB, 0.2, 0.5, 0.8, 1},  {RGBSpace::sRGB, 0.95, 0.05, 0.1, 0.5},   {RGBSpace::sRGB, 0.01, 0.02, 0.03, 1},
        {RGBSpace::sRGB, 0.9, 0.9, 0.1, 1},  {RGBSpace::sRGB, 1, 1, 1, 1},     {RGBSpace::sRGB, 0.5, 0.5, 0.5, 0.25},
    };
    for (const ColorValue& sample : samples) {
        for (RGBSpace from : roundTripSpaces) {
            const std::optional<ColorValue> start = convert(sample, from);
            ASSERT_TRUE(start);
            for (RGBSpace to : roundTripSpaces) {
                const std::optional<ColorValue> there = convert(*start, to);
                ASSERT_TRUE(there);
                EXPECT_EQ(there->space, to);
                const std::optional<ColorValue> back = convert(*there, from);
                ASSERT_TRUE(back);
                const std::string context = "from " + std::to_string(static_cast<int>(from)) + " to " +
                                            std::to_string(static_cast<int>(to));
                expectComponents(*back, start->red, start->green, start->blue, 1e-9, context);
                EXPECT_EQ(back->alpha, sample.alpha) << context;
            }
        }
    }
}

// Reference values as browsers compute them with the CSS Color 4 matrices.
TEST(ColorConversion, MatchesCSSReferenceValues) {
    struct Case {
        const char* name;
        ColorValue source;
        RGBSpace target;
        double red, green, blue, tolerance;
    };
    const double d50X = 0.3457 / 0.3585, d50Z = (1 - 0.3457 - 0.3585) / 0.3585;
    const Case cases[] = {
        {"sRGB red in display-p3", {RGBSpace::sRGB, 1, 0, 0, 1}, RGBSpace::displayP3, 0.917488, 0.200287, 0.138561, 1e-5},
        // a98-rgb shares sRGB's red primary, so sRGB red stays pure red at lower intensity.
        {"sRGB red in a98-rgb", {RGBSpace::sRGB, 1, 0, 0, 1}, RGBSpace::adobeRGB1998, 0.8585916, 0, 0, 1e-6},
        {"sRGB green in a98-rgb", {RGBSpace::sRGB, 0, 1, 0, 1}, RGBSpace::adobeRGB1998, 0.564977, 1, 0.234424, 1e-5},
        {"a98 white in sRGB", {RGBSpace::adobeRGB1998, 1, 1, 1, 1}, RGBSpace::extendedSRGB, 1, 1, 1, 1e-9},
        {"sRGB red in xyz-d50", {RGBSpace::sRGB, 1, 0, 0, 1}, RGBSpace::xyzD50, 0.436065742824811,
         0.222493191756237, 0.013923904500943465, 1e-7},
        {"sRGB white in xyz-d50", {RGBSpace::sRGB, 1, 1, 1, 1}, RGBSpace::xyzD50, d50X, 1, d50Z, 1e-9},
        {"D50 white from xyz-d50", {RGBSpace::xyzD50, d50X, 1, d50Z, 1}, RGBSpace::extendedSRGB, 1, 1, 1, 1e-9},
        {"sRGB white in prophoto-rgb", {RGBSpace::sRGB, 1, 1, 1, 1}, RGBSpace::proPhotoRGB, 1, 1, 1, 1e-9},
        {"sRGB red in prophoto-rgb", {RGBSpace::sRGB, 1, 0, 0, 1}, RGBSpace::proPhotoRGB, 0.702216, 0.275727, 0.103547, 1e-4},
        {"sRGB mid gray in linear sRGB", {RGBSpace::sRGB, 0.5, 0.5, 0.5, 1}, RGBSpace::linearSRGB, 0.214041,
         0.214041, 0.214041, 1e-6},
        {"display-p3 red clipped into sRGB", {RGBSpace::displayP3, 1, 0, 0, 1}, RGBSpace::sRGB, 1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const std::optional<ColorValue> result = convert(c.source, c.target);
        ASSERT_TRUE(result) << c.name;
        expectComponents(*result, c.red, c.green, c.blue, c.tolerance, c.name);
    }
}

// A grey has equal channels in every RGB space; the 256 byte greys keep their byte (and so hue 0)
// between sRGB and Display P3 both ways, and equal channels through the other RGB spaces.
TEST(ColorConversion, GreysStayGrey) {
    struct Pair {
        RGBSpace from, to;
        bool keepsValue;  // same curve: the very same number
    };
    const Pair pairs[] = {
        {RGBSpace::sRGB, RGBSpace::displayP3, true},          {RGBSpace::displayP3, RGBSpace::sRGB, true},
        {RGBSpace::extendedSRGB, RGBSpace::displayP3, true},  {RGBSpace::displayP3, RGBSpace::extendedSRGB, true},
        {RGBSpace::linearDisplayP3, RGBSpace::linearSRGB, true}, {RGBSpace::displayP3, RGBSpace::adobeRGB1998, false},
        {RGBSpace::displayP3, RGBSpace::proPhotoRGB, false},  {RGBSpace::proPhotoRGB, RGBSpace::extendedSRGB, false},
        {RGBSpace::deviceGray, RGBSpace::displayP3, true},
    };
    for (const Pair& pair : pairs) {
        for (int byte = 0; byte <= 255; ++byte) {
            const double level = byte / 255.0;
            const std::optional<ColorValue> there = convert({pair.from, level, level, level, 1}, pair.to);
            ASSERT_TRUE(there);
            const std::string context = std::to_string(static_cast<int>(pair.from)) + " → " +
                                        std::to_string(static_cast<int>(pair.to)) + " byte " + std::to_string(byte);
            EXPECT_EQ(there->red, there->green) << context;
            EXPECT_EQ(there->green, there->blue) << context;
            EXPECT_EQ(hsb(*there).hue, 0.0) << context;
            if (pair.keepsValue) {
                EXPECT_EQ(there->red, level) << context;
            }
            const std::optional<ColorValue> back = convert(*there, pair.from);
            ASSERT_TRUE(back);
            EXPECT_EQ(std::lround(back->red * 255), byte) << context;
        }
    }
    // Mid grey written by a designer as 0.5 in Display P3 is #808080 in sRGB.
    const std::optional<ColorValue> mid = convert({RGBSpace::displayP3, 0.5, 0.5, 0.5, 1}, RGBSpace::sRGB);
    ASSERT_TRUE(mid);
    EXPECT_EQ(std::lround(mid->red * 255), 128);
}

// Bounded targets clip (a reference row above); extended ones keep what lies outside.
TEST(ColorConversion, ExtendedTargetsKeepOutOfRangeValues) {
    const std::optional<ColorValue> extended = convert({RGBSpace::displayP3, 1, 0, 0, 1}, RGBSpace::extendedSRGB);
    ASSERT_TRUE(extended);
    EXPECT_GT(extended->red, 1.0);
    EXPECT_LT(extended->green, 0.0);
    EXPECT_LT(extended->blue, 0.0);

    // The extended curve is sign-symmetric, so a negative component survives a round trip.
    const ColorValue negative{RGBSpace::extendedSRGB, -0.3, 1.4, 0.5, 1};
    const std::optional<ColorValue> linear = convert(negative, RGBSpace::extendedLinearSRGB);
    ASSERT_TRUE(linear);
    EXPECT_LT(linear->red, 0.0);
    const std::optional<ColorValue> back = convert(*linear, RGBSpace::extendedSRGB);
    ASSERT_TRUE(back);
    expectComponents(*back, -0.3, 1.4, 0.5, 1e-12);
}

TEST(ColorConversion, CurvesAreContinuousAtTheirBreakpoints) {
    using namespace colormanagement;
    struct Curve {
        const char* name;
        double (*decode)(double);
        double (*encode)(double);
        double breakpoint;
    };
    const Curve curves[] = {
        {"sRGB", sRGBToLinear, linearToSRGB, 0.04045},
        {"ProPhoto", proPhotoToLinear, linearToProPhoto, 16.0 / 512.0},
        {"Adobe RGB", adobeRGBToLinear, linearToAdobeRGB, 0.5},
    };
    for (const Curve& curve : curves) {
        const double below = curve.decode(std::nextafter(curve.breakpoint, 0.0));
        const double above = curve.decode(std::nextafter(curve.breakpoint, 1.0));
        EXPECT_NEAR(below, above, 1e-6) << curve.name;
        for (double x : {-1.5, -0.5, -0.001, 0.0, 0.001, 0.03, 0.5, 1.0, 2.0}) {
            EXPECT_NEAR(curve.encode(curve.decode(x)), x, 1e-12) << curve.name << " at " << x;
            EXPECT_EQ(curve.decode(-x), -curve.decode(x)) << curve.name << " at " << x;
        }
    }
}

TEST(ColorConversion, GrayAndCMYKConvertToRGBAndBack) {
    struct Case {
        ColorValue source;
        double red, green, blue;
    };
    const Case cases[] = {
        {{RGBSpace::deviceGray, 0.4, 0, 0, 0.5}, 0.4, 0.4, 0.4},
        {{RGBSpace::genericGray, 0.7, 0, 0, 1}, 0.7, 0.7, 0.7},
        {{RGBSpace::deviceCMYK, 1, 0, 0, 1, 0}, 0, 1, 1},
        {{RGBSpace::deviceCMYK, 0, 0, 0, 1, 1}, 0, 0, 0},
        {{RGBSpace::genericCMYK, 0, 0.5, 1, 1, 0.5}, 0.5, 0.25, 0},
        {{RGBSpace::deviceCMYK, 0, 0, 0, 1, 0}, 1, 1, 1},
    };
    for (const Case& c : cases) {
        const std::optional<ColorValue> rgb = convert(c.source, RGBSpace::sRGB);
        ASSERT_TRUE(rgb);
        expectComponents(*rgb, c.red, c.green, c.blue, 1e-12);
        EXPECT_EQ(rgb->alpha, c.source.alpha);
        const std::optional<ColorValue> back = convert(*rgb, c.source.space);
        ASSERT_TRUE(back);
        const std::optional<ColorValue> again = convert(*back, RGBSpace::sRGB);
        ASSERT_TRUE(again);
        expectComponents(*again, c.red, c.green, c.blue, 1e-9);
    }
}

TEST(ColorConversion, NonFiniteComponentsCannotBeConverted) {
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    for (const ColorValue& bad : {ColorValue{RGBSpace::sRGB, nan, 0, 0, 1}, ColorValue{RGBSpace::displayP3, 0, inf, 0, 1},
                                  ColorValue{RGBSpace::deviceCMYK, 0, 0, 0, 1, nan}}) {
        EXPECT_FALSE(convert(bad, RGBSpace::extendedSRGB));
        EXPECT_FALSE(convert(bad, bad.space));
    }
}

TEST(ColorConversion, OutsideSRGBTest) {
    struct Case {
        ColorValue color;
        bool outside;
    };
    const Case cases[] = {
        {{RGBSpace::sRGB, 1.5, 0, 0, 1}, false},  // sRGB colors are inside by definition
        {{RGBSpace::displayP3, 1, 0, 0, 1}, true},
        {{RGBSpace::displayP3, 0.5, 0.5, 0.5, 1}, false},
        {{RGBSpace::extendedSRGB, 1.2, 0.5, -0.1, 1}, true},
        {{RGBSpace::extendedSRGB, 1, 0.5, 0, 2}, false},  // alpha is not tested
        {{RGBSpace::adobeRGB1998, 0, 1, 0, 1}, false},     // other spaces are never flagged
        {{RGBSpace::displayP3, std::nan(""), 0, 0, 1}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isOutsideSRGB(c.color), c.outside) << c.color.red << " " << static_cast<int>(c.color.space);
    }
}

}  // namespace
}  // namespace quenz
