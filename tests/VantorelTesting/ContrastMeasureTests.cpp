#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "QuenzColorUtils/ColorOperations.h"
#include "Vantorel/testing/APCAContrast.h"
#include "Vantorel/testing/ContrastCompositing.h"
#include "Vantorel/testing/WCAGContrast.h"

using quenz::ColorValue;
using quenz::RGBSpace;
using namespace vantorel;

namespace {

ColorValue srgb(double r, double g, double b, double a = 1) { return {RGBSpace::sRGB, r, g, b, a}; }
ColorValue gray(int byte) { return srgb(byte / 255.0, byte / 255.0, byte / 255.0); }
ColorValue hex(unsigned rgb) {
    return srgb(((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
}

struct PairCase {
    const char* name;
    ColorValue foreground;
    ColorValue background;
    double wcagRatio;
    double apcaLc;
};

// APCA values are those of the APCA-W3 reference test pairs, rounded to one decimal.
const PairCase pairCases[] = {
    {"black on white", srgb(0, 0, 0), srgb(1, 1, 1), 21.0, 106.0},
    {"white on black", srgb(1, 1, 1), srgb(0, 0, 0), 21.0, -107.9},
    {"#888 on #fff", gray(0x88), gray(0xFF), 3.545, 63.1},
    {"#fff on #888", gray(0xFF), gray(0x88), 3.545, -68.5},
    {"#000 on #aaa", gray(0x00), gray(0xAA), 9.04, 58.1},
    {"#aaa on #000", gray(0xAA), gray(0x00), 9.04, -56.2},
    {"#123 on #def", hex(0x112233), hex(0xDDEEFF), 13.652, 91.7},
    {"#def on #123", hex(0xDDEEFF), hex(0x112233), 13.652, -93.1},
    {"#123 on #444", hex(0x112233), hex(0x444444), 1.658, 8.3},
    {"#444 on #123", hex(0x444444), hex(0x112233), 1.658, -7.5},
    {"#777 just below 4.5", hex(0x777777), srgb(1, 1, 1), 4.478, 71.1},
    {"#767676 just above 4.5", hex(0x767676), srgb(1, 1, 1), 4.542, 71.6},
    {"#959595 just below 3", hex(0x959595), srgb(1, 1, 1), 2.996, 56.6},
    {"blue on white", srgb(0, 0, 1), srgb(1, 1, 1), 8.592, 85.8},
    {"identical colors", gray(0x80), gray(0x80), 1.0, 0.0},
    {"half-transparent black on white", srgb(0, 0, 0, 0.5), srgb(1, 1, 1), 3.977, 67.1},
    {"invisible text", srgb(0, 0, 0, 0), srgb(1, 1, 1), 1.0, 0.0},
    {"background alpha ignored", srgb(0, 0, 0), srgb(1, 1, 1, 0), 21.0, 106.0},
    {"display P3 white is white", srgb(0, 0, 0), {RGBSpace::displayP3, 1, 1, 1, 1}, 21.0, 106.0},
    {"extended sRGB is clipped to sRGB", {RGBSpace::extendedSRGB, -0.2, -0.1, 0, 1}, srgb(1, 1, 1), 21.0, 106.0},
};

}  // namespace

TEST(ContrastMeasures, WCAGRatioAndAPCALightnessContrastOfPairs) {
    for (const auto& c : pairCases) {
        EXPECT_DOUBLE_EQ(wcagContrastRatio(c.foreground, c.background), c.wcagRatio) << c.name;
        auto lc = apcaLightnessContrast(c.foreground, c.background);
        ASSERT_TRUE(lc.has_value()) << c.name;
        EXPECT_DOUBLE_EQ(*lc, c.apcaLc) << c.name;
    }
}

TEST(ContrastMeasures, LuminanceIsRoundedBeforeTheRatio) {
    // #777777 has luminance 0.18447…, kept as 0.1845; the ratio is then rounded to 3 places.
    EXPECT_DOUBLE_EQ(wcagRelativeLuminance(0x77 / 255.0, 0x77 / 255.0, 0x77 / 255.0), 0.1845);
    EXPECT_DOUBLE_EQ(wcagRelativeLuminance(1, 1, 1), 1.0);
    EXPECT_DOUBLE_EQ(wcagRelativeLuminance(0, 0, 0), 0.0);
    EXPECT_DOUBLE_EQ(wcagRatioOfLuminances(0.1845, 1.0), 4.478);
    EXPECT_DOUBLE_EQ(wcagRatioOfLuminances(1.0, 0.1845), 4.478);
    // A channel exactly on 0.03928 is on the linear segment: 0.03928 / 12.92 · 0.2126 ≈ 0.00065.
    EXPECT_DOUBLE_EQ(wcagRelativeLuminance(0.03928, 0, 0), 0.0006);
}

TEST(ContrastMeasures, QuickLevelBoundariesAreInclusive) {
    const struct {
        double ratio;
        int level;
    } cases[] = {{21, 0}, {4.5, 0}, {4.499, 1}, {3.0, 1}, {2.999, 2}, {1, 2}};
    for (const auto& c : cases) EXPECT_EQ(wcagQuickLevel(c.ratio), c.level) << c.ratio;
}

TEST(ContrastMeasures, APCAFromLuminances) {
    // Below the minimum luminance difference there is no contrast at all.
    EXPECT_EQ(apcaContrastOfLuminances(0.5, 0.5004), 0.0);
    // A small normal-polarity difference whose S stays under 0.1 is clipped to 0.
    EXPECT_EQ(apcaContrastOfLuminances(0.5, 0.55), 0.0);
    EXPECT_EQ(apcaContrastOfLuminances(0.55, 0.5), 0.0);
    // Luminances that are not numbers (colors that could not be put into sRGB) give no value.
    EXPECT_FALSE(apcaContrastOfLuminances(std::nan(""), 1).has_value());
    EXPECT_FALSE(apcaContrastOfLuminances(0, std::numeric_limits<double>::infinity()).has_value());
}

TEST(ContrastMeasures, CompositingMixesTextIntoTheBackground) {
    const struct {
        const char* name;
        ColorValue foreground;
        ColorValue background;
        ColorValue text;
    } cases[] = {
        {"opaque text is untouched", srgb(0.2, 0.4, 0.6), srgb(1, 1, 1), srgb(0.2, 0.4, 0.6)},
        {"half over white", srgb(0, 0, 0, 0.5), srgb(1, 1, 1), srgb(0.5, 0.5, 0.5)},
        {"quarter red over blue", srgb(1, 0, 0, 0.25), srgb(0, 0, 1), srgb(0.25, 0, 0.75)},
        {"invisible text is the background", srgb(0.3, 0.6, 0.9, 0), srgb(0.1, 0.2, 0.3), srgb(0.1, 0.2, 0.3)},
    };
    for (const auto& c : cases) {
        auto pair = compositeForContrast(c.foreground, c.background);
        EXPECT_EQ(pair.text.space, RGBSpace::sRGB) << c.name;
        EXPECT_NEAR(pair.text.red, c.text.red, 1e-12) << c.name;
        EXPECT_NEAR(pair.text.green, c.text.green, 1e-12) << c.name;
        EXPECT_NEAR(pair.text.blue, c.text.blue, 1e-12) << c.name;
        EXPECT_NEAR(pair.text.alpha, 1.0, 1e-12) << c.name;
        EXPECT_EQ(pair.background.space, RGBSpace::sRGB) << c.name;
    }
}

TEST(ContrastMeasures, NonsenseComponentsNeverCrash) {
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    const ColorValue odd[] = {srgb(nan, nan, nan, nan), srgb(inf, -inf, 0, 0.5), srgb(0, 0, 0, nan),
                              {RGBSpace::deviceCMYK, 0.1, 0.2, 0.3, 1, 0.4}, {RGBSpace::xyzD50, 5, -5, 5, 1}};
    for (const auto& color : odd) {
        (void)wcagContrastRatio(color, srgb(1, 1, 1));
        (void)wcagContrastRatio(srgb(1, 1, 1), color);
        (void)apcaLightnessContrast(color, srgb(1, 1, 1));
        (void)apcaLightnessContrast(srgb(0, 0, 0), color);
    }
    SUCCEED();
}
