#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "QuenzColorUtils/ColorOperations.h"

namespace quenz {
namespace {

const double nan = std::nan("");

TEST(MakeRGB, ClampsBySpace) {
    struct Case {
        const char* name;
        double red, green, blue, alpha;
        ColorSpace space;
        ColorValue expected;
    };
    const Case cases[] = {
        {"sRGB clamps to 0…1", 1.2, 0.5, -0.1, 1, ColorSpace::sRGB, {RGBSpace::extendedSRGB, 1, 0.5, 0, 1}},
        {"sRGB NaN becomes 0", nan, 0.5, 0.5, nan, ColorSpace::sRGB, {RGBSpace::extendedSRGB, 0, 0.5, 0.5, 0}},
        {"Display P3 clamps", 3, -1, 0.5, 1.5, ColorSpace::displayP3, {RGBSpace::displayP3, 1, 0, 0.5, 1}},
        {"extended clamps to ±2", 3, -3, 1.5, 1, ColorSpace::sRGBExtended, {RGBSpace::extendedSRGB, 2, -2, 1.5, 1}},
        {"oklab unclamped", 3, -3, 0.5, 1, ColorSpace::oklab, {RGBSpace::extendedSRGB, 3, -3, 0.5, 1}},
        {"oklch unclamped", -5, 0, 9, 0.5, ColorSpace::oklch, {RGBSpace::extendedSRGB, -5, 0, 9, 0.5}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(makeRGB(c.red, c.green, c.blue, c.alpha, c.space), c.expected) << c.name;
    }
}

TEST(HSB, HexconeValuesAndInverse) {
    struct Case {
        ColorValue color;
        double hue, saturation, brightness;
    };
    const Case cases[] = {
        {{RGBSpace::sRGB, 1, 0, 0, 1}, 0, 1, 1},
        {{RGBSpace::sRGB, 1, 1, 0, 1}, 1.0 / 6, 1, 1},
        {{RGBSpace::sRGB, 0, 1, 0, 1}, 2.0 / 6, 1, 1},
        {{RGBSpace::sRGB, 0, 0.5, 0.5, 1}, 3.0 / 6, 1, 0.5},
        {{RGBSpace::sRGB, 0, 0, 1, 1}, 4.0 / 6, 1, 1},
        {{RGBSpace::sRGB, 1, 0, 0.5, 1}, 11.0 / 12, 1, 1},
        {{RGBSpace::sRGB, 0.8, 0.4, 0.4, 1}, 0, 0.5, 0.8},
        {{RGBSpace::sRGB, 0.3, 0.3, 0.3, 1}, 0, 0, 0.3},
        {{RGBSpace::sRGB, 0, 0, 0, 1}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const HSBValues values = hsb(c.color);
        EXPECT_NEAR(values.hue, c.hue, 1e-12) << c.color.red << c.color.green << c.color.blue;
        EXPECT_NEAR(values.saturation, c.saturation, 1e-12);
        EXPECT_NEAR(values.brightness, c.brightness, 1e-12);
        const ColorValue rebuilt = makeHSB(c.hue, c.saturation, c.brightness, 0.5, ColorSpace::displayP3);
        EXPECT_EQ(rebuilt.space, RGBSpace::displayP3);
        EXPECT_NEAR(rebuilt.red, c.color.red, 1e-12);
        EXPECT_NEAR(rebuilt.green, c.color.green, 1e-12);
        EXPECT_NEAR(rebuilt.blue, c.color.blue, 1e-12);
        EXPECT_EQ(rebuilt.alpha, 0.5);
    }
}

TEST(HSB, MakeHSBClampsAndColorFromHSBWrapsHue) {
    const ColorValue clamped = makeHSB(-0.5, 2, nan, 3, ColorSpace::sRGBExtended);
    EXPECT_EQ(clamped, (ColorValue{RGBSpace::extendedSRGB, 0, 0, 0, 1}));
    const ColorValue hueOne = makeHSB(1, 1, 1, 1, ColorSpace::sRGB);
    EXPECT_EQ(hueOne, (ColorValue{RGBSpace::sRGB, 1, 0, 0, 1}));

    // −0.1 is the same hue as 0.9.
    const ColorValue wrapped = colorFromHSB(-0.1, 0.5, 0.8, 1, RGBSpace::extendedLinearSRGB);
    const ColorValue direct = colorFromHSB(0.9, 0.5, 0.8, 1, RGBSpace::extendedLinearSRGB);
    EXPECT_NEAR(wrapped.red, direct.red, 1e-12);
    EXPECT_NEAR(wrapped.green, direct.green, 1e-12);
    EXPECT_NEAR(wrapped.blue, direct.blue, 1e-12);
    EXPECT_EQ(wrapped.space, RGBSpace::extendedLinearSRGB);
    // A hue that is not a number is taken as red rather than poisoning the color.
    EXPECT_EQ(colorFromHSB(nan, 1, 1, 1, RGBSpace::sRGB), (ColorValue{RGBSpace::sRGB, 1, 0, 0, 1}));
}

TEST(RelativeBrightness, UsesEncodedComponentsOfRGBSpacesAndConvertsOthers) {
    struct Case {
        const char* name;
        ColorValue color;
        double expected;
    };
    const Case cases[] = {
        {"sRGB", {RGBSpace::sRGB, 1, 0.5, 0.25, 1}, 0.2126 + 0.7152 * 0.5 + 0.0722 * 0.25},
        {"Display P3 own components", {RGBSpace::displayP3, 0, 1, 0, 0}, 0.7152},
        {"Adobe RGB own components", {RGBSpace::adobeRGB1998, 0, 0, 1, 1}, 0.0722},
        {"gray converts to sRGB", {RGBSpace::deviceGray, 0.5, 0, 0, 1}, 0.5},
        {"linear converts to sRGB", {RGBSpace::linearSRGB, 0.214041140482232, 0.214041140482232, 0.214041140482232, 1}, 0.5},
        {"unconvertible gives 0", {RGBSpace::linearSRGB, nan, 0, 0, 1}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(relativeBrightness(c.color), c.expected, 1e-9) << c.name;
    }
}

TEST(MixRGB, MixesComponentsAndNormalisesForeignSpaces) {
    const ColorValue a{RGBSpace::displayP3, 0, 0.2, 1, 1};
    const ColorValue b{RGBSpace::displayP3, 1, 0.6, 0, 0};
    struct Case {
        double t;
        ColorValue expected;
    };
    const Case cases[] = {
        {0.25, {RGBSpace::displayP3, 0.25, 0.3, 0.75, 0.75}},
        {-1, a},
        {2, b},
        {nan, a},
    };
    for (const Case& c : cases) {
        const std::optional<ColorValue> mixed = mixRGB(a, b, c.t, false);
        ASSERT_TRUE(mixed);
        EXPECT_NEAR(mixed->red, c.expected.red, 1e-12) << c.t;
        EXPECT_NEAR(mixed->green, c.expected.green, 1e-12) << c.t;
        EXPECT_NEAR(mixed->blue, c.expected.blue, 1e-12) << c.t;
        EXPECT_NEAR(mixed->alpha, c.expected.alpha, 1e-12) << c.t;
        EXPECT_EQ(mixed->space, RGBSpace::displayP3);
    }

    const ColorValue gray{RGBSpace::genericGray, 1, 0, 0, 1};
    const ColorValue black{RGBSpace::extendedSRGB, 0, 0, 0, 1};
    const std::optional<ColorValue> normalised = mixRGB(gray, black, 0.5, true);
    ASSERT_TRUE(normalised);
    EXPECT_EQ(normalised->space, RGBSpace::extendedSRGB);
    EXPECT_NEAR(normalised->green, 0.5, 1e-12);
    EXPECT_FALSE(mixRGB(ColorValue{RGBSpace::linearSRGB, nan, 0, 0, 1}, black, 0.5, true));
}

TEST(Numbers, RoundingAndAngles) {
    struct RoundCase {
        double value;
        int places;
        double expected;
    };
    const RoundCase rounds[] = {
        {0.5, 0, 1},      {-0.5, 0, -1},     {2.5, 0, 3},      {1.005, 2, 1.0},  // 1.005 is stored below 1.005
        {0.125, 2, 0.13}, {-0.125, 2, -0.13}, {127.5, 0, 128}, {0.123456, 4, 0.1235},
        {1e300, 20, 1e300}, {12345.678, -2, 12300},
    };
    for (const RoundCase& c : rounds) {
        EXPECT_DOUBLE_EQ(roundTo(c.value, c.places), c.expected) << c.value << " to " << c.places;
    }
    EXPECT_TRUE(std::isnan(roundTo(nan, 3)));

    EXPECT_TRUE(isWhole(3.0));
    EXPECT_TRUE(isWhole(-0.0));
    EXPECT_FALSE(isWhole(3.5));
    EXPECT_FALSE(isWhole(nan));
    EXPECT_FALSE(isWhole(std::numeric_limits<double>::infinity()));

    EXPECT_DOUBLE_EQ(degreesFromRadians(std::acos(-1.0)), 180);
    EXPECT_DOUBLE_EQ(degreesFromRadians(-std::acos(-1.0) / 2), 270);
    EXPECT_EQ(degreesFromRadians(nan), 0);
    EXPECT_DOUBLE_EQ(radiansFromDegrees(180), std::acos(-1.0));
    EXPECT_EQ(radiansFromDegrees(nan), 0);
}

}  // namespace
}  // namespace quenz
