#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "QuenzColorUtils/ColorOperations.h"
#include "QuenzColorUtils/QCUColor.h"

namespace quenz {
namespace {

TEST(QCUColor, NamedColorsAndInvariant) {
    struct Case {
        const char* name;
        QCUColor color;
        RawRGBValues rgb;
    };
    const Case cases[] = {
        {"default is white", QCUColor(), {1, 1, 1, 1}},
        {"black", QCUColor::black(), {0, 0, 0, 1}},
        {"clear", QCUColor::clear(), {0, 0, 0, 0}},
        {"sRGB clamps", QCUColor(ColorSpace::sRGB, 1.5, -0.5, std::nan(""), 2), {1, 0, 0, 1}},
        {"Display P3 clamps", QCUColor(ColorSpace::displayP3, 0.5, 7, -1, 0.5), {0.5, 1, 0, 0.5}},
        {"extended keeps values", QCUColor(ColorSpace::sRGBExtended, 1.5, -0.5, 0.2, 1), {1.5, -0.5, 0.2, 1}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.color.rgbValues()) << c.name;
        EXPECT_EQ(*c.color.rgbValues(), c.rgb) << c.name;
        EXPECT_FALSE(c.color.labValues()) << c.name;
        EXPECT_FALSE(c.color.lchValues()) << c.name;
        EXPECT_TRUE(c.color.isRGB()) << c.name;
        EXPECT_EQ(c.color.alpha(), c.rgb.alpha) << c.name;
    }
    EXPECT_EQ(QCUColor().colorSpace(), ColorSpace::sRGB);

    const QCUColor lab = QCUColor::fromOKLab({0.5, 0.1, -0.1, 0.3});
    EXPECT_EQ(lab.colorSpace(), ColorSpace::oklab);
    EXPECT_FALSE(lab.rgbValues());
    EXPECT_FALSE(lab.lchValues());
    EXPECT_FALSE(lab.isRGB());
    EXPECT_EQ(lab.alpha(), 0.3);

    const QCUColor lch = QCUColor::fromOKLCH({0.5, 0.1, 1, 0.7});
    EXPECT_EQ(lch.colorSpace(), ColorSpace::oklch);
    EXPECT_FALSE(lch.rgbValues());
    EXPECT_FALSE(lch.labValues());
    EXPECT_EQ(lch.alpha(), 0.7);
}

TEST(QCUColor, FromColorValueConvertsIntoEachSpace) {
    const ColorValue p3Red{RGBSpace::displayP3, 1, 0, 0, 0.5};

    const QCUColor srgb(p3Red, ColorSpace::sRGB);
    EXPECT_EQ(*srgb.rgbValues(), (RawRGBValues{1, 0, 0, 0.5}));  // clipped into sRGB

    const QCUColor extended(p3Red, ColorSpace::sRGBExtended);
    EXPECT_GT(extended.rgbValues()->red, 1);
    EXPECT_LT(extended.rgbValues()->green, 0);

    const QCUColor p3(p3Red, ColorSpace::displayP3);
    EXPECT_EQ(*p3.rgbValues(), (RawRGBValues{1, 0, 0, 0.5}));

    const QCUColor lab(ColorValue{RGBSpace::sRGB, 1, 0, 0, 1}, ColorSpace::oklab);
    ASSERT_TRUE(lab.labValues());
    EXPECT_NEAR(lab.labValues()->l, 0.627955, 1e-6);
    EXPECT_NEAR(lab.labValues()->a, 0.224863, 1e-6);

    const QCUColor lch(ColorValue{RGBSpace::sRGB, 1, 0, 0, 1}, ColorSpace::oklch);
    ASSERT_TRUE(lch.lchValues());
    EXPECT_NEAR(lch.lchValues()->chroma, 0.257683, 1e-6);
    EXPECT_NEAR(lch.hue(), 29.23 / 360, 1e-4);
    EXPECT_NEAR(lab.hue(), lch.hue(), 1e-12);

    // Reading back gives extended linear sRGB for the OK spaces.
    const std::optional<ColorValue> back = lch.colorValue();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->space, RGBSpace::extendedLinearSRGB);
    EXPECT_NEAR(back->red, 1, 1e-6);
    EXPECT_NEAR(back->green, 0, 1e-6);
}

TEST(QCUColor, HueSaturationBrightnessReadings) {
    const QCUColor orange(ColorSpace::sRGB, 1, 0.5, 0, 1);
    EXPECT_NEAR(orange.hue(), 30.0 / 360, 1e-12);
    EXPECT_NEAR(orange.saturation(), 1, 1e-12);
    EXPECT_NEAR(orange.brightness(), 1, 1e-12);
    EXPECT_NEAR(orange.relativeBrightness(), 0.2126 + 0.7152 * 0.5, 1e-12);
    EXPECT_EQ(*orange.colorValue(), (ColorValue{RGBSpace::sRGB, 1, 0.5, 0, 1}));
    EXPECT_EQ(QCUColor(ColorSpace::displayP3, 0, 0, 0, 1).colorValue()->space, RGBSpace::displayP3);

    // Hues in the OK spaces wrap into 0…1 whichever way round they were stored.
    const double pi = std::numbers::pi;
    EXPECT_NEAR(QCUColor::fromOKLCH({0.5, 0.1, -pi / 2, 1}).hue(), 0.75, 1e-12);
    EXPECT_NEAR(QCUColor::fromOKLCH({0.5, 0.1, 2 * pi + pi / 2, 1}).hue(), 0.25, 1e-12);
    EXPECT_NEAR(QCUColor::fromOKLab({0.5, 0, -0.1, 1}).hue(), 0.75, 1e-12);
}

TEST(QCUColorDeathTest, ProgrammingErrorsStopTheProgram) {
    EXPECT_DEATH(QCUColor(ColorSpace::oklab, 0, 0, 0, 1), "oklab and oklch color spaces not supported for RGB values");
    EXPECT_DEATH(QCUColor(ColorSpace::oklch, 0, 0, 0, 1), "oklab and oklch color spaces not supported for RGB values");
    EXPECT_DEATH(QCUColor(ColorValue{RGBSpace::sRGB, std::nan(""), 0, 0, 1}, ColorSpace::oklch), "could not be converted");
}

}  // namespace
}  // namespace quenz
