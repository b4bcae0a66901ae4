#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "QuenzColorUtils/ColorOperations.h"

namespace quenz {
namespace {

TEST(OKLab, KnownValues) {
    struct Case {
        const char* name;
        ColorValue color;
        double l, a, b, tolerance;
    };
    const Case cases[] = {
        {"sRGB red", {RGBSpace::sRGB, 1, 0, 0, 1}, 0.627955, 0.224863, 0.125846, 1e-6},
        {"white", {RGBSpace::sRGB, 1, 1, 1, 1}, 1, 0, 0, 1e-6},
        {"black", {RGBSpace::sRGB, 0, 0, 0, 1}, 0, 0, 0, 1e-12},
        {"sRGB green", {RGBSpace::sRGB, 0, 1, 0, 1}, 0.866440, -0.233888, 0.179498, 1e-6},
        {"sRGB blue", {RGBSpace::sRGB, 0, 0, 1, 1}, 0.452014, -0.032457, -0.311528, 1e-6},
        {"Display P3 white", {RGBSpace::displayP3, 1, 1, 1, 1}, 1, 0, 0, 1e-6},
    };
    for (const Case& c : cases) {
        const std::optional<OKLabValues> lab = toOKLab(c.color);
        ASSERT_TRUE(lab) << c.name;
        EXPECT_NEAR(lab->l, c.l, c.tolerance) << c.name;
        EXPECT_NEAR(lab->a, c.a, c.tolerance) << c.name;
        EXPECT_NEAR(lab->b, c.b, c.tolerance) << c.name;
    }
}

TEST(OKLab, RedInOKLCHAndGrayHue) {
    const std::optional<OKLCHValues> red = toOKLCH(ColorValue{RGBSpace::sRGB, 1, 0, 0, 0.3});
    ASSERT_TRUE(red);
    EXPECT_NEAR(red->lightness, 0.627955, 1e-6);
    EXPECT_NEAR(red->chroma, 0.257683, 1e-6);
    EXPECT_NEAR(red->hue, 0.510, 1e-3);
    EXPECT_NEAR(degreesFromRadians(red->hue), 29.23, 0.01);
    EXPECT_EQ(red->alpha, 0.3);

    // A gray with no chroma at all has hue atan2(0, 0) = 0.
    const std::optional<OKLCHValues> black = toOKLCH(ColorValue{RGBSpace::sRGB, 0, 0, 0, 1});
    ASSERT_TRUE(black);
    EXPECT_EQ(black->hue, 0.0);
}

TEST(OKLab, FromOKLabInvertsToOKLabForInAndOutOfGamutColorsAndNonFiniteOnesFail) {
    const ColorValue samples[] = {
        {RGBSpace::sRGB, 0.2, 0.5, 0.8, 0.7},
        {RGBSpace::displayP3, 1, 0, 0, 1},
        {RGBSpace::extendedSRGB, -0.2, 1.3, 0.4, 1},
        {RGBSpace::sRGB, 0.001, 0.0, 0.002, 1},
    };
    for (const ColorValue& sample : samples) {
        const std::optional<ColorValue> linear = convert(sample, RGBSpace::extendedLinearSRGB);
        ASSERT_TRUE(linear);
        const std::optional<OKLCHValues> lch = toOKLCH(sample);
        ASSERT_TRUE(lch);
        const ColorValue back = fromOKLCH(*lch);
        EXPECT_EQ(back.space, RGBSpace::extendedLinearSRGB);
        // The ten-decimal matrices are inverses of each other only to about 1e-7.
        EXPECT_NEAR(back.red, linear->red, 1e-6);
        EXPECT_NEAR(back.green, linear->green, 1e-6);
        EXPECT_NEAR(back.blue, linear->blue, 1e-6);
        EXPECT_EQ(back.alpha, sample.alpha);
    }
    EXPECT_FALSE(toOKLab(ColorValue{RGBSpace::sRGB, std::nan(""), 0, 0, 1}));
    EXPECT_FALSE(toOKLCH(ColorValue{RGBSpace::sRGB, 0, std::numeric_limits<double>::infinity(), 0, 1}));
}

TEST(OKLCHMix, InterpolatesAlongTheShorterArcAndIgnoresPowerlessHues) {
    const double deg = std::numbers::pi / 180;
    struct Case {
        const char* name;
        OKLCHValues from, to;
        double t;
        OKLCHValues expected;
    };
    const Case cases[] = {
        {"350° to 10° passes 0°", {0.5, 0.1, 350 * deg, 1}, {0.5, 0.1, 10 * deg, 1}, 0.5, {0.5, 0.1, 360 * deg, 1}},
        {"10° to 350° passes 0°", {0.5, 0.1, 10 * deg, 1}, {0.5, 0.1, 350 * deg, 1}, 0.25, {0.5, 0.1, 5 * deg, 1}},
        {"gray to blue keeps blue hue", {0.5, 0, 0, 1}, {0.4, 0.2, 264 * deg, 0.5}, 0.5, {0.45, 0.1, 264 * deg, 0.75}},
        {"blue to gray keeps blue hue", {0.4, 0.2, 264 * deg, 1}, {0.9, 0.000005, 1.0, 1}, 0.5, {0.65, 0.1000025, 264 * deg, 1}},
        {"t clamped above", {0.1, 0.1, 0.1, 1}, {0.9, 0.3, 0.5, 0}, 7, {0.9, 0.3, 0.5, 0}},
        {"t clamped below", {0.1, 0.1, 0.1, 1}, {0.9, 0.3, 0.5, 0}, -1, {0.1, 0.1, 0.1, 1}},
    };
    for (const Case& c : cases) {
        const OKLCHValues mixed = mixOKLCH(c.from, c.to, c.t);
        EXPECT_NEAR(mixed.lightness, c.expected.lightness, 1e-12) << c.name;
        EXPECT_NEAR(mixed.chroma, c.expected.chroma, 1e-12) << c.name;
        EXPECT_NEAR(mixed.hue, c.expected.hue, 1e-12) << c.name;
        EXPECT_NEAR(mixed.alpha, c.expected.alpha, 1e-12) << c.name;
    }
    // Along the whole 350° → 10° mix the hue never comes near 180°.
    for (double t = 0; t <= 1; t += 0.125) {
        const double hue = mixOKLCH({0.5, 0.1, 350 * deg, 1}, {0.5, 0.1, 10 * deg, 1}, t).hue / deg;
        EXPECT_GE(hue, 349.999);
        EXPECT_LE(hue, 370.001);
    }
}

TEST(AdjustContrast, PushesOKLCHLightnessAwayFromTheMiddle) {
    const ColorValue light{RGBSpace::sRGB, 0.9, 0.8, 0.3, 0.6};
    EXPECT_EQ(adjustContrast(light, 0), light);
    const ColorValue p3{RGBSpace::displayP3, 0.1, 0.2, 0.3, 1};
    EXPECT_EQ(adjustContrast(p3, 0), p3);

    struct Case {
        const char* name;
        OKLCHValues color;
        double amount, expectedLightness;
    };
    const Case cases[] = {
        {"light goes to 1.15", {0.8, 0.05, 1, 1}, 1, 1.15},
        {"dark goes to -0.15", {0.3, 0.05, 1, 1}, 1, -0.15},
        {"exactly 0.5 goes dark", {0.5, 0.0, 0, 1}, 1, -0.15},
        {"half push of light", {0.7, 0.02, 2, 1}, 0.5, 0.925},
    };
    for (const Case& c : cases) {
        // Work in extended linear sRGB so nothing is clipped on the way back.
        const ColorValue input = fromOKLCH(c.color);
        const std::optional<OKLCHValues> lch = toOKLCH(adjustContrast(input, c.amount));
        ASSERT_TRUE(lch) << c.name;
        EXPECT_NEAR(lch->lightness, c.expectedLightness, 1e-7) << c.name;
        EXPECT_NEAR(lch->chroma, c.color.chroma, 1e-7) << c.name;
    }

    // A light sRGB color pushed fully becomes white, since sRGB clips.
    const ColorValue white = adjustContrast(light, 1);
    EXPECT_EQ(white.space, RGBSpace::sRGB);
    EXPECT_EQ(white.red, 1.0);
    // A color that cannot be converted is returned unchanged.
    const ColorValue broken{RGBSpace::sRGB, std::nan(""), 0, 0, 1};
    EXPECT_TRUE(std::isnan(adjustContrast(broken, 1).red));
}

TEST(AdjustContrast, RGBFormPushesEachEncodedComponent) {
    const ColorValue color{RGBSpace::displayP3, 0.75, 0.5, 0.25, 0.4};
    const ColorValue pushed = adjustContrastRGB(color, 0.5);
    EXPECT_EQ(pushed.space, RGBSpace::displayP3);
    EXPECT_DOUBLE_EQ(pushed.red, 0.5 * 0.75 + 0.5 * 1.15);
    EXPECT_DOUBLE_EQ(pushed.green, 0.5 * 0.5 - 0.5 * 0.15);
    EXPECT_DOUBLE_EQ(pushed.blue, 0.5 * 0.25 - 0.5 * 0.15);
    EXPECT_EQ(pushed.alpha, 0.4);
    EXPECT_EQ(adjustContrastRGB(color, 0), color);
}

}  // namespace
}  // namespace quenz
